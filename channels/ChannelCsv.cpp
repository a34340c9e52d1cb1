#include "channels/ChannelCsv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

#include "channels/ChannelRecord.h"
#include "core/Csv.h"
#include "core/Decimal.h"
#include "core/Frequency.h"
#include "core/Tones.h"

namespace nv {

namespace {

constexpr std::int64_t WattsForHighPower = 4;
constexpr const char* TxColumn = "TX";  // the transmit frequency, which has no column of its own

std::string trimmed(std::string_view t) {
    const std::size_t b = t.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return std::string(t.substr(b, t.find_last_not_of(" \t") - b + 1));
}

std::string upper(std::string_view t) {
    std::string out(t);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return out;
}

// A plain non-negative decimal number: digits with at most one point, nothing else.
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

std::int64_t bandEdgeMilliHz(double mhz) { return std::llround(mhz * 1000) * 1'000'000; }

// --- export ---------------------------------------------------------------------------------

struct ToneSide {
    enum Kind { None, Ctcss, Dcs } kind = None;
    int tenths = 0;  // CTCSS
    int octal = 0;   // DCS code digits, read as octal
    bool inverted = false;
    bool operator==(const ToneSide&) const = default;
};

std::string ctcssText(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string dcsText(int octal) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03o", octal);
    return buf;
}

std::string hexPair(int low, int high) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X %02X", low & 0xFF, high & 0xFF);
    return buf;
}

class ChannelExporter {
  public:
    ChannelExporter(const AppState& s, const Image& image, CsvExport& out)
        : s_(s), im_(image), out_(out) {}

    std::vector<std::string> fields(int n) {
        n_ = n;
        std::vector<std::string> f(CsvColumnNames.size());
        auto set = [&](const char* column, std::string value) {
            for (std::size_t i = 0; i < CsvColumnNames.size(); ++i)
                if (std::string_view(CsvColumnNames[i]) == column) f[i] = std::move(value);
        };
        const std::int64_t rx = tensOfHz(ch::RxFreq);
        set("Location", std::to_string(n));
        set("Frequency", mhzText(rx));
        setDuplex(set, rx);
        setTones(set);
        set("Mode", getField(im_, n, ch::Wide) ? "FM" : "NFM");
        set("TStep", (rx * 10) % 5000 == 0 || (rx * 10) % 6250 != 0 ? "5.00" : "6.25");
        set("Skip", scanBit(im_, n) ? "" : "S");
        set("Power", getField(im_, n, ch::HighPower) ? "High" : "Low");
        return f;
    }

