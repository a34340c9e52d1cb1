#pragma once
// The whole of the program's shared state: the radio memory image, the adjustment table,
// the tone and model tables and the globals every window reads. One instance is created by
// the application and handed by reference to every window; tests create one per case.

#include <array>
#include <cstdint>
#include <string>

namespace nv {

constexpr int ImageRows = 131;
constexpr int ImageCells = 33;
constexpr int RadioRows = 64;  // rows 0..63, cells 0..15 are the radio's 1024 bytes
constexpr int RadioCells = 16;
constexpr int ToneSlots = 261;  // entries 0..205 used
constexpr int ToneCount = 206;
constexpr int ModelSlots = 7;  // entries 0..2 used
constexpr int AdjustRows = 17;
constexpr int AdjustCells = 17;
constexpr int ReplyRows = 66;
constexpr int ReplyPositions = 71;

using Int16 = std::int16_t;

// RadioImage(row, cell): row 0..130, cell 0..32; every element holds a byte value.
class Image {
  public:
    Image() { clear(); }
    Int16 operator()(int row, int cell) const { return cells_[index(row, cell)]; }
    Int16& operator()(int row, int cell) { return cells_[index(row, cell)]; }
    int byte(int row, int cell) const { return (*this)(row, cell) & 0xFF; }
    void clear() { cells_.fill(0); }
    void fillRadioMemory(Int16 value);
    bool operator==(const Image&) const = default;

  private:
    static int index(int row, int cell);
    std::array<Int16, ImageRows * ImageCells> cells_{};
};

template <int Rows, int Cols>
struct Table {
    std::array<std::array<Int16, Cols>, Rows> v{};
    Int16 operator()(int r, int c) const { return v.at(r).at(c); }
    Int16& operator()(int r, int c) { return v.at(r).at(c); }
    bool operator==(const Table&) const = default;
};

using AdjustTable = Table<AdjustRows, AdjustCells>;
using ReplyTableT = Table<ReplyRows, ReplyPositions>;

struct AppState {
    Image RadioImage;
    AdjustTable AdjustImage;

    std::array<std::string, ToneSlots> ToneNames{};
    std::array<Int16, ToneSlots> ToneCodeHigh{};
    std::array<Int16, ToneSlots> ToneCodeLow{};

    std::array<std::string, ModelSlots> ModelNames{};
    std::array<std::array<Int16, 2>, ModelSlots> BandLimits{};
    Int16 ModelIndex = 0;
    double BandLowMHz = 0;
    double BandHighMHz = 0;

    bool LanguageChinese = false;
    Int16 CommPortNumber = 0;
    bool PortOpenFailed = false;
    Int16 CurrentChannel = 0;
    std::string CurrentFilePath;
    std::string VersionText;
    ReplyTableT ReplyTable;

    // The port and the time (seconds since the epoch) of the radio read that gave the image; 0
    // once a file has been opened or saved since. The channel sheet names where its data came from.
    Int16 ReadFromPort = 0;
    std::int64_t ReadAtSeconds = 0;

    bool AdjLoadRequest = false;
    bool AdjSaveRequest = false;

    // The image as it was last loaded from or saved to a channel file, read from or written to
    // the radio, or as start-up left it: leaving the program with another image asks first.
    Image KeptImage;
    // The adjustment table holds what the radio or an .adj file gave in this run. Until then it
    // holds start-up values, which Write must never put over a radio's own alignment.
    bool AdjustImageKnown = false;
    // The adjustment table as it was last read, written, opened from or saved to an .adj file,
    // or as start-up left it.
    AdjustTable KeptAdjust;
};

// The image is now in a file or in the radio (or is what start-up built).
inline void keepImage(AppState& s) { s.KeptImage = s.RadioImage; }
inline bool imageKept(const AppState& s) { return s.RadioImage == s.KeptImage; }
inline void keepAdjust(AppState& s) { s.KeptAdjust = s.AdjustImage; }
inline bool adjustKept(const AppState& s) { return s.AdjustImage == s.KeptAdjust; }

// Text of the active language; both texts are UTF-8.
inline const char* pick(const AppState& s, const char* chinese, const char* english) {
    return s.LanguageChinese ? chinese : english;
}

}  // namespace nv
