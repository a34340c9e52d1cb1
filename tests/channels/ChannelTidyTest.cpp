#include <gtest/gtest.h>

#include "channels/ChannelRecord.h"
#include "channels/ChannelTidy.h"
#include "core/Startup.h"

using namespace nv;

namespace {
Image defaults() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s.RadioImage;
}
// An empty channel (0xFF first byte) with leftovers in its record and its scan flag set, as a
// file from another tool may have it.
Image withUntidyEmptyChannel(int n) {
    Image im = defaults();
    for (int c = 0; c < 16; ++c) im(n, c) = static_cast<Int16>(c == 0 ? 0xFF : 0x10 + c);
    setScanBit(im, n, true);
    return im;
}
}  // namespace

TEST(ChannelTidy, ClearingAnEmptyChannelIsOnlyTidying) {
    const Image before = withUntidyEmptyChannel(4);
    Image after = before;
    ClearChannel(after, 4);  // what the grid does when it shows the channel
    EXPECT_TRUE(onlyTidiesEmptyChannels(before, after));
    Image bytesOnly = before;  // the detail dialog leaves the scan flag alone
    for (int c = 0; c < 16; ++c) bytesOnly(4, c) = 0xFF;
    EXPECT_TRUE(onlyTidiesEmptyChannels(before, bytesOnly));
}

TEST(ChannelTidy, RealEditsAreNotTidying) {
    const Image before = withUntidyEmptyChannel(4);
    Image cleared = before;
    ClearChannel(cleared, 2);  // channel 2 held a frequency: this is Clear or an erased cell
    EXPECT_FALSE(onlyTidiesEmptyChannels(before, cleared));

    Image created = before;  // a new channel in the empty slot
    created(4, 0) = 0x00;
    EXPECT_FALSE(onlyTidiesEmptyChannels(before, created));

    Image partly = before;  // an empty record changed to something other than all 0xFF
    partly(4, 5) = 0x00;
    EXPECT_FALSE(onlyTidiesEmptyChannels(before, partly));

    Image scanOn = defaults();  // setting a flag is never tidying
    ClearChannel(scanOn, 6);
    Image scanSet = scanOn;
    setScanBit(scanSet, 6, true);
    EXPECT_FALSE(onlyTidiesEmptyChannels(scanOn, scanSet));

    Image scanned = before;  // clearing the flag of a channel in use is an edit
    setScanBit(scanned, 1, true);
    Image scanOff = scanned;
    setScanBit(scanOff, 1, false);
    EXPECT_FALSE(onlyTidiesEmptyChannels(scanned, scanOff));

    Image elsewhere = before;  // a feature row
    elsewhere(19, 3) ^= 1;
    EXPECT_FALSE(onlyTidiesEmptyChannels(before, elsewhere));
    Image spare = before;  // a spare cell of a channel row
    spare(4, 17) = 5;
    EXPECT_FALSE(onlyTidiesEmptyChannels(before, spare));
}

TEST(ChannelTidy, TidyingTogetherWithAnEditIsAnEdit) {
    const Image before = withUntidyEmptyChannel(4);
    Image after = before;
    ClearChannel(after, 4);
    after(19, 0) ^= 1;
    EXPECT_FALSE(onlyTidiesEmptyChannels(before, after));
}
