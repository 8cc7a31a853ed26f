// Every code has a kind, and its text says so in the words users see for that kind.
#include "extraction/error.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvane::extraction {
namespace {

struct KindText {
    ErrorCode code;
    ErrorKind kind;
    std::string_view text;  // the whole message, or for Damaged and LimitExceeded its opening
};

constexpr std::string_view damaged = "文件已损坏：";
constexpr std::string_view limited = "文件超出处理限制：";

const KindText kindTexts[] = {
    {ErrorCode::SourceUnreadable, ErrorKind::CannotReadSource, "无法读取源文件"},
    {ErrorCode::NotExecutable, ErrorKind::NotExecutable, "不是可执行文件或图标文件"},
    {ErrorCode::NoIcons, ErrorKind::NoIcons, "文件中没有图标"},
    {ErrorCode::NoSuchIcon, ErrorKind::NoSuchIcon, "没有该编号的图标"},
    {ErrorCode::TruncatedFile, ErrorKind::Damaged, damaged},
    {ErrorCode::BadDosHeader, ErrorKind::Damaged, damaged},
    {ErrorCode::BadPeHeader, ErrorKind::Damaged, damaged},
    {ErrorCode::SectionTableOutOfBounds, ErrorKind::Damaged, damaged},
    {ErrorCode::ResourceDirectoryOutOfBounds, ErrorKind::Damaged, damaged},
    {ErrorCode::BadResourceDirectory, ErrorKind::Damaged, damaged},
    {ErrorCode::ResourceDirectoryLoop, ErrorKind::Damaged, damaged},
    {ErrorCode::BadResourceName, ErrorKind::Damaged, damaged},
    {ErrorCode::ResourceOutOfBounds, ErrorKind::Damaged, damaged},
    {ErrorCode::BadIconGroup, ErrorKind::Damaged, damaged},
    {ErrorCode::BadIconImage, ErrorKind::Damaged, damaged},
    {ErrorCode::IconImagesMissing, ErrorKind::Damaged, damaged},
    {ErrorCode::BadNeHeader, ErrorKind::Damaged, damaged},
    {ErrorCode::BadNeResourceTable, ErrorKind::Damaged, damaged},
    {ErrorCode::BadNeAlignmentShift, ErrorKind::Damaged, damaged},
    {ErrorCode::BadIcoDirectory, ErrorKind::Damaged, damaged},
    {ErrorCode::TooManySections, ErrorKind::LimitExceeded, limited},
    {ErrorCode::TooManyResourceEntries, ErrorKind::LimitExceeded, limited},
    {ErrorCode::TooManyImages, ErrorKind::LimitExceeded, limited},
    {ErrorCode::ImageTooLarge, ErrorKind::LimitExceeded, limited},
    {ErrorCode::IconTooLarge, ErrorKind::LimitExceeded, limited},
    {ErrorCode::OutOfMemory, ErrorKind::LimitExceeded, limited},
    {ErrorCode::DestinationUnwritable, ErrorKind::CannotWriteDestination, "无法写入目标文件"},
    {ErrorCode::DestinationIsSource, ErrorKind::DestinationIsSource, "目标文件不能是源文件本身"},
    {ErrorCode::InvalidArgument, ErrorKind::InvalidArgument, "参数无效"},
};

TEST(ErrorMessages, EachCodeHasItsKindAndAText)
{
    for (const KindText& expected : kindTexts) {
        const std::string_view text = message(expected.code);
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(kindOf(expected.code), expected.kind);
        if (expected.kind == ErrorKind::Damaged || expected.kind == ErrorKind::LimitExceeded) {
            EXPECT_TRUE(text.starts_with(expected.text));
            EXPECT_GT(text.size(), expected.text.size()) << "says what is wrong";
        } else {
            EXPECT_EQ(text, expected.text);
        }
    }
}

// The offset helps to find damage; for other failures it would only be noise.
TEST(ErrorMessages, DescriptionNamesTheOffsetOfDamageOnly)
{
    const std::string damage(message(ErrorCode::ResourceOutOfBounds));
    EXPECT_EQ(describe(Error{ErrorCode::ResourceOutOfBounds, 0x1f40}), damage + "（偏移 0x1f40）");
    EXPECT_EQ(describe(Error{ErrorCode::ResourceOutOfBounds, 0}), damage);
    EXPECT_EQ(describe(Error{ErrorCode::NoSuchIcon, 0x1f40}), message(ErrorCode::NoSuchIcon));
}

} // namespace
} // namespace zorvane::extraction
