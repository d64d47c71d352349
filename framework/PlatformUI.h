#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "framework/String.h"

// The user-interface services each backend supplies to the portable core: Win32 for the product,
// a scripted headless one for host tests. Every call comes on the framework's thread.
namespace fw::platform {

enum class MessageKind { Information, Error };

// A modal message box with one OK button, titled with the caption; returns when it is dismissed.
void ShowMessage(const String& caption, const String& text, MessageKind kind);

struct FileFilter {
    String label;    // "NI Kontakt Instrument (*.nki)"
    String patterns; // "*.nki", or "*.nki;*.nkm;*.nkb"
};

struct OpenDialogRequest {
    String title;
    std::optional<String> initialDirectory; // a folder path; none leaves the dialog's own default
    std::vector<FileFilter> filters;        // in the order shown; the first is selected
};

// The path the user chose, or none when the dialog was cancelled.
std::optional<String> ShowOpenDialog(const OpenDialogRequest& request);

// The user's Documents folder, or none when it cannot be found.
std::optional<String> DocumentsFolder();

// The running executable's full path, under whatever name it was started.
String ExecutablePath();

// A lock shared by every process that names it the same way. Creating it does not take it.
class NamedLock {
public:
    virtual ~NamedLock() = default;
    // Takes the lock if that can be done at once; never waits.
    virtual bool TryAcquire() = 0;
    // Waits until the lock is taken.
    virtual void Acquire() = 0;
    virtual void Release() = 0;
};

// Throws RuntimeException (ErrorNumber: the platform's code) when the lock cannot be created.
std::unique_ptr<NamedLock> CreateNamedLock(const String& name);

} // namespace fw::platform
