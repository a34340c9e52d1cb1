#pragma once
// Comma-separated values as other programs write them: fields in double quotes may hold
// commas, quotes (doubled) and line breaks; lines end in CR LF, LF or CR; a UTF-8 byte-order
// mark at the start is skipped. The first record is the header, and columns are found by name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv {

// The largest CSV file read: a repeater directory's export of a whole country is several
// megabytes.
inline constexpr std::int64_t MaxCsvFileSize = std::int64_t{64} << 20;
// The most rows such a file can hold: a location, a comma, a frequency and a line end each.
inline constexpr std::int64_t MaxCsvRows = MaxCsvFileSize / 4;

struct CsvRecord {
    int line = 0;  // 1-based line on which the record starts
    std::vector<std::string> fields;
    // True when every field is empty (a blank line, or a line of bare commas).
    bool blank() const;
};

struct CsvError {
    int line = 0;
    std::string text;
};

struct CsvDocument {
    std::vector<CsvRecord> records;  // the header is records[0]
    std::optional<CsvError> error;
};

CsvDocument parseCsv(std::string_view text);

// The records one at a time, so that a file of many megabytes is never held twice.
class CsvRecordReader {
  public:
    explicit CsvRecordReader(std::string_view text);
    // The next record into `record` (its storage is reused); false at the end or on an error.
    bool next(CsvRecord& record);
    const std::optional<CsvError>& error() const { return error_; }
    // Where the next record starts, and reading from such a place again (a record read twice
    // instead of kept).
    std::size_t position() const { return pos_; }
    void seek(std::size_t position, int line) {
        pos_ = position;
        line_ = line;
        error_.reset();
    }

  private:
    bool atLineEnd() const { return t_[pos_] == '\n' || t_[pos_] == '\r'; }
    void skipLineEnd();
    bool readQuoted(std::string& field);

    std::string_view t_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::optional<CsvError> error_;
};

// One field, quoted when it holds a comma, a quote, a line break or surrounding blanks.
std::string csvField(std::string_view value);
// A record with its line end (CR LF).
std::string csvLine(const std::vector<std::string>& fields);

// Column positions by header name. Names are compared without surrounding blanks and without
// regard to case; the first of two equal names wins.
class CsvColumns {
  public:
    explicit CsvColumns(const CsvRecord& header);
    std::optional<std::size_t> find(std::string_view name) const;
    // The field of a record in the named column: "" when the column or the field is missing.
    std::string value(const CsvRecord& record, std::string_view name) const;
    bool has(std::string_view name) const { return find(name).has_value(); }

  private:
    std::vector<std::string> names_;
};

}  // namespace nv
