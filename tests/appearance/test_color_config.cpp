#include "session/lumivel.hpp"
#include "appearance/color_config.hpp"
#include "display/scripted_dialogs.hpp"

#include <QtTest>

using namespace lumivel;

Q_DECLARE_METATYPE(lumivel::Rgb)

namespace {

// Records every stroke and erase, in order.
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

Rgb colourOf(const Lumivel& l) {
    return {l.sign.rojo, l.sign.verde, l.sign.azul};
}

void setColour(Lumivel& l, Rgb c) {
    l.sign.rojo = static_cast<std::int16_t>(c.r);
    l.sign.verde = static_cast<std::int16_t>(c.g);
    l.sign.azul = static_cast<std::int16_t>(c.b);
}

} // namespace

class TestColorConfig : public QObject {
    Q_OBJECT

    std::unique_ptr<Lumivel> estado;
    ScriptedDialogs dialogs;
    RecordingSurface surface;

  private slots:
    void init() {
        estado = std::make_unique<Lumivel>();
        dialogs = ScriptedDialogs{};
        surface = RecordingSurface{};
        setColour(*estado, {10, 20, 30});
    }

    void loadRemembersColourAndLeavesItInForce() {
        Lumivel& l = *estado;
        ConfiguracionColores config(l.sign, dialogs, surface);
        l.sign.columnas = 5;
        l.sign.filas = 2;
        config.cargar();
        QCOMPARE(config.colorInicial(), (Rgb{10, 20, 30}));
        QCOMPARE(colourOf(l), (Rgb{10, 20, 30})); // no temporary (40, 40, 40)
        QCOMPARE(l.sign.columnas, std::int16_t(63));
        QCOMPARE(l.sign.filas, std::int16_t(7));
    }

    void samplesAreDrawnInTheirOwnColours() {
        Lumivel& l = *estado;
        ConfiguracionColores config(l.sign, dialogs, surface);
        config.cargar();
        config.dibujarMuestras();
        QCOMPARE(colourOf(l), (Rgb{10, 20, 30}));
        QCOMPARE(surface.strokes.size(), std::size_t(7));
        const std::array<Rgb, 7> centres = {
            Rgb{220, 220, 220}, Rgb{100, 100, 255}, Rgb{225, 0, 0},    Rgb{0, 225, 0},
            Rgb{255, 128, 64},  Rgb{225, 225, 0},   Rgb{100, 100, 100}};
        const std::array<Rgb, 7> rings = {Rgb{157, 157, 157}, Rgb{71, 71, 182}, Rgb{161, 0, 0},
                                          Rgb{0, 161, 0},     Rgb{182, 91, 46}, Rgb{161, 161, 0},
                                          Rgb{71, 71, 71}};
        for (std::size_t k = 0; k < 7; ++k) {
            const LedStroke& s = surface.strokes[k];
            QCOMPARE(s.x, 10 + 40 * static_cast<int>(k));
            QCOMPARE(s.y, 30);
            QCOMPARE(s.columna, 2 * static_cast<int>(k));
            QCOMPARE(s.fila, 1);
            QCOMPARE(s.radio, 2.5);
            QCOMPARE(s.penAnillo, 16);
            QCOMPARE(s.penPunto, 12);
            QVERIFY(s.encendido);
            QCOMPARE(s.centro, centres[k]);
            QCOMPARE(s.anillo, rings[k]);
        }
    }

    void presetOptionSetsItsColour_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("0 white") << 0 << Rgb{220, 220, 220};
        QTest::newRow("1 blue") << 1 << Rgb{100, 100, 255};
        QTest::newRow("2 red 225") << 2 << Rgb{225, 0, 0};
        QTest::newRow("3 green 225") << 3 << Rgb{0, 225, 0};
        QTest::newRow("4 orange") << 4 << Rgb{255, 128, 64};
        QTest::newRow("5 yellow 225") << 5 << Rgb{225, 225, 0};
    }
    void presetOptionSetsItsColour() {
        Lumivel& l = *estado;
        QFETCH(int, option);
        QFETCH(Rgb, colour);
        ConfiguracionColores config(l.sign, dialogs, surface);
        config.cargar();
        config.Option1_Click(option);
        QCOMPARE(colourOf(l), colour);
        // The click redraws the sample row on a cleared picture.
        QCOMPARE(surface.erases, 1);
        QCOMPARE(surface.strokes.size(), std::size_t(7));
        QVERIFY(dialogs.mostradas.empty());
    }

    void optionsOutsideTheRowDoNothing() {
        Lumivel& l = *estado;
        ConfiguracionColores config(l.sign, dialogs, surface);
        config.cargar();
        config.Option1_Click(-1);
        config.Option1_Click(7);
        QCOMPARE(colourOf(l), (Rgb{10, 20, 30}));
        QCOMPARE(surface.erases, 0);
    }

    void cancelRestoresTheColourInForceAtLoad() {
        Lumivel& l = *estado;
        ConfiguracionColores config(l.sign, dialogs, surface);
        config.cargar();
        config.Option1_Click(4);
        config.Option1_Click(2);
        config.dibujarMuestras();
        config.cancelar();
        QCOMPARE(colourOf(l), (Rgb{10, 20, 30}));
    }

    void customColourComesFromTheDialog() {
        Lumivel& l = *estado;
        dialogs.colores.push_back(Rgb{0, 0, 255});
        ConfiguracionColores config(l.sign, dialogs, surface);
        config.cargar();
        config.Option1_Click(6);
        QCOMPARE(colourOf(l), (Rgb{0, 0, 255}));
        // Seven samples, then the custom sample again in the chosen colour.
        QCOMPARE(surface.strokes.size(), std::size_t(8));
        QCOMPARE(surface.strokes.back().x, 250);
        QCOMPARE(surface.strokes.back().centro, (Rgb{0, 0, 255}));
        QCOMPARE(surface.strokes.back().anillo, (Rgb{0, 0, 182}));
    }

    void cancelledDialogKeepsTheColour() {
        Lumivel& l = *estado;
        ConfiguracionColores config(l.sign, dialogs, surface);
        config.cargar();
        config.Option1_Click(3);
        config.Option1_Click(6); // no scripted answer: the dialog is cancelled
        QCOMPARE(colourOf(l), (Rgb{0, 225, 0}));
        QCOMPARE(surface.strokes.size(), std::size_t(7));
    }

    void platformColourDecomposition_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("FF0000 is blue") << 0xFF0000u << Rgb{0, 0, 255};
        QTest::newRow("C8 is red 200") << 0xC8u << Rgb{200, 0, 0};
        QTest::newRow("A0B0") << 0xA0B0u << Rgb{176, 160, 0};
        QTest::newRow("black") << 0u << Rgb{0, 0, 0};
        QTest::newRow("white") << 0xFFFFFFu << Rgb{255, 255, 255};
        QTest::newRow("mixed") << 0x40801Eu << Rgb{30, 128, 64};
        QTest::newRow("bits above 24 ignored") << 0x7F00000Au << Rgb{10, 0, 0};
    }
    void platformColourDecomposition() {
        QFETCH(uint, value);
        QFETCH(Rgb, colour);
        QCOMPARE(descomponerColor(value), colour);
        QCOMPARE(colorPlataforma(colour), value & 0xFFFFFFu);
    }
};

QTEST_APPLESS_MAIN(TestColorConfig)
#include "test_color_config.moc"
