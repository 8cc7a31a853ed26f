// Reading an NE resource table: alignment shift, TYPEINFO records with their NAMEINFO entries, names.
#include "neresources.h"
#include "littleendian.h"
#include "resourcenames.h"
#include "sourcereading.h"

#include <algorithm>
#include <vector>

namespace zorvane::extraction {
namespace {

// The NE header fields used here; offsets in it are relative to the header itself.
struct NeHeaderLayout {
    static constexpr std::size_t resourceTableOffset = 0x24;
    static constexpr std::size_t residentNameTableOffset = 0x26;
    static constexpr std::size_t size = 0x40;
};

// rscAlignShift, then TYPEINFO records {rtTypeID, rtResourceCount, rtReserved[4]} each followed by
// its NAMEINFO records {rnOffset, rnLength, rnFlags, rnID, rnHandle, rnUsage}, then a zero rtTypeID.
struct ResourceTableLayout {
    static constexpr std::size_t typeInfoSize = 8;
    static constexpr std::size_t nameInfoSize = 12;
    static constexpr std::size_t rnOffset = 0;
    static constexpr std::size_t rnLength = 2;
    static constexpr std::size_t rnId = 6;
    // Name strings are addressed by 16-bit offsets from the table's start, and are at most 255 bytes.
    static constexpr std::uint64_t maxSize = 0x10000 + 0x100;
};

// Set in a type or name ID for a number; clear for the offset of a name string in the table.
constexpr std::uint16_t integerIdFlag = 0x8000;
constexpr std::uint16_t iconType = integerIdFlag | 3;
constexpr std::uint16_t groupIconType = integerIdFlag | 14;

// A 16-bit offset shifted by 15 reaches 2 GiB, beyond any NE file; more is damage, not a layout.
constexpr std::uint16_t maxAlignmentShift = 15;

struct NameInfo {
    std::uint16_t type = 0;
    std::uint16_t id = 0;
    std::uint16_t offset = 0;  // in alignment units
    std::uint16_t length = 0;  // in alignment units, or in bytes (see LengthUnit)
};

// Quirk: rnLength is documented in alignment units, and most linkers write it so, but some
// resource compilers wrote it in bytes. Each reading is tried on the whole table: the one under
// which every resource lies within the file and no two overlap is the file's convention.
enum class LengthUnit { AlignmentUnits, Bytes };

ResourceRange rangeIn(const NameInfo& entry, std::uint16_t shift, LengthUnit unit)
{
    const std::uint64_t length = unit == LengthUnit::Bytes ? entry.length : std::uint64_t{entry.length} << shift;
    return {std::uint64_t{entry.offset} << shift, length};
}

class NeResources final : public IconResources {
public:
    NeResources(std::vector<NameInfo> entries, std::vector<std::uint8_t> table, std::uint16_t shift,
                LengthUnit unit, std::uint64_t tableOffset)
        : m_entries(std::move(entries)), m_table(std::move(table)), m_shift(shift), m_unit(unit),
          m_tableOffset(tableOffset)
    {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].type == groupIconType) {
                m_groups.push_back(i);
            }
        }
    }

    std::size_t groupCount() const override { return m_groups.size(); }

    std::optional<std::size_t> findGroup(std::uint16_t id) const override
    {
        for (std::size_t i = 0; i < m_groups.size(); ++i) {
            if (m_entries[m_groups[i]].id == (integerIdFlag | id)) {
                return i;
            }
        }
        return std::nullopt;
    }

    Result<GroupResource> group(std::size_t index) override
    {
        const NameInfo& entry = m_entries[m_groups.at(index)];
        auto name = nameOf(entry.id);
        if (!name) {
            return name.error();
        }
        return GroupResource{std::move(*name), 0, rangeOf(entry)};
    }

    // NE has no languages: the first image with the ID is the image.
    Result<std::optional<ResourceRange>> image(std::uint16_t id, std::uint16_t) override
    {
        const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const NameInfo& e) {
            return e.type == iconType && e.id == (integerIdFlag | id);
        });
        if (found == m_entries.end()) {
            return std::optional<ResourceRange>{};
        }
        return std::optional<ResourceRange>{rangeOf(*found)};
    }