  private:
    // The stored digits in units of 10 Hz; a nibble above 9 keeps its face value.
    std::int64_t tensOfHz(int cell) const {
        std::int64_t v = 0;
        for (int k = 3; k >= 0; --k) {
            const int b = im_.byte(n_, cell + k);
            v = v * 100 + (b >> 4) * 10 + (b & 0x0F);
        }
        return v;
    }
    static std::string mhzText(std::int64_t tens) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%lld.%06lld", static_cast<long long>(tens / 100000),
                      static_cast<long long>(tens % 100000 * 10));
        return buf;
    }

    template <class Set>
    void setDuplex(Set& set, std::int64_t rx) {
        set("Offset", mhzText(0));
        if (!hasTxFrequency(im_, n_)) {
            set("Duplex", "off");
            return;
        }
        const std::int64_t tx = tensOfHz(ch::TxFreq);
        if (tx == rx) return;
        set("Duplex", tx > rx ? "+" : "-");
        set("Offset", mhzText(tx > rx ? tx - rx : rx - tx));
    }

    ToneSide side(int cell, const char* column) {
        const int low = im_.byte(n_, cell), high = im_.byte(n_, cell + 1);
        ToneSide t;
        if ((low == 0xFF && high == 0xFF) || (low == 0 && high == 0)) return t;
        if (high < 10) {
            t.kind = ToneSide::Ctcss;
            t.tenths = low + 256 * high;
            const auto i = findTone(s_, low, high);
            if (!i || *i < FirstCtcssTone || *i > LastCtcssTone)
                note(CsvNote::ToneNotInTable, column, ctcssText(t.tenths));
            return t;
        }
        const auto i = findTone(s_, low, high);
        if (!i || *i < FirstDcsTone) {
            note(CsvNote::ToneWithoutCsvForm, column, hexPair(low, high));
            return t;
        }
        const int code = low + 256 * high;
        t.kind = ToneSide::Dcs;
        t.inverted = (code & 0x8000) != 0;
        t.octal = (code & 0x7FFF) - 0x2800;
        return t;
    }

    template <class Set>
    void setTones(Set& set) {
        // What other programs write into the columns a mode does not use.
        set("rToneFreq", "88.5");
        set("cToneFreq", "88.5");
        set("DtcsCode", "023");
        set("DtcsPolarity", "NN");
        set("RxDtcsCode", "023");
        set("CrossMode", "Tone->Tone");
        const ToneSide enc = side(ch::EncodeTone, "encode");
        const ToneSide dec = side(ch::DecodeTone, "decode");
        auto polarity = [](const ToneSide& t) { return t.inverted ? "R" : "N"; };
        set("DtcsPolarity", std::string(polarity(enc)) + polarity(dec));
        if (enc.kind == ToneSide::None && dec.kind == ToneSide::None) return;
        if (enc.kind == ToneSide::Ctcss && dec.kind == ToneSide::None) {
            set("Tone", "Tone");
            set("rToneFreq", ctcssText(enc.tenths));
            return;
        }
        if (enc.kind == ToneSide::Ctcss && enc == dec) {
            set("Tone", "TSQL");
            set("cToneFreq", ctcssText(dec.tenths));
            return;
        }
        if (enc.kind == ToneSide::Dcs && dec.kind == ToneSide::Dcs && enc.octal == dec.octal) {
            set("Tone", "DTCS");
            set("DtcsCode", dcsText(enc.octal));
            return;
        }
        auto part = [](const ToneSide& t) {
            return t.kind == ToneSide::Ctcss ? "Tone" : t.kind == ToneSide::Dcs ? "DTCS" : "";
        };
        set("Tone", "Cross");
        set("CrossMode", std::string(part(enc)) + "->" + part(dec));
        if (enc.kind == ToneSide::Ctcss) set("rToneFreq", ctcssText(enc.tenths));
        if (enc.kind == ToneSide::Dcs) set("DtcsCode", dcsText(enc.octal));
        if (dec.kind == ToneSide::Ctcss) set("cToneFreq", ctcssText(dec.tenths));
        if (dec.kind == ToneSide::Dcs) set("RxDtcsCode", dcsText(dec.octal));
    }

    void note(CsvNote::Kind kind, const char* column, std::string value) {
        CsvNote n{kind};
        n.location = n_;
        n.column = column;
        n.value = std::move(value);
        out_.notes.push_back(std::move(n));
    }

    const AppState& s_;
    const Image& im_;
    CsvExport& out_;
    int n_ = 0;
};

// --- import ---------------------------------------------------------------------------------

struct ChannelLine {
    int location = 0;
    BcdBytes rx{};
    std::optional<BcdBytes> tx;
    ToneCode decode, encode;  // off unless the line names a tone
    std::optional<bool> wide, highPower;
    bool scan = true;
};

// Checks one line of the file. A problem that makes the file unreadable goes into the errors;
// the first thing this radio cannot hold makes the row a skipped one.
class LineReader {
  public:
    LineReader(const AppState& s, const CsvColumns& columns, const CsvRecord& record, int ordinal,
               CsvImport& out)
        : s_(s), columns_(columns), record_(record), ordinal_(ordinal), out_(out) {}

    // The number in the Location column, or nothing after an error.
    std::optional<int> location() {
        const std::string location = field("Location");
        if (location.empty()) return error(CsvNote::MissingValue, "Location"), std::nullopt;
        const auto n = plainInteger(location);
        if (!n) return error(CsvNote::NotANumber, "Location", location), std::nullopt;
        c_.location = *n;
        return n;
    }

