// The icon file's header and directory, and the choice of the entry that best fits the desired
// size and the display's colours.
#include <cstdlib>

#include "graphics/IconFile.h"
#include "platform/Gdi.h"

namespace ico {

Header ReadHeader(TStream& stream) {
    Header header;
    header.reserved = stream.ReadUInt16();
    header.type = stream.ReadUInt16();
    header.count = stream.ReadUInt16();
    return header;
}

std::uint32_t DisplayColors() {
    const platform::HDC screen = platform::GetDC(nullptr);
    const int bits =
        platform::GetDeviceCaps(screen, platform::PLANES) * platform::GetDeviceCaps(screen, platform::BITSPIXEL);
    platform::ReleaseDC(nullptr, screen);
    return bits >= 1 && bits <= 8 ? std::uint32_t(1) << bits : kUnlimitedColors;
}

Size EntrySize(const DirEntry& entry) {
    return {entry.width ? entry.width : kZeroByteSize, entry.height ? entry.height : kZeroByteSize};
}

namespace {

bool ColorsWithin(std::uint32_t colors, std::uint32_t limit) {
    if (limit == kUnlimitedColors) return true;
    return colors != kUnlimitedColors && colors <= limit;
}

bool ColorsAtLeast(std::uint32_t colors, std::uint32_t other) {
    if (colors == kUnlimitedColors) return true;
    return other != kUnlimitedColors && colors >= other;
}

// Closer to the desired value than the best so far, or as close; an undershoot is preferred to
// an overshoot of the same distance.
bool BetterAxis(std::int32_t d, std::int32_t o) { return std::abs(d) <= std::abs(o) && (d <= 0 || d <= o); }

bool BetterSize(Size entry, Size best, Size desired) {
    return BetterAxis(entry.width - desired.width, best.width - desired.width) &&
           BetterAxis(entry.height - desired.height, best.height - desired.height);
}

}  // namespace

std::size_t ChooseEntry(const std::vector<DirEntry>& entries, Size desired, std::uint32_t displayColors) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const std::uint32_t colors = entries[i].colorCount;
        if (ColorsWithin(colors, displayColors) && ColorsAtLeast(colors, entries[best].colorCount) &&
            BetterSize(EntrySize(entries[i]), EntrySize(entries[best]), desired))
            best = i;
    }
    return best;
}

}  // namespace ico
