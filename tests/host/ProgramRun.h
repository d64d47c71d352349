#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "framework/Runtime.h"
#include "framework/headless/Control.h"

namespace pindrel::testing {

// Runs the program's whole life once on the headless backend, as its entry does.
inline int RunProgram(const std::wstring& commandLine = L"") {
    fw::RuntimeInit(nullptr, nullptr, commandLine.c_str(), 1);
    fw::RuntimePerformInitializers(pindrel::Program());
    pindrel::_Main();
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}

inline std::vector<std::string> ShownTexts() {
    std::vector<std::string> texts;
    for (const auto& message : fw::headless::ShownMessages()) {
        texts.push_back(message.text.Bytes());
    }
    return texts;
}

// A fresh folder per test for fixture files.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::headless::Reset();
        folder_ = std::filesystem::temp_directory_path() /
                  ("pindrel-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        fw::headless::Reset();
        std::filesystem::remove_all(folder_);
    }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // A header whose version 5.0.2.10 stands in front of a forward tag.
    static std::string ForwardHeader() {
        std::string bytes(256, '\0');
        bytes.replace(16, 8, std::string("\x05\x00\x02\x0A", 4) + "Kon3");
        return bytes;
    }

    std::filesystem::path folder_;
};

inline std::wstring Quoted(const std::string& path) {
    return L"\"" + std::wstring(path.begin(), path.end()) + L"\"";
}

} // namespace pindrel::testing