    // The channel of the line, or nothing (an error, or a row that is skipped). With
    // `byLocation`, a location that is not a channel skips the row before anything else is read.
    std::optional<ChannelLine> read(bool byLocation) {
        if (byLocation && (c_.location < 1 || c_.location > ChannelCount)) {
            CsvNote skipped{CsvNote::Skipped, record_.line, c_.location};
            skipped.value = std::to_string(c_.location);
            skipped.record = ordinal_;
            out_.skipped.push_back(std::move(skipped));
            return std::nullopt;
        }
        const std::size_t errorsBefore = out_.errors.size();
        readFrequencies();
        readTones();
        readMode();
        readPower();
        readSkip();
        if (out_.errors.size() != errorsBefore) return std::nullopt;
        if (skip_) {
            out_.skipped.push_back(*skip_);
            return std::nullopt;
        }
        return c_;
    }

    // What was snapped, for the channel the row ends up in.
    std::vector<CsvNote> snapsFor(int channel) const {
        std::vector<CsvNote> out = snaps_;
        for (CsvNote& n : out) n.location = channel;
        return out;
    }

  private:
    std::string field(const char* column) const { return trimmed(columns_.value(record_, column)); }
    void error(CsvNote::Kind kind, const char* column, std::string value = {}) {
        CsvNote n{kind};
        n.line = record_.line;
        n.location = c_.location;
        n.column = column;
        n.value = std::move(value);
        if (isSkipReason(n))
            skip(std::move(n));
        else
            out_.errors.push_back(std::move(n));
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

    // A number of MHz in mHz, or nothing after an error.
    std::optional<std::int64_t> megahertz(const char* column) {
        const auto text = required(column);
        if (!text) return std::nullopt;
        const auto d = plainDecimal(*text);
        if (!d) return error(CsvNote::NotANumber, column, *text), std::nullopt;
        return d->floorScaled(9);
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
        const auto rx = megahertz("Frequency");
        std::string duplex = field("Duplex");
        std::transform(duplex.begin(), duplex.end(), duplex.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        std::optional<std::int64_t> tx = rx;
        if (duplex == "+" || duplex == "-") {
            const auto offset = megahertz("Offset");
            if (!rx || !offset) return;
            tx = duplex == "+" ? *rx + *offset : *rx - *offset;
        } else if (duplex == "split") {
            tx = megahertz("Offset");
        } else if (duplex == "off") {
            tx.reset();
        } else if (!duplex.empty()) {
            error(CsvNote::UnknownValue, "Duplex", field("Duplex"));
            return;
        }
        if (!rx || !inBand(*rx, "Frequency")) return;
        c_.rx = store(*rx, "Frequency");
        if (duplex == "off") return;
        if (!tx || !inBand(*tx, TxColumn)) return;
        c_.tx = duplex.empty() ? c_.rx : store(*tx, TxColumn);
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
        std::string p = upper(field("DtcsPolarity"));
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
        const std::string mode = upper(field("Tone"));
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
            const std::string cross = upper(field("CrossMode"));
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
        const std::string mode = upper(field("Mode"));
        if (mode == "FM")
            c_.wide = true;
        else if (mode == "NFM")
            c_.wide = false;
        else if (!mode.empty())
            error(CsvNote::UnknownValue, "Mode", field("Mode"));
    }

    void readPower() {
        const std::string power = field("Power");
        const std::string word = upper(power);
        if (word.empty()) return;
        if (word == "HIGH" || word == "LOW") {
            c_.highPower = word == "HIGH";
            return;
        }
        const std::string number =
            word.back() == 'W' ? trimmed(word.substr(0, word.size() - 1)) : word;
        const auto watts = plainDecimal(number);
        if (!watts) return error(CsvNote::UnknownValue, "Power", power);
        c_.highPower = watts->compare(WattsForHighPower, 0) >= 0;
    }

    void readSkip() {
        const std::string skip = upper(field("Skip"));
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
    CsvImport& out_;
    ChannelLine c_;
    std::vector<CsvNote> snaps_;
    std::optional<CsvNote> skip_;
};

void writeChannel(Image& im, const ChannelLine& c) {
    const int n = c.location;
    if (isEmptyChannel(im, n)) InitNewChannel(im, n);
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

std::string columnText(const std::string& column, bool chinese) {
    if (column == TxColumn) return chinese ? "发射频率" : "transmit frequency";
    if (column == "encode") return chinese ? "编码" : "encode";
    if (column == "decode") return chinese ? "解码" : "decode";
    return column;
}

}  // namespace

CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base) {
    return importChannelsCsv(s, text, base, CsvPlacement{});
}

CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                            const CsvPlacement& placement) {
    CsvImport out;
    out.image = base;
    const CsvDocument doc = parseCsv(text);
    if (doc.error) {
        CsvNote n{CsvNote::Syntax};
        n.line = doc.error->line;
        n.value = doc.error->text;
        out.errors.push_back(n);
        return out;
    }
    auto header = std::find_if(doc.records.begin(), doc.records.end(),
                               [](const CsvRecord& r) { return !r.blank(); });
    if (header == doc.records.end()) {
        out.errors.push_back(CsvNote{CsvNote::Empty, 1});
        return out;
    }
    const CsvColumns columns(*header);
    for (const char* column : {"Location", "Frequency"}) {
        if (columns.has(column)) continue;
        CsvNote n{CsvNote::MissingColumn, header->line};
        n.column = column;
        out.errors.push_back(n);
    }
    if (!out.ok()) return out;

    std::vector<std::pair<ChannelLine, int>> lines;  // with the line it came from
    std::vector<int> omitted = placement.leftOutLines;
    std::sort(omitted.begin(), omitted.end());
    std::map<int, int> firstLine;                     // location -> line
    int ordinal = 0, next = placement.first;
    for (auto r = header + 1; r != doc.records.end(); ++r) {
        if (r->blank()) continue;
        LineReader reader(s, columns, *r, ++ordinal, out);
        const auto location = reader.location();
        if (!location) continue;
        if (auto [it, fresh] = firstLine.emplace(*location, r->line); !fresh) {
            CsvNote n{CsvNote::ListedTwice, r->line, *location};
            n.otherLine = it->second;
            out.errors.push_back(n);
            continue;
        }
        if (std::binary_search(omitted.begin(), omitted.end(), r->line)) {
            ++out.leftOut;
            continue;
        }
        const auto& chosen = placement.locations;
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), *location) == chosen.end()) {
            ++out.leftOut;
            continue;
        }
        auto c = reader.read(!placement.inOrder);
        if (!c) continue;
        if (placement.inOrder) {
            if (next > ChannelCount) {
                CsvNote n{CsvNote::NoRoom, r->line, *location};
                n.value = std::to_string(*location);
                n.record = ordinal;
                out.skipped.push_back(n);
                continue;
            }
            c->location = next++;
        }
        const auto snaps = reader.snapsFor(c->location);
        out.snaps.insert(out.snaps.end(), snaps.begin(), snaps.end());
        lines.emplace_back(*c, r->line);
    }
    if (!out.ok()) return out;
    for (const auto& [c, line] : lines) {
        writeChannel(out.image, c);
        out.channels.push_back(c.location);
        out.lines.push_back(line);
    }
    return out;
}

