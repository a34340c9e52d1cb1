#pragma once
// Channels on the clipboard. A copy carries them twice: in the program's own form (every byte
// and the scan bit, so a paste inside the program is exact) and as comma-separated values in
// the community column layout. A paste writes from a first channel on and takes, in this
// order, the program's own form, CSV or tab-separated text with the community header (read by
// the CSV import's rules), or plain lines of one or two frequencies in MHz. It writes either
// everything or, when anything does not fit, nothing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channels/ChannelBlock.h"
#include "channels/csv/Placement.h"

namespace nv {

// The program's own clipboard form of the channels, in the order given.
std::string channelClipText(const Image& image, const std::vector<int>& channels);
// The channels of a text in that form, or nothing when it is not one.
std::optional<std::vector<ChannelSlot>> readChannelClip(std::string_view text);

struct PasteProblem {
    enum Kind {
        PastLastChannel,  // count channels from channel `channel` on do not fit
        NotANumber,       // line, value
        OutsideBand,      // line, value
        TooManyValues,    // line: more than a receive and a transmit frequency
        Csv,              // what the CSV import said about a line
    } kind;
    int line = 0;
    int channel = 0;
    int count = 0;
    std::string value;
    std::optional<CsvNote> csv;
};

// The report line in the given language.
std::string pasteProblemText(const PasteProblem& problem, bool chinese);

struct PasteResult {
    Image image;                // the base with the pasted channels, when ok()
    std::vector<int> channels;  // the channels written
    std::vector<PasteProblem> problems;
    // Frequencies off the channel raster, stored snapped as the grid snaps a typed one; each
    // with the line of the pasted text.
    std::vector<CsvNote> snaps;
    bool ok() const { return problems.empty(); }
};

PasteResult pasteSlots(const Image& base, const std::vector<ChannelSlot>& channels, int first);
// Text from another program: CSV or tab-separated values with the community header, or lines
// of frequencies ("446.00625", "438.5 431.1", "145.6,145.0").
PasteResult pasteText(const AppState& s, const Image& base, std::string_view text, int first);

}  // namespace nv
