// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/sign.hpp"

#include <cmath>

namespace lumivel {
namespace {

int ringComponent(int component) {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(component / 1.4));
}

} // namespace

bool Sign::inMatriz(int column, int row) {
    return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

Rgb Sign::litRing() const {
    return {ringComponent(rojo), ringComponent(verde), ringComponent(azul)};
}

void Sign::strokeLed(int column, int row, int x, int y, double radius, int penWidth, bool lit) {
    if (surface_ == nullptr) {
        return;
    }
    LedStroke stroke;
    stroke.column = column;
    stroke.row = row;
    stroke.x = x;
    stroke.y = y;
    stroke.radius = radius;
    stroke.ringPen = 4 * penWidth;
    stroke.dotPen = 2 * penWidth;
    stroke.ring = lit ? litRing() : kUnlitRing;
    stroke.centre = lit ? litCentre() : kUnlitCentre;
    stroke.lit = lit;
    surface_->drawLed(stroke);
}

void Sign::lumivel(int xled, int yled, int tamanolumivel, int tamanoled) {
    if (surface_ != nullptr) {
        surface_->setSize(kSurfaceWidth, kSurfaceHeight);
    }
    for (int r = 0; r <= yled; ++r) {
        for (int c = 0; c <= xled; ++c) {
            strokeLed(c, r, 2 * tamanolumivel + 4 * tamanolumivel * c,
                      2 * tamanolumivel + 4 * tamanolumivel * r, tamanolumivel / 2.0, tamanoled,
                      false);
        }
    }
    for (int r = 0; r <= yled; ++r) {
        for (int c = 0; c <= xled; ++c) {
            if (inMatriz(c, r)) {
                matriz[c][r] = 0;
            }
        }
    }
}

void Sign::led(int xled, int yled, int z) {
    strokeLed(xled, yled, 2 * escala + 4 * escala * xled, 2 * escala + 4 * escala * yled,
              escala / 2.0, grosor, z == 1);
    if (inMatriz(xled, yled)) {
        matriz[xled][yled] = static_cast<std::int16_t>(z);
    }
}

void Sign::mostrar() {
    for (int c = 0; c <= columnas; ++c) {
        for (int r = 0; r <= filas; ++r) {
            led(c, r, inMatriz(c, r) ? matriz[c][r] : 0);
        }
    }
}

void Sign::refrescar() {
    if (surface_ != nullptr) {
        surface_->erase();
    }
    mostrar();
}

void Sign::borrar() {
    for (int c = 0; c <= columnas && c < kColumns; ++c) {
        for (int r = 0; r <= filas && r < kRows; ++r) {
            matriz[c][r] = 0;
        }
        vector[c] = 0;
    }
}

void Sign::envector(int xled) {
    if (xled < 0 || xled >= kColumns) {
        return;
    }
    int sum = 0;
    for (int r = 0; r <= filas && r < kRows; ++r) {
        if (matriz[xled][r] == 1) {
            sum += 1 << r;
        }
    }
    vector[xled] = static_cast<std::int16_t>(sum);
}

void Sign::cbin(int dec, int col) {
    // Digits least significant first, produced at least once; rows above them stay.
    int r = 0;
    do {
        if (inMatriz(col, r)) {
            matriz[col][r] = static_cast<std::int16_t>(dec % 2);
        }
        dec /= 2;
        ++r;
    } while (dec >= 1);
}

void Sign::rowLed(double yy, int b, int z) {
    const int lastRow = filas;
    for (int r = 0; r <= lastRow; ++r) {
        if (yy > 4.0 * escala * r && yy < 4.0 * escala * (r + 1)) {
            led(b, r, z);
            envector(b);
        }
    }
}

void Sign::butcolon(double yy, int b) {
    rowLed(yy, b, 1);
}

void Sign::butcoloff(double yy, int b) {
    rowLed(yy, b, 0);
}

void Sign::drawFigure(int i, const std::array<int, 7>& figureColumns) {
    for (int k = 0; k < 7; ++k) {
        cbin(figureColumns[k], i + k);
    }
    mostrar();
}

void Sign::uno(int i) {
    drawFigure(i, {254, 65, 133, 65, 133, 65, 254});
}

void Sign::dos(int i) {
    drawFigure(i, {126, 129, 73, 129, 73, 129, 126});
}

} // namespace lumivel