namespace {

// The tone setting in a few words: the mode and the values it uses.
std::string toneSummary(const CsvColumns& columns, const CsvRecord& record) {
    auto field = [&](const char* column) { return trimmed(columns.value(record, column)); };
    const std::string mode = field("Tone");
    const std::string word = upper(mode);
    if (word == "TONE") return mode + " " + field("rToneFreq");
    if (word == "TSQL") return mode + " " + field("cToneFreq");
    if (word == "DTCS") return mode + " " + field("DtcsCode") + " " + field("DtcsPolarity");
    if (word != "CROSS") return mode;
    std::string values;
    const std::string cross = upper(field("CrossMode"));
    const std::size_t arrow = cross.find("->");
    auto side = [&](std::string_view kind, bool encode) {
        if (kind == "TONE") return field(encode ? "rToneFreq" : "cToneFreq");
        if (kind == "DTCS") return field(encode ? "DtcsCode" : "RxDtcsCode");
        return std::string("-");
    };
    if (arrow != std::string::npos)
        values = " " + side(std::string_view(cross).substr(0, arrow), true) + "/" +
                 side(std::string_view(cross).substr(arrow + 2), false);
    return mode + " " + field("CrossMode") + values;
}

std::string offsetSummary(const CsvColumns& columns, const CsvRecord& record) {
    const std::string duplex = trimmed(columns.value(record, "Duplex"));
    const std::string offset = trimmed(columns.value(record, "Offset"));
    if (duplex == "+" || duplex == "-") return duplex + offset;
    return duplex.empty() ? std::string() : duplex + (offset.empty() ? "" : " " + offset);
}

}  // namespace

