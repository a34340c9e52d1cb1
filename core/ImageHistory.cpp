#include "core/ImageHistory.h"

namespace nv {

void ImageHistory::reset(const Image& image) {
    states_.assign(1, image);
    position_ = 0;
}

bool ImageHistory::record(const Image& image) {
    if (!started()) {
        reset(image);
        return false;
    }
    if (image == current()) return false;
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, states_.end());
    states_.push_back(image);
    while (states_.size() > steps_ + 1) states_.pop_front();
    position_ = states_.size() - 1;
    return true;
}

void ImageHistory::amend(const Image& image) {
    if (!started()) {
        reset(image);
        return;
    }
    states_[position_] = image;
}

bool ImageHistory::withdrawTo(const Image& image) {
    if (!started() || states_[position_] == image) return false;
    for (std::size_t i = position_; i-- > 0;) {
        if (states_[i] == image) {
            states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(i) + 1, states_.end());
            position_ = i;
            return true;
        }
    }
    return false;
}

const Image& ImageHistory::undo() {
    if (canUndo()) --position_;
    return current();
}

const Image& ImageHistory::redo() {
    if (canRedo()) ++position_;
    return current();
}

}  // namespace nv
