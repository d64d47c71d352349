#include "Process.h"

#include <stdexcept>

#include "framework/Utf.h"

namespace e2e {

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    // Backslashes are literal except in front of a quote, where each pair stands for one.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring CommandLine(const std::filesystem::path& exe,
                         const std::vector<std::wstring>& arguments) {
    // The program's own name is read without escapes; a Windows path holds no quote.
    std::wstring line = L"\"" + exe.wstring() + L"\"";
    for (const std::wstring& argument : arguments) {
        line += L' ';
        line += QuoteArgument(argument);
    }
    return line;
}

Process Process::Start(const std::filesystem::path& exe, const std::vector<std::wstring>& arguments,
                       StartMode mode) {
    std::wstring line = CommandLine(exe, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const DWORD flags = mode == StartMode::Suspended ? CREATE_SUSPENDED : 0;
    if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          nullptr, &startup, &info)) {
        throw std::runtime_error("CreateProcessW failed for " + fw::ToUtf8(exe.wstring()) +
                                 " with error " + std::to_string(::GetLastError()));
    }
    return Process(fw::win32::UniqueHandle(info.hProcess), fw::win32::UniqueHandle(info.hThread),
                   info.dwProcessId, exe.filename().wstring());
}

Process::Process(fw::win32::UniqueHandle process, fw::win32::UniqueHandle thread, DWORD id,
                 std::wstring name)
    : process_(std::move(process)), thread_(std::move(thread)), id_(id), name_(std::move(name)) {}

Process::~Process() {
    if (process_.Valid() && Running()) {
        Kill();
    }
}

void Process::Resume() const {
    ::ResumeThread(thread_.Get());
}

bool Process::Running() const {
    return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(milliseconds timeout) const {
    if (::WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void Process::Kill() const {
    ::TerminateProcess(process_.Get(), kKilledExitCode);
    ::WaitForSingleObject(process_.Get(), static_cast<DWORD>(milliseconds(kTimeout).count()));
}

std::string Process::Describe() const {
    if (Running()) {
        return "the process is still running";
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    return "the process ended with exit code " + std::to_string(code);
}

std::vector<Process> StartTogether(const std::filesystem::path& exe,
                                   const std::vector<std::wstring>& arguments, std::size_t count) {
    std::vector<Process> processes;
    processes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        processes.push_back(Process::Start(exe, arguments, StartMode::Suspended));
    }
    for (const Process& process : processes) {
        process.Resume();
    }
    return processes;
}

} // namespace e2e
