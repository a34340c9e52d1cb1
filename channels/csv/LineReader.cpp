#include "channels/csv/LineReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "channels/ChannelBlock.h"
#include "channels/ChannelRecord.h"

namespace nv {

std::string csvTrimmed(std::string_view t) {
    const std::size_t b = t.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return std::string(t.substr(b, t.find_last_not_of(" \t") - b + 1));
}

std::string csvLower(std::string_view t) {
    std::string out(t);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return out;
}

std::string csvUpper(std::string_view t) {
    std::string out(t);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return out;
}

std::optional<Decimal> plainDecimal(std::string_view text) {
    int digits = 0, points = 0;
    for (char ch : text) {
        if (ch >= '0' && ch <= '9')
            ++digits;
        else if (ch == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    return Decimal::parse(text);
}

std::optional<int> plainInteger(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        v = v * 10 + (ch - '0');
    }
    return v;
}

namespace {

constexpr std::int64_t WattsForHighPower = 4;

std::int64_t bandEdgeMilliHz(double mhz) { return std::llround(mhz * 1000) * 1'000'000; }

}  // namespace

class CsvLineReader::Checks {
  public:
    Checks(const AppState& s, const CsvColumns& columns, const CsvRecord& record, int ordinal,
           std::vector<CsvNote>& bad, std::vector<CsvNote>& skipped)
        : s_(s),
          columns_(columns),
          record_(record),
          ordinal_(ordinal),
          bad_(bad),
          skipped_(skipped) {}

    std::optional<int> location() {
        const std::string location = field("Location");
        if (location.empty()) return error(CsvNote::MissingValue, "Location"), std::nullopt;
        const auto n = plainInteger(location);
        if (!n) return error(CsvNote::NotANumber, "Location", location), std::nullopt;
        c_.location = *n;
        return n;
    }

    std::optional<ChannelLine> read() {
        // A copied channel list keeps an empty channel's place with a row of its location alone.
        if (onlyLocation()) {
            c_.empty = true;
            return c_;
        }
        const std::size_t badBefore = bad_.size();
        readFrequencies();
        readTones();
        readMode();
        readPower();
        readSkip();
        if (bad_.size() != badBefore) return std::nullopt;
        // The windows show no encode tone for a channel that does not transmit, so it would be
        // a setting nobody sees.
        if (!c_.tx) c_.encode = ToneCode{};
        if (skip_) {
            addCsvNote(skipped_, *skip_);
            return std::nullopt;
        }
        return c_;
    }

    std::vector<CsvNote> snapsFor(int channel) const {
        std::vector<CsvNote> out = snaps_;
        for (CsvNote& n : out) n.location = channel;
        return out;
    }

  private:
    bool onlyLocation() const {
        int filled = 0;
        for (const std::string& f : record_.fields) filled += csvTrimmed(f).empty() ? 0 : 1;
        return filled == 1;
    }
    std::string field(const char* column) const {
        return csvTrimmed(columns_.value(record_, column));
    }
    void error(CsvNote::Kind kind, const char* column, std::string value = {}) {
        CsvNote n{kind};
        n.line = record_.line;
        n.location = c_.location;
        n.column = column;
        n.value = std::move(value);
        n.record = ordinal_;
        if (isSkipReason(n))
            skip(std::move(n));
        else
            bad_.push_back(std::move(n));
    }
    void skip(CsvNote n) {
        n.record = ordinal_;
        if (!skip_) skip_ = std::move(n);
    }
    // The field of a column the line needs: an error when the column or the value is missing.
    std::optional<std::string> required(const char* column) {
        if (!columns_.has(column)) return error(CsvNote::MissingColumn, column), std::nullopt;
        std::string v = field(column);
        if (v.empty()) return error(CsvNote::MissingValue, column), std::nullopt;
        return v;
    }

    // A number of MHz into `milli` (mHz); false after an error. (An optional result here
    // makes GCC's optimiser warn of a read it cannot prove initialised.)
    bool megahertz(const char* column, std::int64_t& milli) {
        const auto text = required(column);
        if (!text) return false;
        const auto d = plainDecimal(*text);
        if (!d) return error(CsvNote::NotANumber, column, *text), false;
        milli = withoutFloatNoiseMilliHz(d->floorScaled(9));
        return true;
    }
    bool inBand(std::int64_t milli, const char* column) {
        const std::int64_t low = bandEdgeMilliHz(s_.BandLowMHz);
        const std::int64_t high = bandEdgeMilliHz(s_.BandHighMHz);
        if (milli >= low && milli <= high) return true;
        CsvNote n{CsvNote::OutsideBand, record_.line, c_.location};
        n.column = column;
        n.value = milli < 0 ? "-" + shortestDecimal(-milli, 9) : shortestDecimal(milli, 9);
        n.result = shortestDecimal(low, 9) + " - " + shortestDecimal(high, 9);
        skip(std::move(n));
        return false;
    }
    // Snaps the frequency as the channel grid does; a frequency that moves is reported.
    BcdBytes store(std::int64_t milli, const char* column) {
        const std::int64_t snapped = snapToRasterHz(milli / 1000);
        const EncodedFrequency e = encodeFrequency(shortestDecimal(snapped, 6));
        if (snapped * 1000 != milli) {
            CsvNote n{CsvNote::Snapped};
            n.line = record_.line;
            n.location = c_.location;
            n.column = column;
            n.value = shortestDecimal(milli, 9);
            n.result = e.text;
            snaps_.push_back(std::move(n));
        }
        return e.bytes;
    }

    void readFrequencies() {
        std::int64_t rx = 0, offset = 0;
        const bool rxRead = megahertz("Frequency", rx);
        const std::string duplex = csvLower(field("Duplex"));
        const bool shifted = duplex == "+" || duplex == "-" || duplex == "split";
        if (!shifted && !duplex.empty() && duplex != "off")
            return error(CsvNote::UnknownValue, "Duplex", field("Duplex"));
        const bool offsetRead = shifted && megahertz("Offset", offset);
        if (!rxRead || !inBand(rx, "Frequency")) return;
        c_.rx = store(rx, "Frequency");
        if (duplex.empty()) c_.tx = c_.rx;
        if (!offsetRead) return;
        const std::int64_t tx = duplex == "split" ? offset
                                : duplex == "+"   ? rx + offset
                                                  : rx - offset;
        if (inBand(tx, CsvTxColumn)) c_.tx = store(tx, CsvTxColumn);
    }

    std::optional<ToneCode> ctcss(const char* column) {
        const auto text = required(column);
        if (!text) return std::nullopt;
        const auto d = plainDecimal(*text);
        if (!d) return error(CsvNote::NotANumber, column, *text), std::nullopt;
        const std::int64_t tenths = d->floorScaled(1);
        const auto i =
            tenths < 0x10000 && d->compare(tenths, 1) == 0
                ? findTone(s_, static_cast<int>(tenths % 256), static_cast<int>(tenths / 256))
                : std::nullopt;
        if (!i || *i < FirstCtcssTone || *i > LastCtcssTone)
            return error(CsvNote::NotATone, column, *text), std::nullopt;
        return toneCodeOf(s_, *i);
    }
    std::optional<ToneCode> dcs(const char* column, bool inverted) {
        const auto text = required(column);
        if (!text) return std::nullopt;
        if (text->size() > 3 || text->find_first_not_of("01234567") != std::string::npos)
            return error(CsvNote::NotADcsCode, column, *text), std::nullopt;
        const int code = (inverted ? 0xA800 : 0x2800) + std::stoi(*text, nullptr, 8);
        const auto i = findTone(s_, code % 256, code / 256);
        if (!i || *i < FirstDcsTone)
            return error(CsvNote::NotADcsCode, column, *text), std::nullopt;
        return toneCodeOf(s_, *i);
    }
    // Polarity of the encode (0) or decode (1) side: N normal, R inverted.
    std::optional<bool> inverted(int side) {
        std::string p = csvUpper(field("DtcsPolarity"));
        if (p.empty()) p = "NN";
        if (p.size() != 2 || p.find_first_not_of("NR") != std::string::npos)
            return error(CsvNote::UnknownValue, "DtcsPolarity", field("DtcsPolarity")),
                   std::nullopt;
        return p[side] == 'R';
    }
    // One side of a tone setting: "TONE", "DTCS" or "" (none).
    bool toneSide(const std::string& kind, bool encode, ToneCode& into) {
        std::optional<ToneCode> code = ToneCode{};
        if (kind == "TONE") {
            code = ctcss(encode ? "rToneFreq" : "cToneFreq");
        } else if (kind == "DTCS") {
            const auto inv = inverted(encode ? 0 : 1);
            code = inv ? dcs(encode ? "DtcsCode" : "RxDtcsCode", *inv) : std::nullopt;
        }
        if (code) into = *code;
        return code.has_value();
    }

    void readTones() {
        const std::string mode = csvUpper(field("Tone"));
        if (mode.empty()) return;
        if (mode == "TONE") {
            if (auto t = ctcss("rToneFreq")) c_.encode = *t;
        } else if (mode == "TSQL") {
            if (auto t = ctcss("cToneFreq")) c_.encode = c_.decode = *t;
        } else if (mode == "DTCS") {
            const auto encInv = inverted(0);
            const auto decInv = encInv ? inverted(1) : std::nullopt;
            if (!decInv) return;
            const auto enc = dcs("DtcsCode", *encInv);
            if (!enc) return;
            c_.encode = *enc;
            // The same code, so it is in the table.
            if (const auto dec = dcs("DtcsCode", *decInv)) c_.decode = *dec;
        } else if (mode == "CROSS") {
            static const char* const Modes[] = {"TONE->TONE", "TONE->DTCS", "DTCS->TONE",
                                                "DTCS->DTCS", "->TONE",     "->DTCS",
                                                "TONE->",     "DTCS->"};
            const std::string cross = csvUpper(field("CrossMode"));
            if (std::none_of(std::begin(Modes), std::end(Modes),
                             [&](const char* m) { return cross == m; })) {
                if (cross.empty())
                    required("CrossMode");
                else
                    error(CsvNote::UnknownValue, "CrossMode", field("CrossMode"));
                return;
            }
            const std::size_t arrow = cross.find("->");
            if (toneSide(cross.substr(0, arrow), true, c_.encode))
                toneSide(cross.substr(arrow + 2), false, c_.decode);
        } else {
            error(CsvNote::UnknownValue, "Tone", field("Tone"));
        }
    }

    void readMode() {
        const std::string mode = csvUpper(field("Mode"));
        if (mode == "FM")
            c_.wide = true;
        else if (mode == "NFM")
            c_.wide = false;
        else if (!mode.empty())
            error(CsvNote::UnknownValue, "Mode", field("Mode"));
    }

    void readPower() {
        const std::string power = field("Power");
        const std::string word = csvUpper(power);
        if (word.empty()) return;
        if (word == "HIGH" || word == "LOW") {
            c_.highPower = word == "HIGH";
            return;
        }
        const std::string number =
            word.back() == 'W' ? csvTrimmed(word.substr(0, word.size() - 1)) : word;
        const auto watts = plainDecimal(number);
        if (!watts) return error(CsvNote::UnknownValue, "Power", power);
        c_.highPower = watts->compare(WattsForHighPower, 0) >= 0;
    }

    void readSkip() {
        const std::string skip = csvUpper(field("Skip"));
        if (skip == "S")
            c_.scan = false;
        else if (skip.empty() || skip == "P")  // "P": scanned, with priority
            c_.scan = true;
        else
            error(CsvNote::UnknownValue, "Skip", field("Skip"));
    }

    const AppState& s_;
    const CsvColumns& columns_;
    const CsvRecord& record_;
    int ordinal_;
    std::vector<CsvNote>& bad_;
    std::vector<CsvNote>& skipped_;
    ChannelLine c_;
    std::vector<CsvNote> snaps_;
    std::optional<CsvNote> skip_;
};

CsvLineReader::CsvLineReader(const AppState& s, const CsvColumns& columns, const CsvRecord& record,
                             int ordinal, std::vector<CsvNote>& bad, std::vector<CsvNote>& skipped)
    : checks_(std::make_unique<Checks>(s, columns, record, ordinal, bad, skipped)) {}

CsvLineReader::~CsvLineReader() = default;

std::optional<int> CsvLineReader::location() { return checks_->location(); }

std::optional<ChannelLine> CsvLineReader::read() { return checks_->read(); }

std::vector<CsvNote> CsvLineReader::snapsFor(int channel) const {
    return checks_->snapsFor(channel);
}

void writeChannelLine(Image& im, const ChannelLine& c) {
    const int n = c.location;
    if (c.empty) return putChannel(im, n, emptySlot());
    // What the layout does not carry is the new channel's, not the replaced channel's.
    InitNewChannel(im, n);
    for (int k = 0; k < 4; ++k) {
        im(n, ch::RxFreq + k) = static_cast<Int16>(c.rx[k]);
        im(n, ch::TxFreq + k) = static_cast<Int16>(c.tx ? (*c.tx)[k] : 0xFF);
    }
    setTone(im, n, ch::DecodeTone, c.decode.low, c.decode.high);
    setTone(im, n, ch::EncodeTone, c.encode.low, c.encode.high);
    if (c.wide) setField(im, n, ch::Wide, *c.wide ? 1 : 0);
    if (c.highPower) setField(im, n, ch::HighPower, *c.highPower ? 1 : 0);
    setScanBit(im, n, c.scan);
}

}  // namespace nv
