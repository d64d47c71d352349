#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/Runtime.h"
#include "framework/headless/Control.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using UnhandledHandler = bool (*)(fw::Object&, const fw::RuntimeException&);

void RaiseInOpen(fw::Object&) {
    throw fw::RuntimeException("Open failed.");
}

// An application class of the test's own whose Open raises, with `taker` bound to
// UnhandledException unless it is null.
const fw::ClassRecord& FailingOpenClass(UnhandledHandler taker) {
    // Records are never freed: one per run of a test.
    fw::ClassRecord& record =
        fw::DefineClass("RuntimeRunTest.FailingOpen", &fw::Application::Class());
    record.allocate = &fw::Allocate<fw::Application>;
    fw::application::kOpenEvent.Handle(record, &RaiseInOpen);
    if (taker != nullptr) {
        fw::application::kUnhandledExceptionEvent.Handle(record, taker);
    }
    return record;
}

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

bool Takes(fw::Object&, const fw::RuntimeException&) {
    return true;
}
bool Declines(fw::Object&, const fw::RuntimeException&) {
    return false;
}
bool Raises(fw::Object&, const fw::RuntimeException&) {
    throw fw::RuntimeException("The handler failed too.");
}

struct ExceptionCase {
    const char* name;
    UnhandledHandler taker; // null: none bound
    bool reported;
};

void PrintTo(const ExceptionCase& test, std::ostream* out) {
    *out << test.name;
}

class UnhandledExceptionTest : public RuntimeRunTest,
                               public ::testing::WithParamInterface<ExceptionCase> {};

TEST_P(UnhandledExceptionTest, OnlyAnExceptionThatTheEventDoesNotTakeIsReported) {
    const ExceptionCase& test = GetParam();
    const int exitCode = RunApplication(FailingOpenClass(test.taker));
    const auto& shown = fw::headless::ShownMessages();
    if (test.reported) {
        EXPECT_EQ(exitCode, 1);
        // The exception that left Open, not one of the handler's; and nothing is delivered after.
        EXPECT_THAT(events_, ElementsAre("event Open", "_UnhandledException"));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_THAT(shown[0].text.Bytes(), HasSubstr("Open failed."));
    } else {
        EXPECT_EQ(exitCode, 0);
        EXPECT_THAT(events_, ElementsAre("event Open", "event NewDocument"));
        EXPECT_TRUE(shown.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Handlers, UnhandledExceptionTest,
                         ::testing::Values(ExceptionCase{"NoneBound", nullptr, true},
                                           ExceptionCase{"ReturnsTrue", &Takes, false},
                                           ExceptionCase{"ReturnsFalse", &Declines, true},
                                           ExceptionCase{"Raises", &Raises, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
