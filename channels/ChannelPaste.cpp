#include "channels/ChannelPaste.h"

#include <algorithm>
#include <sstream>

#include "channels/ChannelEdit.h"
#include "core/Csv.h"
#include "core/VisibleText.h"
#include "core/Frequency.h"

namespace nv {

namespace {

constexpr std::string_view ClipHeader = "NV-742 channels 1";

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            out.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) out.push_back(line);
    return out;
}

std::vector<std::string> split(const std::string& line, std::string_view separators) {
    std::vector<std::string> out;
    std::string word;
    for (char c : line) {
        if (separators.find(c) != std::string_view::npos) {
            out.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    out.push_back(word);
    return out;
}

bool blank(const std::string& line) { return line.find_first_not_of(" \t,") == std::string::npos; }

bool plainNumber(const std::string& t) {
    int digits = 0, points = 0;
    for (char c : t) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

PasteProblem pastLast(int first, int count) {
    PasteProblem p{PasteProblem::PastLastChannel, 0, 0, 0, {}, {}};
    p.channel = first;
    p.count = count;
    return p;
}

// The records of a CSV or tab-separated text, or nothing when its first line is not the
// community header.
std::optional<CsvDocument> communityRecords(std::string_view text) {
    const std::vector<std::string> all = lines(text);
    std::size_t header = 0;
    while (header < all.size() && blank(all[header])) ++header;
    if (header == all.size()) return std::nullopt;
    CsvDocument doc;
    if (all[header].find('\t') != std::string::npos) {
        for (std::size_t i = 0; i < all.size(); ++i)
            doc.records.push_back(CsvRecord{static_cast<int>(i + 1), split(all[i], "\t")});
    } else {
        doc = parseCsv(text);
    }
    auto first = std::find_if(doc.records.begin(), doc.records.end(),
                              [](const CsvRecord& r) { return !r.blank(); });
    if (first == doc.records.end()) return std::nullopt;
    const CsvColumns columns(*first);
    if (!columns.has("Location") || !columns.has("Frequency")) return std::nullopt;
    doc.records.erase(doc.records.begin(), first);
    return doc;
}

bool onlyLocation(const CsvRecord& row, std::size_t location) {
    for (std::size_t i = 0; i < row.fields.size(); ++i)
        if (i != location && !blank(row.fields[i])) return false;
    return !blank(row.fields[location]);
}

// The rows renumbered from `first` on and read by the CSV import, so that its rules hold.
PasteResult pasteCommunity(const AppState& s, const Image& base, const CsvDocument& doc,
                           int first) {
    PasteResult r{base, {}, {}, {}};
    if (doc.error) {
        CsvNote n{CsvNote::Syntax, doc.error->line};
        n.value = doc.error->text;
        r.problems.push_back(PasteProblem{PasteProblem::Csv, n.line, 0, 0, {}, n});
        return r;
    }
    const CsvColumns columns(doc.records.front());
    const std::size_t location = *columns.find("Location");
    std::string csv = csvLine(doc.records.front().fields);
    std::vector<int> originalLine = {0, doc.records.front().line};  // by line of `csv`
    int channel = first, pastEnd = 0;
    std::vector<int> gaps;
    for (std::size_t i = 1; i < doc.records.size(); ++i) {
        CsvRecord row = doc.records[i];
        if (row.blank()) continue;
        if (channel > ChannelCount) {
            ++pastEnd;
            continue;
        }
        if (row.fields.size() <= location) row.fields.resize(location + 1);
        if (onlyLocation(row, location)) {  // an empty channel of a copy keeps its place
            gaps.push_back(channel++);
            continue;
        }
        row.fields[location] = std::to_string(channel++);
        csv += csvLine(row.fields);
        originalLine.push_back(row.line);
    }
    if (pastEnd > 0) r.problems.push_back(pastLast(first, channel - first + pastEnd));
    const CsvImport in = importChannelsCsv(s, csv, base);
    // A paste is all or nothing: a row the import would skip is a misfit here, not a skip.
    std::vector<CsvNote> misfits = in.errors;
    misfits.insert(misfits.end(), in.skipped.begin(), in.skipped.end());
    std::stable_sort(misfits.begin(), misfits.end(),
                     [](const CsvNote& a, const CsvNote& b) { return a.line < b.line; });
    // A note may stand for a run of rows; each pasted row has a problem of its own.
    for (const CsvNote& run : misfits) {
        for (int line = run.line; line <= run.endLine(); ++line) {
            CsvNote note = run;
            note.rows = 1;
            note.line = line;
            if (line > 0 && line < static_cast<int>(originalLine.size()))
                note.line = originalLine[line];
            r.problems.push_back(PasteProblem{PasteProblem::Csv, note.line, 0, 0, {}, note});
        }
    }
    if (!r.ok()) return r;
    r.image = in.image;
    r.channels = in.channels;
    for (CsvNote snap : in.snaps) {
        if (snap.line > 0 && snap.line < static_cast<int>(originalLine.size()))
            snap.line = originalLine[snap.line];
        r.snaps.push_back(std::move(snap));
    }
    for (int n : gaps) putChannel(r.image, n, emptySlot());
    r.channels.insert(r.channels.end(), gaps.begin(), gaps.end());
    std::sort(r.channels.begin(), r.channels.end());
    return r;
}

// A frequency that the raster moved is told, as an import tells it.
void noteSnap(PasteResult& r, int line, int channel, const char* column, const std::string& value,
              const std::string& stored) {
    const std::int64_t hz = textToHz(value);
    if (snapToRasterHz(hz) == hz) return;
    CsvNote n{CsvNote::Snapped, line, channel};
    n.column = column;
    n.value = value;
    n.result = stored;
    r.snaps.push_back(std::move(n));
}

// Each line as the grid takes a typed receive frequency and then a typed transmit frequency.
PasteResult pasteFrequencies(const AppState& s, const Image& base, std::string_view text,
                             int first) {
    PasteResult r{base, {}, {}, {}};
    Image im = base;
    const std::vector<std::string> all = lines(text);
    int channel = first, pastEnd = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const int line = static_cast<int>(i + 1);
        std::vector<std::string> values;
        for (const std::string& w : split(all[i], " \t,"))
            if (!w.empty()) values.push_back(plainNumber(w) ? withoutFloatNoise(w) : w);
        if (values.empty()) continue;
        if (channel > ChannelCount) {
            ++pastEnd;
            continue;
        }
        bool good = true;
        if (values.size() > 2) {
            r.problems.push_back(PasteProblem{PasteProblem::TooManyValues, line, 0, 0, all[i], {}});
            good = false;
        }
        for (std::size_t k = 0; k < values.size() && k < 2; ++k) {
            if (!plainNumber(values[k])) {
                r.problems.push_back(PasteProblem{PasteProblem::NotANumber, line, 0, 0, values[k], {}});
                good = false;
            } else if (outsideBand(s, values[k])) {
                r.problems.push_back(PasteProblem{PasteProblem::OutsideBand, line, 0, 0, values[k], {}});
                good = false;
            }
        }
        if (good) {
            const bool wasEmpty = isEmptyChannel(im, channel);
            const std::string rx = padFrequencyText(values[0]);
            noteSnap(r, line, channel, "Frequency", values[0],
                     textToFrequency(rx, im, channel, ch::RxFreq));
            textToFrequency(rx, im, channel, ch::TxFreq);
            if (wasEmpty) InitNewChannel(im, channel);
            if (values.size() == 2)
                noteSnap(r, line, channel, CsvTxColumn, values[1],
                         textToFrequency(padFrequencyText(values[1]), im, channel, ch::TxFreq));
            r.channels.push_back(channel);
        }
        ++channel;
    }
    if (pastEnd > 0) r.problems.push_back(pastLast(first, channel - first + pastEnd));
    if (r.ok()) r.image = im;
    if (!r.ok()) r.channels.clear();
    return r;
}

}  // namespace

std::string channelClipText(const Image& image, const std::vector<int>& channels) {
    std::ostringstream out;
    out << ClipHeader << "\n";
    for (int n : channels) {
        const ChannelSlot slot = takeChannel(image, n);
        for (Int16 b : slot.bytes) out << (b & 0xFF) << ' ';
        out << (slot.scan ? 1 : 0) << "\n";
    }
    return out.str();
}

std::optional<std::vector<ChannelSlot>> readChannelClip(std::string_view text) {
    const std::vector<std::string> all = lines(text);
    if (all.empty() || all.front() != ClipHeader) return std::nullopt;
    std::vector<ChannelSlot> slots;
    for (std::size_t i = 1; i < all.size(); ++i) {
        std::vector<int> v;
        for (const std::string& w : split(all[i], " "))
            if (!w.empty()) {
                if (!plainNumber(w) || w.find('.') != std::string::npos || w.size() > 3)
                    return std::nullopt;
                v.push_back(std::stoi(w));
            }
        if (v.size() != 17 || v[16] > 1) return std::nullopt;
        ChannelSlot slot;
        for (int c = 0; c < 16; ++c) {
            if (v[c] > 255) return std::nullopt;
            slot.bytes[c] = static_cast<Int16>(v[c]);
        }
        slot.scan = v[16] == 1;
        slots.push_back(slot);
    }
    return slots;
}

PasteResult pasteSlots(const Image& base, const std::vector<ChannelSlot>& slots, int first) {
    PasteResult r{base, {}, {}, {}};
    if (auto out = putChannels(base, slots, first)) {
        r.image = *out;
        for (std::size_t i = 0; i < slots.size(); ++i) r.channels.push_back(first + static_cast<int>(i));
    } else {
        r.problems.push_back(pastLast(first, static_cast<int>(slots.size())));
    }
    return r;
}

PasteResult pasteText(const AppState& s, const Image& base, std::string_view text, int first) {
    if (auto doc = communityRecords(text)) return pasteCommunity(s, base, *doc, first);
    return pasteFrequencies(s, base, text, first);
}

std::string pasteProblemText(const PasteProblem& p, bool chinese) {
    const std::string line = std::to_string(p.line);
    const std::string where = chinese ? "第 " + line + " 行：" : "line " + line + ": ";
    const std::string value = std::string(1, '"').append(visibleText(p.value)).append(1, '"');
    switch (p.kind) {
        case PasteProblem::PastLastChannel: {
            const int room = ChannelCount - p.channel + 1;
            return chinese ? std::to_string(p.count) + " 个信道从信道 " + std::to_string(p.channel) +
                                 " 起放不下：到信道 16 只有 " + std::to_string(room) + " 个位置"
                           : std::to_string(p.count) +
                                 (p.count == 1 ? " channel does" : " channels do") +
                                 " not fit from channel " +
                                 std::to_string(p.channel) + " on: there is room for " +
                                 std::to_string(room) + " up to channel 16";
        }
        case PasteProblem::NotANumber:
            return where + (chinese ? value + " 不是频率" : value + " is not a frequency");
        case PasteProblem::OutsideBand:
            return where + (chinese ? value + " MHz 超出频段" : value + " MHz is outside the band");
        case PasteProblem::TooManyValues:
            return where + (chinese ? "一行最多两个频率（接收、发射）"
                                    : "at most two frequencies (receive, transmit) on a line");
        case PasteProblem::Csv:
            return p.csv ? csvNoteText(*p.csv, chinese) : std::string();
    }
    return {};
}

}  // namespace nv
