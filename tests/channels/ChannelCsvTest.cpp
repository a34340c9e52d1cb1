#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "channels/csv/Placement.h"
#include "channels/csv/Writer.h"
#include "channels/ChannelBlock.h"
#include "channels/ChannelPaste.h"
#include "channels/ChannelRecord.h"
#include "core/Csv.h"
#include "core/Decimal.h"
#include "core/Frequency.h"
#include "core/Startup.h"
#include "core/Tones.h"

using namespace nv;

namespace {

const char* const Header =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

AppState started() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s;
}

std::vector<int> row(const Image& im, int r) {
    std::vector<int> v;
    for (int c = 0; c < 16; ++c) v.push_back(im.byte(r, c));
    return v;
}

std::vector<std::string> texts(const std::vector<CsvNote>& notes) {
    std::vector<std::string> out;
    for (const CsvNote& n : notes) out.push_back(csvNoteText(n, false));
    return out;
}

// The exported line of a channel, split into its fields.
std::vector<std::string> exportedChannel(const AppState& s, const Image& im, int n) {
    const CsvDocument d = parseCsv(exportChannelsCsv(s, im).text);
    for (const CsvRecord& r : d.records)
        if (r.fields[0] == std::to_string(n)) return r.fields;
    return {};
}

struct Tones {
    const char* tone;
    const char* rTone;
    const char* cTone;
    const char* dtcs;
    const char* polarity;
    const char* rxDtcs;
    const char* cross;
};

Tones toneColumns(const std::vector<std::string>& f) {
    return {f[5].c_str(), f[6].c_str(),  f[7].c_str(), f[8].c_str(),
            f[9].c_str(), f[10].c_str(), f[11].c_str()};
}

}  // namespace

TEST(CsvExport, WritesTheSharedHeaderAndEveryChannelInUse) {
    AppState s = started();
    ClearChannel(s.RadioImage, 7);
    setScanBit(s.RadioImage, 2, true);
    const CsvExport e = exportChannelsCsv(s, s.RadioImage);
    EXPECT_EQ(e.channels, 15);
    EXPECT_TRUE(e.notes.empty());
    const CsvDocument d = parseCsv(e.text);
    ASSERT_EQ(d.records.size(), 16u);
    const std::string firstTwo =
        std::string(Header) + "\r\n" +
        "1,,450.025000,,0.000000,TSQL,88.5,67.0,023,NN,023,Tone->Tone,FM,5.00,S,High,,,,,\r\n";
    EXPECT_EQ(e.text.substr(0, firstTwo.size()), firstTwo);
    const auto ch2 = exportedChannel(s, s.RadioImage, 2);
    EXPECT_EQ(ch2[2], "460.043750");
    EXPECT_EQ(ch2[13], "6.25");  // the raster the frequency lies on
    EXPECT_EQ(ch2[14], "");      // in the scan list
    const auto ch5 = exportedChannel(s, s.RadioImage, 5);
    EXPECT_EQ(ch5[5], "DTCS");
    EXPECT_EQ(ch5[8], "754");
    EXPECT_EQ(ch5[9], "RR");
    EXPECT_TRUE(exportedChannel(s, s.RadioImage, 7).empty());
}

TEST(CsvExport, DuplexPowerAndModeColumns) {
    AppState s = started();
    Image& im = s.RadioImage;
    textToFrequency("440.525", im, 3, 4);         // transmit below receive
    textToFrequency("475.125", im, 4, 4);         // transmit above
    for (int c = 4; c < 8; ++c) im(6, c) = 0xFF;  // receive only
    setField(im, 8, ch::HighPower, 0);
    setField(im, 8, ch::Wide, 0);
    auto f3 = exportedChannel(s, im, 3), f4 = exportedChannel(s, im, 4),
         f6 = exportedChannel(s, im, 6), f8 = exportedChannel(s, im, 8);
    EXPECT_EQ(f3[3] + " " + f3[4], "- 29.400000");
    EXPECT_EQ(f4[3] + " " + f4[4], "+ 75.000000");
    EXPECT_EQ(f6[3] + " " + f6[4], "off 0.000000");
    EXPECT_EQ(f8[12] + " " + f8[15], "NFM Low");
}

