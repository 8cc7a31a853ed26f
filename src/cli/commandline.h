// Turns the arguments of zorvane-ico-extract into a request, or into the reason they make no sense.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zorvane::cli {

enum class Mode { Extract, List, All, Help, Version };

struct Request {
    Mode mode = Mode::Extract;
    int iconNumber = 0;
    std::optional<int> sizePx;
    std::vector<std::string> sources;
    // Extract only: absent for the default name, "-" for standard output.
    std::optional<std::string> destination;
    // All only.
    std::string outputDirectory;
};

struct UsageError {
    std::string message;
};

// The arguments without the program name.
std::variant<Request, UsageError> parseCommandLine(std::span<const std::string_view> arguments);

} // namespace zorvane::cli
