#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Polling.h"
#include "Process.h"

namespace e2e {

// Control ids of the standard dialogs, as Windows and Wine number them.
inline constexpr int kMessageBoxTextId = 0xFFFF;
inline constexpr int kFileNameEditId = 1152;
inline constexpr int kFileTypeComboId = 1136;

// A visible top-level dialog window ("#32770") of another process: a message box or an
// open-file dialog. Every message it sends has a time limit, so a hung program fails the test
// (or the attendant) instead of hanging it.
class Dialog {
public:
    explicit Dialog(HWND window) noexcept : window_(window) {}

    HWND Handle() const noexcept { return window_; }
    bool Showing() const;

    std::wstring Title() const;
    // The text of a message box.
    std::wstring Text() const;
    bool IsMessageBox() const;
    bool IsFileDialog() const;

    // The entries of a combo box, in order.
    std::vector<std::wstring> ComboEntries(int id) const;
    // Types `text` into a control by replacing its text.
    void SetText(int id, const std::wstring& text) const;
    // As if the button `id` (IDOK, IDCANCEL, ...) had been clicked.
    void Press(int id) const;

    // Presses `id` and waits until the window has gone; false when it stays.
    bool PressAndWaitUntilClosed(int id, milliseconds timeout = kTimeout) const;

    // "message box "Caption": text" or "file dialog "Title"", for failure messages.
    std::wstring Describe() const;

private:
    HWND Control(int id) const;

    HWND window_;
};

// The visible dialogs of the process `processId`, top-most first.
std::vector<Dialog> VisibleDialogs(DWORD processId);

// The first dialog that `process` shows; nothing when it ends or the time runs out first.
std::optional<Dialog> WaitForDialog(const Process& process, milliseconds timeout = kTimeout);

// The first dialog of each process, waiting for all of them together; nothing for a process
// that ended without one, or for all that had none when the time ran out.
std::vector<std::optional<Dialog>> WaitForDialogEach(const std::vector<Process>& processes,
                                                     milliseconds timeout = kTimeout);

// How a process ended that was expected to show nothing.
struct QuietEnd {
    std::optional<DWORD> exitCode;           // nothing: still running when the time ran out
    std::optional<std::wstring> shownDialog; // the dialog it showed instead, described
};

// Waits until `process` ends; stops early when it shows a dialog.
QuietEnd WaitForExitWithoutDialog(const Process& process, milliseconds timeout = kTimeout);

} // namespace e2e
