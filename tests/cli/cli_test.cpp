// zorvane-ico-extract as a user meets it: the real binary run on the real-toolchain fixtures.
#include "fixturefiles.h"
#include "programrun.h"
#include "programundertest.h"

#include "extraction/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zorvane::cli {
namespace {

namespace fs = std::filesystem;
namespace ex = extraction;

using fixtures::fixturePath;
using fixtures::readBytes;
using namespace std::string_literals;

const std::string pe32 = fixturePath("pe32_icons.exe").string();
const std::string pe32plus = fixturePath("pe32plus_icons.exe").string();

std::vector<std::uint8_t> expected(const std::string& name)
{
    return readBytes(fixturePath("expected/" + name));
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::string failurePrefix(const std::string& source)
{
    return "zorvane-ico-extract: " + source + ": ";
}

std::string failureLine(const std::string& source, std::string_view reason)
{
    return failurePrefix(source) + std::string(reason) + "\n";
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, text.size()) << "the last line has no newline";
    return lines;
}

// Every run happens in a fresh working folder that also holds a file that is no executable.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override { fixtures::writeBytes(path("notes.txt"), bytesOf("not an executable\n")); }

    ProgramRun run(const std::vector<std::string>& arguments, const fs::path& standardOutput = {}) const
    {
        return runProgram(arguments, m_work.path(), standardOutput);
    }

    fs::path path(const std::string& name) const { return m_work.path() / name; }
    std::vector<std::string> entries() const { return m_work.entries(); }

private:
    fixtures::TemporaryDirectory m_work;
};

TEST_F(CommandLine, WritesTheIconWhereAsked)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* written;
        const char* expected;
    };
    const std::vector<Case> cases{
        {"default name in the current folder", {pe32plus}, "pe32plus_icons.ico", "named.ico"},
        {"number and size", {"-i", "1", "-s", "32", pe32plus, "out.ico"}, "out.ico", "colours-32px.ico"},
        {"resource ID, long form", {"--icon=-7", pe32plus, "out.ico"}, "out.ico", "zero_bitcount.ico"},
        {"options after the operands", {pe32plus, "out.ico", "--size", "300", "-i1"}, "out.ico",
         "colours-300px.ico"},
        {"an existing folder as destination", {"-i", "2", pe32plus, "folder"}, "folder/pe32plus_icons.ico",
         "mono.ico"},
    };
    fs::create_directory(path("folder"));
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const ProgramRun result = run(testCase.arguments);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(readBytes(path(testCase.written)), expected(testCase.expected));
        fs::remove(path(testCase.written));
    }
}

TEST_F(CommandLine, DashWritesToStandardOutput)
{
    const ProgramRun result = run({"-i", "1", "-s", "48", pe32, "-"});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(bytesOf(result.out), expected("colours-48px.ico"));
    EXPECT_EQ(entries(), std::vector<std::string>{"notes.txt"});
}

TEST_F(CommandLine, BadSourceIsReportedInOneLine)
{
    const std::vector<std::uint8_t> executable = readBytes(pe32plus);
    fixtures::writeBytes(path("truncated.exe"), {executable.begin(), executable.begin() + 1024});

    const std::string notes = path("notes.txt").string();
    const std::string missing = path("missing.exe").string();
    EXPECT_EQ(run({notes, "out.ico"}).err, failureLine(notes, ex::message(ex::ErrorCode::NotExecutable)));
    EXPECT_EQ(run({missing, "out.ico"}).err, failureLine(missing, ex::message(ex::ErrorCode::SourceUnreadable)));

    // Which damage the reader names first is its own business; the shape of the report is not.
    const std::string truncated = path("truncated.exe").string();
    const ProgramRun result = run({truncated, "out.ico"});
    EXPECT_EQ(result.exitStatus, 1);
    ASSERT_EQ(linesOf(result.err).size(), 1u) << result.err;
    EXPECT_TRUE(result.err.starts_with(failurePrefix(truncated))) << result.err;
    EXPECT_GT(result.err.size(), failurePrefix(truncated).size());
    EXPECT_FALSE(fs::exists(path("out.ico")));
}

TEST_F(CommandLine, FailureLeavesAnExistingDestinationIntact)
{
    fixtures::writeBytes(path("copy.ico"), expected("colours.ico"));
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* destination;
    };
    const std::vector<Case> cases{
        {"not an executable", {"notes.txt", "out.ico"}, "out.ico"},
        {"no such icon", {"-i", "9", pe32, "out.ico"}, "out.ico"},
        {"destination is the source", {"copy.ico", "copy.ico"}, "copy.ico"},
        {"default destination is the source", {"copy.ico"}, "copy.ico"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const fs::path destination = path(testCase.destination);
        if (!fs::exists(destination)) {
            fixtures::writeBytes(destination, bytesOf("precious"));
        }
        const std::vector<std::uint8_t> before = readBytes(destination);
        const std::vector<std::string> entriesBefore = entries();

        const ProgramRun result = run(testCase.arguments);

        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
        EXPECT_EQ(readBytes(destination), before);
        EXPECT_EQ(entries(), entriesBefore);
    }
}

