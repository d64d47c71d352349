#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Polling.h"
#include "framework/win32/UniqueHandle.h"

namespace e2e {

// One argument quoted so that CommandLineToArgvW and the C runtime give it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);

// The full command line for `exe` and `arguments`.
std::wstring CommandLine(const std::filesystem::path& exe,
                         const std::vector<std::wstring>& arguments);

enum class StartMode { Running, Suspended };

// A program started by a test or the attendant. It never outlives its watcher: a process still
// running when its object goes is killed.
class Process {
public:
    static Process Start(const std::filesystem::path& exe,
                         const std::vector<std::wstring>& arguments,
                         StartMode mode = StartMode::Running);

    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) = delete;
    ~Process();

    DWORD Id() const noexcept { return id_; }
    const std::wstring& Name() const noexcept { return name_; }

    // Lets a process started suspended run.
    void Resume() const;

    bool Running() const;

    // The exit code, or nothing when the process is still running after `timeout`.
    std::optional<DWORD> WaitForExit(milliseconds timeout = kTimeout) const;

    // Ends the process at once and waits until it is gone.
    void Kill() const;

    // "running" or "ended with exit code N", for failure messages.
    std::string Describe() const;

private:
    Process(fw::win32::UniqueHandle process, fw::win32::UniqueHandle thread, DWORD id,
            std::wstring name);

    fw::win32::UniqueHandle process_;
    fw::win32::UniqueHandle thread_;
    DWORD id_ = 0;
    std::wstring name_;
};

// `count` copies of `exe`, created suspended and then let go together, so that they race.
std::vector<Process> StartTogether(const std::filesystem::path& exe,
                                   const std::vector<std::wstring>& arguments, std::size_t count);

// The exit code that Kill leaves, so a killed process is never mistaken for one that ended.
inline constexpr DWORD kKilledExitCode = 0xDEAD;

} // namespace e2e