CsvPlan planChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                        const CsvPlacement& placement) {
    CsvPlan plan;
    plan.import = importChannelsCsv(s, text, base, placement);
    const CsvDocument doc = parseCsv(text);
    if (doc.error) return plan;
    auto header = std::find_if(doc.records.begin(), doc.records.end(),
                               [](const CsvRecord& r) { return !r.blank(); });
    if (header == doc.records.end()) return plan;
    std::map<int, int> channelOf;  // line -> channel
    for (std::size_t i = 0; i < plan.import.lines.size(); ++i)
        channelOf[plan.import.lines[i]] = plan.import.channels[i];
    std::map<int, const CsvNote*> reasonOf;  // line -> the first error, else the skip reason
    for (const CsvNote& n : plan.import.errors) reasonOf.emplace(n.line, &n);
    for (const CsvNote& n : plan.import.skipped) reasonOf.emplace(n.line, &n);
    const CsvColumns columns(*header);
    std::vector<int> omitted = placement.leftOutLines;
    std::sort(omitted.begin(), omitted.end());
    for (auto r = header + 1; r != doc.records.end(); ++r) {
        if (r->blank()) continue;
        CsvRow row;
        row.line = r->line;
        auto field = [&](const char* column) { return trimmed(columns.value(*r, column)); };
        row.location = field("Location");
        row.name = field("Name");
        row.frequency = field("Frequency");
        row.offset = offsetSummary(columns, *r);
        row.tone = toneSummary(columns, *r);
        row.mode = field("Mode");
        row.power = field("Power");
        row.chosen = !std::binary_search(omitted.begin(), omitted.end(), r->line);
        if (auto c = channelOf.find(r->line); c != channelOf.end()) row.channel = c->second;
        if (auto n = reasonOf.find(r->line); n != reasonOf.end()) row.reason = *n->second;
        plan.rows.push_back(std::move(row));
    }
    return plan;
}

std::string csvRowFate(const CsvRow& row, bool chinese) {
    if (!row.chosen) return chinese ? "未选，不导入" : "not chosen";
    if (row.channel > 0)
        return (chinese ? "信道 " : "channel ") + std::to_string(row.channel);
    if (!row.reason) return {};
    CsvNote n = *row.reason;
    n.line = 0;
    switch (n.kind) {
        case CsvNote::Skipped:
            return chinese ? "跳过：位置 " + n.value + " 不是信道 1\u201316"
                           : "skipped: location " + n.value + " is not a channel 1\u201316";
        case CsvNote::NoRoom:
            return chinese ? "跳过：信道 16 之后没有空位" : "skipped: no channel left after 16";
        case CsvNote::UnknownValue:
            if (isSkipReason(n))  // a Mode or Tone word
                return chinese ? "跳过：本机没有 " + n.column + " \"" + n.value + "\""
                               : "skipped: this radio has no " + n.column + " \"" + n.value +
                                     "\"";
            [[fallthrough]];
        default:
            return (isSkipReason(n) ? (chinese ? "跳过：" : "skipped: ")
                                    : (chinese ? "错误：" : "error: ")) +
                   csvNoteText(n, chinese);
    }
}

CsvExport exportChannelsCsv(const AppState& s, const Image& image) {
    CsvExport out;
    out.text = csvLine(std::vector<std::string>(CsvColumnNames.begin(), CsvColumnNames.end()));
    ChannelExporter exporter(s, image, out);
    for (int n = 1; n <= ChannelCount; ++n) {
        if (isEmptyChannel(image, n)) continue;
        out.text += csvLine(exporter.fields(n));
        ++out.channels;
    }
    return out;
}

