#include "Dialog.h"

namespace e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window) {
    const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM search) {
    auto& state = *reinterpret_cast<ControlSearch*>(search);
    if (::GetDlgCtrlID(child) == state.id) {
        state.found = child;
        return FALSE;
    }
    return TRUE;
}

struct DialogSearch {
    DWORD processId;
    std::vector<Dialog> found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM search) {
    auto& state = *reinterpret_cast<DialogSearch*>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == state.processId && ::IsWindowVisible(window) && ClassName(window) == L"#32770") {
        state.found.emplace_back(window);
    }
    return TRUE;
}

} // namespace

bool Dialog::Showing() const {
    return ::IsWindow(window_) && ::IsWindowVisible(window_);
}

std::wstring Dialog::Title() const {
    wchar_t title[512] = {};
    const int length = ::GetWindowTextW(window_, title, static_cast<int>(std::size(title)));
    return std::wstring(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring Dialog::Text() const {
    const HWND text = ::GetDlgItem(window_, kMessageBoxTextId);
    return text ? WindowText(text) : std::wstring();
}

bool Dialog::IsMessageBox() const {
    return ::GetDlgItem(window_, kMessageBoxTextId) != nullptr && !IsFileDialog();
}

bool Dialog::IsFileDialog() const {
    return Control(kFileNameEditId) != nullptr;
}

std::vector<std::wstring> Dialog::ComboEntries(int id) const {
    std::vector<std::wstring> entries;
    const HWND combo = Control(id);
    if (!combo) {
        return entries;
    }
    const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Send(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring entry(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
        const LRESULT copied = Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        entries.push_back(std::move(entry));
    }
    return entries;
}

void Dialog::SetText(int id, const std::wstring& text) const {
    if (const HWND control = Control(id)) {
        Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void Dialog::Press(int id) const {
    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window_, id)));
}

bool Dialog::PressAndWaitUntilClosed(int id, milliseconds timeout) const {
    Press(id);
    return WaitUntil([this] { return !Showing(); }, timeout);
}

std::wstring Dialog::Describe() const {
    if (IsMessageBox()) {
        return L"message box \"" + Title() + L"\": " + Text();
    }
    return (IsFileDialog() ? L"file dialog \"" : L"dialog \"") + Title() + L"\"";
}

HWND Dialog::Control(int id) const {
    if (const HWND direct = ::GetDlgItem(window_, id)) {
        return direct;
    }
    // The open-file dialog nests some of its controls inside child panes.
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(window_, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<Dialog> VisibleDialogs(DWORD processId) {
    DialogSearch search{processId, {}};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<Dialog> WaitForDialog(const Process& process, milliseconds timeout) {
    std::optional<Dialog> dialog;
    WaitUntil(
        [&] {
            // Asked before looking, so a window shown just before the end is not missed.
            const bool ended = !process.Running();
            if (auto dialogs = VisibleDialogs(process.Id()); !dialogs.empty()) {
                dialog = dialogs.front();
                return true;
            }
            return ended;
        },
        timeout);
    return dialog;
}

std::vector<std::optional<Dialog>> WaitForDialogEach(const std::vector<Process>& processes,
                                                     milliseconds timeout) {
    std::vector<std::optional<Dialog>> dialogs(processes.size());
    std::vector<bool> ended(processes.size(), false);
    WaitUntil(
        [&] {
            bool settled = true;
            for (std::size_t i = 0; i < processes.size(); ++i) {
                if (dialogs[i] || ended[i]) {
                    continue;
                }
                const bool endedBefore = !processes[i].Running();
                if (auto shown = VisibleDialogs(processes[i].Id()); !shown.empty()) {
                    dialogs[i] = shown.front();
                } else if (endedBefore) {
                    ended[i] = true;
                } else {
                    settled = false;
                }
            }
            return settled;
        },
        timeout);
    return dialogs;
}

QuietEnd WaitForExitWithoutDialog(const Process& process, milliseconds timeout) {
    QuietEnd end;
    WaitUntil(
        [&] {
            if (auto dialogs = VisibleDialogs(process.Id()); !dialogs.empty()) {
                end.shownDialog = dialogs.front().Describe();
                return true;
            }
            end.exitCode = process.WaitForExit(0ms);
            return end.exitCode.has_value();
        },
        timeout);
    return end;
}

} // namespace e2e
