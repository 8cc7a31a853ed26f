// Reads -s SIZE INPUT OUTPUT strictly: a file manager that passes anything else has a broken entry.
#include "arguments.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace zorvane::thumbnailer {
namespace {

std::optional<int> parseSize(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [last, status] = std::from_chars(text.data(), end, value);
    if (status != std::errc{} || last != end || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

ParsedArguments parseArguments(std::span<const char* const> arguments)
{
    std::optional<int> sizePx;
    std::vector<std::string> paths;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
            paths.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return InfoRequest::Help;
        } else if (argument == "--version") {
            return InfoRequest::Version;
        } else if (argument.starts_with("-s") || argument == "--size" || argument.starts_with("--size=")) {
            // -s N, -sN, --size N and --size=N, as getopt-style tools accept them.
            std::string_view value;
            if (argument.starts_with("--size=")) {
                value = argument.substr(std::string_view("--size=").size());
            } else if (argument.size() > 2 && argument[1] == 's') {
                value = argument.substr(2);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return UsageError{"选项“" + std::string(argument) + "”需要一个参数"};
            }
            sizePx = parseSize(value);
            if (!sizePx)
                return UsageError{"无效的尺寸“" + std::string(value) + "”：应为正整数（像素）"};
        } else {
            return UsageError{"未知选项“" + std::string(argument) + "”"};
        }
    }

    if (!sizePx)
        return UsageError{"缺少尺寸（-s 像素）"};
    if (paths.size() != 2)
        return UsageError{"需要恰好一个输入文件和一个输出文件"};
    return ThumbnailRequest{*sizePx, std::move(paths[0]), std::move(paths[1])};
}

} // namespace zorvane::thumbnailer
