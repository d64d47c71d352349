// Pindrel.exe as a user meets it: a file handed over at launch or chosen in the dialog, and the
// one message box that reports it.

#include <gtest/gtest.h>

#include "KontaktFiles.h"
#include "PindrelSession.h"
#include "framework/Utf.h"
#include "tests/win32/LiteralFile.h"

namespace e2e {
namespace {

struct Road {
    const char* name; // for the test's name
    std::wstring fileName;
    std::string (*contents)();
    std::wstring version; // empty: the failure message
};

const Road kRoads[] = {
    {"ForwardHeader", L"Lead.nki", kontakt::ForwardHeader, L"5.0.2.10"},
    {"ReversedHeader", L"Pad.nkm", kontakt::ReversedHeader, L"10.2.0.5"},
    {"HsinTail", L"Strings.nkb", kontakt::HsinTail, L"5.0.2.255"},
    {"SignatureTail", L"Choir.nki", kontakt::SignatureTail, L"6.8.0.4"},
    {"NotRecognised", L"Noise.nki", kontakt::Unrecognised, L""},
    {"UnicodeName", L"Ström – Légato.nki", kontakt::ForwardHeader, L"5.0.2.10"},
};

void PrintTo(const Road& road, std::ostream* out) {
    *out << road.name;
}

std::wstring ExpectedReport(const Road& road) {
    return road.version.empty() ? FailureMessage() : VersionText(road.fileName, road.version);
}

class PindrelLaunchTest : public PindrelTest, public ::testing::WithParamInterface<Road> {};

TEST_P(PindrelLaunchTest, ReportsTheHandedOverFileInOneBoxAndEnds) {
    const Road& road = GetParam();
    const Process pindrel = Start({folder_.Write(road.fileName, road.contents()).wstring()});
    ASSERT_NO_FATAL_FAILURE(ExpectBox(pindrel, ExpectedReport(road)));
    ExpectQuietEnd(pindrel);
}

INSTANTIATE_TEST_SUITE_P(Roads, PindrelLaunchTest, ::testing::ValuesIn(kRoads),
                         [](const auto& info) { return std::string(info.param.name); });

// Paths that Windows reads in ways of its own, each handed over for a real file: the box names
// the file as its folder lists it.
struct PathForm {
    const char* name; // for the test's name
    std::wstring fileName;
    std::wstring prefix; // written before the file's full path
    std::wstring typed;  // the name that the path gives the file; empty: fileName
};

void PrintTo(const PathForm& form, std::ostream* out) {
    *out << form.name;
}

const PathForm kPathForms[] = {
    {"ReservedName", L"CON.nki", L"", L""},
    {"DevicePath", L"Lead.nki", LR"(\\.\)", L""},
    {"OtherLetterCase", L"lead.nki", L"", L"LEAD.NKI"},
};

class PindrelPathFormTest : public PindrelTest, public ::testing::WithParamInterface<PathForm> {};

TEST_P(PindrelPathFormTest, ReportsTheFileThePathNames) {
    const PathForm& form = GetParam();
    const win32test::LiteralFile file(folder_.Path() / form.fileName, kontakt::ForwardHeader());
    const std::filesystem::path typed =
        form.typed.empty() ? file.Path() : file.Path().parent_path() / form.typed;
    const Process pindrel = Start({form.prefix + typed.wstring()});
    ASSERT_NO_FATAL_FAILURE(ExpectBox(pindrel, VersionText(form.fileName, L"5.0.2.10")));
    ExpectQuietEnd(pindrel);
}

INSTANTIATE_TEST_SUITE_P(Forms, PindrelPathFormTest, ::testing::ValuesIn(kPathForms),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PindrelTest, TwoHandedOverFilesGiveTwoBoxesInOrder) {
    const Process pindrel =
        Start({folder_.Write(L"First.nki", kontakt::ForwardHeader()).wstring(),
               folder_.Write(L"Second.nkm", kontakt::Unrecognised()).wstring()});
    ASSERT_NO_FATAL_FAILURE(ExpectBox(pindrel, VersionText(L"First.nki", L"5.0.2.10")));
    ASSERT_NO_FATAL_FAILURE(ExpectBox(pindrel, FailureMessage()));
    ExpectQuietEnd(pindrel);
}

TEST_F(PindrelTest, AMissingHandedOverFileShowsNothing) {
    const Process pindrel = Start({(folder_.Path() / L"Gone.nki").wstring()});
    ExpectQuietEnd(pindrel);
}

// The runtime's box for an error that left the program, neither report of `fileName`, then an
// end with a non-zero exit code and no other window. The box's text goes to `shown` if given.
void ExpectErrorBoxAndFailure(const Process& pindrel, const std::wstring& fileName,
                              std::wstring* shown = nullptr) {
    const std::optional<Dialog> box = WaitForDialog(pindrel);
    ASSERT_TRUE(box) << "no error box; " << pindrel.Describe();
    ASSERT_TRUE(box->IsMessageBox()) << fw::ToUtf8(box->Describe());
    const std::wstring text = box->Text();
    if (shown != nullptr) {
        *shown = text;
    }
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, VersionText(fileName, L"5.0.2.10"));
    EXPECT_NE(text, FailureMessage());
    ASSERT_TRUE(box->PressAndWaitUntilClosed(IDOK));

