// Option parsing in the GNU manner: short options may be clustered, long ones take "=VALUE", options
// and operands may be mixed, and "--" ends the options.
#include "commandline.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace zorvane::cli {
namespace {

enum class Option { Icon, Size, List, All, Help, Version };

struct OptionDefinition {
    Option option;
    char shortName;  // '\0' when there is none
    std::string_view longName;
    bool takesValue;
};

constexpr std::array optionDefinitions{
    OptionDefinition{Option::Icon, 'i', "icon", true},
    OptionDefinition{Option::Size, 's', "size", true},
    OptionDefinition{Option::List, 'l', "list", false},
    OptionDefinition{Option::All, 'a', "all", true},
    OptionDefinition{Option::Help, 'h', "help", false},
    OptionDefinition{Option::Version, '\0', "version", false},
};

// Resource IDs are 16-bit, so a more negative icon number can name nothing; refusing it here also
// keeps the negation of the number in range.
constexpr int lowestIconNumber = -std::numeric_limits<std::uint16_t>::max();

const OptionDefinition* findShort(char name)
{
    for (const OptionDefinition& definition : optionDefinitions) {
        if (definition.shortName != '\0' && definition.shortName == name) {
            return &definition;
        }
    }
    return nullptr;
}

const OptionDefinition* findLong(std::string_view name)
{
    for (const OptionDefinition& definition : optionDefinitions) {
        if (definition.longName == name) {
            return &definition;
        }
    }
    return nullptr;
}

std::string quoted(std::string_view text)
{
    return "“" + std::string(text) + "”";
}

std::optional<int> parseInteger(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    if (text.empty() || status != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

// What the options said, before the operands are checked against the mode.
struct Collected {
    Request request;
    bool iconGiven = false;
    bool listGiven = false;
    bool allGiven = false;
    std::vector<std::string> operands;
};

std::optional<UsageError> apply(Collected& collected, const OptionDefinition& definition, std::string_view value)
{
    Request& request = collected.request;
    switch (definition.option) {
    case Option::Icon: {
        const std::optional<int> number = parseInteger(value);
        if (!number || *number < lowestIconNumber) {
            return UsageError{"无效的图标编号" + quoted(value)};
        }
        request.iconNumber = *number;
        collected.iconGiven = true;
        return std::nullopt;
    }
    case Option::Size: {
        const std::optional<int> size = parseInteger(value);
        if (!size || *size <= 0) {
            return UsageError{"无效的尺寸" + quoted(value) + "：应为正整数（像素）"};
        }
        request.sizePx = size;
        return std::nullopt;
    }
    case Option::List:
        collected.listGiven = true;
        return std::nullopt;
    case Option::All:
        if (value.empty()) {
            return UsageError{"-a 的目录不能为空"};
        }
        request.outputDirectory = std::string(value);
        collected.allGiven = true;
        return std::nullopt;
    case Option::Help:
        request.mode = Mode::Help;
        return std::nullopt;
    case Option::Version:
        request.mode = Mode::Version;
        return std::nullopt;
    }
    return std::nullopt;
}

std::variant<Request, UsageError> finish(Collected collected)
{
    Request& request = collected.request;
    std::vector<std::string>& operands = collected.operands;
    if (collected.listGiven && collected.allGiven) {
        return UsageError{"-l 与 -a 不能同时使用"};
    }
    if (collected.listGiven && (collected.iconGiven || request.sizePx)) {
        return UsageError{"-l 不能与 -i 或 -s 同时使用"};
    }
    if (collected.allGiven && collected.iconGiven) {
        return UsageError{"-a 会写出全部图标，不能与 -i 同时使用"};
    }
    if (operands.empty()) {
        return UsageError{"缺少源文件"};
    }
    request.mode = collected.listGiven ? Mode::List : collected.allGiven ? Mode::All : Mode::Extract;
    if (request.mode == Mode::Extract) {
        if (operands.size() > 2) {
            return UsageError{"多余的参数" + quoted(operands[2])};
        }
        if (operands.size() == 2) {
            request.destination = operands[1];
        }
        operands.resize(1);
    }
    for (const std::string& source : operands) {
        if (source == "-") {
            return UsageError{"不能从标准输入读取源文件，请给出文件名"};
        }
    }
    request.sources = std::move(operands);
    return std::move(request);
}

} // namespace

std::variant<Request, UsageError> parseCommandLine(std::span<const std::string_view> arguments)
{
    Collected collected;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            collected.operands.emplace_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }

        // Long option: "--name" or "--name=value".
        if (argument.starts_with("--")) {
            const std::string_view body = argument.substr(2);
            const std::size_t equals = body.find('=');
            const std::string_view name = body.substr(0, equals);
            const OptionDefinition* definition = findLong(name);
            if (definition == nullptr) {
                return UsageError{"未知选项" + quoted("--" + std::string(name))};
            }
            std::string_view value;
            if (equals != std::string_view::npos) {
                if (!definition->takesValue) {
                    return UsageError{"选项" + quoted("--" + std::string(name)) + "不接受参数"};
                }
                value = body.substr(equals + 1);
            } else if (definition->takesValue) {
                if (index + 1 == arguments.size()) {
                    return UsageError{"选项" + quoted("--" + std::string(name)) + "需要一个参数"};
                }
                value = arguments[++index];
            }
            if (std::optional<UsageError> error = apply(collected, *definition, value)) {
                return *error;
            }
            if (collected.request.mode == Mode::Help || collected.request.mode == Mode::Version) {
                return collected.request;
            }
            continue;
        }

        // Cluster of short options: "-l", "-la DIR", "-i3", "-i 3".
        for (std::size_t position = 1; position < argument.size(); ++position) {
            const OptionDefinition* definition = findShort(argument[position]);
            if (definition == nullptr) {
                return UsageError{"未知选项" + quoted("-" + std::string(1, argument[position]))};
            }
            std::string_view value;
            if (definition->takesValue) {
                if (position + 1 < argument.size()) {
                    value = argument.substr(position + 1);
                } else if (index + 1 < arguments.size()) {
                    value = arguments[++index];
                } else {
                    return UsageError{"选项" + quoted("-" + std::string(1, definition->shortName)) + "需要一个参数"};
                }
            }
            if (std::optional<UsageError> error = apply(collected, *definition, value)) {
                return *error;
            }
            if (collected.request.mode == Mode::Help || collected.request.mode == Mode::Version) {
                return collected.request;
            }
            if (definition->takesValue) {
                break;
            }
        }
    }
    return finish(std::move(collected));
}

} // namespace zorvane::cli
