// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/editor_state.hpp"

#include <string>

namespace lumivel {

// Mouse button set as the sign receives it; only exactly the left button draws.
constexpr int kLeftButton = 1;

// The visible column whose cell strictly contains x, or -1 on a cell border or off the sign.
int columnAt(const Sign& sign, double x);

// "x = N  y = M": the LED position under the pointer counted from 1, over the sign or not.
std::string coordinateReadout(double x, double y);

// Mouse down and mouse move on Pic. In the drawing mode the chosen tool acts the same on
// a press and on a drag: the pencil lights, the eraser puts out.
void Pic_MouseDown(EditorState& l, int buttons, double x, double y);
// Returns the readout for the second status bar panel, which follows the pointer always.
std::string Pic_MouseMove(EditorState& l, int buttons, double x, double y);

void lapiz_Click(EditorState& l);
void goma_Click(EditorState& l);
// Paint all, clear all and invert draw the sign once, at the end.
void pintura_Click(EditorState& l);
void Bomba_Click(EditorState& l);
void invertir_Click(EditorState& l);

} // namespace lumivel
