// Writing the .ico: atomic replacement, kept permissions, and no harm to anything on failure.
#include "fixturefiles.h"
#include "support/pe.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane::extraction {
namespace {

namespace fs = std::filesystem;
using testsupport::Bytes;

Bytes contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void store(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

class AtomicWrite : public ::testing::Test {
protected:
    const fs::path& folder() const { return m_directory.path(); }
    // Everything in the folder: a leftover temporary file shows up here.
    std::vector<std::string> entries() const { return m_directory.entries(); }

    fixtures::TemporaryDirectory m_directory;
    const Bytes m_old{'o', 'l', 'd'};
    const Bytes m_new = Bytes(1000, 'n');
};

TEST_F(AtomicWrite, CreatesANewFileWithTheUsersDefaultMode)
{
    const mode_t mask = ::umask(022);
    const fs::path destination = folder() / "new.ico";
    ASSERT_TRUE(writeFileAtomically(destination, m_new).ok());
    ::umask(mask);
    EXPECT_EQ(contents(destination), m_new);
    EXPECT_EQ(modeOf(destination), 0644u);
    EXPECT_EQ(entries(), std::vector<std::string>{"new.ico"});
}

TEST_F(AtomicWrite, ReplacesAnExistingFileKeepingItsPermissions)
{
    const fs::path destination = folder() / "old.ico";
    store(destination, m_old);
    ASSERT_EQ(::chmod(destination.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(destination, m_new).ok());
    EXPECT_EQ(contents(destination), m_new);
    EXPECT_EQ(modeOf(destination), 0640u);
    EXPECT_EQ(entries(), std::vector<std::string>{"old.ico"});
}

TEST_F(AtomicWrite, WritesThroughALinkAndKeepsTheLink)
{
    const fs::path target = folder() / "target.ico";
    const fs::path link = folder() / "link.ico";
    store(target, m_old);
    fs::create_symlink(target, link);
    ASSERT_TRUE(writeFileAtomically(link, m_new).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(target), m_new);
    EXPECT_EQ(entries(), (std::vector<std::string>{"link.ico", "target.ico"}));
}

// The write itself fails halfway (the file size limit stands in for a full disk).
TEST_F(AtomicWrite, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const fs::path destination = folder() / "old.ico";
    store(destination, m_old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto written = writeFileAtomically(destination, m_new);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);

    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().code, ErrorCode::DestinationUnwritable);
    EXPECT_EQ(contents(destination), m_old);
    EXPECT_EQ(entries(), std::vector<std::string>{"old.ico"});
}

TEST_F(AtomicWrite, RefusesDestinationsThatAreNoFileToReplace)
{
    fs::create_directory(folder() / "folder");
    store(folder() / "plain", m_old);
    ASSERT_EQ(::mkfifo((folder() / "fifo").c_str(), 0600), 0);
    for (const fs::path& destination : {fs::path{}, folder() / "folder", folder() / "folder/",
                                        folder() / "missing/x.ico", folder() / "plain/x.ico", folder() / "fifo"}) {
        const auto written = writeFileAtomically(destination, m_new);
        ASSERT_FALSE(written.ok()) << destination;
        EXPECT_EQ(written.error().code, ErrorCode::DestinationUnwritable) << destination;
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"fifo", "folder", "plain"}));
    EXPECT_TRUE(fs::is_empty(folder() / "folder"));
    EXPECT_EQ(contents(folder() / "plain"), m_old);
}

class ExtractToFile : public AtomicWrite {
protected:
    void SetUp() override
    {
        AtomicWrite::SetUp();
        std::vector<testsupport::Resource> resources;
        testsupport::addIcon(resources, testsupport::id(1), {{16, 16, 8}, {32, 32, 32}}, 1);
        m_executable = testsupport::buildPe(resources).bytes;
        m_source = folder() / "program.exe";
        store(m_source, m_executable);
    }

    Bytes m_executable;
    fs::path m_source;
};

TEST_F(ExtractToFile, WritesTheIconAsReadAndEncoded)
{
    const fs::path destination = folder() / "program.ico";
    ASSERT_TRUE(extractIconToFile(m_source, 0, destination).ok());
    const MemorySource memory(m_executable);
    EXPECT_EQ(contents(destination), encodeIco(readIcon(memory, 0).value()).value());

    ASSERT_TRUE(extractIconToFile(m_source, 0, destination, 16).ok());
    EXPECT_EQ(contents(destination), encodeIco(readIcon(memory, 0, 16).value()).value());
}

TEST_F(ExtractToFile, RefusesTheSourceItselfHoweverNamed)
{
    fs::create_symlink(m_source, folder() / "link.exe");
    fs::create_hard_link(m_source, folder() / "hard.exe");
    for (const fs::path& destination : {m_source, folder() / "link.exe", folder() / "hard.exe",
                                        folder() / "." / "program.exe"}) {
        const auto written = extractIconToFile(m_source, 0, destination);
        ASSERT_FALSE(written.ok()) << destination;
        EXPECT_EQ(written.error().code, ErrorCode::DestinationIsSource) << destination;
    }
    EXPECT_EQ(contents(m_source), m_executable);
}

TEST_F(ExtractToFile, FailureLeavesAnExistingDestinationAlone)
{
    const fs::path destination = folder() / "kept.ico";
    store(destination, m_old);
    const fs::path damaged = folder() / "damaged.exe";
    store(damaged, Bytes(m_executable.begin(), m_executable.begin() + 0x410));
    const std::vector<std::pair<fs::path, ErrorCode>> cases{
        {damaged, ErrorCode::TruncatedFile},
        {folder() / "missing.exe", ErrorCode::SourceUnreadable},
        {folder(), ErrorCode::SourceUnreadable},
    };
    for (const auto& [source, expected] : cases) {
        const auto written = extractIconToFile(source, 0, destination);
        ASSERT_FALSE(written.ok()) << source;
        EXPECT_EQ(written.error().code, expected) << source;
    }
    EXPECT_EQ(extractIconToFile(m_source, 5, destination).error().code, ErrorCode::NoSuchIcon);
    EXPECT_EQ(contents(destination), m_old);
}

// Opening a FIFO for reading would wait for a writer; the source must be refused at once instead.
TEST_F(ExtractToFile, RefusesAFifoSourceWithoutWaiting)
{
    const fs::path fifo = folder() / "pipe.exe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(extractIconToFile(fifo, 0, folder() / "out.ico").error().code, ErrorCode::SourceUnreadable);
}

} // namespace
} // namespace zorvane::extraction
