#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/FailureMessage.h"
#include "host/ProgramRun.h"

namespace pindrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using VersionReportTest = ProgramTest;

const std::string kFailure = "Could not ascertain the version number. Please send this NKI to "
                             "Quimbral at support@quimbral.example";

TEST_F(VersionReportTest, FailureMessageIsTheFixedText) {
    EXPECT_EQ(FailureMessage().Bytes(), kFailure);
}

TEST_F(VersionReportTest, HandedOverDocumentsGetOneBoxEachInOrder) {
    const auto lead = WriteFile("Lead.nki", ForwardHeader());
    const auto notes = WriteFile("notes.txt", ForwardHeader());
    const auto plain = WriteFile("Plain.nkb", std::string(600, 'x'));
    const auto missing = (folder_ / "Gone.nki").string();

    const int exitCode = RunProgram(Quoted(lead) + L" " + Quoted(missing) + L" " + Quoted(notes) +
                                    L" " + Quoted(plain));

    EXPECT_EQ(exitCode, 0);
    EXPECT_THAT(ShownTexts(),
                ElementsAre("Lead.nki is Kontakt Version 5.0.2.10", kFailure, kFailure));
    EXPECT_TRUE(fw::headless::OpenDialogRequests().empty());
}

TEST_F(VersionReportTest, NewDocumentAsksInDocumentsAndReportsTheChoice) {
    fw::headless::SetDocumentsFolder(fw::String(folder_.string()));
    fw::headless::AnswerOpenDialog(WriteFile("Pad.nkm", ForwardHeader()));

    EXPECT_EQ(RunProgram(), 0);

    ASSERT_EQ(fw::headless::OpenDialogRequests().size(), 1u)
        << "NewDocument's one open-file dialog";
    const auto& request = fw::headless::OpenDialogRequests()[0];
    EXPECT_EQ(request.title, fw::String("Select a Kontakt file"));
    EXPECT_EQ(request.initialDirectory, std::optional<fw::String>(folder_.string()));
    std::vector<std::string> labels;
    for (const auto& filter : request.filters) {
        labels.push_back(filter.label.Bytes());
    }
    EXPECT_THAT(labels, ElementsAre(HasSubstr("*.nki;*.nkm;*.nkb"), "NI Kontakt Instrument (*.nki)",
                                    "NI Kontakt Multi (*.nkm)", "NI Kontakt Bank (*.nkb)",
                                    "All Files (*.*)"));
    EXPECT_THAT(ShownTexts(), ElementsAre("Pad.nkm is Kontakt Version 5.0.2.10"));
}

TEST_F(VersionReportTest, NewDocumentEndsQuietlyOnCancelAndReportsAMissingChoice) {
    fw::headless::CancelOpenDialog();
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(ShownTexts().empty());

    fw::headless::AnswerOpenDialog(fw::String((folder_ / "Vanished.nki").string()));
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_THAT(ShownTexts(), ElementsAre(kFailure));
}

TEST_F(VersionReportTest, AFileThatCannotBeOpenedShowsOnlyTheErrorReport) {
    std::filesystem::create_directories(folder_ / "Folder.nki");
    EXPECT_EQ(RunProgram(Quoted((folder_ / "Folder.nki").string())), 1);
    ASSERT_EQ(fw::headless::ShownMessages().size(), 1u)
        << "only the error report: " << ::testing::PrintToString(ShownTexts());
    EXPECT_EQ(fw::headless::ShownMessages()[0].kind, fw::platform::MessageKind::Error);
    EXPECT_THAT(ShownTexts()[0], HasSubstr("IOException"));
    EXPECT_THAT(ShownTexts()[0], HasSubstr("Folder.nki"));
}

TEST_F(VersionReportTest, NoDocumentEventFollowsAFailedOne) {
    std::filesystem::create_directories(folder_ / "Folder.nki");
    const auto lead = WriteFile("Lead.nki", ForwardHeader());
    EXPECT_EQ(RunProgram(Quoted((folder_ / "Folder.nki").string()) + L" " + Quoted(lead)), 1);
    EXPECT_EQ(ShownTexts().size(), 1u)
        << "only the failed document's error report: " << ::testing::PrintToString(ShownTexts());
}

} // namespace
} // namespace pindrel::testing