const std::vector<std::string> pe32Listing{
    "0\t\"ZORVANE\"\t0x0409\t16×16 32位 BMP 1128字节, 32×32 4位 BMP 744字节",
    "1\t1\t0x0409\t16×16 4位 BMP 296字节, 32×32 8位 BMP 2216字节, 32×32 32位 BMP 4264字节, "
    "48×48 24位 BMP 7336字节, 256×256 32位 PNG 5143字节",
    "2\t2\t0x0409\t32×32 1位 BMP 304字节, 16×16 1位 BMP 176字节",
    "3\t5\t0x0409\t16×16 8位 BMP 1384字节, 24×24 24位 BMP 1864字节",
    "4\t6\t0x0804\t16×16 8位 BMP 1384字节, 32×32 32位 BMP 4264字节",
    "5\t7\t0x0409\t16×16 8位 BMP 1384字节, 32×32 32位 BMP 4264字节",
};

TEST_F(CommandLine, ListsEachIconOnOneLine)
{
    const ProgramRun result = run({"-l", pe32});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(linesOf(result.out), pe32Listing);

    // An .ico file holds one icon that has no resource name.
    const ProgramRun ico = run({"-l", fixturePath("source/mono.ico").string()});
    EXPECT_EQ(ico.exitStatus, 0);
    EXPECT_EQ(linesOf(ico.out),
              std::vector<std::string>{"0\t-\t0x0000\t32×32 1位 BMP 304字节, 16×16 1位 BMP 176字节"});
}

TEST_F(CommandLine, ListingSeveralFilesNamesEachAndGoesPastABadOne)
{
    const ProgramRun result = run({"--list", pe32, "notes.txt", pe32plus});

    std::vector<std::string> listing;
    for (const std::string& source : {pe32, pe32plus}) {
        for (const std::string& line : pe32Listing) {
            listing.push_back(source + "\t" + line);
        }
    }
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(linesOf(result.out), listing);
    EXPECT_EQ(result.err, failureLine("notes.txt", ex::message(ex::ErrorCode::NotExecutable)));
}

TEST_F(CommandLine, AllWritesEveryIconAndGoesPastABadFile)
{
    const ProgramRun result = run({"-a", "out/icons", pe32, "notes.txt", pe32plus});

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, failureLine("notes.txt", ex::message(ex::ErrorCode::NotExecutable)));
    const std::vector<std::string> groups{"named", "colours", "mono", "language_en", "fallback", "zero_bitcount"};
    std::vector<std::string> written;
    for (const std::string base : {"pe32_icons", "pe32plus_icons"}) {
        for (std::size_t number = 0; number < groups.size(); ++number) {
            const std::string name = base + "-" + std::to_string(number) + ".ico";
            EXPECT_EQ(readBytes(path("out/icons/" + name)), expected(groups[number] + ".ico")) << name;
            written.push_back(name);
        }
    }
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(path("out/icons"))) {
        found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(found, written);
}

TEST_F(CommandLine, AllWithSizeWritesTheBestImageOfEachIcon)
{
    const ProgramRun result = run({"-a", ".", "-s", "32", pe32});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readBytes(path("pe32_icons-1.ico")), expected("colours-32px.ico"));
}

TEST_F(CommandLine, AllRefusesASecondSourceWithTheSameBaseName)
{
    fs::create_directory(path("copy"));
    fs::copy_file(pe32, path("copy/pe32_icons.exe"));

    const ProgramRun result = run({"-a", "out", pe32, "copy/pe32_icons.exe"});

    EXPECT_EQ(result.exitStatus, 1);
    ASSERT_EQ(linesOf(result.err).size(), 1u) << result.err;
    EXPECT_TRUE(result.err.starts_with(failurePrefix("copy/pe32_icons.exe"))) << result.err;
    EXPECT_EQ(readBytes(path("out/pe32_icons-0.ico")), expected("named.ico"));
}

TEST_F(CommandLine, UsageErrorsExitWithTwoAndTouchNothing)
{
    const std::vector<std::vector<std::string>> cases{
        {},
        {"-x", pe32},
        {"-l", "-i", "1", pe32},
        {pe32, "a.ico", "b.ico"},
        {"-s", "big", pe32},
    };
    for (const std::vector<std::string>& arguments : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(result.err.starts_with("zorvane-ico-extract: ")) << result.err;
        EXPECT_EQ(entries(), std::vector<std::string>{"notes.txt"});
    }
}

TEST_F(CommandLine, HelpNamesEveryOptionAndVersionTheProjectVersion)
{
    const ProgramRun help = run({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.err, "");
    for (const char* option : {"-i, --icon", "-s, --size", "-l, --list", "-a, --all", "-h, --help", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }

    const ProgramRun version = run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "zorvane-ico-extract (ZorvaneICO) "s + std::string(expectedVersion) + "\n");
}

TEST_F(CommandLine, OutputThatCannotBeWrittenIsAFailure)
{
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"-l", pe32}, {pe32, "-"}}) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const ProgramRun result = run(arguments, "/dev/full");
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
    }
}

} // namespace
} // namespace zorvane::cli
