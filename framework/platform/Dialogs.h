#pragma once

#include <optional>
#include <vector>

#include "framework/String.h"

// Message boxes, the open-file dialog and the folders it starts in: Win32 for the product, a
// scripted headless one for host tests. Every call comes on the framework's thread.
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

} // namespace fw::platform
