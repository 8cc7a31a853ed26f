// Replacing a file so that readers see either the old contents or the new, never a part of either.
#include "extraction.h"
#include "guarded.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane::extraction {
namespace {

const Error unwritable{ErrorCode::DestinationUnwritable, 0};

class Descriptor {
public:
    explicit Descriptor(int value) : m_value(value) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return m_value; }
    bool valid() const { return m_value >= 0; }
    bool close()
    {
        const bool closed = m_value < 0 || ::close(m_value) == 0;
        m_value = -1;
        return closed;
    }

private:
    int m_value;
};

// A hidden file beside the destination, so that the final rename stays within one file system.
// O_EXCL makes the name safe to guess: it never opens a file or link that is already there.
struct TemporaryFile {
    std::filesystem::path path;
    int descriptor = -1;
};

TemporaryFile createTemporaryBeside(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = folder
            / (".zorvane-ico-" + std::to_string(::getpid()) + "-" + std::to_string(stamp) + "-"
               + std::to_string(attempt) + ".tmp");
        // 0666 less the umask: the mode of any new file the user creates.
        const int descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            return {candidate, descriptor};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

bool writeAll(int descriptor, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Writing to a link means writing to the file it names, so that the link keeps working.
std::filesystem::path resolveLinks(const std::filesystem::path& destination)
{
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(destination, error))) {
        const auto target = std::filesystem::canonical(destination, error);
        if (!error) {
            return target;
        }
    }
    return destination;
}

Result<void> replace(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes)
{
    if (destination.empty() || !destination.has_filename()) {
        return unwritable;
    }
    const std::filesystem::path target = resolveLinks(destination);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // Renaming over a device, a folder or a file the user may not write would do what was not asked.
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
        return unwritable;
    }

    TemporaryFile temporary = createTemporaryBeside(target);
    Descriptor file(temporary.descriptor);
    if (!file.valid()) {
        return unwritable;
    }
    bool written = true;
    if (exists) {
        // Keep who may read the file; ownership only where allowed, and no set-ID bits on an icon.
        written = ::fchmod(file.get(), existing.st_mode & 0777) == 0;
        if (written && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
            [[maybe_unused]] const int ignored = ::fchown(file.get(), existing.st_uid, existing.st_gid);
        }
    }
    // The data must be on disk before the rename, or a crash could leave an empty file in place of
    // the old one. The folder itself is not synced: after a crash either name is a whole file.
    written = written && writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    written = file.close() && written;
    if (!written || ::rename(temporary.path.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.path.c_str());
        return unwritable;
    }
    return {};
}

} // namespace

Result<void> writeFileAtomically(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes)
{
    return guarded([&] { return replace(destination, bytes); });
}

} // namespace zorvane::extraction