TEST(CsvExport, EachToneCombinationInItsSimplestMode) {
    AppState s = started();
    const ToneCode off{0xFF, 0xFF}, t885{0x75, 0x03}, t1000{0xE8, 0x03}, d023n{0x13, 0x28},
        d023i{0x13, 0xA8}, d754n{0xEC, 0x29};
    struct Case {
        ToneCode enc, dec;
        Tones expected;
    } cases[] = {
        {off, off, {"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {t1000, off, {"Tone", "100.0", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {t1000, t1000, {"TSQL", "88.5", "100.0", "023", "NN", "023", "Tone->Tone"}},
        {d023n, d023i, {"DTCS", "88.5", "88.5", "023", "NR", "023", "Tone->Tone"}},
        {t885, t1000, {"Cross", "88.5", "100.0", "023", "NN", "023", "Tone->Tone"}},
        {t1000, d754n, {"Cross", "100.0", "88.5", "023", "NN", "754", "Tone->DTCS"}},
        {d754n, t1000, {"Cross", "88.5", "100.0", "754", "NN", "023", "DTCS->Tone"}},
        {d754n, d023i, {"Cross", "88.5", "88.5", "754", "NR", "023", "DTCS->DTCS"}},
        {off, t1000, {"Cross", "88.5", "100.0", "023", "NN", "023", "->Tone"}},
        {off, d754n, {"Cross", "88.5", "88.5", "023", "NN", "754", "->DTCS"}},
        {d023i, off, {"Cross", "88.5", "88.5", "023", "RN", "023", "DTCS->"}},
    };
    for (const Case& c : cases) {
        setTone(s.RadioImage, 9, ch::EncodeTone, c.enc.low, c.enc.high);
        setTone(s.RadioImage, 9, ch::DecodeTone, c.dec.low, c.dec.high);
        const auto f = exportedChannel(s, s.RadioImage, 9);
        const Tones t = toneColumns(f);
        const std::string got = std::string(t.tone) + "|" + t.rTone + "|" + t.cTone + "|" + t.dtcs +
                                "|" + t.polarity + "|" + t.rxDtcs + "|" + t.cross;
        const Tones& x = c.expected;
        const std::string want = std::string(x.tone) + "|" + x.rTone + "|" + x.cTone + "|" +
                                 x.dtcs + "|" + x.polarity + "|" + x.rxDtcs + "|" + x.cross;
        EXPECT_EQ(got, want);
        // And the import reads the same two codes back.
        const CsvImport back =
            importChannelsCsv(s, exportChannelsCsv(s, s.RadioImage).text, s.RadioImage);
        ASSERT_TRUE(back.ok()) << texts(back.errors).front();
        EXPECT_EQ(row(back.image, 9), row(s.RadioImage, 9)) << want;
    }
}

TEST(CsvExport, ToneCodesACsvCannotCarryAreNoted) {
    AppState s = started();
    setTone(s.RadioImage, 3, ch::DecodeTone, 0xED, 0x03);  // 100.5 Hz: not in the tone table
    setTone(s.RadioImage, 4, ch::EncodeTone, 0x34, 0x12);  // no tone at all
    const CsvExport e = exportChannelsCsv(s, s.RadioImage);
    EXPECT_EQ(texts(e.notes),
              (std::vector<std::string>{
                  "channel 3: the decode tone 100.5 Hz is not in the tone table; an import will "
                  "refuse it",
                  "channel 4: the encode tone code 34 12 has no CSV form and was written as no "
                  "tone"}));
}

// Channels that a CSV line can say exactly: frequencies in the band and on the raster, tones
// from the tone table (off stored as FF FF), a transmit frequency or none (FF FF FF FF).
TEST(CsvRoundTrip, ExportThenImportGivesBackTheSameChannelBytes) {
    AppState s = started();
    std::mt19937 random(2024);
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    auto frequency = [&] {
        const std::int64_t step = pick(2) ? 5000 : 6250;
        const std::int64_t low = 400'000'000, high = 481'000'000;
        return low + step * pick(static_cast<int>((high - low) / step + 1));
    };
    auto tone = [&] {
        const int i = pick(4) == 0 ? 0 : pick(LastTone + 1);
        return toneCodeOf(s, i);
    };
    for (int round = 0; round < 300; ++round) {
        Image im = s.RadioImage;
        for (int r = 0; r < 64; ++r)
            for (int c = 0; c < 16; ++c) im(r, c) = static_cast<Int16>(pick(256));
        for (int n = 1; n <= ChannelCount; ++n) {
            if (pick(5) == 0) {
                for (int c = 0; c < 16; ++c) im(n, c) = 0xFF;
                continue;
            }
            const std::int64_t rx = frequency();
            textToFrequency(shortestDecimal(rx, 6), im, n, 0);
            const bool receiveOnly = pick(3) == 0;
            switch (receiveOnly ? 0 : 1 + pick(2)) {
                case 0:
                    for (int c = 4; c < 8; ++c) im(n, c) = 0xFF;
                    break;
                case 1:
                    for (int c = 4; c < 8; ++c) im(n, c) = im(n, c - 4);
                    break;
                default:
                    textToFrequency(shortestDecimal(frequency(), 6), im, n, 4);
            }
            // A channel that does not transmit has no encode tone in the windows either.
            const ToneCode dec = tone();
            const ToneCode enc = receiveOnly ? ToneCode{} : pick(3) == 0 ? dec : tone();
            setTone(im, n, ch::DecodeTone, dec.low, dec.high);
            setTone(im, n, ch::EncodeTone, enc.low, enc.high);
        }
        const CsvExport e = exportChannelsCsv(s, im);
        for (const CsvNote& n : e.notes) ASSERT_EQ(n.kind, CsvNote::NotCarried);
        // The CSV's fields as they were, the rest from the new-channel pattern, whether the
        // channels were empty or not.
        const CsvImport over = importChannelsCsv(s, e.text, im);
        ASSERT_TRUE(over.ok()) << texts(over.errors).front() << "\n" << e.text;
        ASSERT_TRUE(over.snaps.empty());
        Image empty = im;
        for (int n = 1; n <= ChannelCount; ++n) ClearChannel(empty, n);
        const CsvImport back = importChannelsCsv(s, e.text, empty);
        ASSERT_TRUE(back.ok());
        for (int n : back.channels) ASSERT_EQ(row(over.image, n), row(back.image, n));
        // A copied list keeps an empty channel's place with a row of its location alone: the
        // import empties that channel, over whatever the target held there.
        std::vector<int> all(ChannelCount);
        std::iota(all.begin(), all.end(), 1);
        const std::string copy = exportChannelRowsCsv(s, im, all).text;
        Image held = im;
        for (int n = 1; n <= ChannelCount; ++n) textToFrequency("446.1", held, n, 0);
        for (const Image& target : {empty, held}) {
            const CsvImport copied = importChannelsCsv(s, copy, target);
            ASSERT_TRUE(copied.ok() && copied.bad.empty() && copied.skipped.empty());
            ASSERT_EQ(copied.channels, all);
            for (int n = 1; n <= ChannelCount; ++n) {
                ASSERT_EQ(row(copied.image, n), row(back.image, n)) << n;
                ASSERT_EQ(scanBit(copied.image, n), isEmptyChannel(im, n) ? false : scanBit(im, n));
            }
        }
        for (int n = 1; n <= ChannelCount; ++n) {
            if (isEmptyChannel(im, n)) {
                ASSERT_TRUE(isEmptyChannel(back.image, n));
                continue;
            }
            for (int c = 0; c < 12; ++c) ASSERT_EQ(back.image(n, c), im(n, c)) << n << " " << c;
            ASSERT_EQ(getField(back.image, n, ch::Wide), getField(im, n, ch::Wide));
            ASSERT_EQ(getField(back.image, n, ch::HighPower), getField(im, n, ch::HighPower));
            ASSERT_EQ(scanBit(back.image, n), scanBit(im, n));
            ASSERT_EQ(back.image(n, 12), 0x00);
            ASSERT_EQ(back.image(n, 13) & ~0x30, 0xBF & ~0x30);
            ASSERT_EQ(back.image(n, 14), 0xB0);
            ASSERT_EQ(back.image(n, 15), 0xF8);
        }
    }
}

TEST(CsvImport, FilesFromOtherToolsLoad) {
    // Columns in another order, an extra column, quoted fields, a byte-order mark, CR LF, the
    // digital-voice columns missing, locations counted from 0 by another radio.
    const std::string text =
        "\xEF\xBB\xBF"
        "Frequency,Location,\"Name\",Power,Mode,Tone,cToneFreq,Bank,Skip\r\n"
        "\"446.006250\",1,\"PMR, 1\",5.0W,FM,TSQL,67.0,A,\r\n"
        "446.018750,\"2\",PMR 2,0.5W,NFM,,88.5,B,S\r\n"
        "446.1,0,Call,,,,,,\r\n";
    AppState s = started();
    const CsvImport r = importChannelsCsv(s, text, s.RadioImage);
    ASSERT_TRUE(r.ok()) << texts(r.errors).front();
    EXPECT_EQ(r.channels, (std::vector<int>{1, 2}));
    EXPECT_EQ(texts(r.skipped),
              (std::vector<std::string>{
                  "line 4: Location 0 is not a channel (1 to 16) and was skipped"}));
    EXPECT_EQ(row(r.image, 1), (std::vector<int>{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44,
                                                 0x9E, 0x02, 0x9E, 0x02, 0x00, 0xBF, 0xB0, 0xF8}));
    EXPECT_EQ(getField(r.image, 2, ch::HighPower), 0);
    EXPECT_EQ(getField(r.image, 2, ch::Wide), 0);
    EXPECT_EQ(row(r.image, 2)[8], 0xFF);  // no tone
    EXPECT_TRUE(scanBit(r.image, 1));
    EXPECT_FALSE(scanBit(r.image, 2));
    for (int n = 3; n <= 16; ++n) EXPECT_EQ(row(r.image, n), row(s.RadioImage, n));
}

TEST(CsvImport, DuplexOffsetAndCrossModes) {
    // The words of Duplex, Tone and CrossMode in any case, as some programs write them.
    AppState s = started();
    const std::string text =
        std::string(Header) +
        "\n1,,440.000000,+,5.000000,Cross,100.0,88.5,023,NR,754,Tone->DTCS,FM,,,High,,,,,"
        "\n2,,440.000000,-,10.000000,Cross,88.5,88.5,754,RN,023,DTCS->,FM,,,High,,,,,"
        "\n3,,440.000000,split,470.125000,cross,88.5,67.0,023,NN,023,->tone,FM,,,High,,,,,"
        "\n4,,440.000000,off,0,DTCS,88.5,88.5,023,RR,023,Tone->Tone,FM,,,High,,,,,"
        "\n5,,440.000000,,,Cross,88.5,88.5,025,RN,754,DTCS->DTCS,FM,,,High,,,,,\n";
    const CsvImport r = importChannelsCsv(s, text, s.RadioImage);
    ASSERT_TRUE(r.ok()) << texts(r.errors).front();
    auto tx = [&](int n) {
        return hasTxFrequency(r.image, n) ? frequencyToText(r.image, n, 4) : "none";
    };
    auto tone = [&](int n, int cell) {
        return trim(gridToneText(s, r.image.byte(n, cell), r.image.byte(n, cell + 1), false));
    };
    EXPECT_EQ(tx(1), "445.00000");
    EXPECT_EQ(tone(1, ch::EncodeTone) + " " + tone(1, ch::DecodeTone), "100.0 D754I");
    EXPECT_EQ(tx(2), "430.00000");
    EXPECT_EQ(tone(2, ch::EncodeTone) + " " + tone(2, ch::DecodeTone), "D754I None");
    EXPECT_EQ(tx(3), "470.12500");
    EXPECT_EQ(tone(3, ch::EncodeTone) + " " + tone(3, ch::DecodeTone), "None 67.0");
    EXPECT_EQ(tx(4), "none");
    EXPECT_EQ(row(r.image, 4)[4], 0xFF);
    EXPECT_EQ(row(r.image, 4)[7], 0xFF);
    EXPECT_EQ(tone(4, ch::EncodeTone) + " " + tone(4, ch::DecodeTone), "None D023I");
    EXPECT_EQ(tx(5), "440.00000");
    EXPECT_EQ(tone(5, ch::EncodeTone) + " " + tone(5, ch::DecodeTone), "D025I D754N");
}

TEST(CsvImport, PowerInWattsModeAndSkip) {
    AppState s = started();
    const std::string text = std::string("Location,Frequency,Power,Mode,Skip\n") +
                             "1,450,4W,NFM,S\n2,450,3.9 W,fm,P\n3,450,low,,\n4,450,,,\n";
    setField(s.RadioImage, 4, ch::HighPower, 0);
    setField(s.RadioImage, 4, ch::Wide, 0);
    const CsvImport r = importChannelsCsv(s, text, s.RadioImage);
    ASSERT_TRUE(r.ok()) << texts(r.errors).front();
    EXPECT_EQ(getField(r.image, 1, ch::HighPower), 1);
    EXPECT_EQ(getField(r.image, 1, ch::Wide), 0);
    EXPECT_FALSE(scanBit(r.image, 1));
    EXPECT_EQ(getField(r.image, 2, ch::HighPower), 0);
    EXPECT_EQ(getField(r.image, 2, ch::Wide), 1);
    EXPECT_TRUE(scanBit(r.image, 2));
    EXPECT_EQ(getField(r.image, 3, ch::HighPower), 0);
    // Empty Power and Mode are a new channel's, whatever the channel had.
    EXPECT_EQ(getField(r.image, 4, ch::HighPower), 1);
    EXPECT_EQ(getField(r.image, 4, ch::Wide), 1);
}

TEST(CsvImport, AListedChannelIsItsRowOverANewChannelTheOthersAreKept) {
    AppState s = started();
    Image base = s.RadioImage;
    ClearChannel(base, 7);
    // What a CSV does not carry does not stay from the channel it replaces.
    setField(base, 3, ch::OptSig, 2);
    setField(base, 3, ch::PttId, 1);
    setField(base, 3, ch::HighPower, 0);
    base(3, 15) = 0xFB;
    const CsvImport r = importChannelsCsv(s,
                                          "Location,Name,Frequency,Tone,rToneFreq\n"
                                          "7,Club,433.5,Tone,88.5\n"
                                          "3,,433.5,,\n",
                                          base);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(row(r.image, 7), (std::vector<int>{0x00, 0x00, 0x35, 0x43, 0x00, 0x00, 0x35, 0x43,
                                                 0xFF, 0xFF, 0x75, 0x03, 0x00, 0xBF, 0xB0, 0xF8}));
    EXPECT_TRUE(scanBit(r.image, 7));
    EXPECT_EQ(row(r.image, 3), (std::vector<int>{0x00, 0x00, 0x35, 0x43, 0x00, 0x00, 0x35, 0x43,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xBF, 0xB0, 0xF8}));
    for (int r2 : {1, 2, 4, 5, 6, 8, 17, 19, 22, 40})
        EXPECT_EQ(row(r.image, r2), row(base, r2)) << r2;
    EXPECT_EQ(texts(r.notKept),
              std::vector<std::string>{"the radio does not keep these columns: Name"});
    // And the other way, once for all channels.
    EXPECT_EQ(texts(exportChannelsCsv(s, base).notes),
              std::vector<std::string>{"the layout has no column for signalling or PTT-ID; those "
                                       "of channel 3 were not exported"});
}

TEST(CsvImport, OffRasterFrequenciesAreSnappedLikeTheGridAndListed) {
    AppState s = started();
    const CsvImport r = importChannelsCsv(
        s, "Location,Frequency,Duplex,Offset\n2,446.003,+,5.0071\n5,446.00625,,\n", s.RadioImage);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(frequencyToText(r.image, 2, 0), "446.00000");
    EXPECT_EQ(frequencyToText(r.image, 2, 4), "451.01000");
    EXPECT_EQ(texts(r.snaps),
              (std::vector<std::string>{
                  "line 2: channel 2: Frequency 446.003 is off the channel raster and was stored "
                  "as 446.00000",
                  "line 2: channel 2: transmit frequency 451.0101 is off the channel raster and "
                  "was stored as 451.01000"}));
}

TEST(CsvImport, FloatNoiseFromASpreadsheetIsTheRasterPointNotASnap) {
    AppState s = started();
    // Saved again by a spreadsheet: every number went through binary floating point.
    const CsvImport r = importChannelsCsv(s,
                                          "Location,Frequency,Duplex,Offset\n"
                                          "1,446.00624999999998,,\n"
                                          "2,438.52499999999998,-,7.6000000000000005\n"
                                          "3,440.00000000000006,split,431.10624999999999\n"
                                          "4,446.006251,,\n"   // 1 Hz off
                                          "5,446.006252,,\n",  // 2 Hz off: a frequency
                                          s.RadioImage);
    ASSERT_TRUE(r.ok());
    std::vector<std::string> stored;
    for (int n = 1; n <= 5; ++n)
        stored.push_back(frequencyToText(r.image, n, 0) + " " + frequencyToText(r.image, n, 4));
    EXPECT_EQ(stored, (std::vector<std::string>{"446.00625 446.00625", "438.52500 430.92500",
                                                "440.00000 431.10625", "446.00625 446.00625",
                                                "446.00625 446.00625"}));
    EXPECT_EQ(texts(r.snaps),
              (std::vector<std::string>{
                  "line 6: channel 5: Frequency 446.006252 is off the channel raster and was "
                  "stored as 446.00625"}));
}

TEST(CsvImport, AReceiveOnlyRowStoresNoEncodeToneTheWindowsCannotShow) {
    AppState s = started();
    const CsvImport r = importChannelsCsv(s,
                                          "Location,Frequency,Duplex,Offset,Tone,rToneFreq,"
                                          "cToneFreq\n"
                                          "3,446.00625,off,0,TSQL,88.5,88.5\n"
                                          "4,446.0125,off,,Tone,100.0,\n",
                                          s.RadioImage);
    ASSERT_TRUE(r.ok());
    // Transmit frequency, decode tone, encode tone.
    const auto cells = [&](int n) {
        const std::vector<int> all = row(r.image, n);
        return std::vector<int>(all.begin() + 4, all.begin() + 12);
    };
    EXPECT_EQ(cells(3), (std::vector<int>{0xFF, 0xFF, 0xFF, 0xFF, 0x75, 0x03, 0xFF, 0xFF}));
    EXPECT_EQ(cells(4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(CsvImport, AFileThatCannotBeReadIsRefusedWholeWithEveryProblemAndItsLine) {
    AppState s = started();
    const std::string text =
        std::string(Header) + "\n" +
        "1,,390.000000,,0,,,,,,,,FM,,,High,,,,,\n"           // 2 below the band: skipped
        "2,,450.000000,+,40,,,,,,,,FM,,,High,,,,,\n"         // 3 transmit above: skipped
        "3,,45O.000000,,0,,,,,,,,FM,,,High,,,,,\n"           // 4 a letter O
        "4,,450.000000,,0,Tone,88.4,,,,,,FM,,,High,,,,,\n"   // 5 not a tone: skipped
        "5,,450.000000,,0,DTCS,,,024,NN,,,FM,,,High,,,,,\n"  // 6 not a DCS code: skipped
        "6,,450.000000,,0,TSQL-R,,,,,,,FM,,,High,,,,,\n"     // 7 a tone mode it lacks: skipped
        "7,,450.000000,,0,,,,,,,,AM,,,High,,,,,\n"           // 8 a mode it lacks: skipped
        "3,,450.000000,,0,,,,,,,,FM,,,High,,,,,\n"           // 9 channel 3 again
        "8,,450.000000,x,0,,,,,,,,FM,,,High,,,,,\n"          // 10
        "9,,450.000000,,0,DTCS,,,023,NX,,,FM,,,High,,,,,\n"  // 11
        "1a,,450.000000,,0,,,,,,,,FM,,,High,,,,,\n"          // 12
        "10,,,,0,,,,,,,,FM,,,High,,,,,\n"                    // 13 no frequency
        "11,,450,,,Cross,,,,,,Tone-DTCS,,,,,,,,,\n"          // 14
        "12,,450,,,,,,,,,,,,Q,lots,,,,,\n";                  // 15 two problems on one line
    const CsvImport r = importChannelsCsv(s, text, s.RadioImage);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.channels.empty());
    EXPECT_TRUE(r.image == s.RadioImage);
    EXPECT_EQ(texts(r.errors),
              (std::vector<std::string>{
                  "line 4: Frequency \"45O.000000\" is not a number",
                  "line 9: Location 3 is listed twice (first on line 4)",
                  "line 10: Duplex \"x\" is not a value this column takes",
                  "line 11: DtcsPolarity \"NX\" is not a value this column takes",
                  "line 12: Location \"1a\" is not a number",
                  "line 13: Frequency has no value",
                  "line 14: CrossMode \"Tone-DTCS\" is not a value this column takes",
                  "line 15: Power \"lots\" is not a value this column takes",
                  "line 15: Skip \"Q\" is not a value this column takes",
              }));
}

TEST(CsvImport, RowsThisRadioCannotHoldAreSkippedAndNamedTheRestImported) {
    // A list made for many radios: other bands, other modes, tone modes without a form here,
    // codes outside the tone table; the repeater-directory export ends each row in a comma.
    AppState s = started();
    const std::string text =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,Power\n"
        "1,2m call,145.500000,,0,,88.5,88.5,023,NN,FM,High,\n"         // 2
        "2,70cm call,433.500000,,0,,88.5,88.5,023,NN,FM,High,\n"       // 3
        "3,Rpt,439.125000,-,7.6,Tone,123.0,88.5,023,NN,FM,High,\n"     // 4
        "4,HF,14.230000,,0,,88.5,88.5,023,NN,USB,High,\n"              // 5
        "5,DV,438.500000,,0,,88.5,88.5,023,NN,DV,High,\n"              // 6
        "6,Rev,450.000000,,0,TSQL-R,88.5,88.5,023,NN,FM,High,\n"       // 7
        "7,Rev,450.000000,,0,DTCS-R,88.5,88.5,023,NN,FM,High,\n"       // 8
        "8,Odd,450.000000,,0,Repeater,88.5,88.5,023,NN,FM,High,\n"     // 9
        "9,Odd,450.000000,,0,TSQL,88.5,69.4,023,NN,FM,High,\n"         // 10
        "10,Odd,450.000000,,0,DTCS,88.5,88.5,999,NN,FM,High,\n"        // 11
        "11,PMR,446.006250,,0,,88.5,88.5,023,NN,NFM,Low,\n"            // 12
        "12,AM,450.000000,,0,,88.5,88.5,023,NN,AM,Low,\n"              // 13
        "13,Split,450.000000,split,146.0,,88.5,88.5,023,NN,,Low,\n";  // 14
    Image base = s.RadioImage;
    const CsvImport r = importChannelsCsv(s, text, base);
    ASSERT_TRUE(r.ok()) << texts(r.errors).front();
    EXPECT_EQ(r.channels, (std::vector<int>{2, 3, 11}));
    EXPECT_EQ(r.lines, (std::vector<int>{3, 4, 12}));
    EXPECT_EQ(texts(r.skipped),
              (std::vector<std::string>{
                  "line 2: Frequency 145.5 MHz is outside the band 400 - 481 MHz",
                  "line 5: Frequency 14.23 MHz is outside the band 400 - 481 MHz",
                  "line 6: Mode \"DV\", which this radio does not have",
                  "line 7: Tone \"TSQL-R\", which this radio does not have",
                  "line 8: Tone \"DTCS-R\", which this radio does not have",
                  "line 9: Tone \"Repeater\", which this radio does not have",
                  "line 10: cToneFreq \"69.4\" is not a CTCSS tone of the tone table",
                  "line 11: DtcsCode \"999\" is not a DCS code of the tone table",
                  "line 13: Mode \"AM\", which this radio does not have",
                  "line 14: transmit frequency 146 MHz is outside the band 400 - 481 MHz"}));
    EXPECT_EQ(frequencyToText(r.image, 3, 4), "431.52500");
    EXPECT_EQ(frequencyToText(r.image, 11, 0), "446.00625");
    for (int n : {1, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16})
        EXPECT_EQ(row(r.image, n), row(base, n)) << n;
}

std::vector<std::string> reportLines(const std::vector<CsvNote>& notes, bool chinese = false) {
    std::vector<std::string> out;
    for (const CsvNoteGroup& g : groupCsvNotes(notes)) out.push_back(csvGroupText(g, chinese));
    return out;
}

TEST(CsvImport, AReportHasOneLinePerReasonAndRunWhateverTheFileSize) {
    // A repeater directory's export for several bands, imported in file order.
    AppState s = started();
    std::string text = "Location,Name,Frequency,Mode\n145,2m,145.5,FM\n50,6m,50.1,FM\n"
                       "433,AM,433.5,AM\n146,2m,145.6,FM\n";  // lines 2-5
    for (int n = 6; n <= 4470; ++n)
        text += std::to_string(n + 1000) + ",Rpt," + (n % 3 ? "438.5" : "145.7") + ",FM\n";
    CsvPlacement order;
    order.inOrder = true;
    const CsvImport o = importChannelsCsv(s, text, s.RadioImage, order);
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.channels.size(), 16u);
    // Rows in other bands between the placed ones are runs of their own; past channel 16,
    // every row is one.
    const auto lines = reportLines(o.skipped);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0],
              "lines 2\u20136: 4 rows not imported: Frequency outside the band 400 - 481 MHz "
              "(145.5, 50.1, 145.6, \u2026)");
    EXPECT_EQ(lines[1], "line 4: Mode \"AM\", which this radio does not have; skipped");
    EXPECT_EQ(reportLines(o.skipped, true)[1], "第 4 行：Mode 为 \"AM\"，本机没有此方式，已跳过");
    EXPECT_EQ(lines[2], "line 9: Frequency 145.7 MHz is outside the band 400 - 481 MHz; skipped");
    EXPECT_EQ(lines[9], "lines 30\u20134470: 4,441 rows not imported: the radio holds 16 channels");
    EXPECT_EQ(reportLines(o.skipped, true)[9],
              "第 30\u20134470 行：4,441 行未导入：本机只有 16 个信道");

    // By location: the rows whose locations are not channels, whatever the locations.
    EXPECT_EQ(reportLines(importChannelsCsv(s, text, s.RadioImage).skipped),
              (std::vector<std::string>{"lines 2\u20134470: 4,469 rows not imported: the "
                                        "location is not a channel 1\u201316"}));
}

TEST(CsvImport, AReportLineForARunOfBadRowsShowsTheirFirstValues) {
    // Spreadsheet files: words typed for numbers, a list pasted twice, a name of escape codes.
    AppState s = started();
    CsvPlacement skipBad;
    skipBad.skipBad = true;
    const struct {
        std::string rows;
        std::vector<std::string> report;
    } cases[] = {
        {"1,abc\n2,x1\n3,abc\n4,4 4\n5,q\n",
         {"lines 2\u20136: 5 rows not imported: Frequency not a number (\"abc\", \"x1\", \"4 4\", "
          "\u2026)",
          "第 2\u20136 行：5 行未导入：Frequency 不是数字（\"abc\"、\"x1\"、\"4 4\"……）"}},
        {"1,446.1\n2,446.2\n1,446.1\n2,446.2\n",
         {"lines 4\u20135: 2 rows not imported: the Location is listed on an earlier line (1, 2)",
          "第 4\u20135 行：2 行未导入：位置已在前面的行列出（1、2）"}},
        {"1,\x1b]0;pwned\x07 446.0062500000000000000000\n2,\u202e446\n",
         {"lines 2\u20133: 2 rows not imported: Frequency not a number (\"\\x1b]0;pwned\\x07 "
          "446.006\u2026\", \"\\u202e446\")",
          "第 2\u20133 行：2 行未导入：Frequency 不是数字（\"\\x1b]0;pwned\\x07 446.006\u2026\"、"
          "\"\\u202e446\"）"}},
    };
    for (const auto& c : cases) {
        const CsvImport r =
            importChannelsCsv(s, "Location,Frequency\n" + c.rows, s.RadioImage, skipBad);
        EXPECT_EQ((std::vector<std::string>{reportLines(r.bad)[0], reportLines(r.bad, true)[0]}),
                  c.report);
    }
    // A directory export pasted twice: past the few rows the line shows, the repeated rows
    // share a note instead of holding one each, and the line is the same.
    std::string list;
    for (int n = 1; n <= 5000; ++n) list += std::to_string(n) + ",446.1\n";
    const CsvImport r = importChannelsCsv(s, "Location,Frequency\n" + list + list, s.RadioImage,
                                          skipBad);
    EXPECT_LE(r.bad.size(), 4u);
    EXPECT_EQ(reportLines(r.bad), (std::vector<std::string>{
                                      "lines 5002\u201310001: 5,000 rows not imported: the "
                                      "Location is listed on an earlier line (1, 2, 3, \u2026)"}));
}

TEST(CsvImport, ARowWithABadValueIsLeftOutOnlyWhenAskedAndTheOthersImport) {
    AppState s = started();
    const std::string text = "Location,Frequency,Tone,rToneFreq,cToneFreq,Power\n"
                             "1,446.00625,TSQL,88.5,,0.5W\n"   // 2: TSQL without its tone
                             "2,446.01875,TSQL,88.5,88.5,0.5W\n"
                             "3,446.O3125,,,,0.5W\n"          // 4: a letter O for a zero
                             "4,446.04375,,,,half\n";         // 5
    const std::vector<std::string> reasons = {
        "line 2: cToneFreq has no value", "line 4: Frequency \"446.O3125\" is not a number",
        "line 5: Power \"half\" is not a value this column takes"};
    const CsvImport refused = importChannelsCsv(s, text, s.RadioImage);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(texts(refused.errors), reasons);
    EXPECT_TRUE(refused.channels.empty());

    CsvPlacement skipBad;
    skipBad.skipBad = true;
    const CsvImport r = importChannelsCsv(s, text, s.RadioImage, skipBad);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.channels, (std::vector<int>{2}));
    EXPECT_EQ(texts(r.bad), reasons);
    EXPECT_EQ(reportLines(r.bad)[0], "line 2: cToneFreq has no value; skipped");
    EXPECT_EQ(row(r.image, 1), row(s.RadioImage, 1));
    const CsvPlan p = planChannelsCsv(s, text, s.RadioImage, skipBad);
    EXPECT_TRUE(p.rows[0].bad);
    EXPECT_FALSE(p.rows[1].bad);
    EXPECT_EQ(csvRowFate(p.rows[0], false), "cannot be imported: cToneFreq has no value");
    EXPECT_EQ(csvRowFate(p.rows[2], true), "无法导入：Frequency \"446.O3125\" 不是数字");
}

