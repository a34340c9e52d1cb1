#include "channels/csv/Writer.h"

#include <cstdio>

#include "channels/ChannelRecord.h"
#include "core/Csv.h"
#include "core/Tones.h"

namespace nv {

namespace {

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

}  // namespace

CsvExport exportChannelsCsv(const AppState& s, const Image& image) {
    CsvExport out;
    out.text = csvLine(std::vector<std::string>(CsvColumnNames.begin(), CsvColumnNames.end()));
    ChannelExporter exporter(s, image, out);
    std::string signalling;  // the channels that lose it
    for (int n = 1; n <= ChannelCount; ++n) {
        if (isEmptyChannel(image, n)) continue;
        out.text += csvLine(exporter.fields(n));
        ++out.channels;
        if (getField(image, n, ch::OptSig) != 0 || getField(image, n, ch::PttId) != 0)
            signalling += (signalling.empty() ? "" : ", ") + std::to_string(n);
    }
    if (!signalling.empty()) {
        CsvNote n{CsvNote::NotCarried};
        n.value = signalling;
        out.notes.push_back(n);
    }
    return out;
}

CsvExport exportChannelRowsCsv(const AppState& s, const Image& image,
                               const std::vector<int>& channels) {
    CsvExport out;
    out.text = csvLine(std::vector<std::string>(CsvColumnNames.begin(), CsvColumnNames.end()));
    ChannelExporter exporter(s, image, out);
    for (int n : channels) {
        if (isEmptyChannel(image, n)) {
            std::vector<std::string> gap(CsvColumnNames.size());
            gap[0] = std::to_string(n);
            out.text += csvLine(gap);
            continue;
        }
        out.text += csvLine(exporter.fields(n));
        ++out.channels;
    }
    return out;
}

}  // namespace nv
