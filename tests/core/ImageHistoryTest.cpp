#include <gtest/gtest.h>

#include "core/ImageHistory.h"

using namespace nv;

namespace {
// An image told apart from the others by one cell.
Image state(int n) {
    Image im;
    im(1, 0) = static_cast<Int16>(n % 256);
    im(2, 0) = static_cast<Int16>(n / 256);
    return im;
}
}  // namespace

TEST(ImageHistory, UndoAndRedoWalkTheRecordedStates) {
    ImageHistory h;
    h.reset(state(0));
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(h.record(state(n)));
    EXPECT_EQ(h.undoSteps(), 3u);
    EXPECT_EQ(h.undo(), state(2));
    EXPECT_EQ(h.undo(), state(1));
    EXPECT_EQ(h.redoSteps(), 2u);
    EXPECT_EQ(h.redo(), state(2));
    EXPECT_EQ(h.undo(), state(1));
    EXPECT_EQ(h.undo(), state(0));
    EXPECT_FALSE(h.canUndo());
    EXPECT_EQ(h.undo(), state(0));  // nothing before the start: the state stays
    EXPECT_EQ(h.redo(), state(1));
    EXPECT_EQ(h.redo(), state(2));
    EXPECT_EQ(h.redo(), state(3));
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.redo(), state(3));
}

TEST(ImageHistory, AnUnchangedImageIsNoStep) {
    ImageHistory h;
    h.reset(state(0));
    EXPECT_FALSE(h.record(state(0)));
    EXPECT_TRUE(h.record(state(1)));
    EXPECT_FALSE(h.record(state(1)));
    EXPECT_EQ(h.undoSteps(), 1u);
}

TEST(ImageHistory, ANewStepAfterUndoDropsWhatCouldBeRedone) {
    ImageHistory h;
    h.reset(state(0));
    h.record(state(1));
    h.record(state(2));
    h.undo();
    h.undo();
    ASSERT_EQ(h.redoSteps(), 2u);
    EXPECT_TRUE(h.record(state(7)));
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.undo(), state(0));
    EXPECT_EQ(h.redo(), state(7));
}

TEST(ImageHistory, KeepsTheNewestHundredStepsAndDropsTheOldest) {
    ImageHistory h;
    h.reset(state(0));
    for (int n = 1; n <= 150; ++n) h.record(state(n));
    EXPECT_EQ(h.undoSteps(), UndoSteps);
    EXPECT_GE(UndoSteps, 100u);
    for (int n = 149; n >= 50; --n) EXPECT_EQ(h.undo(), state(n));
    EXPECT_FALSE(h.canUndo());
    for (int n = 51; n <= 150; ++n) EXPECT_EQ(h.redo(), state(n));
}

TEST(ImageHistory, AmendReplacesTheCurrentStateWithoutAStep) {
    ImageHistory h;
    h.reset(state(0));
    h.record(state(1));
    h.record(state(2));
    h.undo();
    h.amend(state(11));
    EXPECT_EQ(h.current(), state(11));
    EXPECT_EQ(h.undoSteps(), 1u);
    EXPECT_EQ(h.redoSteps(), 1u);  // an amend keeps the redo
    EXPECT_EQ(h.redo(), state(2));
    EXPECT_EQ(h.undo(), state(11));
}

TEST(ImageHistory, EveryCellCountsSpareCellsIncluded) {
    ImageHistory h;
    Image im;
    h.reset(im);
    im(130, 32) = 1;  // beyond the radio memory, still part of the image a load may change
    EXPECT_TRUE(h.record(im));
    EXPECT_EQ(h.undo(), Image{});
}

TEST(ImageHistory, TheFirstRecordStartsTheHistory) {
    ImageHistory h;
    EXPECT_FALSE(h.started());
    EXPECT_FALSE(h.record(state(5)));
    EXPECT_TRUE(h.started());
    EXPECT_EQ(h.current(), state(5));
    EXPECT_FALSE(h.canUndo());
}
