// The option parser on its own: what each spelling of an option means, and what is refused.
#include "commandline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvane::cli {
namespace {

std::variant<Request, UsageError> parse(const std::vector<std::string_view>& arguments)
{
    return parseCommandLine(arguments);
}

struct Accepted {
    const char* name;
    std::vector<std::string_view> arguments;
    Mode mode;
    int iconNumber;
    std::optional<int> sizePx;
    std::vector<std::string> sources;
    std::optional<std::string> destination;
    std::string outputDirectory;
};

TEST(CommandLineParser, AcceptsEverySpellingOfTheOptions)
{
    const std::vector<Accepted> cases{
        {"source alone", {"a.exe"}, Mode::Extract, 0, {}, {"a.exe"}, {}, ""},
        {"number, size, destination", {"-i", "3", "-s", "48", "a.exe", "b.ico"}, Mode::Extract, 3, 48, {"a.exe"},
         "b.ico", ""},
        {"value attached to a short option", {"-i-2", "a.exe"}, Mode::Extract, -2, {}, {"a.exe"}, {}, ""},
        {"negative value after a long option", {"--icon", "-2", "a.exe"}, Mode::Extract, -2, {}, {"a.exe"}, {}, ""},
        {"long option with =, and - for stdout", {"--size=16", "a.exe", "-"}, Mode::Extract, 0, 16, {"a.exe"}, "-",
         ""},
        {"options after the operands, last one wins", {"a.exe", "-i", "1", "--icon=4"}, Mode::Extract, 4, {},
         {"a.exe"}, {}, ""},
        {"-- ends the options", {"--", "-i.exe"}, Mode::Extract, 0, {}, {"-i.exe"}, {}, ""},
        {"list", {"-l", "a.exe", "b.exe"}, Mode::List, 0, {}, {"a.exe", "b.exe"}, {}, ""},
        {"all, with the folder attached", {"-aout", "a.exe"}, Mode::All, 0, {}, {"a.exe"}, {}, "out"},
        {"all with a size", {"--all", "out", "-s", "32", "a.exe", "b.exe"}, Mode::All, 0, 32, {"a.exe", "b.exe"}, {},
         "out"},
        {"help wins over the rest", {"a.exe", "b", "c", "--help"}, Mode::Help, 0, {}, {}, {}, ""},
        {"short help", {"-h"}, Mode::Help, 0, {}, {}, {}, ""},
        {"version", {"--version", "-x"}, Mode::Version, 0, {}, {}, {}, ""},
    };
    for (const Accepted& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::variant<Request, UsageError> parsed = parse(testCase.arguments);
        ASSERT_TRUE(std::holds_alternative<Request>(parsed)) << std::get<UsageError>(parsed).message;
        const Request& request = std::get<Request>(parsed);
        EXPECT_EQ(request.mode, testCase.mode);
        EXPECT_EQ(request.iconNumber, testCase.iconNumber);
        EXPECT_EQ(request.sizePx, testCase.sizePx);
        EXPECT_EQ(request.sources, testCase.sources);
        EXPECT_EQ(request.destination, testCase.destination);
        EXPECT_EQ(request.outputDirectory, testCase.outputDirectory);
    }
}

TEST(CommandLineParser, RefusesWhatMakesNoSense)
{
    struct Refused {
        std::vector<std::string_view> arguments;
        std::string_view mentions;  // what the message must name so that the user can find the fault
    };
    const std::vector<Refused> cases{
        {{}, "源文件"},
        {{"-l"}, "源文件"},
        {{"-x", "a.exe"}, "-x"},
        {{"--bogus=1", "a.exe"}, "--bogus"},
        {{"a.exe", "-i"}, "-i"},
        {{"a.exe", "--size"}, "--size"},
        {{"-i", "1.5", "a.exe"}, "1.5"},
        {{"-i", "", "a.exe"}, "图标编号"},
        {{"-i", "99999999999", "a.exe"}, "99999999999"},
        {{"-i", "-65536", "a.exe"}, "-65536"},
        {{"-s", "0", "a.exe"}, "0"},
        {{"-s", "-3", "a.exe"}, "-3"},
        {{"-s", "+3", "a.exe"}, "+3"},
        {{"--list=yes", "a.exe"}, "--list"},
        {{"-l", "-a", "out", "a.exe"}, "-a"},
        {{"-l", "-s", "16", "a.exe"}, "-s"},
        {{"-a", "out", "-i", "1", "a.exe"}, "-i"},
        {{"-a", "", "a.exe"}, "-a"},
        {{"a.exe", "b.ico", "c.ico"}, "c.ico"},
        {{"-"}, "标准输入"},
        {{"-l", "a.exe", "-"}, "标准输入"},
    };
    for (const Refused& testCase : cases) {
        SCOPED_TRACE(::testing::PrintToString(testCase.arguments));
        const std::variant<Request, UsageError> parsed = parse(testCase.arguments);
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
        EXPECT_NE(std::get<UsageError>(parsed).message.find(testCase.mentions), std::string::npos)
            << std::get<UsageError>(parsed).message;
    }
}

} // namespace
} // namespace zorvane::cli
