#include <gtest/gtest.h>

#include <string>

#include "core/Frequency.h"

using namespace nv;

TEST(FrequencyToText, DecodesPackedDigits) {
    EXPECT_EQ(frequencyToText(BcdBytes{0x00, 0x25, 0x00, 0x45}), "450.02500");
    EXPECT_EQ(frequencyToText(BcdBytes{0x00, 0x00, 0x50, 0x14}), "145.00000");
    EXPECT_EQ(frequencyToText(BcdBytes{0x25, 0x06, 0x65, 0x14}), "146.50625");
    EXPECT_EQ(frequencyToText(BcdBytes{0x75, 0x43, 0x00, 0x46}), "460.04375");
    EXPECT_EQ(frequencyToText(BcdBytes{0, 0, 0, 0}), "00000000");
    EXPECT_EQ(frequencyToText(BcdBytes{0x00, 0x00, 0x50, 0x01}), "15.00000");  // below 100
}

TEST(FrequencyToText, NibblesAboveNineKeepTheirFaceValue) {
    // 0xA in the 100 MHz place is worth 1000 MHz: the text simply grows.
    EXPECT_EQ(frequencyToText(BcdBytes{0x00, 0x00, 0x00, 0xA0}),
              "100000000");  // padded as any 4-character text
    EXPECT_EQ(frequencyToText(BcdBytes{0xFF, 0xFF, 0xFF, 0xFF}), "1666.66665");
}

TEST(TextToFrequency, ExamplesSnapDownOntoTheRaster) {
    struct Case {
        const char* in;
        const char* text;
        BcdBytes bytes;
    };
    const Case cases[] = {
        {"146.52", "146.52000", {0x00, 0x20, 0x65, 0x14}},
        {"146.50625", "146.50625", {0x25, 0x06, 0x65, 0x14}},
        {"146.508", "146.50625", {0x25, 0x06, 0x65, 0x14}},
        {"450.355", "450.35500", {0x00, 0x55, 0x03, 0x45}},
        {"145", "145.00000", {0x00, 0x00, 0x50, 0x14}},
        {"145.1", "145.10000", {0x00, 0x00, 0x51, 0x14}},
        {"145.0049", "145.00000", {0x00, 0x00, 0x50, 0x14}},
        {"146.511", "146.51000", {0x00, 0x10, 0x65, 0x14}},
        {"150.000", "150.00000", {0x00, 0x00, 0x00, 0x15}},
        {"450.025", "450.02500", {0x00, 0x25, 0x00, 0x45}},
        {"145.5abc", "145.50000", {0x00, 0x00, 0x55, 0x14}},
    };
    for (const Case& c : cases) {
        Image im;
        EXPECT_EQ(textToFrequency(c.in, im, 3, 4), c.text) << c.in;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(im(3, 4 + i), c.bytes[i]) << c.in << " byte " << i;
        EXPECT_EQ(frequencyToText(im, 3, 4), c.text) << c.in;
    }
}

// Every 10 Hz step across several MHz at both ends of the 100..999 MHz range: the result
// lies on a raster, never above the input, with no raster point between, ties to 5 kHz.
TEST(TextToFrequency, SnapIsExactForEveryTenHertzStep) {
    auto onRaster = [](std::int64_t hz) { return hz % 5000 == 0 || hz % 6250 == 0; };
    for (std::int64_t startMHz : {100, 145, 450, 995}) {
        for (std::int64_t hz = startMHz * 1'000'000; hz < (startMHz + 4) * 1'000'000; hz += 10) {
            std::string text = std::to_string(hz / 1'000'000) + "." +
                               std::to_string(1'000'000 + hz % 1'000'000).substr(1);
            EncodedFrequency e = encodeFrequency(text);
            std::int64_t snapped = textToHz(e.text);
            ASSERT_TRUE(onRaster(snapped)) << text;
            ASSERT_LE(snapped, hz) << text;
            std::int64_t next5 = snapped + 5000 - snapped % 5000;
            std::int64_t next625 = snapped + 6250 - snapped % 6250;
            ASSERT_GT(std::min(next5, next625), hz) << text << " skipped a raster point";
            if (hz % 5000 == 0) {
                ASSERT_EQ(snapped, hz) << text;
            }
            ASSERT_EQ(e.text.size(), 9u) << text;
        }
    }
}

TEST(TextToFrequency, SnapPrefersNearerPointBelowAndTiesToFiveKilohertz) {
    EXPECT_EQ(snapToRasterHz(146'508'000), 146'506'250);
    EXPECT_EQ(snapToRasterHz(146'511'000), 146'510'000);
    EXPECT_EQ(snapToRasterHz(150'000'000), 150'000'000);
    EXPECT_EQ(snapToRasterHz(150'006'249), 150'005'000);  // 1249 against 6249
    EXPECT_EQ(snapToRasterHz(150'006'250), 150'006'250);
}