TEST(CsvImport, PlacementByChosenLocationsAndInFileOrder) {
    // The common PMR446 list: 69 LPD channels first, its 16 channels at 71-78 and 81-88.
    AppState s = started();
    std::string text = "Location,Name,Frequency\n";
    for (int n = 1; n <= 69; ++n) text += std::to_string(n) + ",LPD,433.075\n";
    for (int k = 0; k < 16; ++k) {
        const int location = k < 8 ? 71 + k : 81 + k - 8;
        text += std::to_string(location) + ",PMR," + shortestDecimal(446'006'250 + k * 12'500, 6) +
                "\n";
    }
    CsvPlacement pmr;
    pmr.locations = *parseLocationList("71-78, 81-88");
    pmr.inOrder = true;
    const CsvImport r = importChannelsCsv(s, text, s.RadioImage, pmr);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.skipped.empty());
    EXPECT_EQ(r.leftOut, 69);
    ASSERT_EQ(r.channels.size(), 16u);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(r.channels[n - 1], n);
        EXPECT_EQ(frequencyToText(r.image, n, 0),
                  shortestDecimal(446'006'250 + (n - 1) * 12'500, 6).substr(0, 9));
    }

    // Chosen locations placed by location: the ones that are channels go there.
    CsvPlacement chosen;
    chosen.locations = {3, 5, 71};
    const CsvImport c = importChannelsCsv(s, text, s.RadioImage, chosen);
    EXPECT_EQ(c.channels, (std::vector<int>{3, 5}));
    EXPECT_EQ(texts(c.skipped), (std::vector<std::string>{
                                    "line 71: Location 71 is not a channel (1 to 16) and was "
                                    "skipped"}));

    // Counted from 0 by another radio: in file order from channel 1, so location 0 is kept.
    CsvPlacement order;
    order.inOrder = true;
    const CsvImport z = importChannelsCsv(s, "Location,Frequency\n0,450\n1,451\n", s.RadioImage,
                                          order);
    EXPECT_EQ(z.channels, (std::vector<int>{1, 2}));
    EXPECT_EQ(frequencyToText(z.image, 2, 0), "451.00000");
    // A location listed again is a bad row of its own by location; in file order a Location is
    // only a number.
    const std::string twice = "Location,Frequency\n8,450\n8,451\n9,452\n";
    struct Twice {
        bool inOrder;
        std::vector<int> channels;
        std::vector<std::string> bad;
    };
    for (const Twice& c :
         {Twice{false, {8, 9}, {"line 3: Location 8 is listed twice (first on line 2)"}},
          Twice{true, {1, 2, 3}, {}}}) {
        CsvPlacement p;
        p.inOrder = c.inOrder;
        EXPECT_EQ(importChannelsCsv(s, twice, s.RadioImage, p).ok(), c.bad.empty());
        p.skipBad = true;
        const CsvImport t = importChannelsCsv(s, twice, s.RadioImage, p);
        EXPECT_EQ(t.channels, c.channels);
        EXPECT_EQ(texts(t.bad), c.bad);
        EXPECT_EQ(planChannelsCsv(s, twice, s.RadioImage, p).rows[1].bad, !c.bad.empty());
    }
}

TEST(CsvImport, PlanShowsEveryRowsFateWithoutWriting) {
    AppState s = started();
    const std::string text =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,Power\n"
        "3,North,438.025,-,7.6,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,High\n"  // line 2
        "\n"
        "17,Far,446.1,split,440,DTCS,88.5,88.5,023,RN,023,Tone->Tone,,\n"      // line 4
        "5,Cross,446.1,off,,Cross,88.5,88.5,023,NN,754,Tone->DTCS,NFM,1W\n"    // line 5
        "6,Air,446.1,,,,88.5,88.5,023,NN,023,Tone->Tone,AM,\n";                // line 6
    const Image before = s.RadioImage;
    const CsvPlan p = planChannelsCsv(s, text, s.RadioImage, CsvPlacement{});
    EXPECT_TRUE(s.RadioImage == before);
    ASSERT_EQ(p.rows.size(), 4u);  // the blank line is no row
    std::vector<std::string> shown, fates;
    for (const CsvRow& r : p.rows) {
        shown.push_back(std::to_string(r.line) + "|" + r.location + "|" + r.name + "|" +
                        r.frequency + "|" + r.offset + "|" + r.tone + "|" + r.mode + "|" +
                        r.power);
        fates.push_back(csvRowFate(r, false));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "2|3|North|438.025|-7.6|Tone 88.5|FM|High",
                         "4|17|Far|446.1|split 440|DTCS 023 RN||",
                         "5|5|Cross|446.1|off|Cross Tone->DTCS 88.5/754|NFM|1W",
                         "6|6|Air|446.1|||AM|"}));
    EXPECT_EQ(fates, (std::vector<std::string>{"channel 3",
                                               "skipped: location 17 is not a channel 1\u201316",
                                               "channel 5", "skipped: this radio has no Mode \"AM\""}));
    EXPECT_EQ(csvRowFate(p.rows[3], true), "跳过：本机没有 Mode \"AM\"");
    // What Import would write is exactly the import with the same placement.
    EXPECT_TRUE(p.import.image == importChannelsCsv(s, text, s.RadioImage).image);

    // Rows left out by their line; in file order the others close up.
    CsvPlacement order;
    order.inOrder = true;
    order.first = 16;
    order.leftOutLines = {2};
    const CsvPlan o = planChannelsCsv(s, text, s.RadioImage, order);
    EXPECT_EQ(csvRowFate(o.rows[0], false), "not chosen");
    EXPECT_EQ(csvRowFate(o.rows[0], true), "未选，不导入");
    EXPECT_EQ(csvRowFate(o.rows[1], false), "channel 16");
    EXPECT_EQ(csvRowFate(o.rows[2], false), "skipped: no channel left after 16");
    EXPECT_EQ(o.import.leftOut, 1);
    EXPECT_TRUE(o.import.image == importChannelsCsv(s, text, s.RadioImage, order).image);

    // A row that cannot be read in this placement names its error; nothing would be written.
    const std::string bad = "Location,Frequency\n1,450\n20,45x\n";
    ASSERT_TRUE(importChannelsCsv(s, bad, s.RadioImage).ok());  // location 20 is never read
    order.first = 1;
    order.leftOutLines.clear();
    const CsvPlan e = planChannelsCsv(s, bad, s.RadioImage, order);
    EXPECT_FALSE(e.import.ok());
    EXPECT_EQ(csvRowFate(e.rows[1], false), "error: Frequency \"45x\" is not a number");
    EXPECT_EQ(csvRowFate(e.rows[0], false), "");
}

