// Laying out a minimal but complete PE image around a resource tree.
#include "pe.h"

#include <algorithm>
#include <map>
#include <string>

namespace zorvane::testsupport {
namespace {

constexpr std::uint32_t fileAlignment = 0x200;
constexpr std::uint32_t sectionAlignment = 0x1000;
constexpr std::uint32_t textRva = 0x1000;
constexpr std::uint32_t resourceRva = 0x2000;

std::uint32_t alignUp(std::size_t value, std::uint32_t alignment)
{
    return static_cast<std::uint32_t>((value + alignment - 1) / alignment * alignment);
}

// The order a linker writes directory entries in: named first (by name), then IDs ascending.
bool storedBefore(const ResourceName& a, const ResourceName& b)
{
    if (a.id.has_value() != b.id.has_value()) {
        return !a.id.has_value();
    }
    return a.id ? *a.id < *b.id : a.name < b.name;
}

std::u16string utf16(const std::string& utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            point = (point << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        }
        if (point >= 0x10000) {
            point -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(point));
        }
        i += length;
    }
    return out;
}

struct NameNode {
    ResourceName name;
    std::vector<std::size_t> resources;  // sorted by language
};

struct TypeNode {
    std::uint16_t type = 0;
    std::vector<NameNode> names;
};

std::vector<TypeNode> treeOf(const std::vector<Resource>& resources)
{
    std::map<std::uint16_t, TypeNode> types;
    for (std::size_t i = 0; i < resources.size(); ++i) {
        TypeNode& type = types[resources[i].type];
        type.type = resources[i].type;
        auto name = std::find_if(type.names.begin(), type.names.end(), [&](const NameNode& n) {
            return n.name.id == resources[i].name.id && n.name.name == resources[i].name.name;
        });
        if (name == type.names.end()) {
            type.names.push_back({resources[i].name, {}});
            name = type.names.end() - 1;
        }
        name->resources.push_back(i);
    }
    std::vector<TypeNode> tree;
    for (auto& [key, type] : types) {
        std::stable_sort(type.names.begin(), type.names.end(),
                         [](const NameNode& a, const NameNode& b) { return storedBefore(a.name, b.name); });
        for (NameNode& name : type.names) {
            std::stable_sort(name.resources.begin(), name.resources.end(), [&](std::size_t a, std::size_t b) {
                return resources[a].language < resources[b].language;
            });
        }
        tree.push_back(std::move(type));
    }
    return tree;
}

// The resource section's bytes, with offsets relative to its start.
struct ResourceSection {
    Bytes bytes;
    std::vector<std::uint32_t> dataEntryOffsets;
    std::vector<std::uint32_t> dataOffsets;
};

void putDirectoryHeader(Bytes& out, std::size_t at, std::size_t named, std::size_t ids)
{
    putU16(out, at + 12, static_cast<std::uint16_t>(named));
    putU16(out, at + 14, static_cast<std::uint16_t>(ids));
}

ResourceSection layOut(const std::vector<Resource>& resources)
{
    const std::vector<TypeNode> tree = treeOf(resources);
    constexpr std::uint32_t highBit = 0x80000000;

    // First pass: where every directory, data entry and string goes.
    std::uint32_t cursor = 16 + 8 * static_cast<std::uint32_t>(tree.size());
    std::vector<std::uint32_t> typeAt;
    for (const TypeNode& type : tree) {
        typeAt.push_back(cursor);
        cursor += 16 + 8 * static_cast<std::uint32_t>(type.names.size());
    }
    std::vector<std::vector<std::uint32_t>> nameAt(tree.size());
    for (std::size_t t = 0; t < tree.size(); ++t) {
        for (const NameNode& name : tree[t].names) {
            nameAt[t].push_back(cursor);
            cursor += 16 + 8 * static_cast<std::uint32_t>(name.resources.size());
        }
    }
    std::vector<std::uint32_t> dataEntryAt(resources.size());
    for (std::size_t i = 0; i < resources.size(); ++i) {
        dataEntryAt[i] = cursor;
        cursor += 16;
    }
    std::vector<std::vector<std::uint32_t>> stringAt(tree.size());
    for (std::size_t t = 0; t < tree.size(); ++t) {
        for (const NameNode& name : tree[t].names) {
            stringAt[t].push_back(cursor);
            if (!name.name.id) {
                cursor += 2 + 2 * static_cast<std::uint32_t>(utf16(name.name.name).size());
            }
        }
    }
    std::vector<std::uint32_t> dataAt(resources.size());
    for (std::size_t i = 0; i < resources.size(); ++i) {
        cursor = alignUp(cursor, 8);
        dataAt[i] = cursor;
        cursor += static_cast<std::uint32_t>(resources[i].data.size());
    }

    // Second pass: the bytes.
    Bytes out(cursor, 0);
    putDirectoryHeader(out, 0, 0, tree.size());
    for (std::size_t t = 0; t < tree.size(); ++t) {
        putU32(out, 16 + 8 * t, tree[t].type);
        putU32(out, 16 + 8 * t + 4, highBit | typeAt[t]);
        const auto named = static_cast<std::size_t>(std::count_if(
            tree[t].names.begin(), tree[t].names.end(), [](const NameNode& n) { return !n.name.id; }));
        putDirectoryHeader(out, typeAt[t], named, tree[t].names.size() - named);
        for (std::size_t n = 0; n < tree[t].names.size(); ++n) {
            const NameNode& name = tree[t].names[n];
            const std::size_t entry = typeAt[t] + 16 + 8 * n;
            if (name.name.id) {
                putU32(out, entry, *name.name.id);
            } else {
                putU32(out, entry, highBit | stringAt[t][n]);
                const std::u16string text = utf16(name.name.name);
                putU16(out, stringAt[t][n], static_cast<std::uint16_t>(text.size()));
                for (std::size_t c = 0; c < text.size(); ++c) {
                    putU16(out, stringAt[t][n] + 2 + 2 * c, text[c]);
                }
            }
            putU32(out, entry + 4, highBit | nameAt[t][n]);
            putDirectoryHeader(out, nameAt[t][n], 0, name.resources.size());
            for (std::size_t l = 0; l < name.resources.size(); ++l) {
                const std::size_t resource = name.resources[l];
                putU32(out, nameAt[t][n] + 16 + 8 * l, resources[resource].language);
                putU32(out, nameAt[t][n] + 16 + 8 * l + 4, dataEntryAt[resource]);
            }
        }
    }
    for (std::size_t i = 0; i < resources.size(); ++i) {
        putU32(out, dataEntryAt[i], resourceRva + dataAt[i]);
        putU32(out, dataEntryAt[i] + 4, static_cast<std::uint32_t>(resources[i].data.size()));
        std::copy(resources[i].data.begin(), resources[i].data.end(), out.begin() + dataAt[i]);
    }
    return {std::move(out), std::move(dataEntryAt), std::move(dataAt)};
}

