#pragma once
// Whole channels as units: a channel is its 16 bytes and its scan bit, and every operation
// here moves both together. Nothing else in the image changes. Each operation works on a copy
// and returns the new image, or nothing when it refuses.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channels/ChannelRecord.h"
#include "core/AppState.h"
#include "core/Tones.h"

namespace nv {

struct ChannelSlot {
    std::array<Int16, 16> bytes{};
    bool scan = false;
    bool empty() const { return (bytes[0] & 0xFF) == 0xFF; }
    bool operator==(const ChannelSlot&) const = default;
};

ChannelSlot takeChannel(const Image& image, int channel);
void putChannel(Image& image, int channel, const ChannelSlot& slot);
// 16 × 0xFF, off the scan list: what a cleared channel is.
ChannelSlot emptySlot();

// The selected channels become empty slots.
Image deleteChannels(const Image& image, const std::vector<int>& channels);
// An empty channel at `at`; the channels from there on move down by one. Refused while
// channel 16 is in use, since it would fall off the end.
std::optional<Image> insertChannel(const Image& image, int at);
// The channels are taken out; those below move up and the freed slots at the end are empty.
Image removeChannels(const Image& image, const std::vector<int>& channels);
// Each selected channel swaps places with its neighbour above (by = -1) or below (+1), so the
// selection moves by one. Refused when the selection touches the end it moves towards.
std::optional<Image> moveChannels(const Image& image, const std::vector<int>& channels, int by);
// The selection moved as moveChannels moves it.
std::vector<int> movedSelection(const std::vector<int>& channels, int by);
// Ordered by receive frequency (stable), empty slots last. With fewer than two channels
// given, all 16 are sorted; otherwise only the given ones, among their own places.
Image sortChannels(const Image& image, const std::vector<int>& channels);
// The channels are taken out and put back together before the channel `before` (17: at the
// end), as a drag of whole rows does; where the others go follows from it.
Image dragChannels(const Image& image, const std::vector<int>& channels, int before);
// The channels' slots written from `first` on; refused past channel 16.
std::optional<Image> putChannels(const Image& image, const std::vector<ChannelSlot>& channels,
                                 int first);
// The channels where `dragChannels` puts them.
std::vector<int> draggedSelection(const std::vector<int>& channels, int before);

// Setting one thing for many channels. Empty channels are left alone; each bit field is
// changed read-modify-write.
Image setFieldFor(const Image& image, const std::vector<int>& channels, Field field, int value);
Image setScanFor(const Image& image, const std::vector<int>& channels, bool on);
// A receive-only channel keeps its encode tone empty.
Image setTonesFor(const Image& image, const std::vector<int>& channels, ToneCode decode,
                  ToneCode encode);

// Transmit = receive ± offset, written as a typed transmit frequency is (onto the raster).
struct OffsetResult {
    Image image;
    std::vector<int> outsideBand;  // channels whose transmit frequency would leave the band
    bool ok() const { return outsideBand.empty(); }
};
// `offsetText` is in MHz; `up` adds it, otherwise it is taken off.
OffsetResult setOffsetFor(const AppState& s, const Image& image, const std::vector<int>& channels,
                          std::string_view offsetText, bool up);

// The receive frequency in units of 10 Hz as stored.
std::int64_t storedFrequency(const Image& image, int channel, int cell);

}  // namespace nv
