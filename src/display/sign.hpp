// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_surface.hpp"

#include <array>
#include <cstdint>

namespace lumivel {

// The LED sign: its state `matriz`, the column image `vector`, geometry and LED colour,
// and the procedures that draw LEDs and convert between the two representations.
class Sign {
  public:
    static constexpr int kColumns = 256; // storage columns; 64 of them are visible
    static constexpr int kRows = 8;
    static constexpr int kSurfaceWidth = 775;
    static constexpr int kSurfaceHeight = 102;
    static constexpr Rgb kUnlitRing{40, 40, 40};
    static constexpr Rgb kUnlitCentre{80, 80, 80};

    // matriz[c][r]: 1 lit, anything else unlit.
    std::array<std::array<std::int16_t, kRows>, kColumns> matriz{};
    std::array<std::int16_t, kColumns> vector{};

    std::int16_t columnas = 0;
    std::int16_t filas = 0;
    std::int16_t escala = 0;
    std::int16_t grosor = 0;
    std::int16_t rojo = 0;
    std::int16_t verde = 0;
    std::int16_t azul = 0;

    void setSurface(SignSurface* surface) { surface_ = surface; }
    SignSurface* surface() const { return surface_; }

    void lumivel(int xled, int yled, int tamanolumivel, int tamanoled);
    void led(int xled, int yled, int z);
    void mostrar();
    void borrar();
    void envector(int xled);
    void cbin(int dec, int col);
    void butcolon(double yy, int b);
    void butcoloff(double yy, int b);
    void uno(int i);
    void dos(int i);

    // Ring colour of a lit LED: each component / 1.4, rounded half to even.
    Rgb litRing() const;
    Rgb litCentre() const { return {rojo, verde, azul}; }
    // Refreshes the surface (erasing it) and redraws every LED from matriz.
    void refrescar();

  private:
    static bool inMatriz(int column, int row);
    void strokeLed(int column, int row, int x, int y, double radius, int penWidth, bool lit);
    void rowLed(double yy, int b, int z);
    void drawFigure(int i, const std::array<int, 7>& figureColumns);

    SignSurface* surface_ = nullptr;
};

} // namespace lumivel
