#pragma once
// The states the radio image went through, for undo and redo. Each state is the whole image
// after one user action. A new step after some undos drops the states that could have been
// redone; the oldest states are dropped once more undos than the limit would be possible.

#include <cstddef>
#include <deque>

#include "core/AppState.h"

namespace nv {

constexpr std::size_t UndoSteps = 100;

class ImageHistory {
  public:
    explicit ImageHistory(std::size_t steps = UndoSteps) : steps_(steps) {}

    // Starts afresh from `image`: nothing to undo or redo.
    void reset(const Image& image);
    bool started() const { return !states_.empty(); }
    // The state the image had after the last step (or undo, or redo).
    const Image& current() const { return states_.at(position_); }

    // Makes `image` a new step when it differs from the current state; true when it did.
    bool record(const Image& image);
    // Replaces the current state without a step: a change that belongs to the last step.
    void amend(const Image& image);

    // Goes back to the latest state equal to `image` and forgets the states after it, redo
    // included; true when it did. Nothing changes when the current state is `image` already.
    bool withdrawTo(const Image& image);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < states_.size(); }
    std::size_t undoSteps() const { return position_; }
    std::size_t redoSteps() const { return states_.empty() ? 0 : states_.size() - 1 - position_; }

    // Moves one step back or forward and returns the state to restore. Without a step to
    // move to, the current state stays.
    const Image& undo();
    const Image& redo();

  private:
    std::size_t steps_;
    std::deque<Image> states_;
    std::size_t position_ = 0;
};

}  // namespace nv
