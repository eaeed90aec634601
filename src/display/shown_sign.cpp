// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/shown_sign.hpp"

#include <cstdio>

namespace lumivel {

void ShownSign::setSize(int width, int height) {
    width_ = width;
    height_ = height;
}

void ShownSign::drawLed(const LedStroke& stroke) {
    if (stroke.column < 0 || stroke.column >= kColumns || stroke.row < 0 || stroke.row >= kRows) {
        return;
    }
    lit_[stroke.column][stroke.row] = stroke.lit;
    centre_[stroke.column][stroke.row] = stroke.centre;
}

void ShownSign::erase() {
    lit_ = {};
    centre_ = {};
}

bool ShownSign::lit(int column, int row) const {
    return lit_.at(column).at(row);
}

Rgb ShownSign::centre(int column, int row) const {
    return centre_.at(column).at(row);
}

std::uint8_t ShownSign::columnByte(int column) const {
    unsigned value = 0;
    for (int row = 0; row < kRows; ++row) {
        if (lit_.at(column)[row]) {
            value |= 1U << row;
        }
    }
    return static_cast<std::uint8_t>(value);
}

std::string ShownSign::hexLine() const {
    std::string line;
    for (int column = 0; column < kColumns; ++column) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", columnByte(column));
        if (column > 0) {
            line += ' ';
        }
        line += digits;
    }
    return line;
}

std::string ShownSign::asciiArt() const {
    std::string art;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            art += lit_[column][row] ? '#' : '.';
        }
        art += '\n';
    }
    return art;
}

} // namespace lumivel
