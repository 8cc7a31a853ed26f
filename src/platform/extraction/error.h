// Why an extraction failed: one code per reason, and where in the file it was found.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvane::extraction {

// What a user can do about a failure depends only on its kind; the code says precisely what is wrong.
enum class ErrorKind {
    CannotReadSource,
    NotExecutable,
    NoIcons,
    NoSuchIcon,
    Damaged,
    LimitExceeded,
    CannotWriteDestination,
    DestinationIsSource,
    InvalidArgument,
};

enum class ErrorCode {
    // The source itself.
    SourceUnreadable,
    NotExecutable,
    NoIcons,
    NoSuchIcon,
    // Damage: each code names what is wrong.
    TruncatedFile,
    BadDosHeader,
    BadPeHeader,
    SectionTableOutOfBounds,
    ResourceDirectoryOutOfBounds,
    BadResourceDirectory,
    ResourceDirectoryLoop,
    BadResourceName,
    ResourceOutOfBounds,
    BadIconGroup,
    BadIconImage,
    IconImagesMissing,
    BadNeHeader,
    BadNeResourceTable,
    BadNeAlignmentShift,
    BadIcoDirectory,
    // Inputs beyond a named limit in limits.h, or beyond the memory the machine would give.
    TooManySections,
    TooManyResourceEntries,
    TooManyImages,
    ImageTooLarge,
    IconTooLarge,
    OutOfMemory,
    // The destination.
    DestinationUnwritable,
    DestinationIsSource,
    // Misuse by the caller, not a property of the file.
    InvalidArgument,
};

struct Error {
    ErrorCode code = ErrorCode::SourceUnreadable;
    // Byte offset in the source where the fault was found; 0 when it has none.
    std::uint64_t offset = 0;
};

ErrorKind kindOf(ErrorCode code);

// The Simplified Chinese text a user sees for a code; the GUI and the command line both use it.
std::string_view message(ErrorCode code);

// The message, with the place in the file where damage was found when there is one.
std::string describe(const Error& error);

} // namespace zorvane::extraction