    const QuietEnd end = WaitForExitWithoutDialog(pindrel);
    EXPECT_FALSE(end.shownDialog) << "unexpected " << fw::ToUtf8(end.shownDialog.value_or(L""));
    ASSERT_TRUE(end.exitCode) << pindrel.Describe();
    EXPECT_NE(*end.exitCode, 0u);
}

// Windows refuses a folder as "access denied", true of the call but not what the user needs.
TEST_F(PindrelTest, AFolderIsReportedAsAFolder) {
    const std::filesystem::path folder = folder_.Path() / L"x.nki";
    std::filesystem::create_directory(folder);
    std::wstring text;
    ExpectErrorBoxAndFailure(Start({folder.wstring()}), L"x.nki", &text);
    EXPECT_NE(text.find(L"Could not open \"x.nki\": it is a folder."), std::wstring::npos)
        << fw::ToUtf8(text);
    EXPECT_EQ(text.find(L"denied"), std::wstring::npos) << fw::ToUtf8(text);
}

TEST_F(PindrelTest, AFileThatCannotBeOpenedShowsAnErrorAndFails) {
    const std::filesystem::path path = folder_.Write(L"Locked.nki", kontakt::ForwardHeader());
    const fw::win32::UniqueHandle held = OpenWithoutSharing(path);
    const Process pindrel = Start({path.wstring()});
    ExpectErrorBoxAndFailure(pindrel, L"Locked.nki");
}

// Wine's drive Z: is the Linux root, whose device nodes Windows cannot query: whether the file
// is there is unknown, which is no reason to end in silence.
TEST_F(PindrelTest, AFileThatCannotBeQueriedShowsAnErrorAndFails) {
    const Process pindrel = Start({LR"(Z:\dev\null)"});
    ExpectErrorBoxAndFailure(pindrel, L"null");
}

// A file whose attributes Windows cannot read, in a folder that the user may not search: whether
// it is there is unknown, which is no reason to end in silence. Permission bits stop no root, so
// tests/win32/unprivileged.sh runs this as a user whom they stop, with the file's path in
// PINDREL_UNSEARCHABLE_FILE.
using PindrelUnprivilegedTest = PindrelTest;

TEST_F(PindrelUnprivilegedTest, AFileWhoseAttributesCannotBeReadShowsAnErrorAndFails) {
    const wchar_t* file = ::_wgetenv(L"PINDREL_UNSEARCHABLE_FILE");
    ASSERT_NE(file, nullptr) << "run by tests/win32/unprivileged.sh, which makes the folder";
    ExpectErrorBoxAndFailure(Start({file}), std::filesystem::path(file).filename().wstring());
}

TEST_F(PindrelTest, WithoutAFileItAsksForOneAndReportsTheChoice) {
    const std::filesystem::path chosen = folder_.Write(L"Typed Lead.nki", kontakt::ForwardHeader());
    const Process pindrel = Start({});

    const std::optional<Dialog> dialog = ExpectFileDialog(pindrel);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->Title(), L"Select a Kontakt file");
    const std::vector<std::wstring> types = dialog->ComboEntries(kFileTypeComboId);
    std::string shown;
    for (const std::wstring& type : types) {
        shown += "\n  " + fw::ToUtf8(type);
    }
    ASSERT_EQ(types.size(), 5u)
        << "expected all supported files, the three Kontakt types and all files; the dialog lists:"
        << shown;
    EXPECT_EQ(types[1], L"NI Kontakt Instrument (*.nki)");
    EXPECT_EQ(types[2], L"NI Kontakt Multi (*.nkm)");
    EXPECT_EQ(types[3], L"NI Kontakt Bank (*.nkb)");

    dialog->SetText(kFileNameEditId, chosen.wstring());
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDOK));
    ASSERT_NO_FATAL_FAILURE(ExpectBox(pindrel, VersionText(L"Typed Lead.nki", L"5.0.2.10")));
    ExpectQuietEnd(pindrel);
}

TEST_F(PindrelTest, CancellingTheDialogShowsNothing) {
    const Process pindrel = Start({});
    const std::optional<Dialog> dialog = ExpectFileDialog(pindrel);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDCANCEL));
    ExpectQuietEnd(pindrel);
}

} // namespace
} // namespace e2e
