// Laying out an NE resource table and its data.
#include "ne.h"

#include <algorithm>

namespace zorvane::testsupport {

BuiltNe buildNe(const std::vector<Resource>& resources, const NeOptions& options)
{
    constexpr std::uint16_t integerId = 0x8000;
    const std::uint32_t alignment = 1u << options.alignmentShift;

    std::vector<std::uint16_t> types;
    for (const Resource& resource : resources) {
        if (std::find(types.begin(), types.end(), resource.type) == types.end()) {
            types.push_back(resource.type);
        }
    }
    std::vector<std::size_t> order;  // resources grouped by type, in the order given within each
    for (const std::uint16_t type : types) {
        for (std::size_t i = 0; i < resources.size(); ++i) {
            if (resources[i].type == type) {
                order.push_back(i);
            }
        }
    }

    BuiltNe built;
    built.neOffset = 0x40;
    const std::uint32_t tableRelative = 0x40;
    built.resourceTableOffset = built.neOffset + tableRelative;
    const std::uint32_t namesAt = 2 + 8 * static_cast<std::uint32_t>(types.size())
        + 12 * static_cast<std::uint32_t>(resources.size()) + 2;
    Bytes table(namesAt, 0);
    for (const std::size_t i : order) {
        if (!resources[i].name.id) {
            const std::string& text = resources[i].name.name;
            table.push_back(static_cast<std::uint8_t>(text.size()));
            table.insert(table.end(), text.begin(), text.end());
        }
    }
    table.push_back(0);
    const std::uint32_t residentNames = tableRelative + static_cast<std::uint32_t>(table.size());

    Bytes& out = built.bytes;
    out.assign(built.resourceTableOffset + table.size() + 1, 0);  // + the empty resident name table
    out[0] = 'M';
    out[1] = 'Z';
    putU32(out, 0x3C, built.neOffset);
    out[built.neOffset] = 'N';
    out[built.neOffset + 1] = 'E';
    putU16(out, built.neOffset + 0x24, static_cast<std::uint16_t>(tableRelative));
    putU16(out, built.neOffset + 0x26, static_cast<std::uint16_t>(residentNames));
    putU16(out, built.neOffset + 0x32, options.alignmentShift);

    // Data after the tables, each resource starting on an alignment boundary.
    std::vector<std::uint32_t> dataAt(resources.size());
    for (const std::size_t i : order) {
        out.resize((out.size() + alignment - 1) / alignment * alignment, 0);
        dataAt[i] = static_cast<std::uint32_t>(out.size());
        out.insert(out.end(), resources[i].data.begin(), resources[i].data.end());
    }
    out.resize((out.size() + alignment - 1) / alignment * alignment, 0);

    std::size_t at = built.resourceTableOffset;
    putU16(out, at, options.alignmentShift);
    at += 2;
    std::uint32_t nameCursor = namesAt;
    built.nameInfoOffsets.resize(resources.size());
    for (const std::uint16_t type : types) {
        const auto count = static_cast<std::uint16_t>(
            std::count_if(resources.begin(), resources.end(), [&](const Resource& r) { return r.type == type; }));
        putU16(out, at, integerId | type);
        putU16(out, at + 2, count);
        at += 8;
        for (const std::size_t i : order) {
            if (resources[i].type != type) {
                continue;
            }
            const Resource& resource = resources[i];
            built.nameInfoOffsets[i] = static_cast<std::uint32_t>(at);
            const std::size_t size = resource.data.size();
            const std::size_t units = (size + alignment - 1) / alignment;
            putU16(out, at, static_cast<std::uint16_t>(dataAt[i] >> options.alignmentShift));
            putU16(out, at + 2, static_cast<std::uint16_t>(options.lengthsInBytes ? size : units));
            putU16(out, at + 4, 0x0030);  // moveable, pure
            if (resource.name.id) {
                putU16(out, at + 6, static_cast<std::uint16_t>(integerId | *resource.name.id));
            } else {
                putU16(out, at + 6, static_cast<std::uint16_t>(nameCursor));
                nameCursor += 1 + static_cast<std::uint32_t>(resource.name.name.size());
            }
            at += 12;
        }
    }
    std::copy(table.begin() + namesAt, table.end(), out.begin() + built.resourceTableOffset + namesAt);
    return built;
}

} // namespace zorvane::testsupport
