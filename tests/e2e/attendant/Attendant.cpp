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
// A program that ends without showing a window gets a line that says so, with its exit code:
//
//   PROGRAM showed nothing and ended with exit code N.
//
// The attendant is the program's debugger, so that a crash is told at once (on standard error,
// with the exception's code, exit code kCrashed) rather than handed to a debugger of Wine's own
// that nobody sees. When the attendant cannot do its part, it says why on standard error, ends the
// program if it runs, and exits with kTimedOut (the program neither showed a dialog nor ended in
// time) or kFailed (anything else), as timeout(1) does.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <future>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "Dialog.h"
#include "Process.h"
#include "framework/Utf.h"
#include "framework/win32/UniqueHandle.h"

namespace {

using namespace e2e;

constexpr int kTimedOut = 124;
constexpr int kFailed = 125;
// 128 + SIGABRT: what a shell reports for a program that ended abnormally.
constexpr int kCrashed = 134;

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

// An exit code as Windows writes it: small ones in decimal, status codes in hexadecimal.
std::wstring Code(DWORD code) {
    if (code <= 0xFFFF) {
        return std::to_wstring(code);
    }
    wchar_t text[11];
    std::swprintf(text, std::size(text), L"0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// Debugs a program from a thread of its own (debug events go to the thread that attached) and
// keeps the code of an exception that nothing in the program handled. The program then ends with
// that code, as it would without a debugger, and no other debugger is started for it.
class CrashWatch {
public:
    // Attaches to `program`, which was started suspended, and lets it run.
    explicit CrashWatch(const Process& program) : program_(program) {
        std::promise<DWORD> attached;
        std::future<DWORD> error = attached.get_future();
        // The promise goes with the thread, which may still be in set_value when get returns.
        thread_ =
            std::thread([this, attached = std::move(attached)]() mutable { Watch(attached); });
        if (const DWORD code = error.get(); code != 0) {
            thread_.join();
            throw std::runtime_error("DebugActiveProcess failed with error " +
                                     std::to_string(code));
        }
        program_.Resume();
    }
    ~CrashWatch() {
        // Debug events stop only when the program has gone.
        if (program_.Running()) {
            program_.Kill();
        }
        thread_.join();
    }
    CrashWatch(const CrashWatch&) = delete;
    CrashWatch& operator=(const CrashWatch&) = delete;

    // The exception that ended the program; nothing while none did.
    std::optional<DWORD> Crash() const {
        if (!crashed_) {
            return std::nullopt;
        }
        return exception_.load();
    }

private:
    void Watch(std::promise<DWORD>& attached) {
        if (!::DebugActiveProcess(program_.Id())) {
            attached.set_value(::GetLastError());
            return;
        }
        attached.set_value(0);
        bool attachBreak = true;
        for (;;) {
            DEBUG_EVENT event{};
            if (!::WaitForDebugEvent(&event, INFINITE)) {
                return;
            }
            DWORD status = DBG_CONTINUE;
            switch (event.dwDebugEventCode) {
            // The handles to image files are the debugger's to close.
            case CREATE_PROCESS_DEBUG_EVENT: {
                const fw::win32::UniqueHandle image(event.u.CreateProcessInfo.hFile);
                break;
            }
            case LOAD_DLL_DEBUG_EVENT: {
                const fw::win32::UniqueHandle image(event.u.LoadDll.hFile);
                break;
            }
            case EXCEPTION_DEBUG_EVENT: {
                const EXCEPTION_DEBUG_INFO& info = event.u.Exception;
                const DWORD code = info.ExceptionRecord.ExceptionCode;
                if (attachBreak && code == EXCEPTION_BREAKPOINT) {
                    // Attaching breaks into the program once; that one is the debugger's own.
                    attachBreak = false;
                } else if (info.dwFirstChance) {
                    status = DBG_EXCEPTION_NOT_HANDLED;
                } else {
                    exception_ = code;
                    crashed_ = true;
                    status = DBG_EXCEPTION_NOT_HANDLED;
                }
                break;
            }
            case EXIT_PROCESS_DEBUG_EVENT:
                ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
                return;
            default:
                break;
            }
            ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
    }

    const Process& program_;
    std::atomic<DWORD> exception_ = 0;
    std::atomic<bool> crashed_ = false;
    std::thread thread_;
};

int Attend(const Process& program, const CrashWatch& watch) {
    bool shown = false;
    // A program may show several windows in turn: one box for each file it was handed, say.
    while (const std::optional<Dialog> window = WaitForDialog(program)) {
        shown = true;
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
    const std::optional<DWORD> code = program.WaitForExit(0ms);
    if (!code) {
        Complain(program.Name() + L" neither showed a dialog nor ended within " +
                 Seconds(kTimeout) + L"; ending it.");
        program.Kill();
        return kTimedOut;
    }
    if (const std::optional<DWORD> exception = watch.Crash()) {
        Complain(program.Name() + L" crashed with exception " + Code(*exception) + L".");
        return kCrashed;
    }
    if (!shown) {
        Say(program.Name() + L" showed nothing and ended with exit code " + Code(*code) + L".");
    }
    return static_cast<int>(*code);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        Complain(L"usage: e2e_attendant PROGRAM [ARGUMENT...]");
        return kFailed;
    }
    try {
        const Process program =
            Process::Start(argv[1], {argv + 2, argv + argc}, StartMode::Suspended);
        const CrashWatch watch(program);
        return Attend(program, watch);
    } catch (const std::exception& error) {
        Complain(fw::ToWide(error.what()));
        return kFailed;
    }
}
