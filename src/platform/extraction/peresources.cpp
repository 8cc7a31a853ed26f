// Walking a PE resource tree (type, name, language) with every offset checked and the work bounded.
#include "peresources.h"
#include "limits.h"
#include "littleendian.h"
#include "resourcenames.h"
#include "sectiontable.h"
#include "sourcereading.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace zorvane::extraction {
namespace {

// COFF file header, after the 4-byte signature.
struct FileHeaderLayout {
    static constexpr std::size_t numberOfSections = 4 + 2;
    static constexpr std::size_t sizeOfOptionalHeader = 4 + 16;
    static constexpr std::size_t size = 4 + 20;
};

// Optional header: Magic, then fields up to the data directories, whose place depends on the magic.
struct OptionalHeaderLayout {
    static constexpr std::uint16_t pe32Magic = 0x10B;
    static constexpr std::uint16_t pe32PlusMagic = 0x20B;
    static constexpr std::size_t pe32NumberOfRvaAndSizes = 92;
    static constexpr std::size_t pe32PlusNumberOfRvaAndSizes = 108;
    static constexpr std::size_t dataDirectorySize = 8;
    static constexpr std::uint32_t resourceDirectoryIndex = 2;
};

// IMAGE_RESOURCE_DIRECTORY, followed by its named entries and then its ID entries, 8 bytes each.
struct ResourceDirectoryLayout {
    static constexpr std::size_t numberOfNamedEntries = 12;
    static constexpr std::size_t numberOfIdEntries = 14;
    static constexpr std::size_t size = 16;
    static constexpr std::size_t entrySize = 8;
};

// IMAGE_RESOURCE_DATA_ENTRY: OffsetToData (an RVA), Size, CodePage, Reserved.
struct ResourceDataEntryLayout {
    static constexpr std::size_t offsetToData = 0;
    static constexpr std::size_t size = 4;
    static constexpr std::size_t recordSize = 16;
};

// In an entry's name: set for an offset to a name string, clear for an ID.
// In its target: set for an offset to a subdirectory, clear for an offset to a data entry.
constexpr std::uint32_t highBit = 0x80000000;

constexpr std::uint32_t iconType = 3;
constexpr std::uint32_t groupIconType = 14;

struct DirectoryEntry {
    std::uint32_t name = 0;
    std::uint32_t target = 0;

    bool isNamed() const { return (name & highBit) != 0; }
    bool isDirectory() const { return (target & highBit) != 0; }
    std::uint32_t targetOffset() const { return target & ~highBit; }
    std::uint32_t nameOffset() const { return name & ~highBit; }
};

class PeResources final : public IconResources {
public:
    PeResources(const ByteSource& source, SectionTable sections, std::uint64_t treeBase, std::uint32_t treeSize)
        : m_source(source), m_sections(std::move(sections)), m_treeBase(treeBase), m_treeSize(treeSize)
    {
    }

    Result<void> readTypes();

    std::size_t groupCount() const override { return m_groups.size(); }
    std::optional<std::size_t> findGroup(std::uint16_t id) const override;
    Result<GroupResource> group(std::size_t index) override;
    Result<std::optional<ResourceRange>> image(std::uint16_t id, std::uint16_t language) override;

private:
    Error damage(ErrorCode code, std::uint32_t treeOffset) const { return Error{code, m_treeBase + treeOffset}; }
    Result<std::vector<DirectoryEntry>> readDirectory(std::uint32_t offset);
    Result<std::uint32_t> subdirectory(const DirectoryEntry& entry, std::span<const std::uint32_t> ancestors) const;
    Result<std::vector<DirectoryEntry>> readLanguages(const DirectoryEntry& nameEntry, std::uint32_t typeDirectory);
    Result<std::uint16_t> languageOf(const DirectoryEntry& entry) const;
    Result<ResourceRange> readData(const DirectoryEntry& languageEntry, std::span<const std::uint32_t> ancestors) const;
    Result<ResourceName> nameOf(const DirectoryEntry& entry) const;

    const ByteSource& m_source;
    SectionTable m_sections;
    std::uint64_t m_treeBase;
    std::uint32_t m_treeSize;
    std::uint32_t m_entryBudget = limits::maxResourceEntries;