std::string csvNoteText(const CsvNote& note, bool chinese) {
    const std::string line = std::to_string(note.line);
    const std::string where =
        note.line > 0 ? (chinese ? "第 " + line + " 行：" : "line " + line + ": ") : std::string();
    const std::string channel = std::to_string(note.location);
    const std::string column = columnText(note.column, chinese);
    const std::string value = "\"" + note.value + "\"";
    switch (note.kind) {
        case CsvNote::Syntax:
            return where + (chinese ? "引号不匹配（" + note.value + "）" : note.value);
        case CsvNote::Empty:
            return chinese ? "文件是空的：没有标题行"
                           : "the file is empty: there is no header line";
        case CsvNote::MissingColumn:
            return where + (chinese ? "缺少列 " + column : "the column " + column + " is missing");
        case CsvNote::MissingValue:
            return where + (chinese ? column + " 没有值" : column + " has no value");
        case CsvNote::NotANumber:
            return where + (chinese ? column + " " + value + " 不是数字"
                                    : column + " " + value + " is not a number");
        case CsvNote::OutsideBand:
            return where +
                   (chinese ? column + " " + note.value + " MHz 超出频段 " + note.result + " MHz"
                            : column + " " + note.value + " MHz is outside the band " +
                                  note.result + " MHz");
        case CsvNote::NotATone:
            return where + (chinese
                                ? column + " " + value + " 不是音频表中的 CTCSS 音频"
                                : column + " " + value + " is not a CTCSS tone of the tone table");
        case CsvNote::NotADcsCode:
            return where + (chinese
                                ? column + " " + value + " 不是音频表中的 DCS 码"
                                : column + " " + value + " is not a DCS code of the tone table");
        case CsvNote::UnknownValue:
            return where + (chinese ? column + " 的值 " + value + " 无法识别"
                                    : column + " " + value + " is not a value this column takes");
        case CsvNote::ListedTwice:
            return where + (chinese ? "信道 " + channel + " 重复（第 " +
                                          std::to_string(note.otherLine) + " 行已列出）"
                                    : "channel " + channel + " is listed twice (first on line " +
                                          std::to_string(note.otherLine) + ")");
        case CsvNote::Snapped:
            return where +
                   (chinese ? "信道 " + channel + "：" + column + " " + note.value +
                                  " 不在信道步进上，已存为 " + note.result
                            : "channel " + channel + ": " + column + " " + note.value +
                                  " is off the channel raster and was stored as " + note.result);
        case CsvNote::Skipped:
            return where + (chinese ? "位置 " + note.value + " 不是信道（1 至 16），已跳过"
                                    : "Location " + note.value +
                                          " is not a channel (1 to 16) and was skipped");
        case CsvNote::NoRoom:
            return where + (chinese ? "位置 " + note.value + " 排在信道 16 之后，已跳过"
                                    : "Location " + note.value +
                                          " did not fit after channel 16 and was skipped");
        case CsvNote::ToneWithoutCsvForm:
            return chinese ? "信道 " + channel + "：" + column + "音频代码 " + note.value +
                                 " 无法写入 CSV，已写为无音频"
                           : "channel " + channel + ": the " + column + " tone code " + note.value +
                                 " has no CSV form and was written as no tone";
        case CsvNote::ToneNotInTable:
            return chinese ? "信道 " + channel + "：" + column + "音频 " + note.value +
                                 " Hz 不在音频表中，导入时会被拒绝"
                           : "channel " + channel + ": the " + column + " tone " + note.value +
                                 " Hz is not in the tone table; an import will refuse it";
    }
    return where;
}

bool isSkipReason(const CsvNote& note) {
    switch (note.kind) {
        case CsvNote::Skipped:
        case CsvNote::NoRoom:
        case CsvNote::OutsideBand:
        case CsvNote::NotATone:
        case CsvNote::NotADcsCode:
            return true;
        case CsvNote::UnknownValue:
            return note.column == "Mode" || note.column == "Tone";
        default:
            return false;
    }
}

namespace {

// Rows with these reasons are one group whatever their values; the others only with equal
// values (one Mode word, one Tone word).
bool valuesMayDiffer(CsvNote::Kind kind) {
    return kind == CsvNote::Skipped || kind == CsvNote::NoRoom || kind == CsvNote::OutsideBand ||
           kind == CsvNote::NotATone || kind == CsvNote::NotADcsCode;
}

bool sameReason(const CsvNote& a, const CsvNote& b) {
    return a.kind == b.kind && a.column == b.column &&
           (valuesMayDiffer(a.kind) || a.value == b.value);
}

const char* const Dash = "\u2013";  // an en dash between the ends of a range

}  // namespace

