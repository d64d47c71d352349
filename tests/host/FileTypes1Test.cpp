#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FileTypes1.h"
#include "framework/Exceptions.h"
#include "framework/FileTypeRegistry.h"

namespace {

namespace FileTypes1 = pindrel::FileTypes1;
using fw::String;

// What the registry was handed, and what the module looked like at that moment.
struct Registration {
    std::string name, macCreator, macType, extensions, uti;
    bool importedAssigned; // the sixth of the seven assignments
    fw::Integer listed;    // upper bound of pAllFileTypes
    bool multiExists, bankExists;
};

class FileTypes1Test : public testing::Test {
protected:
    void SetUp() override {
        // The module's starting state, as the initialiser table leaves it.
        FileTypes1::InitAllFileTypes();
        FileTypes1::InitNIKontaktInstrument();
        FileTypes1::InitNIKontaktMulti();
        FileTypes1::InitNIKontaktBank();
        for (const char* name : kNames) {
            fw::RuntimeDeregisterFileType(name);
        }
        fw::SetFileTypeRegistrationObserver([this](const fw::RegisteredFileType& type) {
            if (failRegistration_) {
                throw fw::RuntimeException("registry refused");
            }
            const auto& all = FileTypes1::pAllFileTypes();
            const auto& latest = (*all)(all->UBound());
            registrations_.push_back(
                {type.name.Bytes(), type.macCreator.Bytes(), type.macType.Bytes(),
                 type.extensions.Bytes(), type.uti.Bytes(), latest->Imported(), all->UBound(),
                 !FileTypes1::pNIKontaktMulti().IsNil(), !FileTypes1::pNIKontaktBank().IsNil()});
        });
    }
    void TearDown() override { fw::SetFileTypeRegistrationObserver(nullptr); }

    static constexpr const char* kNames[] = {"NI Kontakt Instrument", "NI Kontakt Multi",
                                             "NI Kontakt Bank"};
    std::vector<Registration> registrations_;
    bool failRegistration_ = false;
};

TEST_F(FileTypes1Test, NothingExistsBeforeInitialisation) {
    EXPECT_TRUE(FileTypes1::NIKontaktInstrument().IsNil());
    EXPECT_TRUE(FileTypes1::NIKontaktMulti().IsNil());
    EXPECT_TRUE(FileTypes1::NIKontaktBank().IsNil());
    EXPECT_EQ(FileTypes1::pAllFileTypes()->UBound(), -1);
}

TEST_F(FileTypes1Test, EachTypeIsCompletedListedAndRegisteredBeforeTheNext) {
    FileTypes1::_Initialize();

    ASSERT_EQ(registrations_.size(), 3u) << "one registration for each Kontakt type";
    const struct {
        const char* name;
        const char* macType;
        const char* extensions;
    } expected[] = {{"NI Kontakt Instrument", "tNKI", "nki"},
                    {"NI Kontakt Multi", "tNKM", "nkm"},
                    {"NI Kontakt Bank", "tNKB", "nkb"}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].name);
        const Registration& call = registrations_[i];
        EXPECT_EQ(call.name, expected[i].name);
        EXPECT_EQ(call.macCreator, "????");
        EXPECT_EQ(call.macType, expected[i].macType);
        EXPECT_EQ(call.extensions, expected[i].extensions);
        EXPECT_EQ(call.uti, "");
        EXPECT_TRUE(call.importedAssigned);
        EXPECT_EQ(call.listed, static_cast<fw::Integer>(i));
        EXPECT_EQ(call.multiExists, i >= 1);
        EXPECT_EQ(call.bankExists, i >= 2);
    }

    // The last assignment did not withdraw the registration: the registry still holds all three.
    for (const char* name : kNames) {
        EXPECT_TRUE(fw::FindRegisteredFileType(name).has_value()) << name;
    }

    const auto& all = FileTypes1::pAllFileTypes();
    ASSERT_EQ(all->UBound(), 2);
    EXPECT_EQ((*all)(0), FileTypes1::NIKontaktInstrument());
    EXPECT_EQ((*all)(1), FileTypes1::NIKontaktMulti());
    EXPECT_EQ((*all)(2), FileTypes1::NIKontaktBank());

    const auto multi = FileTypes1::NIKontaktMulti();
    EXPECT_TRUE(multi->Imported());
    EXPECT_TRUE(multi->MimeType().IsEmpty());
    EXPECT_TRUE(multi->ConformsTo().IsEmpty());
    EXPECT_TRUE(multi->UTI().IsEmpty());
}

TEST_F(FileTypes1Test, TheDialogFilterJoinsTheNamesAndRegistersNothingAgain) {
    FileTypes1::_Initialize();
    registrations_.clear();

    // The order of the open-file dialog's filter: instrument and multi first, then the bank.
    const auto bank = FileTypes1::NIKontaktBank();
    const auto instrument = FileTypes1::NIKontaktInstrument();
    const auto multi = FileTypes1::NIKontaktMulti();
    const String filter =
        fw::FileType::Operator_AddRight(fw::FileType::Operator_Add(instrument, multi), bank);

    EXPECT_EQ(filter, String("NI Kontakt Instrument;NI Kontakt Multi;NI Kontakt Bank"));
    EXPECT_EQ(filter.ByteCount(), 54u) << "three names and two semicolons, nothing more";
    EXPECT_EQ(instrument + multi + bank, filter);
    EXPECT_EQ(multi->Operator_Convert(), String("NI Kontakt Multi"));
    EXPECT_TRUE(registrations_.empty());
}

TEST_F(FileTypes1Test, ARefusedRegistrationStopsTheRest) {
    failRegistration_ = true;
    EXPECT_THROW(FileTypes1::_Initialize(), fw::RuntimeException);

    const auto instrument = FileTypes1::NIKontaktInstrument();
    ASSERT_FALSE(instrument.IsNil());
    EXPECT_FALSE(instrument->Registered());
    EXPECT_EQ(instrument->Name(), String("NI Kontakt Instrument"));
    EXPECT_TRUE(FileTypes1::NIKontaktMulti().IsNil());
    EXPECT_TRUE(FileTypes1::NIKontaktBank().IsNil());
    ASSERT_EQ(FileTypes1::pAllFileTypes()->UBound(), 0);
    EXPECT_EQ((*FileTypes1::pAllFileTypes())(0), instrument);
    EXPECT_FALSE(fw::FindRegisteredFileType("NI Kontakt Instrument").has_value());
}

} // namespace
