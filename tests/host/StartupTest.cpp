#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MenuBar1.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/FileTypeRegistry.h"
#include "framework/QuitRequest.h"
#include "host/ProgramRun.h"

namespace pindrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Records the names of the runtime calls; `watch` sees each call with what it was handed.
class Trace {
public:
    explicit Trace(std::function<void(const fw::RuntimeCall&)> watch = nullptr) {
        fw::SetRuntimeTraceObserver([this, watch = std::move(watch)](const fw::RuntimeCall& call) {
            calls.emplace_back(call.operation);
            if (watch) {
                watch(call);
            }
        });
    }
    ~Trace() { fw::SetRuntimeTraceObserver(nullptr); }
    std::vector<std::string> calls;
};

// The application object as it stands when the runtime is handed it for registration.
struct RegisteredApplication {
    std::vector<fw::Integer> versionNumbers; // major, minor, bug, non-release, stage code
    std::vector<std::string> versionTexts;   // long version, short version, package info
    fw::Ref<fw::MenuBar> menuBar;
};

using StartupTest = ProgramTest;

TEST_F(StartupTest, NormalStartCallsTheRuntimeInOrder) {
    fw::headless::CancelOpenDialog();
    Trace trace;
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_THAT(trace.calls,
                ElementsAre("RuntimeInit", "RuntimePerformInitializers",
                            "_RuntimeSetExceptionHelper", "RuntimeDeclareFrameworkVersion",
                            "Application._SetSupportsHiDPI", "_RuntimeInitExternalClasses",
                            "_InitPluginEntrypoints", "_RuntimeRegisterAppObject",
                            "_RunFrameworkInitialization", "_RuntimeRun", "event Open",
                            "event NewDocument", "RuntimePerformFinalizers", "RuntimeExit"));
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(StartupTest, TheRuntimeIsHandedTheFrameworkVersionAndACompleteApplication) {
    fw::headless::CancelOpenDialog();
    std::vector<double> declaredVersions;
    std::vector<RegisteredApplication> registered;
    Trace trace([&](const fw::RuntimeCall& call) {
        if (call.operation == "RuntimeDeclareFrameworkVersion") {
            const double* version = std::get_if<double>(&call.argument);
            ASSERT_NE(version, nullptr);
            declaredVersions.push_back(*version);
        } else if (call.operation == "_RuntimeRegisterAppObject") {
            const auto* object = std::get_if<const fw::Object*>(&call.argument);
            ASSERT_NE(object, nullptr);
            const auto* app = dynamic_cast<const fw::Application*>(*object);
            ASSERT_NE(app, nullptr);
            registered.push_back({{app->MajorVersion(), app->MinorVersion(), app->BugVersion(),
                                   app->NonReleaseVersion(), app->StageCode()},
                                  {app->LongVersion().Bytes(), app->ShortVersion().Bytes(),
                                   app->PackageInfo().Bytes()},
                                  app->MenuBar()});
        }
    });
    EXPECT_EQ(RunProgram(), 0);

    EXPECT_THAT(declaredVersions, ElementsAre(2020.01));
    // Registered once, and only once its version data and its menu bar are in place.
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_THAT(registered[0].versionNumbers, ElementsAre(1, 1, 2, 20, 3));
    EXPECT_THAT(registered[0].versionTexts, ElementsAre("", "", ""));
    EXPECT_FALSE(registered[0].menuBar.IsNil());
    EXPECT_EQ(registered[0].menuBar.Get(), global::MenuBar1().Get());
}

TEST_F(StartupTest, TheRuntimesBoxesCarryTheProgramsName) {
    // Unscripted, the open-file dialog raises in NewDocument, and the runtime reports that.
    EXPECT_EQ(RunProgram(), 1);
    // A second start: Open shows its own message.
    fw::headless::HoldNamedLockElsewhere("Pindrel85Mutex");
    EXPECT_EQ(RunProgram(), 0);

    const auto& shown = fw::headless::ShownMessages();
    ASSERT_EQ(shown.size(), 2u) << "the first run's error report, then the second start's message: "
                                << ::testing::PrintToString(ShownTexts());
    EXPECT_EQ(shown[0].kind, fw::platform::MessageKind::Error);
    EXPECT_THAT(
        shown[0].text.Bytes(),
        StartsWith("Pindrel ran into an error it cannot recover from and has to close.\n\n"));
    EXPECT_EQ(shown[1].kind, fw::platform::MessageKind::Information);
    for (const auto& message : shown) {
        EXPECT_EQ(message.caption, fw::String("Pindrel"));
    }
}

TEST_F(StartupTest, OpenSeesTheVersionDataMenuBarAndDocumentTypes) {
    // Open's second-start message reports what the application object looks like by then.
    fw::headless::HoldNamedLockElsewhere("Pindrel85Mutex");
    fw::headless::OnMessageShown([](const fw::headless::ShownMessage&) {
        const auto app = global::App();
        EXPECT_EQ(app->MajorVersion(), 1);
        EXPECT_EQ(app->MinorVersion(), 1);
        EXPECT_EQ(app->BugVersion(), 2);
        EXPECT_EQ(app->NonReleaseVersion(), 20);
        EXPECT_EQ(app->StageCode(), 3);
        EXPECT_TRUE(app->LongVersion().IsEmpty());
        EXPECT_TRUE(app->ShortVersion().IsEmpty());
        EXPECT_TRUE(app->PackageInfo().IsEmpty());
        EXPECT_EQ(app->MenuBar().Get(), global::MenuBar1().Get());
        for (const char* name : {"NI Kontakt Instrument", "NI Kontakt Multi", "NI Kontakt Bank"}) {
            EXPECT_TRUE(fw::FindRegisteredFileType(name).has_value()) << name;
        }
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(ShownTexts().size(), 1u)
        << "only the second start's message: " << ::testing::PrintToString(ShownTexts());
}

TEST_F(StartupTest, AppAccessorGivesTheRegisteredObject) {
    fw::headless::HoldNamedLockElsewhere("Pindrel85Mutex");
    fw::Object* seen = nullptr;
    fw::headless::OnMessageShown([&](const fw::headless::ShownMessage&) {
        seen = global::App().Get();
        EXPECT_EQ(seen, fw::_GetAppObject().Get());
        EXPECT_EQ(&seen->Record(), &App::__Lookup());
    });
    RunProgram();
    EXPECT_NE(seen, nullptr);
    // Once the runtime has let go of it, there is no application object to give.
    EXPECT_TRUE(global::App().IsNil());
}

TEST_F(StartupTest, AnInitialisersPendingExceptionStopsEverything) {
    Trace trace;
    fw::RuntimeInit(nullptr, nullptr, L"", 1);
    fw::RuntimePerformInitializers(pindrel::Program());
    fw::RuntimeSetPendingException(
        std::make_exception_ptr(fw::RuntimeException("initialiser failed")));
    pindrel::_Main();
    fw::RuntimePerformFinalizers();
    EXPECT_EQ(fw::RuntimeExit(), 1);

    EXPECT_THAT(trace.calls,
                ElementsAre("RuntimeInit", "RuntimePerformInitializers", "_UnhandledException",
                            "RuntimePerformFinalizers", "RuntimeExit"));
    ASSERT_EQ(ShownTexts().size(), 1u)
        << "only the initialiser's error report: " << ::testing::PrintToString(ShownTexts());
    EXPECT_THAT(ShownTexts()[0], HasSubstr("initialiser failed"));
    EXPECT_EQ(fw::headless::ShownMessages()[0].kind, fw::platform::MessageKind::Error);
}

TEST_F(StartupTest, FailingDocumentTypesStopStartUpBeforeTheApplicationExists) {
    fw::SetFileTypeRegistrationObserver(
        [](const fw::RegisteredFileType&) { throw fw::RuntimeException("registry refused"); });
    Trace trace;
    const int exitCode = RunProgram();
    fw::SetFileTypeRegistrationObserver(nullptr);

    EXPECT_EQ(exitCode, 1);
    EXPECT_THAT(trace.calls, ::testing::Not(::testing::Contains("_RuntimeRegisterAppObject")));
    EXPECT_THAT(trace.calls, ::testing::Not(::testing::Contains("_RunFrameworkInitialization")));
    EXPECT_THAT(trace.calls, ::testing::Not(::testing::Contains("_RuntimeRun")));
    EXPECT_EQ(std::count(trace.calls.begin(), trace.calls.end(), "_UnhandledException"), 1)
        << "one report of the refused registration: " << ::testing::PrintToString(trace.calls);
    EXPECT_TRUE(FileTypes1::NIKontaktMulti().IsNil());
}

TEST_F(StartupTest, AFailingReportStillEndsWithFinalisersAndExitCode) {
    // The unhandled-exception report itself fails: the sequence still finishes.
    fw::headless::OnMessageShown([](const fw::headless::ShownMessage& message) {
        if (message.kind == fw::platform::MessageKind::Error) {
            throw fw::RuntimeException("no box");
        }
    });
    Trace trace;
    EXPECT_EQ(RunProgram(), 1); // the dialog is unscripted, so NewDocument raises
    EXPECT_EQ(trace.calls.back(), "RuntimeExit");
    EXPECT_TRUE(fw::RuntimeExceptionPending());
    fw::RuntimeTakePendingException();
}

TEST_F(StartupTest, FileExitIsTheFrameworksQuit) {
    fw::RuntimeInit(nullptr, nullptr, L"", 1);
    Trace trace;
    global::MenuBar1()->Child("FileMenu")->Item(0)->Action();
    EXPECT_THAT(trace.calls, ElementsAre("Quit"));
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST_F(StartupTest, TheQuitCodeIsTheExitCodeUnchanged) {
    fw::RuntimeInit(nullptr, nullptr, L"", 1);
    fw::RuntimeRequestQuit(-2);
    EXPECT_EQ(fw::RuntimeExit(), -2);
}

TEST_F(StartupTest, LaunchDocumentsAreSplitAndMadeFull) {
    fw::RuntimeInit(nullptr, nullptr, LR"("/tmp/a b.nki" rel.nkm "C:\x\"q\"")", 1);
    const auto& documents = fw::RuntimeLaunchDocuments();
    ASSERT_EQ(documents.size(), 3u) << "three documents, split at the spaces outside quotes: "
                                    << ::testing::PrintToString(documents);
    EXPECT_EQ(documents[0], fw::String("/tmp/a b.nki"));
    EXPECT_TRUE(documents[1].Bytes().ends_with("/rel.nkm"));
    EXPECT_TRUE(documents[1].Bytes().starts_with("/"));
}

} // namespace
} // namespace pindrel::testing
