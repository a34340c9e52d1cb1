#include "channels/ChannelTidy.h"

#include "channels/ChannelRecord.h"

namespace nv {

namespace {

bool isScanCell(int row, int cell) {
    return row == ch::ScanRow && (cell == ch::ScanCellLow || cell == ch::ScanCellHigh);
}

bool isAllFF(const Image& image, int channel) {
    for (int c = 0; c < RadioCells; ++c)
        if (image(channel, c) != 0xFF) return false;
    return true;
}

// A channel record that changed may only have become all 0xFF, and only if it was empty.
bool recordTidied(const Image& before, const Image& after, int channel) {
    for (int c = 0; c < RadioCells; ++c)
        if (before(channel, c) != after(channel, c))
            return isEmptyChannel(before, channel) && isAllFF(after, channel);
    return true;
}

// A scan flag that changed may only have been cleared, and only for an empty channel.
bool scanBitsTidied(const Image& before, const Image& after) {
    for (int n = 1; n <= ChannelCount; ++n)
        if (scanBit(before, n) != scanBit(after, n) &&
            (scanBit(after, n) || !isEmptyChannel(before, n)))
            return false;
    for (int cell : {ch::ScanCellLow, ch::ScanCellHigh})  // bits beyond the flags stay
        if ((before(ch::ScanRow, cell) & ~0xFF) != (after(ch::ScanRow, cell) & ~0xFF)) return false;
    return true;
}

}  // namespace

bool onlyTidiesEmptyChannels(const Image& before, const Image& after) {
    for (int r = 0; r < ImageRows; ++r)
        for (int c = 0; c < ImageCells; ++c) {
            if (before(r, c) == after(r, c) || isScanCell(r, c)) continue;
            const bool channelCell = r >= 1 && r <= ChannelCount && c < RadioCells;
            if (!channelCell || !recordTidied(before, after, r)) return false;
        }
    return scanBitsTidied(before, after);
}

}  // namespace nv