private:
    ResourceRange rangeOf(const NameInfo& entry) const { return rangeIn(entry, m_shift, m_unit); }

    Result<ResourceName> nameOf(std::uint16_t id) const
    {
        if ((id & integerIdFlag) != 0) {
            return ResourceName{static_cast<std::uint16_t>(id & ~integerIdFlag), {}};
        }
        // A length byte, then that many bytes of text.
        if (!rangeFits(id, 1, m_table.size()) || !rangeFits(std::uint64_t{id} + 1, m_table[id], m_table.size())) {
            return Error{ErrorCode::BadResourceName, m_tableOffset + id};
        }
        const auto text = std::span(m_table).subspan(std::size_t{id} + 1, m_table[id]);
        return ResourceName{std::nullopt, utf8FromLatin1(text)};
    }

    std::vector<NameInfo> m_entries;
    std::vector<std::size_t> m_groups;
    std::vector<std::uint8_t> m_table;
    std::uint16_t m_shift;
    LengthUnit m_unit;
    std::uint64_t m_tableOffset;
};

bool plausible(std::span<const NameInfo> entries, std::uint16_t shift, LengthUnit unit, std::uint64_t fileSize)
{
    std::vector<ResourceRange> ranges;
    for (const NameInfo& entry : entries) {
        const ResourceRange range = rangeIn(entry, shift, unit);
        if (range.size == 0) {
            continue;
        }
        if (!rangeFits(range.offset, range.size, fileSize)) {
            return false;
        }
        ranges.push_back(range);
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const ResourceRange& a, const ResourceRange& b) { return a.offset < b.offset; });
    for (std::size_t i = 1; i < ranges.size(); ++i) {
        if (ranges[i - 1].offset + ranges[i - 1].size > ranges[i].offset) {
            return false;
        }
    }
    return true;
}

} // namespace

Result<std::unique_ptr<IconResources>> openNeResources(const ByteSource& source, std::uint64_t neOffset)
{
    using H = NeHeaderLayout;
    using T = ResourceTableLayout;
    auto header = readRecord<H::size>(source, neOffset, ErrorCode::TruncatedFile);
    if (!header) {
        return header.error();
    }
    const std::uint16_t resourceTable = readU16(*header, H::resourceTableOffset);
    const auto noResources = []() -> std::unique_ptr<IconResources> {
        return std::make_unique<NeResources>(std::vector<NameInfo>{}, std::vector<std::uint8_t>{}, 0,
                                             LengthUnit::AlignmentUnits, 0);
    };
    // The linker puts the resident name table right after the resource table: equal offsets mean none.
    if (resourceTable == readU16(*header, H::residentNameTableOffset)) {
        return noResources();
    }
    const std::uint64_t tableOffset = neOffset + resourceTable;
    if (tableOffset > source.size()) {
        return Error{ErrorCode::BadNeHeader, neOffset + H::resourceTableOffset};
    }
    auto table = readBlock(source, tableOffset, std::min(T::maxSize, source.size() - tableOffset),
                           ErrorCode::TruncatedFile);
    if (!table) {
        return table.error();
    }
    const Error bad{ErrorCode::BadNeResourceTable, tableOffset};
    if (table->size() < 2) {
        return bad;
    }
    const std::uint16_t shift = readU16(*table, 0);
    if (shift > maxAlignmentShift) {
        return Error{ErrorCode::BadNeAlignmentShift, tableOffset};
    }

    std::vector<NameInfo> entries;
    std::size_t at = 2;
    for (;;) {
        if (!rangeFits(at, 2, table->size())) {
            return bad;
        }
        const std::uint16_t type = readU16(*table, at);
        if (type == 0) {
            break;
        }
        if (!rangeFits(at, T::typeInfoSize, table->size())) {
            return bad;
        }
        const std::uint16_t count = readU16(*table, at + 2);
        at += T::typeInfoSize;
        if (!rangeFits(at, std::size_t{count} * T::nameInfoSize, table->size())) {
            return bad;
        }
        for (std::size_t i = 0; i < count; ++i, at += T::nameInfoSize) {
            entries.push_back({type, readU16(*table, at + T::rnId), readU16(*table, at + T::rnOffset),
                               readU16(*table, at + T::rnLength)});
        }
    }

    const LengthUnit unit = !plausible(entries, shift, LengthUnit::AlignmentUnits, source.size())
            && plausible(entries, shift, LengthUnit::Bytes, source.size())
        ? LengthUnit::Bytes
        : LengthUnit::AlignmentUnits;
    return std::unique_ptr<IconResources>(
        std::make_unique<NeResources>(std::move(entries), std::move(*table), shift, unit, tableOffset));
}

} // namespace zorvane::extraction
