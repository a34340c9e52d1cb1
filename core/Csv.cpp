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

}  // namespace

bool CsvRecord::blank() const {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
        return f.find_first_not_of(" \t") == std::string::npos;
    });
}

CsvDocument parseCsv(std::string_view text) {
    CsvDocument doc;
    CsvRecordReader reader(text);
    for (CsvRecord record; reader.next(record);) doc.records.push_back(record);
    doc.error = reader.error();
    return doc;
}

// Reads one character at a time; `line` counts CR LF, LF and CR line ends alike.
CsvRecordReader::CsvRecordReader(std::string_view text) : t_(withoutByteOrderMark(text)) {}

void CsvRecordReader::skipLineEnd() {
    if (t_[pos_] == '\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

bool CsvRecordReader::next(CsvRecord& record) {
    if (error_ || pos_ >= t_.size()) return false;
    record.line = line_;
    std::size_t count = 0;
    for (;;) {
        if (count == record.fields.size()) record.fields.emplace_back();
        std::string& field = record.fields[count++];
        field.clear();
        if (pos_ < t_.size() && t_[pos_] == '"') {
            if (!readQuoted(field)) return false;
        } else {
            const std::size_t from = pos_;
            while (pos_ < t_.size() && t_[pos_] != ',' && !atLineEnd()) ++pos_;
            field.assign(t_.substr(from, pos_ - from));
        }
        if (pos_ < t_.size() && t_[pos_] == ',') {
            ++pos_;
            continue;
        }
        if (pos_ < t_.size()) skipLineEnd();
        record.fields.resize(count);
        return true;
    }
}

bool CsvRecordReader::readQuoted(std::string& field) {
    const int startLine = line_;
    ++pos_;  // the opening quote
    for (;;) {
        if (pos_ >= t_.size()) {
            error_ = CsvError{startLine, "a quoted field is not closed"};
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
                error_ = CsvError{line_, "text follows the closing quote of a field"};
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
