// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/picture_history.hpp"

namespace lumivel {
namespace {

// A long session must not grow without bound.
constexpr std::size_t kMaxSteps = 500;

} // namespace

void PictureHistory::begin(const Picture& before) {
    before_ = before;
    open_ = true;
}

void PictureHistory::end(const Picture& after) {
    if (!open_) {
        return;
    }
    open_ = false;
    if (after == before_) {
        return;
    }
    if (undo_.size() == kMaxSteps) {
        undo_.erase(undo_.begin());
    }
    undo_.push_back(before_);
    redo_.clear();
}

Picture PictureHistory::undo(const Picture& now) {
    if (undo_.empty()) {
        return now;
    }
    Picture previous = undo_.back();
    undo_.pop_back();
    redo_.push_back(now);
    return previous;
}

Picture PictureHistory::redo(const Picture& now) {
    if (redo_.empty()) {
        return now;
    }
    Picture next = redo_.back();
    redo_.pop_back();
    undo_.push_back(now);
    return next;
}

void PictureHistory::clear() {
    undo_.clear();
    redo_.clear();
    open_ = false;
}

} // namespace lumivel