TEST(CsvImport, ARowOfItsLocationAloneEmptiesTheChannelItLandsOnAsAPasteDoes) {
    AppState s = started();
    Image held = s.RadioImage;
    for (int n = 1; n <= ChannelCount; ++n) textToFrequency("446.1", held, n, 0);
    const std::string text = "Location,Name,Frequency\n2,A,446.00625\n3\n4,,\n";
    struct Case {
        bool inOrder;
        int first;
        std::vector<int> channels, emptied;
    };
    for (const Case& c : {Case{false, 1, {2, 3, 4}, {3, 4}}, Case{true, 10, {10, 11, 12}, {11, 12}}}) {
        CsvPlacement p;
        p.inOrder = c.inOrder;
        p.first = c.first;
        const CsvImport r = importChannelsCsv(s, text, held, p);
        ASSERT_TRUE(r.ok() && r.skipped.empty() && r.bad.empty());
        EXPECT_EQ(r.channels, c.channels);
        for (int n = 1; n <= ChannelCount; ++n) {
            const bool emptied = std::count(c.emptied.begin(), c.emptied.end(), n) > 0;
            EXPECT_EQ(isEmptyChannel(r.image, n), emptied) << n;
            EXPECT_TRUE(!emptied || takeChannel(r.image, n) == emptySlot()) << n;
        }
        EXPECT_TRUE(!c.inOrder || r.image == pasteText(s, held, text, c.first).image);
        const CsvPlan plan = planChannelsCsv(s, text, held, p);
        const std::string at = std::to_string(c.channels[1]);
        EXPECT_EQ(csvRowFate(plan.rows[1], false), "channel " + at + ": empty");
        EXPECT_EQ(csvRowFate(plan.rows[1], true), "信道 " + at + "：空");
    }
}

