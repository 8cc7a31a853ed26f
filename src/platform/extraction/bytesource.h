// Positioned reads from a file or from memory, so that the readers never need the whole file.
#pragma once

#include "result.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace zorvane::extraction {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills all of `out` from `offset`, or fails; never a short read.
    virtual Result<void> read(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t size() const override { return m_bytes.size(); }
    Result<void> read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::span<const std::uint8_t> m_bytes;
};

class FileSource final : public ByteSource {
public:
    static Result<FileSource> open(const std::filesystem::path& path);
    FileSource(FileSource&& other) noexcept;
    FileSource& operator=(FileSource&& other) noexcept;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    ~FileSource() override;

    std::uint64_t size() const override { return m_size; }
    Result<void> read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    FileSource(int descriptor, std::uint64_t size) : m_descriptor(descriptor), m_size(size) {}
    int m_descriptor = -1;
    std::uint64_t m_size = 0;
};

} // namespace zorvane::extraction
