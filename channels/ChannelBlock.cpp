#include "channels/ChannelBlock.h"

#include <algorithm>

#include "channels/ChannelEdit.h"
#include "core/Decimal.h"
#include "core/Frequency.h"

namespace nv {

namespace {

std::vector<int> sortedUnique(std::vector<int> channels) {
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    std::erase_if(channels, [](int n) { return n < 1 || n > ChannelCount; });
    return channels;
}

bool contains(const std::vector<int>& v, int n) { return std::find(v.begin(), v.end(), n) != v.end(); }

std::vector<ChannelSlot> allSlots(const Image& image) {
    std::vector<ChannelSlot> slots;
    for (int n = 1; n <= ChannelCount; ++n) slots.push_back(takeChannel(image, n));
    return slots;
}

Image withSlots(const Image& image, const std::vector<ChannelSlot>& slots) {
    Image out = image;
    for (int n = 1; n <= ChannelCount; ++n)
        putChannel(out, n, n <= static_cast<int>(slots.size()) ? slots[n - 1] : emptySlot());
    return out;
}

}  // namespace

ChannelSlot takeChannel(const Image& image, int channel) {
    ChannelSlot slot;
    for (int c = 0; c < 16; ++c) slot.bytes[c] = image(channel, c);
    slot.scan = scanBit(image, channel);
    return slot;
}

void putChannel(Image& image, int channel, const ChannelSlot& slot) {
    for (int c = 0; c < 16; ++c) image(channel, c) = slot.bytes[c];
    setScanBit(image, channel, slot.scan);
}

ChannelSlot emptySlot() {
    ChannelSlot slot;
    slot.bytes.fill(0xFF);
    return slot;
}

Image deleteChannels(const Image& image, const std::vector<int>& channels) {
    Image out = image;
    for (int n : sortedUnique(channels)) putChannel(out, n, emptySlot());
    return out;
}

std::optional<Image> insertChannel(const Image& image, int at) {
    if (at < 1 || at > ChannelCount || !isEmptyChannel(image, ChannelCount)) return std::nullopt;
    std::vector<ChannelSlot> slots = allSlots(image);
    slots.insert(slots.begin() + (at - 1), emptySlot());
    slots.pop_back();
    return withSlots(image, slots);
}

Image removeChannels(const Image& image, const std::vector<int>& channels) {
    const std::vector<int> gone = sortedUnique(channels);
    std::vector<ChannelSlot> slots;
    for (int n = 1; n <= ChannelCount; ++n)
        if (!contains(gone, n)) slots.push_back(takeChannel(image, n));
    return withSlots(image, slots);
}

std::optional<Image> moveChannels(const Image& image, const std::vector<int>& channels, int by) {
    const std::vector<int> chosen = sortedUnique(channels);
    if (chosen.empty() || (by < 0 && chosen.front() == 1) ||
        (by > 0 && chosen.back() == ChannelCount))
        return std::nullopt;
    std::vector<ChannelSlot> slots = allSlots(image);
    // Walking towards the far end first, each channel swaps with the neighbour it moves onto.
    if (by < 0)
        for (int n : chosen) std::swap(slots[n - 1], slots[n - 2]);
    else
        for (auto n = chosen.rbegin(); n != chosen.rend(); ++n) std::swap(slots[*n - 1], slots[*n]);
    return withSlots(image, slots);
}

std::vector<int> movedSelection(const std::vector<int>& channels, int by) {
    std::vector<int> moved = sortedUnique(channels);
    for (int& n : moved) n += by < 0 ? -1 : 1;
    return moved;
}

std::int64_t storedFrequency(const Image& image, int channel, int cell) {
    std::int64_t v = 0;
    for (int k = 3; k >= 0; --k) {
        const int b = image.byte(channel, cell + k);
        v = v * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return v;
}

Image sortChannels(const Image& image, const std::vector<int>& channels) {
    std::vector<int> places = sortedUnique(channels);
    if (places.size() < 2) {
        places.clear();
        for (int n = 1; n <= ChannelCount; ++n) places.push_back(n);
    }
    std::vector<int> order = places;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool ea = isEmptyChannel(image, a), eb = isEmptyChannel(image, b);
        if (ea || eb) return !ea && eb;
        return storedFrequency(image, a, ch::RxFreq) < storedFrequency(image, b, ch::RxFreq);
    });
    Image out = image;
    for (std::size_t i = 0; i < places.size(); ++i)
        putChannel(out, places[i], takeChannel(image, order[i]));
    return out;
}