std::vector<CsvNoteGroup> groupCsvNotes(const std::vector<CsvNote>& notes) {
    std::vector<CsvNoteGroup> groups;
    int lastRecord = 0;
    for (const CsvNote& n : notes) {
        // Locations are reported as a range, so they must follow each other too.
        const bool byLocation = n.kind == CsvNote::Skipped || n.kind == CsvNote::NoRoom;
        const bool follows =
            !groups.empty() && n.record > 0 && n.record == lastRecord + 1 &&
            sameReason(groups.back().first, n) &&
            (!byLocation || n.location == std::atoi(groups.back().lastValue.c_str()) + 1);
        lastRecord = n.record;
        if (follows) {
            CsvNoteGroup& g = groups.back();
            g.lastLine = n.line;
            g.lastValue = n.value;
            ++g.count;
            continue;
        }
        groups.push_back(CsvNoteGroup{n, n.line, n.value, 1});
    }
    return groups;
}

std::string csvGroupLines(const CsvNoteGroup& group) {
    const std::string first = std::to_string(group.first.line);
    return group.count == 1 ? first : first + Dash + std::to_string(group.lastLine);
}

std::string csvGroupText(const CsvNoteGroup& group, bool chinese, bool withLine) {
    if (group.count == 1) {
        CsvNote n = group.first;
        if (!withLine) n.line = 0;
        return csvNoteText(n, chinese);
    }
    const CsvNote& n = group.first;
    const std::string lines = csvGroupLines(group);
    const std::string where =
        !withLine ? std::string() : chinese ? "第 " + lines + " 行：" : "lines " + lines + ": ";
    const std::string values = n.value + Dash + group.lastValue;
    const std::string rows = std::to_string(group.count);
    const std::string column = columnText(n.column, chinese);
    switch (n.kind) {
        case CsvNote::Skipped:
            return where + (chinese ? "位置 " + values + " 不是信道 1" + Dash + "16，已跳过"
                                    : "locations " + values + " are not channels 1" + Dash + "16");
        case CsvNote::NoRoom:
            return where + (chinese ? "位置 " + values + " 排在信道 16 之后，已跳过"
                                    : "locations " + values +
                                          " did not fit after channel 16 and were skipped");
        case CsvNote::OutsideBand:
            return where + (chinese ? rows + " 行的 " + column + " 超出频段 " + n.result +
                                          " MHz，已跳过"
                                    : rows + " rows with " + column + " outside the band " +
                                          n.result + " MHz were skipped");
        case CsvNote::NotATone:
            return where + (chinese ? rows + " 行的 " + column + " 不是音频表中的 CTCSS 音频，已跳过"
                                    : rows + " rows with " + column +
                                          " not a CTCSS tone of the tone table were skipped");
        case CsvNote::NotADcsCode:
            return where + (chinese ? rows + " 行的 " + column + " 不是音频表中的 DCS 码，已跳过"
                                    : rows + " rows with " + column +
                                          " not a DCS code of the tone table were skipped");
        default:
            return where + (chinese ? rows + " 行的 " + column + " 为 \"" + n.value +
                                          "\"，本机没有此方式，已跳过"
                                    : rows + " rows with " + column + " \"" + n.value +
                                          "\", which this radio does not have, were skipped");
    }
}

std::optional<std::vector<int>> parseLocationList(std::string_view text) {
    std::vector<int> out;
    std::string t;
    for (char ch : text)
        if (ch != ' ' && ch != '\t') t += ch;
    if (t.empty()) return std::nullopt;
    std::size_t pos = 0;
    while (pos <= t.size()) {
        const std::size_t comma = std::min(t.find(',', pos), t.size());
        const std::string part = t.substr(pos, comma - pos);
        const std::size_t dash = part.find('-');
        const auto from = plainInteger(part.substr(0, dash));
        const auto to = dash == std::string::npos ? from : plainInteger(part.substr(dash + 1));
        if (!from || !to || *to < *from || *to - *from > 100000) return std::nullopt;
        for (int v = *from; v <= *to; ++v) out.push_back(v);
        pos = comma + 1;
    }
    return out;
}

}  // namespace nv
