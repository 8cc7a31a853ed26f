// The command line of zorvane-ico-thumbnailer, as file managers call it: -s SIZE INPUT OUTPUT.
#pragma once

#include <span>
#include <string>
#include <variant>

namespace zorvane::thumbnailer {

struct ThumbnailRequest {
    int sizePx = 0;
    std::string inputPath;
    std::string outputPath;
};

enum class InfoRequest { Help, Version };

// What is wrong with the command line, in the words the user sees.
struct UsageError {
    std::string message;
};

using ParsedArguments = std::variant<ThumbnailRequest, InfoRequest, UsageError>;

// `arguments` excludes the program name.
ParsedArguments parseArguments(std::span<const char* const> arguments);

} // namespace zorvane::thumbnailer