Image dragChannels(const Image& image, const std::vector<int>& channels, int before) {
    const std::vector<int> moving = sortedUnique(channels);
    std::vector<ChannelSlot> rest, carried;
    int insertAt = 0;  // in `rest`: how many of the others stay above the moved block
    for (int n = 1; n <= ChannelCount; ++n) {
        if (contains(moving, n)) {
            carried.push_back(takeChannel(image, n));
            continue;
        }
        if (n < before) ++insertAt;
        rest.push_back(takeChannel(image, n));
    }
    rest.insert(rest.begin() + insertAt, carried.begin(), carried.end());
    return withSlots(image, rest);
}

std::vector<int> draggedSelection(const std::vector<int>& channels, int before) {
    const std::vector<int> moving = sortedUnique(channels);
    int first = 1;
    for (int n = 1; n < before && n <= ChannelCount; ++n)
        if (!contains(moving, n)) ++first;
    std::vector<int> out;
    for (std::size_t i = 0; i < moving.size(); ++i) out.push_back(first + static_cast<int>(i));
    return out;
}

std::optional<Image> putChannels(const Image& image, const std::vector<ChannelSlot>& slots,
                                 int first) {
    if (first < 1 || first + static_cast<int>(slots.size()) - 1 > ChannelCount)
        return std::nullopt;
    Image out = image;
    for (std::size_t i = 0; i < slots.size(); ++i)
        putChannel(out, first + static_cast<int>(i), slots[i]);
    return out;
}

Image setFieldFor(const Image& image, const std::vector<int>& channels, Field field, int value) {
    Image out = image;
    for (int n : sortedUnique(channels))
        if (!isEmptyChannel(out, n)) setField(out, n, field, value);
    return out;
}

Image setScanFor(const Image& image, const std::vector<int>& channels, bool on) {
    Image out = image;
    for (int n : sortedUnique(channels))
        if (!isEmptyChannel(out, n)) setScanBit(out, n, on);
    return out;
}

Image setTonesFor(const Image& image, const std::vector<int>& channels, ToneCode decode,
                  ToneCode encode) {
    Image out = image;
    for (int n : sortedUnique(channels)) {
        if (isEmptyChannel(out, n)) continue;
        setTone(out, n, ch::DecodeTone, decode.low, decode.high);
        if (hasTxFrequency(out, n)) setTone(out, n, ch::EncodeTone, encode.low, encode.high);
    }
    return out;
}

OffsetResult setOffsetFor(const AppState& s, const Image& image, const std::vector<int>& channels,
                          std::string_view offsetText, bool up) {
    OffsetResult r{image, {}};
    const std::int64_t offset = textToHz(offsetText);
    for (int n : sortedUnique(channels)) {
        if (isEmptyChannel(image, n)) continue;
        const std::int64_t rx = storedFrequency(image, n, ch::RxFreq) * 10;
        const std::int64_t tx = up ? rx + offset : rx - offset;
        const std::string text = tx < 0 ? std::string("-1") : shortestDecimal(tx, 6);
        if (outsideBand(s, text)) {
            r.outsideBand.push_back(n);
            continue;
        }
        textToFrequency(padFrequencyText(text), r.image, n, ch::TxFreq);
    }
    if (!r.ok()) r.image = image;
    return r;
}

}  // namespace nv
