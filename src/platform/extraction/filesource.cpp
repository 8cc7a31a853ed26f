// A ByteSource over an open file, read with pread so that only the bytes asked for are ever touched.
#include "bytesource.h"
#include "sourcereading.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zorvane::extraction {

Result<FileSource> FileSource::open(const std::filesystem::path& path)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) {
        return Error{ErrorCode::SourceUnreadable, 0};
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        ::close(descriptor);
        return Error{ErrorCode::SourceUnreadable, 0};
    }
    return FileSource(descriptor, static_cast<std::uint64_t>(status.st_size));
}

FileSource::FileSource(FileSource&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_size(other.m_size)
{
}

FileSource& FileSource::operator=(FileSource&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_size = other.m_size;
    }
    return *this;
}

FileSource::~FileSource()
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

Result<void> FileSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!rangeFits(offset, out.size(), m_size)) {
        return Error{ErrorCode::TruncatedFile, offset};
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(m_descriptor, out.data() + done, out.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Error{ErrorCode::SourceUnreadable, offset + done};
        }
        if (got == 0) {
            // The file shrank after it was opened.
            return Error{ErrorCode::TruncatedFile, offset + done};
        }
        done += static_cast<std::size_t>(got);
    }
    return {};
}

} // namespace zorvane::extraction
