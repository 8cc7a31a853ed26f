// What --help and --version print; the manual page repeats the help, so keep it complete.
#pragma once

#include <string>
#include <string_view>

namespace zorvane::cli {

constexpr std::string_view programName = "zorvane-ico-extract";

std::string_view helpText();
std::string versionText();

} // namespace zorvane::cli