TEST(CsvImport, LocationLists) {
    EXPECT_EQ(parseLocationList("71-78,81-88")->size(), 16u);
    EXPECT_EQ(*parseLocationList(" 5, 3 -5,0, 4 "), (std::vector<int>{0, 3, 4, 5}));
    for (const char* bad : {"", "7,", "5-3", "a", "1-2-3", "-4", "1;2"})
        EXPECT_FALSE(parseLocationList(bad).has_value()) << bad;
}

TEST(CsvImport, MissingColumnsBrokenQuotesAndEmptyFiles) {
    AppState s = started();
    auto errors = [&](const std::string& text) {
        return texts(importChannelsCsv(s, text, s.RadioImage).errors);
    };
    EXPECT_EQ(errors("Name,Frequency\nx,450\n"),
              (std::vector<std::string>{"line 1: the column Location is missing"}));
    EXPECT_EQ(errors("\n\nLocation,Freq\n1,450\n"),
              (std::vector<std::string>{"line 3: the column Frequency is missing"}));
    EXPECT_EQ(errors("Location,Frequency,Tone\n1,450,Tone\n"),
              (std::vector<std::string>{"line 2: the column rToneFreq is missing"}));
    EXPECT_EQ(errors("Location,Frequency,Duplex\n1,450,+\n"),
              (std::vector<std::string>{"line 2: the column Offset is missing"}));
    EXPECT_EQ(errors("Location,Frequency\n1,\"450\n2,450\n"),
              (std::vector<std::string>{"line 2: a quoted field is not closed"}));
    EXPECT_EQ(errors(""), (std::vector<std::string>{"the file is empty: there is no header line"}));
    EXPECT_EQ(errors(std::string(MaxCsvFileSize + 1, '\n')),
              (std::vector<std::string>{"the file is larger than 64 MiB"}));
    // A header alone, or only locations that are not channels, is not an error.
    const CsvImport r = importChannelsCsv(s, "Location,Frequency\n17,450\n", s.RadioImage);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.channels.empty());
    EXPECT_TRUE(r.image == s.RadioImage);
}

TEST(CsvImport, ReportTextsInChinese) {
    AppState s = started();
    const CsvImport r =
        importChannelsCsv(s, "Location,Frequency\n20,450\n1,446.003\n2,100\n3,1x\n", s.RadioImage);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(csvNoteText(r.errors[0], true), "第 5 行：Frequency \"1x\" 不是数字");
    EXPECT_EQ(csvNoteText(r.skipped[0], true), "第 2 行：位置 20 不是信道（1 至 16），已跳过");
    EXPECT_EQ(csvNoteText(r.skipped[1], true), "第 4 行：Frequency 100 MHz 超出频段 400 - 481 MHz");
    EXPECT_EQ(csvNoteText(r.snaps[0], true),
              "第 3 行：信道 1：Frequency 446.003 不在信道步进上，已存为 446.00000");
}