    std::uint32_t m_groupsDirectory = 0;
    std::vector<DirectoryEntry> m_groups;
    std::uint32_t m_iconsDirectory = 0;
    // The icon images' name entries, ordered by ID and then by position, for lookups by ID.
    std::vector<DirectoryEntry> m_iconsById;
};

Result<std::vector<DirectoryEntry>> PeResources::readDirectory(std::uint32_t offset)
{
    using L = ResourceDirectoryLayout;
    if (!rangeFits(offset, L::size, m_treeSize)) {
        return damage(ErrorCode::ResourceDirectoryOutOfBounds, offset);
    }
    auto header = readRecord<L::size>(m_source, m_treeBase + offset, ErrorCode::TruncatedFile);
    if (!header) {
        return header.error();
    }
    const std::uint32_t count = std::uint32_t{readU16(*header, L::numberOfNamedEntries)}
        + readU16(*header, L::numberOfIdEntries);
    if (count > m_entryBudget) {
        return damage(ErrorCode::TooManyResourceEntries, offset);
    }
    m_entryBudget -= count;
    const std::uint64_t entriesLength = std::uint64_t{count} * L::entrySize;
    if (!rangeFits(std::uint64_t{offset} + L::size, entriesLength, m_treeSize)) {
        return damage(ErrorCode::ResourceDirectoryOutOfBounds, offset);
    }
    auto raw = readBlock(m_source, m_treeBase + offset + L::size, entriesLength, ErrorCode::TruncatedFile);
    if (!raw) {
        return raw.error();
    }
    std::vector<DirectoryEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries[i] = {readU32(*raw, i * L::entrySize), readU32(*raw, i * L::entrySize + 4)};
    }
    return entries;
}

// The tree has exactly three levels, type, name and language (PE/COFF specification, "The .rsrc
// Section"), so a walk never goes deeper than the ancestors it is given; pointing back at one of them
// is a loop, and a subdirectory below the language level is damage.
Result<std::uint32_t> PeResources::subdirectory(const DirectoryEntry& entry,
                                                std::span<const std::uint32_t> ancestors) const
{
    if (!entry.isDirectory()) {
        return damage(ErrorCode::BadResourceDirectory, entry.target);
    }
    if (std::find(ancestors.begin(), ancestors.end(), entry.targetOffset()) != ancestors.end()) {
        return damage(ErrorCode::ResourceDirectoryLoop, entry.targetOffset());
    }
    return entry.targetOffset();
}

