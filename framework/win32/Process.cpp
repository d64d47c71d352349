// The Win32 process: its own path, the settings the runtime makes at start-up, the event loop
// and the system's error texts.
#include <windows.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/platform/Process.h"
#include "framework/win32/Wide.h"

namespace fw::platform {

void EnableHighDpiAwareness() {
    // Looked up at run time: older Windows lacks the newer calls.
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto setContext = reinterpret_cast<SetContext>(
            reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDpiAwarenessContext")))) {
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
            setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) {
            return;
        }
    }
    ::SetProcessDPIAware();
}

bool WaitForEvent() {
    MSG message{};
    if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
        return false;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    return true;
}

String ExecutablePath() {
    // Long paths: grow the buffer until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            const DWORD error = ::GetLastError();
            throw RuntimeException("The program's own path could not be read.", error);
        }
        if (length < path.size()) {
            path.resize(length);
            return win32::FromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

String ErrorText(std::int64_t errorNumber) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(errorNumber), 0, reinterpret_cast<wchar_t*>(&buffer), 0,
        nullptr);
    if (length == 0 || buffer == nullptr) {
        return String("Windows error ") + Str(errorNumber) + ".";
    }
    std::wstring text(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return win32::FromWide(text);
}

} // namespace fw::platform
