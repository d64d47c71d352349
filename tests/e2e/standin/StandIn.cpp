// A tiny GUI program that behaves like Pindrel from the outside: message boxes, an open-file
// dialog and a named lock, driven by its command line. The harness proves itself against it.
//
//   box TEXT     show TEXT in a message box and wait until it is dismissed
//   open TITLE   show an open-file dialog titled TITLE; a chosen file's path is shown in a box
//   lock NAME    take the named mutex NAME without waiting; when another process holds it,
//                show "busy" in a box and end with the exit code set so far
//   exit N       end with exit code N (default 0) once every step has run
//   crash CODE   raise the exception CODE (0xC0000005, say) and handle it nowhere
//
// Steps run in command-line order.

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/win32/UniqueHandle.h"

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using ComPtr = std::unique_ptr<T, ComRelease>;

struct CoTaskMemDelete {
    void operator()(wchar_t* text) const { ::CoTaskMemFree(text); }
};

class ComApartment {
public:
    ComApartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

void ShowBox(const std::wstring& text) {
    ::MessageBoxW(nullptr, text.c_str(), L"Stand-in",
                  MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

// The same five entries that Pindrel's dialog is expected to offer.
void ShowOpenDialog(const std::wstring& title) {
    ComApartment apartment;
    IFileOpenDialog* raw = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFileOpenDialog, reinterpret_cast<void**>(&raw)))) {
        ShowBox(L"no dialog");
        return;
    }
    ComPtr<IFileOpenDialog> dialog(raw);
    const COMDLG_FILTERSPEC types[] = {
        {L"NI Kontakt Files (*.nki;*.nkm;*.nkb)", L"*.nki;*.nkm;*.nkb"},
        {L"NI Kontakt Instrument (*.nki)", L"*.nki"},
        {L"NI Kontakt Multi (*.nkm)", L"*.nkm"},
        {L"NI Kontakt Bank (*.nkb)", L"*.nkb"},
        {L"All Files (*.*)", L"*.*"},
    };
    dialog->SetFileTypes(static_cast<UINT>(std::size(types)), types);
    dialog->SetTitle(title.c_str());
    if (FAILED(dialog->Show(nullptr))) {
        return;
    }
    IShellItem* rawItem = nullptr;
    if (FAILED(dialog->GetResult(&rawItem))) {
        return;
    }
    ComPtr<IShellItem> item(rawItem);
    wchar_t* rawPath = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &rawPath))) {
        return;
    }
    std::unique_ptr<wchar_t, CoTaskMemDelete> path(rawPath);
    ShowBox(path.get());
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    std::unique_ptr<wchar_t*, decltype(&::LocalFree)> argv(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    const std::vector<std::wstring> args(argv.get() + 1, argv.get() + count);

    int exitCode = 0;
    std::vector<fw::win32::UniqueHandle> locks;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        const std::wstring& verb = args[i];
        const std::wstring& value = args[i + 1];
        if (verb == L"box") {
            ShowBox(value);
        } else if (verb == L"open") {
            ShowOpenDialog(value);
        } else if (verb == L"lock") {
            fw::win32::UniqueHandle lock(::CreateMutexW(nullptr, FALSE, value.c_str()));
            const DWORD wait = ::WaitForSingleObject(lock.Get(), 0);
            if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
                ShowBox(L"busy");
                return exitCode;
            }
            locks.push_back(std::move(lock));
        } else if (verb == L"exit") {
            exitCode = std::stoi(value);
        } else if (verb == L"crash") {
            ::RaiseException(static_cast<DWORD>(std::stoul(value, nullptr, 0)),
                             EXCEPTION_NONCONTINUABLE, 0, nullptr);
        }
    }
    return exitCode;
}
