#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <source_location>
#include <string>
#include <vector>

#include "Dialog.h"
#include "Files.h"
#include "Process.h"

// What the tests of the real Pindrel.exe share: where it is, the texts it shows, and a fixture
// that starts each of them with no copy of it running.
namespace e2e {

inline constexpr wchar_t kPindrelLock[] = L"Pindrel85Mutex";

std::filesystem::path PindrelExe();

std::wstring VersionText(const std::wstring& fileName, const std::wstring& version);
std::wstring FailureMessage();
std::wstring SecondStartMessage(const std::wstring& exeFileName);

class PindrelTest : public ::testing::Test {
protected:
    // Makes sure Pindrel.exe is there and that no copy holds the lock.
    void SetUp() override;

    Process Start(const std::vector<std::wstring>& arguments) const;

    // Each check below reports a failure at the test's own line, `where`, as well as at its own.

    // The next window of `pindrel` is a Pindrel message box with exactly `text`; dismisses it.
    static void ExpectBox(const Process& pindrel, const std::wstring& text,
                          std::source_location where = std::source_location::current());

    // The next window of `pindrel` is its open-file dialog.
    static std::optional<Dialog>
    ExpectFileDialog(const Process& pindrel,
                     std::source_location where = std::source_location::current());

    // `pindrel` ends with exit code 0 and shows no window on the way.
    static void ExpectQuietEnd(const Process& pindrel,
                               std::source_location where = std::source_location::current());

    TempFolder folder_;
};

} // namespace e2e
