#pragma once
// Reads one line of the community layout: the channel it describes, checked against the band
// and the tone table. A value its column does not take makes the row a bad one; the first
// thing this radio cannot hold makes the row a skipped one; a frequency off the raster is
// snapped and noted.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channels/csv/Report.h"
#include "core/AppState.h"
#include "core/Csv.h"
#include "core/Decimal.h"
#include "core/Frequency.h"
#include "core/Tones.h"

namespace nv {

// Field texts as the layout's readers take them.
std::string csvTrimmed(std::string_view t);
std::string csvLower(std::string_view t);
std::string csvUpper(std::string_view t);
// A plain non-negative decimal number: digits with at most one point, nothing else.
std::optional<Decimal> plainDecimal(std::string_view text);
// Digits only, at most nine of them.
std::optional<int> plainInteger(std::string_view text);

struct ChannelLine {
    int location = 0;
    BcdBytes rx{};
    std::optional<BcdBytes> tx;
    ToneCode decode, encode;  // off unless the line names a tone
    std::optional<bool> wide, highPower;
    bool scan = true;
    // A row of its location alone: how a copied channel list keeps an empty channel's place.
    // The channel it lands on is cleared, as a paste of the same list clears it.
    bool empty = false;
};

class CsvLineReader {
  public:
    // `ordinal` is the row's place among the file's rows; the notes go into `bad` and
    // `skipped`.
    CsvLineReader(const AppState& s, const CsvColumns& columns, const CsvRecord& record,
                  int ordinal, std::vector<CsvNote>& bad, std::vector<CsvNote>& skipped);
    ~CsvLineReader();

    // The number in the Location column, or nothing after an error.
    std::optional<int> location();
    // The channel of the line, or nothing (a bad row, or a row that is skipped).
    std::optional<ChannelLine> read();
    // What was snapped, for the channel the row ends up in.
    std::vector<CsvNote> snapsFor(int channel) const;

  private:
    class Checks;
    std::unique_ptr<Checks> checks_;
};

// Writes the channel whole into its place, over the new-channel pattern; an empty line
// clears the channel.
void writeChannelLine(Image& im, const ChannelLine& c);

}  // namespace nv