Result<void> PeResources::readTypes()
{
    auto types = readDirectory(0);
    if (!types) {
        return types.error();
    }
    const std::array<std::uint32_t, 1> ancestors{0};
    const auto typeDirectory = [&](std::uint32_t type) -> Result<std::optional<std::uint32_t>> {
        const auto found = std::find_if(types->begin(), types->end(),
                                        [&](const DirectoryEntry& e) { return !e.isNamed() && e.name == type; });
        if (found == types->end()) {
            return std::optional<std::uint32_t>{};
        }
        auto offset = subdirectory(*found, ancestors);
        if (!offset) {
            return offset.error();
        }
        return std::optional<std::uint32_t>{*offset};
    };

    auto groups = typeDirectory(groupIconType);
    if (!groups) {
        return groups.error();
    }
    if (!groups->has_value()) {
        return {};
    }
    m_groupsDirectory = **groups;
    auto groupEntries = readDirectory(m_groupsDirectory);
    if (!groupEntries) {
        return groupEntries.error();
    }
    m_groups = std::move(*groupEntries);

    auto icons = typeDirectory(iconType);
    if (!icons) {
        return icons.error();
    }
    if (icons->has_value()) {
        m_iconsDirectory = **icons;
        auto iconEntries = readDirectory(m_iconsDirectory);
        if (!iconEntries) {
            return iconEntries.error();
        }
        // Images are only ever found by ID, so named ones can never be used.
        std::erase_if(*iconEntries, [](const DirectoryEntry& e) { return e.isNamed(); });
        std::stable_sort(iconEntries->begin(), iconEntries->end(),
                         [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
        m_iconsById = std::move(*iconEntries);
    }
    return {};
}

std::optional<std::size_t> PeResources::findGroup(std::uint16_t id) const
{
    const auto found = std::find_if(m_groups.begin(), m_groups.end(),
                                    [&](const DirectoryEntry& e) { return !e.isNamed() && e.name == id; });
    if (found == m_groups.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - m_groups.begin());
}

Result<ResourceName> PeResources::nameOf(const DirectoryEntry& entry) const
{
    if (!entry.isNamed()) {
        if (entry.name > 0xFFFF) {
            return damage(ErrorCode::BadResourceName, entry.name);
        }
        return ResourceName{static_cast<std::uint16_t>(entry.name), {}};
    }
    // IMAGE_RESOURCE_DIR_STRING_U: a count of UTF-16 units, then the units; the count bounds its size.
    const std::uint32_t offset = entry.nameOffset();
    if (!rangeFits(offset, 2, m_treeSize)) {
        return damage(ErrorCode::BadResourceName, offset);
    }
    auto length = readRecord<2>(m_source, m_treeBase + offset, ErrorCode::TruncatedFile);
    if (!length) {
        return length.error();
    }
    const std::uint64_t bytes = std::uint64_t{readU16(*length, 0)} * 2;
    if (!rangeFits(std::uint64_t{offset} + 2, bytes, m_treeSize)) {
        return damage(ErrorCode::BadResourceName, offset);
    }
    auto units = readBlock(m_source, m_treeBase + offset + 2, bytes, ErrorCode::TruncatedFile);
    if (!units) {
        return units.error();
    }
    return ResourceName{std::nullopt, utf8FromUtf16LittleEndian(*units)};
}

Result<std::vector<DirectoryEntry>> PeResources::readLanguages(const DirectoryEntry& nameEntry,
                                                               std::uint32_t typeDirectory)
{
    const std::array<std::uint32_t, 2> ancestors{0, typeDirectory};
    auto offset = subdirectory(nameEntry, ancestors);
    if (!offset) {
        return offset.error();
    }
    return readDirectory(*offset);
}

Result<std::uint16_t> PeResources::languageOf(const DirectoryEntry& entry) const
{
    if (entry.isNamed() || entry.name > 0xFFFF) {
        return damage(ErrorCode::BadResourceDirectory, entry.name);
    }
    return static_cast<std::uint16_t>(entry.name);
}

Result<ResourceRange> PeResources::readData(const DirectoryEntry& languageEntry,
                                            std::span<const std::uint32_t> ancestors) const
{
    using L = ResourceDataEntryLayout;
    if (languageEntry.isDirectory()) {
        const bool loops = std::find(ancestors.begin(), ancestors.end(), languageEntry.targetOffset())
            != ancestors.end();
        return damage(loops ? ErrorCode::ResourceDirectoryLoop : ErrorCode::BadResourceDirectory,
                      languageEntry.targetOffset());
    }
    const std::uint32_t offset = languageEntry.target;
    if (!rangeFits(offset, L::recordSize, m_treeSize)) {
        return damage(ErrorCode::ResourceDirectoryOutOfBounds, offset);
    }
    auto record = readRecord<L::recordSize>(m_source, m_treeBase + offset, ErrorCode::TruncatedFile);
    if (!record) {
        return record.error();
    }
    const std::uint32_t rva = readU32(*record, L::offsetToData);
    const std::uint32_t size = readU32(*record, L::size);
    if (size == 0) {
        return ResourceRange{};
    }
    const auto fileOffset = m_sections.fileOffset(rva, size);
    if (!fileOffset) {
        return damage(ErrorCode::ResourceOutOfBounds, offset);
    }
    return ResourceRange{*fileOffset, size};
}

Result<GroupResource> PeResources::group(std::size_t index)
{
    const DirectoryEntry& entry = m_groups.at(index);
    auto name = nameOf(entry);
    if (!name) {
        return name.error();
    }
    auto languages = readLanguages(entry, m_groupsDirectory);
    if (!languages) {
        return languages.error();
    }
    if (languages->empty()) {
        return damage(ErrorCode::BadResourceDirectory, entry.targetOffset());
    }
    const DirectoryEntry& first = languages->front();
    auto language = languageOf(first);
    if (!language) {
        return language.error();
    }
    const std::array<std::uint32_t, 3> ancestors{0, m_groupsDirectory, entry.targetOffset()};
    auto range = readData(first, ancestors);
    if (!range) {
        return range.error();
    }
    return GroupResource{std::move(*name), *language, *range};
}

Result<std::optional<ResourceRange>> PeResources::image(std::uint16_t id, std::uint16_t language)
{
    const auto byId = [](const DirectoryEntry& e, std::uint32_t wanted) { return e.name < wanted; };
    const auto found = std::lower_bound(m_iconsById.begin(), m_iconsById.end(), std::uint32_t{id}, byId);
    if (found == m_iconsById.end() || found->name != id) {
        return std::optional<ResourceRange>{};
    }
    auto languages = readLanguages(*found, m_iconsDirectory);
    if (!languages) {
        return languages.error();
    }
    if (languages->empty()) {
        return std::optional<ResourceRange>{};
    }
    // The group's language, then language-neutral, then whatever language has the image.
    const DirectoryEntry* chosen = &languages->front();
    for (const std::uint32_t wanted : {std::uint32_t{language}, std::uint32_t{0}}) {
        const auto match = std::find_if(languages->begin(), languages->end(),
                                        [&](const DirectoryEntry& e) { return !e.isNamed() && e.name == wanted; });
        if (match != languages->end()) {
            chosen = &*match;
            break;
        }
    }
    const std::array<std::uint32_t, 3> ancestors{0, m_iconsDirectory, found->targetOffset()};
    auto range = readData(*chosen, ancestors);
    if (!range) {
        return range.error();
    }
    return std::optional<ResourceRange>{*range};
}

} // namespace

Result<std::unique_ptr<IconResources>> openPeResources(const ByteSource& source, std::uint64_t peOffset)
{
    using F = FileHeaderLayout;
    using O = OptionalHeaderLayout;
    auto fileHeader = readRecord<F::size>(source, peOffset, ErrorCode::TruncatedFile);
    if (!fileHeader) {
        return fileHeader.error();
    }
    const std::uint16_t numberOfSections = readU16(*fileHeader, F::numberOfSections);
    const std::uint16_t sizeOfOptionalHeader = readU16(*fileHeader, F::sizeOfOptionalHeader);
    const std::uint64_t optionalHeaderOffset = peOffset + F::size;

    auto magic = readRecord<2>(source, optionalHeaderOffset, ErrorCode::TruncatedFile);
    if (!magic) {
        return magic.error();
    }
    std::size_t countField = 0;
    switch (readU16(*magic, 0)) {
    case O::pe32Magic: countField = O::pe32NumberOfRvaAndSizes; break;
    case O::pe32PlusMagic: countField = O::pe32PlusNumberOfRvaAndSizes; break;
    default: return Error{ErrorCode::BadPeHeader, optionalHeaderOffset};
    }
    const std::size_t directoryField = countField + 4 + O::resourceDirectoryIndex * O::dataDirectorySize;
    if (sizeOfOptionalHeader < countField + 4) {
        return Error{ErrorCode::BadPeHeader, optionalHeaderOffset};
    }
    auto optionalHeader = readBlock(source, optionalHeaderOffset,
                                    std::min<std::size_t>(sizeOfOptionalHeader, directoryField + O::dataDirectorySize),
                                    ErrorCode::TruncatedFile);
    if (!optionalHeader) {
        return optionalHeader.error();
    }
    const auto noResources = [&]() -> std::unique_ptr<IconResources> {
        return std::make_unique<PeResources>(source, SectionTable{}, 0, 0);
    };
    if (readU32(*optionalHeader, countField) <= O::resourceDirectoryIndex) {
        return noResources();
    }
    if (optionalHeader->size() < directoryField + O::dataDirectorySize) {
        return Error{ErrorCode::BadPeHeader, optionalHeaderOffset};
    }
    const std::uint32_t resourceRva = readU32(*optionalHeader, directoryField);
    const std::uint32_t resourceSize = readU32(*optionalHeader, directoryField + 4);
    if (resourceRva == 0 || resourceSize == 0) {
        return noResources();
    }

    auto sections = SectionTable::read(source, optionalHeaderOffset + sizeOfOptionalHeader, numberOfSections);
    if (!sections) {
        return sections.error();
    }
    const auto treeBase = sections->fileOffset(resourceRva, resourceSize);
    if (!treeBase) {
        return Error{ErrorCode::ResourceDirectoryOutOfBounds, optionalHeaderOffset + directoryField};
    }
    auto resources = std::make_unique<PeResources>(source, std::move(*sections), *treeBase, resourceSize);
    if (auto types = resources->readTypes(); !types) {
        return types.error();
    }
    return std::unique_ptr<IconResources>(std::move(resources));
}

} // namespace zorvane::extraction
