// Carries out what the command line asks for, on the extraction core alone.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace zorvane::cli {

enum class ExitStatus { Success = 0, Failure = 1, Usage = 2 };

// The arguments without the program name; `out` takes listings, help and icons written to "-".
ExitStatus runCommandLine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

} // namespace zorvane::cli
