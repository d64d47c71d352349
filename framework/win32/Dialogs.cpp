// Message boxes, the open-file dialog and the places the program asks the system for.
#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/platform/Dialogs.h"
#include "framework/win32/ComPtr.h"
#include "framework/win32/Wide.h"

namespace fw::platform {

namespace {

// COM on the calling thread for as long as it is in scope: the dialog needs a single-threaded
// apartment. A thread already in another apartment keeps it, and the dialog's own calls then
// report whatever fails.
class ComApartment {
public:
    ComApartment() noexcept
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }

private:
    HRESULT result_;
};

// A string that the shell allocated for the caller.
class CoTaskString {
public:
    CoTaskString() noexcept = default;
    CoTaskString(const CoTaskString&) = delete;
    CoTaskString& operator=(const CoTaskString&) = delete;
    ~CoTaskString() { ::CoTaskMemFree(text_); }

    PWSTR* Out() noexcept { return &text_; }
    String Text() const { return text_ != nullptr ? win32::FromWide(text_) : String(); }

private:
    PWSTR text_ = nullptr;
};

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
        throw RuntimeException(String(what) + " failed (HRESULT " + code + ").",
                               static_cast<std::uint32_t>(result));
    }
}

std::optional<String> ShowDialog(const OpenDialogRequest& request) {
    win32::ComPtr<IFileOpenDialog> dialog;
    Check(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(dialog.Out())),
          "Creating the open-file dialog");

    FILEOPENDIALOGOPTIONS options = 0;
    Check(dialog->GetOptions(&options), "Reading the dialog's options");
    Check(dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST),
          "Setting the dialog's options");
    Check(dialog->SetTitle(win32::ToWide(request.title).c_str()), "Setting the dialog's title");

    if (!request.filters.empty()) {
        // The texts must outlive SetFileTypes, which only reads them.
        std::vector<std::wstring> texts;
        for (const auto& filter : request.filters) {
            texts.push_back(win32::ToWide(filter.label));
            texts.push_back(win32::ToWide(filter.patterns));
        }
        std::vector<COMDLG_FILTERSPEC> specs;
        for (std::size_t i = 0; i < texts.size(); i += 2) {
            specs.push_back({texts[i].c_str(), texts[i + 1].c_str()});
        }
        Check(dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data()),
              "Setting the dialog's file types");
        Check(dialog->SetFileTypeIndex(1), "Selecting the dialog's first file type");
    }

    if (request.initialDirectory) {
        // A folder the shell cannot name leaves the dialog where it would start anyway.
        win32::ComPtr<IShellItem> folder;
        if (SUCCEEDED(
                ::SHCreateItemFromParsingName(win32::ToWide(*request.initialDirectory).c_str(),
                                              nullptr, IID_PPV_ARGS(folder.Out())))) {
            Check(dialog->SetFolder(folder.Get()), "Setting the dialog's folder");
        }
    }

    const HRESULT shown = dialog->Show(nullptr);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        return std::nullopt;
    }
    Check(shown, "Showing the open-file dialog");

    win32::ComPtr<IShellItem> chosen;
    Check(dialog->GetResult(chosen.Out()), "Reading the chosen file");
    CoTaskString path;
    Check(chosen->GetDisplayName(SIGDN_FILESYSPATH, path.Out()), "Reading the chosen file's path");
    return path.Text();
}

} // namespace

void ShowMessage(const String& caption, const String& text, MessageKind kind) {
    // The program has no window of its own, so the box has no owner; it asks to come to the
    // front, since nothing else of the program would tell the user it is waiting.
    const UINT icon = kind == MessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    if (::MessageBoxW(nullptr, win32::ToWide(text).c_str(), win32::ToWide(caption).c_str(),
                      MB_OK | icon | MB_SETFOREGROUND) == 0) {
        const DWORD error = ::GetLastError();
        throw RuntimeException("The message box could not be shown.", error);
    }
}

std::optional<String> ShowOpenDialog(const OpenDialogRequest& request) {
    const ComApartment apartment;
    return ShowDialog(request);
}

std::optional<String> DocumentsFolder() {
    CoTaskString path;
    if (FAILED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, path.Out()))) {
        return std::nullopt;
    }
    return path.Text();
}

} // namespace fw::platform
