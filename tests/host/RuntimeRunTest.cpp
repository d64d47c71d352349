#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Runtime.h"
#include "framework/headless/Control.h"

namespace {

using ::testing::ElementsAre;

// Runs the runtime's life once for an application of the given class, as the program's entry
// does, and gives back the exit code.
int RunApplication(const fw::ClassRecord& record, const wchar_t* commandLine = L"") {
    fw::RuntimeInit(nullptr, nullptr, commandLine, 1);
    fw::RuntimePerformInitializers({"RuntimeRunTest", {}});
    fw::_RuntimeRegisterAppObject(fw::RuntimeNewObject(record));
    fw::_RuntimeRun();
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}

class RuntimeRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::headless::Reset();
        fw::SetRuntimeTraceObserver([this](const fw::RuntimeCall& call) {
            const std::string operation(call.operation);
            if (operation.starts_with("event ") || operation == "_UnhandledException") {
                events_.push_back(operation);
            }
        });
    }
    void TearDown() override {
        fw::SetRuntimeTraceObserver(nullptr);
        fw::headless::Reset();
    }

    // The events delivered and the exceptions reported, in order.
    std::vector<std::string> events_;
};

TEST_F(RuntimeRunTest, EveryEventIsTracedUnderTheNameItsRecordGivesIt) {
    EXPECT_EQ(RunApplication(fw::Application::Class(), L"/tmp/First.nki /tmp/Second.nki"), 0);
    EXPECT_THAT(events_, ElementsAre("event Open", "event OpenDocument", "event OpenDocument"));
    events_.clear();
    EXPECT_EQ(RunApplication(fw::Application::Class()), 0);
    EXPECT_THAT(events_, ElementsAre("event Open", "event NewDocument"));
}

} // namespace