void putSection(Bytes& out, std::size_t at, const char* name, std::uint32_t virtualSize, std::uint32_t rva,
                std::uint32_t rawSize, std::uint32_t rawOffset, std::uint32_t characteristics)
{
    for (std::size_t i = 0; name[i] != '\0' && i < 8; ++i) {
        out[at + i] = static_cast<std::uint8_t>(name[i]);
    }
    putU32(out, at + 8, virtualSize);
    putU32(out, at + 12, rva);
    putU32(out, at + 16, rawSize);
    putU32(out, at + 20, rawOffset);
    putU32(out, at + 36, characteristics);
}

} // namespace

BuiltPe buildPe(const std::vector<Resource>& resources, const PeOptions& options)
{
    ResourceSection section = layOut(resources);
    BuiltPe built;
    built.peOffset = 0x40;
    built.optionalHeaderOffset = built.peOffset + 24;
    const std::uint32_t optionalHeaderSize = options.pe32Plus ? 240 : 224;
    built.sectionTableOffset = built.optionalHeaderOffset + optionalHeaderSize;
    const std::uint32_t textOffset = fileAlignment;
    const std::uint32_t textSize = fileAlignment;
    const std::uint32_t resourceOffset = textOffset + textSize;
    const std::uint32_t resourceRawSize = alignUp(section.bytes.size(), fileAlignment);
    built.resourceOffset = resourceOffset;
    built.resourceRva = resourceRva;

    Bytes& out = built.bytes;
    out.assign(resourceOffset + resourceRawSize, 0);
    out[0] = 'M';
    out[1] = 'Z';
    putU32(out, 0x3C, built.peOffset);
    out[built.peOffset] = 'P';
    out[built.peOffset + 1] = 'E';
    putU16(out, built.peOffset + 4, options.machine);
    putU16(out, built.peOffset + 6, 2);
    putU16(out, built.peOffset + 20, static_cast<std::uint16_t>(optionalHeaderSize));
    putU16(out, built.peOffset + 22, options.pe32Plus ? 0x0022 : 0x0102);

    const std::uint32_t opt = built.optionalHeaderOffset;
    putU16(out, opt, options.pe32Plus ? 0x20B : 0x10B);
    putU32(out, opt + 16, textRva);  // AddressOfEntryPoint
    putU32(out, opt + 32, sectionAlignment);
    putU32(out, opt + 36, fileAlignment);
    putU16(out, opt + 48, 4);  // MajorSubsystemVersion
    putU32(out, opt + 56, alignUp(resourceRva + section.bytes.size(), sectionAlignment));  // SizeOfImage
    putU32(out, opt + 60, fileAlignment);  // SizeOfHeaders
    putU16(out, opt + 68, 2);  // Subsystem: Windows GUI
    const std::uint32_t countField = options.pe32Plus ? 108 : 92;
    putU32(out, opt + countField, 16);
    built.resourceDirectoryField = opt + countField + 4 + 2 * 8;
    putU32(out, built.resourceDirectoryField, resourceRva);
    putU32(out, built.resourceDirectoryField + 4, static_cast<std::uint32_t>(section.bytes.size()));

    putSection(out, built.sectionTableOffset, ".text", 1, textRva, textSize, textOffset, 0x60000020);
    putSection(out, built.sectionTableOffset + 40, ".rsrc", static_cast<std::uint32_t>(section.bytes.size()),
               resourceRva, resourceRawSize, resourceOffset, 0x40000040);
    out[textOffset] = 0xC3;  // ret
    std::copy(section.bytes.begin(), section.bytes.end(), out.begin() + resourceOffset);

    for (std::size_t i = 0; i < resources.size(); ++i) {
        built.dataEntryOffsets.push_back(resourceOffset + section.dataEntryOffsets[i]);
        built.dataOffsets.push_back(resourceOffset + section.dataOffsets[i]);
    }
    return built;
}

} // namespace zorvane::testsupport
