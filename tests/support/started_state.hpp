// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's state as the main window starts it, drawing on a surface that can be read
// back, with scripted dialogs; helpers act as a person would on the sign.
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/shown_sign.hpp"
#include "drawing/drawing_tools.hpp"
#include "session/startup.hpp"

#include <array>
#include <string>

namespace lumivel::test {

using VisibleColumns = std::array<int, 64>;

struct StartedState {
    ShownSign seen;
    Lumivel l;
    ScriptedDialogs d;

    explicit StartedState(int fuente = 0) {
        l.sign.setSurface(&seen);
        startUp(l, "/programa");
        selectOpletra(l, fuente);
    }
    StartedState(const StartedState&) = delete;
    StartedState& operator=(const StartedState&) = delete;

    void escribir(const std::string& texto) { changeText(l, texto); }
    // A left click at the centre of the LED.
    void draw(int column, int row) { Pic_MouseDown(l, kLeftButton, 12 * column + 6, 12 * row + 6); }
    VisibleColumns visibleColumns() const {
        VisibleColumns c{};
        for (int k = 0; k < 64; ++k) {
            c[static_cast<std::size_t>(k)] = seen.columnByte(k);
        }
        return c;
    }
    // LEDs lit in the state and on the surface alike.
    int litCount() const {
        int n = 0;
        for (int c = 0; c < 64; ++c) {
            for (int r = 0; r < 8; ++r) {
                n += l.sign.matriz[c][r] == 1 || seen.lit(c, r) ? 1 : 0;
            }
        }
        return n;
    }
};

// The 64 column bytes of a "7E 09 ..." line.
inline VisibleColumns columnsOf(const std::string& hex) {
    VisibleColumns c{};
    for (std::size_t k = 0; k < c.size(); ++k) {
        c[k] = std::stoi(hex.substr(k * 3, 2), nullptr, 16);
    }
    return c;
}

// What the sign shows once `texto` is typed in the font.
inline VisibleColumns composed(const std::string& texto, int fuente = 0) {
    StartedState a(fuente);
    a.escribir(texto);
    return a.visibleColumns();
}

} // namespace lumivel::test
