// The one table of what each error code means to a user.
#include "error.h"

#include <array>
#include <cstdio>

namespace zorvane::extraction {

ErrorKind kindOf(ErrorCode code)
{
    switch (code) {
    case ErrorCode::SourceUnreadable: return ErrorKind::CannotReadSource;
    case ErrorCode::NotExecutable: return ErrorKind::NotExecutable;
    case ErrorCode::NoIcons: return ErrorKind::NoIcons;
    case ErrorCode::NoSuchIcon: return ErrorKind::NoSuchIcon;
    case ErrorCode::TruncatedFile:
    case ErrorCode::BadDosHeader:
    case ErrorCode::BadPeHeader:
    case ErrorCode::SectionTableOutOfBounds:
    case ErrorCode::ResourceDirectoryOutOfBounds:
    case ErrorCode::BadResourceDirectory:
    case ErrorCode::ResourceDirectoryLoop:
    case ErrorCode::BadResourceName:
    case ErrorCode::ResourceOutOfBounds:
    case ErrorCode::BadIconGroup:
    case ErrorCode::BadIconImage:
    case ErrorCode::IconImagesMissing:
    case ErrorCode::BadNeHeader:
    case ErrorCode::BadNeResourceTable:
    case ErrorCode::BadNeAlignmentShift:
    case ErrorCode::BadIcoDirectory: return ErrorKind::Damaged;
    case ErrorCode::TooManySections:
    case ErrorCode::TooManyResourceEntries:
    case ErrorCode::TooManyImages:
    case ErrorCode::ImageTooLarge:
    case ErrorCode::IconTooLarge:
    case ErrorCode::OutOfMemory: return ErrorKind::LimitExceeded;
    case ErrorCode::DestinationUnwritable: return ErrorKind::CannotWriteDestination;
    case ErrorCode::DestinationIsSource: return ErrorKind::DestinationIsSource;
    case ErrorCode::InvalidArgument: return ErrorKind::InvalidArgument;
    }
    return ErrorKind::InvalidArgument;
}

std::string_view message(ErrorCode code)
{
    switch (code) {
    case ErrorCode::SourceUnreadable: return "无法读取源文件";
    case ErrorCode::NotExecutable: return "不是可执行文件或图标文件";
    case ErrorCode::NoIcons: return "文件中没有图标";
    case ErrorCode::NoSuchIcon: return "没有该编号的图标";
    case ErrorCode::TruncatedFile: return "文件已损坏：文件不完整，数据在文件末尾之后";
    case ErrorCode::BadDosHeader: return "文件已损坏：DOS 文件头无效";
    case ErrorCode::BadPeHeader: return "文件已损坏：PE 文件头无效";
    case ErrorCode::SectionTableOutOfBounds: return "文件已损坏：节表超出文件范围";
    case ErrorCode::ResourceDirectoryOutOfBounds: return "文件已损坏：资源目录超出其所在的节";
    case ErrorCode::BadResourceDirectory: return "文件已损坏：资源目录结构无效";
    case ErrorCode::ResourceDirectoryLoop: return "文件已损坏：资源目录中有循环引用";
    case ErrorCode::BadResourceName: return "文件已损坏：资源名称无效";
    case ErrorCode::ResourceOutOfBounds: return "文件已损坏：资源数据不在任何节内";
    case ErrorCode::BadIconGroup: return "文件已损坏：图标组无效";
    case ErrorCode::BadIconImage: return "文件已损坏：图标图像无效";
    case ErrorCode::IconImagesMissing: return "文件已损坏：图标组引用的图像都不存在";
    case ErrorCode::BadNeHeader: return "文件已损坏：NE 文件头无效";
    case ErrorCode::BadNeResourceTable: return "文件已损坏：NE 资源表无效";
    case ErrorCode::BadNeAlignmentShift: return "文件已损坏：NE 资源对齐位移无效";
    case ErrorCode::BadIcoDirectory: return "文件已损坏：图标文件目录无效";
    case ErrorCode::TooManySections: return "文件超出处理限制：节的数量过多";
    case ErrorCode::TooManyResourceEntries: return "文件超出处理限制：资源条目过多";
    case ErrorCode::TooManyImages: return "文件超出处理限制：图标中的图像过多";
    case ErrorCode::ImageTooLarge: return "文件超出处理限制：图标图像过大";
    case ErrorCode::IconTooLarge: return "文件超出处理限制：图标文件过大";
    case ErrorCode::OutOfMemory: return "文件超出处理限制：内存不足";
    case ErrorCode::DestinationUnwritable: return "无法写入目标文件";
    case ErrorCode::DestinationIsSource: return "目标文件不能是源文件本身";
    case ErrorCode::InvalidArgument: return "参数无效";
    }
    return "参数无效";
}

std::string describe(const Error& error)
{
    std::string text(message(error.code));
    const ErrorKind kind = kindOf(error.code);
    if ((kind == ErrorKind::Damaged || kind == ErrorKind::LimitExceeded) && error.offset != 0) {
        std::array<char, 19> offset{};
        std::snprintf(offset.data(), offset.size(), "0x%llx", static_cast<unsigned long long>(error.offset));
        text += "（偏移 " + std::string(offset.data()) + "）";
    }
    return text;
}

} // namespace zorvane::extraction
