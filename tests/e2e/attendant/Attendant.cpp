// Sits in front of a GUI program for a person who has no display to see its windows on: starts
// the program, writes each window it shows to standard output, answers it, and ends with the
// program's exit code.
//
//   e2e_attendant PROGRAM [ARGUMENT...]
//
// What it writes, window after window, in UTF-8 (or straight to the console when it has one):
//
//   CAPTION: TEXT                       a message box, answered with OK; every further line of
//     more of TEXT                      a text of several lines follows, indented by two spaces
//
//   TITLE: open-file dialog, file types:
//     FILE TYPE                         each entry of its file-type list, indented by two spaces
//   Choosing a file needs a display, or the file given as an argument; the dialog is cancelled.
//
// When the attendant cannot do its part, it says why on standard error, ends the program if it
// runs, and exits with kTimedOut (the program neither showed a dialog nor ended in time) or
// kFailed (anything else), as timeout(1) does.

#include <windows.h>

#include <chrono>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "Dialog.h"
#include "Process.h"
#include "framework/Utf.h"

namespace {

using namespace e2e;

constexpr int kTimedOut = 124;
constexpr int kFailed = 125;

void Write(DWORD stream, std::wstring_view text) {
    const HANDLE handle = ::GetStdHandle(stream);
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // A pipe or a file: bytes go out as they are, with no line-end translation on the way.
    const std::string bytes = fw::ToUtf8(text);
    ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Say(std::wstring_view line) {
    Write(STD_OUTPUT_HANDLE, std::wstring(line) + L"\n");
}

void Complain(std::wstring_view line) {
    Write(STD_ERROR_HANDLE, std::wstring(line) + L"\n");
}

// The lines of a window's text, whichever line ends it uses.
std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        if (end == std::wstring::npos) {
            return lines;
        }
        start = end + 1;
    }
}

void Indented(const std::wstring& line) {
    Say(line.empty() ? line : L"  " + line);
}

void ReportBox(const Dialog& box) {
    const std::vector<std::wstring> lines = Lines(box.Text());
    Say(box.Title() + L": " + lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        Indented(lines[i]);
    }
}

void ReportFileDialog(const Dialog& dialog) {
    Say(dialog.Title() + L": open-file dialog, file types:");
    for (const std::wstring& type : dialog.ComboEntries(kFileTypeComboId)) {
        Indented(type);
    }
    Say(L"Choosing a file needs a display, or the file given as an argument; the dialog is "
        L"cancelled.");
}

std::wstring Seconds(milliseconds time) {
    return std::to_wstring(std::chrono::duration_cast<std::chrono::seconds>(time).count()) + L" s";
}

int Attend(const Process& program) {
    // A program may show several windows in turn: one box for each file it was handed, say.
    while (const std::optional<Dialog> window = WaitForDialog(program)) {
        const bool fileDialog = window->IsFileDialog();
        if (fileDialog) {
            ReportFileDialog(*window);
        } else {
            ReportBox(*window);
        }
        if (!window->PressAndWaitUntilClosed(fileDialog ? IDCANCEL : IDOK)) {
            Complain(program.Name() + L" kept its window open after it was answered; ending it.");
            program.Kill();
            return kFailed;
        }
    }
    if (const std::optional<DWORD> code = program.WaitForExit(0ms)) {
        return static_cast<int>(*code);
    }
    Complain(program.Name() + L" neither showed a dialog nor ended within " + Seconds(kTimeout) +
             L"; ending it.");
    program.Kill();
    return kTimedOut;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        Complain(L"usage: e2e_attendant PROGRAM [ARGUMENT...]");
        return kFailed;
    }
    try {
        const Process program = Process::Start(argv[1], {argv + 2, argv + argc});
        return Attend(program);
    } catch (const std::exception& error) {
        Complain(fw::ToWide(error.what()));
        return kFailed;
    }
}
