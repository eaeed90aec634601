// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/color_config.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/sign_state.hpp"

#include <QtTest>

using namespace lumivel;

namespace {

// Records every stroke; an erase clears the picture.
class RecordingSurface : public SignSurface {
  public:
    std::vector<LedStroke> strokes;
    int erases = 0;
    void setSize(int, int) override {}
    void drawLed(const LedStroke& stroke) override { strokes.push_back(stroke); }
    void erase() override {
        ++erases;
        strokes.clear();
    }
};

const Rgb kInUse{10, 20, 30};

// The colour window loaded over a sign whose LED colour is kInUse.
struct Window {
    SignState l;
    ScriptedDialogs dialogs;
    RecordingSurface surface;
    ColorSettings config{l.sign, dialogs, surface};
    Window() {
        l.sign.rojo = static_cast<std::int16_t>(kInUse.r);
        l.sign.verde = static_cast<std::int16_t>(kInUse.g);
        l.sign.azul = static_cast<std::int16_t>(kInUse.b);
        config.cargar();
    }
    Rgb colour() const { return {l.sign.rojo, l.sign.verde, l.sign.azul}; }
};

} // namespace

class TestColorConfig : public QObject {
    Q_OBJECT

  private slots:
    // Loading remembers the colour in force and leaves it; each sample shows the colour its option
    // sets; drawing them leaves the colour alone, and a click redraws the row on a cleared picture.
    void samplesShowTheColourOfTheirOption() {
        Window v;
        QCOMPARE(v.config.initialColor(), kInUse);
        v.config.drawSamples();
        QCOMPARE(v.colour(), kInUse);
        const std::vector<LedStroke> samples = v.surface.strokes;
        QCOMPARE(samples.size(), std::size_t(kColorOptions));
        for (int k = 0; k < kCustomOption; ++k) {
            v.config.Option1_Click(k);
            QCOMPARE(v.colour(), samples[static_cast<std::size_t>(k)].centre);
            QVERIFY(samples[static_cast<std::size_t>(k)].lit);
            QCOMPARE(v.surface.erases, k + 1);
            QCOMPARE(v.surface.strokes.size(), std::size_t(kColorOptions));
        }
        QVERIFY(v.dialogs.shownBoxes.empty());
        v.config.Option1_Click(-1);
        v.config.Option1_Click(7);
        QCOMPARE(v.colour(), kPresetColors.back());
        QCOMPARE(v.surface.erases, kCustomOption);
        v.config.cancel();
        QCOMPARE(v.colour(), kInUse);
    }

    void customColourComesFromTheDialog() {
        Window v;
        v.dialogs.colours.push_back(Rgb{10, 128, 255});
        v.config.Option1_Click(kCustomOption);
        QCOMPARE(v.colour(), (Rgb{10, 128, 255}));
        // Seven samples, then the custom sample again in the chosen colour.
        QCOMPARE(v.surface.strokes.size(), std::size_t(8));
        QCOMPARE(v.surface.strokes.back().centre, (Rgb{10, 128, 255}));

        v.config.Option1_Click(3);
        const Rgb verde = v.colour();
        v.config.Option1_Click(kCustomOption); // no answer: the dialog is cancelled
        QCOMPARE(v.colour(), verde);
        QCOMPARE(v.surface.strokes.size(), std::size_t(7));
    }
};

QTEST_APPLESS_MAIN(TestColorConfig)
#include "test_color_config.moc"
