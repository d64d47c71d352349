#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Array.h"
#include "framework/Exceptions.h"
#include "framework/FileType.h"
#include "framework/FileTypeRegistry.h"

namespace {

using fw::FileType;
using fw::Ref;
using fw::String;

class FileTypeTest : public testing::Test {
protected:
    void SetUp() override {
        fw::SetFileTypeRegistrationObserver([this](const fw::RegisteredFileType& type) {
            registered_.push_back(type.name.Bytes());
        });
    }
    void TearDown() override {
        fw::SetFileTypeRegistrationObserver(nullptr);
        for (const char* name : {"Test A", "Test B", "Test C", "Test Renamed"}) {
            fw::RuntimeDeregisterFileType(name);
        }
    }

    static Ref<FileType> Type(const char* name, const char* extensions) {
        auto type = fw::New<FileType>();
        type->Name(name);
        type->Extensions(extensions);
        return type;
    }

    std::vector<std::string> registered_;
};

TEST_F(FileTypeTest, ConversionRegistersOnceAndYieldsTheName) {
    const auto type = Type("Test A", "abc");
    EXPECT_FALSE(type->Registered());
    EXPECT_EQ(type->Operator_Convert(), String("Test A"));
    EXPECT_EQ(type->Operator_Convert(), String("Test A"));
    EXPECT_TRUE(type->Registered());
    EXPECT_EQ(registered_, std::vector<std::string>{"Test A"});
    EXPECT_EQ(fw::FindRegisteredFileType("Test A")->extensions, String("abc"));
}

TEST_F(FileTypeTest, ChangingAPropertyWithdrawsTheRegistration) {
    const auto type = Type("Test A", "abc");
    type->Operator_Convert();
    type->Name("Test Renamed");
    EXPECT_FALSE(type->Registered());
    EXPECT_FALSE(fw::FindRegisteredFileType("Test A").has_value());
    EXPECT_FALSE(fw::FindRegisteredFileType("Test Renamed").has_value());

    // The next conversion registers the values the type has now.
    type->Extensions("xyz");
    type->Operator_Convert();
    EXPECT_EQ(fw::FindRegisteredFileType("Test Renamed")->extensions, String("xyz"));
    EXPECT_EQ(registered_, (std::vector<std::string>{"Test A", "Test Renamed"}));
}

TEST_F(FileTypeTest, ARefusedRegistrationLeavesTheTypeUnregistered) {
    const auto type = Type("Test A", "abc");
    fw::SetFileTypeRegistrationObserver(
        [](const fw::RegisteredFileType&) { throw fw::IOException("refused", 5); });
    EXPECT_THROW(type->Operator_Convert(), fw::IOException);
    EXPECT_FALSE(type->Registered());
    EXPECT_FALSE(fw::FindRegisteredFileType("Test A").has_value());

    fw::SetFileTypeRegistrationObserver(nullptr);
    EXPECT_EQ(type->Operator_Convert(), String("Test A"));
    EXPECT_TRUE(type->Registered());
}

TEST_F(FileTypeTest, JoiningRegistersLeftThenRightAndCollapsesDoubleSeparators) {
    const auto a = Type("Test A", "a");
    const auto b = Type("Test B", "b");
    const auto c = Type("Test C", "c");
    b->Operator_Convert();
    registered_.clear();

    EXPECT_EQ(FileType::Operator_Add(a, b), String("Test A;Test B"));
    EXPECT_EQ(FileType::Operator_AddRight("Test A;Test B", c), String("Test A;Test B;Test C"));
    EXPECT_EQ(registered_, (std::vector<std::string>{"Test A", "Test C"}));

    EXPECT_EQ(FileType::Operator_AddRight("x;", c), String("x;Test C"));
    EXPECT_EQ(FileType::Operator_AddRight("x;;;", c), String("x;;Test C"));
}

TEST_F(FileTypeTest, ANilOperandRaisesNilObjectException) {
    const auto a = Type("Test A", "a");
    const Ref<FileType> none;
    EXPECT_THROW(FileType::Operator_Add(a, none), fw::NilObjectException);
    EXPECT_THROW(FileType::Operator_Add(none, a), fw::NilObjectException);
    EXPECT_THROW(FileType::Operator_AddRight("x", none), fw::NilObjectException);
    // The left operand was converted before the right one turned out to be missing.
    EXPECT_EQ(registered_, std::vector<std::string>{"Test A"});
}

TEST(Array, GrowsFromEmptyAndChecksItsBounds) {
    const auto list = fw::CreateArray<FileType>();
    EXPECT_EQ(list->UBound(), -1);
    EXPECT_THROW((*list)(0), fw::OutOfBoundsException);
    const auto type = fw::New<FileType>();
    list->Append(type);
    list->Append(nullptr);
    EXPECT_EQ(list->UBound(), 1);
    EXPECT_EQ((*list)(0), type);
    EXPECT_TRUE((*list)(1).IsNil());
    EXPECT_THROW((*list)(2), fw::OutOfBoundsException);
    EXPECT_THROW((*list)(-1), fw::OutOfBoundsException);
    EXPECT_EQ(fw::CreateArray<FileType>(2)->UBound(), 2);
}

} // namespace
