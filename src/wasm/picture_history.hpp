// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "drawing/picture_edit.hpp"

#include <vector>

namespace lumivel {

// The page's undo history of drawing steps: a stroke from press to release, painting,
// clearing or inverting is one step, kept only when it changed the picture.
class PictureHistory {
  public:
    // The picture before a step; end() keeps the step if the picture is now different.
    void begin(const Picture& before);
    void end(const Picture& after);
    bool stepOpen() const { return open_; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The picture to show, given the one shown now.
    Picture undo(const Picture& now);
    Picture redo(const Picture& now);
    void clear();

  private:
    std::vector<Picture> undo_;
    std::vector<Picture> redo_;
    Picture before_{};
    bool open_ = false;
};

} // namespace lumivel
