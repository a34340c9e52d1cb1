#include "core/Csv.h"

#include <algorithm>
#include <cctype>

#include "core/NumberList.h"

namespace nv {

namespace {

std::string folded(std::string_view name) {
    std::size_t b = name.find_first_not_of(" \t");
    std::size_t e = name.find_last_not_of(" \t");
    std::string out =
        b == std::string_view::npos ? std::string() : std::string(name.substr(b, e - b + 1));
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return out;
}

// Reads records one character at a time; `line` counts CR LF, LF and CR line ends alike.
class Reader {
  public:
    explicit Reader(std::string_view text) : t_(withoutByteOrderMark(text)) {}

    CsvDocument read() {
        CsvDocument doc;
        while (pos_ < t_.size()) {
            CsvRecord record;
            record.line = line_;
            if (!readRecord(record, doc)) return doc;
            doc.records.push_back(std::move(record));
        }
        return doc;
    }

  private:
    bool atLineEnd() const { return t_[pos_] == '\n' || t_[pos_] == '\r'; }
    void skipLineEnd() {
        if (t_[pos_] == '\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // Reads one record and its line end; false after an error.
    bool readRecord(CsvRecord& record, CsvDocument& doc) {
        for (;;) {
            std::string field;
            if (pos_ < t_.size() && t_[pos_] == '"') {
                if (!readQuoted(field, doc)) return false;
            } else {
                while (pos_ < t_.size() && t_[pos_] != ',' && !atLineEnd()) field += t_[pos_++];
            }
            record.fields.push_back(std::move(field));
            if (pos_ >= t_.size()) return true;
            if (t_[pos_] == ',') {
                ++pos_;
                continue;
            }
            skipLineEnd();
            return true;
        }
    }

    bool readQuoted(std::string& field, CsvDocument& doc) {
        const int startLine = line_;
        ++pos_;  // the opening quote
        for (;;) {
            if (pos_ >= t_.size()) {
                doc.error = CsvError{startLine, "a quoted field is not closed"};
                return false;
            }
            const char ch = t_[pos_];
            if (ch == '"') {
                if (pos_ + 1 < t_.size() && t_[pos_ + 1] == '"') {
                    field += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;  // the closing quote
                if (pos_ < t_.size() && t_[pos_] != ',' && !atLineEnd()) {
                    doc.error = CsvError{line_, "text follows the closing quote of a field"};
                    return false;
                }
                return true;
            }
            if (atLineEnd()) {
                // A line break inside quotes belongs to the field, as written.
                const std::size_t from = pos_;
                skipLineEnd();
                field += t_.substr(from, pos_ - from);
                continue;
            }
            field += ch;
            ++pos_;
        }
    }

    std::string_view t_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

bool CsvRecord::blank() const {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
        return f.find_first_not_of(" \t") == std::string::npos;
    });
}

CsvDocument parseCsv(std::string_view text) { return Reader(text).read(); }

std::string csvField(std::string_view value) {
    const bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!quote) return std::string(value);
    std::string out = "\"";
    for (char ch : value) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += csvField(fields[i]);
    }
    return out + "\r\n";
}

CsvColumns::CsvColumns(const CsvRecord& header) {
    for (const std::string& name : header.fields) names_.push_back(folded(name));
}

std::optional<std::size_t> CsvColumns::find(std::string_view name) const {
    const std::string wanted = folded(name);
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == wanted) return i;
    return std::nullopt;
}

std::string CsvColumns::value(const CsvRecord& record, std::string_view name) const {
    const auto column = find(name);
    if (!column || *column >= record.fields.size()) return {};
    return record.fields[*column];
}

}  // namespace nv
