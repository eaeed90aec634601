// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/web_session.hpp"

#include "display/scripted_dialogs.hpp"
#include "drawing/picture_edit.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/recording_pacer.hpp"
#include "presentation/simulation.hpp"
#include "session/startup.hpp"

#include "support/started_state.hpp"

#include <QtTest>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>

using namespace lumivel;

namespace {

// The 64 visible column bytes of a surface state, in the hexadecimal the pacer records.
std::string hexOf(const LedSurface::States& states) {
    std::string line;
    for (int c = 0; c < LedSurface::kColumns; ++c) {
        int byte = 0;
        for (int r = 0; r < LedSurface::kRows; ++r) {
            if (states[static_cast<std::size_t>(c * LedSurface::kRows + r)] == LedSurface::Lit) {
                byte |= 1 << r;
            }
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        line += (c == 0 ? "" : " ") + std::string(hex);
    }
    return line;
}

struct Page {
    ScriptedDialogs d;
    WebSession s{d};
    Page() { s.start(); }
    nlohmann::json state() const { return nlohmann::json::parse(stateJson(s)); }
    // A press, a drag over the LEDs given and a release, as one stroke.
    void stroke(std::initializer_list<std::pair<int, int>> leds) {
        bool first = true;
        for (auto [c, r] : leds) {
            s.mouse(first ? 0 : 1, kLeftButton, 12 * c + 6, 12 * r + 6);
            first = false;
        }
        s.mouse(2, 0, 0, 0);
    }
};

} // namespace

class WebSessionTest : public QObject {
    Q_OBJECT
  private slots:
    void effectFramesAreWhatTheWindowShows_data();
    void effectFramesAreWhatTheWindowShows();
    void stoppingLeavesWhatAStoppedEffectLeaves();
    void textIsKeptAsARecordKeepsIt();
    void strokesAreUndoneWhole();
    void picturesAndFilesReachThePage();
    void emptyTextShowsTheBoxAndNoFrames();
};

void WebSessionTest::effectFramesAreWhatTheWindowShows_data() {
    QTest::addColumn<int>("presentacion");
    QTest::addColumn<int>("fuente");
    QTest::newRow("Caminando 5 x 5") << 0 << 0;
    QTest::newRow("Por Fila 5 x 7") << 1 << 1;
    QTest::newRow("Por columna Negrita") << 2 << 3;
}

void WebSessionTest::effectFramesAreWhatTheWindowShows() {
    QFETCH(int, presentacion);
    QFETCH(int, fuente);
    const std::string texto = "OFERTA 2x1";

    Page page;
    page.s.click("Opletra", fuente);
    page.s.click("op_mostrar", presentacion);
    page.s.setText(texto);
    const int count = page.s.runEffect("Play");

    test::StartedState window(fuente);
    selectOpMostrar(window.l, presentacion);
    window.escribir(texto);
    RecordingPacer pacer(&window.seen);
    QVERIFY(Play_Click(window.l, window.d, pacer));

    QCOMPARE(count, static_cast<int>(pacer.delays().size()));
    for (int i = 0; i < count; ++i) {
        const auto& frame = page.s.frames[static_cast<std::size_t>(i)];
        QCOMPARE(frame.durationMs, pacer.delays()[static_cast<std::size_t>(i)].durationMs);
        QCOMPARE(hexOf(frame.states), pacer.delays()[static_cast<std::size_t>(i)].columnas);
    }
    page.s.endEffect(-1);
    QCOMPARE(page.s.l.texto, window.l.texto);
    QCOMPARE(hexOf(page.s.surface.states()), window.seen.hexLine());
}

void WebSessionTest::stoppingLeavesWhatAStoppedEffectLeaves() {
    for (const char* effect : {"Play", "Reloj"}) {
        Page page;
        page.s.setText("HOLA MUNDO");
        const int count = page.s.runEffect(effect);
        QVERIFY(count > 4);
        page.s.endEffect(3);

        test::StartedState window;
        window.escribir("HOLA MUNDO");
        RecordingPacer pacer(&window.seen);
        pacer.stopAfter = 3;
        if (std::string(effect) == "Play") {
            Play_Click(window.l, window.d, pacer);
        } else {
            Reloj_Click(window.l, pacer);
        }
        QCOMPARE(pacer.delays().size(), std::size_t{3});
        QCOMPARE(page.s.l.texto, window.l.texto);
        QVERIFY(page.s.l.sign.matriz == window.l.sign.matriz);
        QCOMPARE(hexOf(page.s.surface.states()), window.seen.hexLine());
    }
}

void WebSessionTest::textIsKeptAsARecordKeepsIt() {
    Page page;
    auto state = page.state();
    QCOMPARE(state["texto"].get<std::string>(), std::string(kInitialText));
    QCOMPARE(state["limits"]["count"].get<std::string>(), std::string()); // as the window starts

    page.s.setText("Año 2026 中文");
    state = page.state();
    QCOMPARE(state["texto"].get<std::string>(), std::string("Año 2026 ??"));
    QCOMPARE(state["limits"]["count"].get<std::string>(), std::string("11/130"));
    QVERIFY(state["limits"]["glyphs"].get<std::string>().find("ñ") != std::string::npos);

    page.s.setText(std::string(200, 'A'));
    QCOMPARE(page.s.l.texto.size(), std::size_t{130});
    QCOMPARE(page.state()["limits"]["cut"].get<std::string>(), std::string()); // it walks
    page.s.click("op_mostrar", 1);
    QVERIFY(!page.state()["limits"]["cut"].get<std::string>().empty()); // "Por Fila" cuts
}

void WebSessionTest::strokesAreUndoneWhole() {
    Page page;
    page.s.click("Option1", kDrawingMode);
    page.stroke({{0, 0}, {1, 0}, {2, 0}});
    page.stroke({{5, 5}});
    const Picture drawn = currentPicture(page.s.l.sign);
    QCOMPARE(int(drawn[0]), 1);
    QCOMPARE(int(drawn[5]), 1 << 5);

    page.stroke({{0, 0}}); // lights nothing new: no step
    page.s.click("deshacer", 0);
    QCOMPARE(int(currentPicture(page.s.l.sign)[5]), 0);
    QCOMPARE(int(currentPicture(page.s.l.sign)[2]), 1);
    page.s.click("deshacer", 0);
    QVERIFY(currentPicture(page.s.l.sign) == Picture{});
    QVERIFY(!page.state()["canUndo"].get<bool>());
    page.s.click("rehacer", 0);
    page.s.click("rehacer", 0);
    QVERIFY(currentPicture(page.s.l.sign) == drawn);

    page.s.click("invertir", 0);
    page.s.click("deshacer", 0);
    QVERIFY(currentPicture(page.s.l.sign) == drawn);
    QVERIFY(page.state()["canRedo"].get<bool>());

    page.s.click("Option1", kTextMode);
    QVERIFY(!page.state()["canUndo"].get<bool>());
    QVERIFY(!page.state()["canRedo"].get<bool>());
}

void WebSessionTest::picturesAndFilesReachThePage() {
    Page page;
    QVERIFY(!page.s.fileBytes());
    QVERIFY(page.state()["file"].is_null());

    // A 64 x 8 white-on-black image maps pixel to LED.
    std::vector<std::uint8_t> rgba(64 * 8 * 4, 0);
    for (int r = 0; r < 8; ++r) {
        const std::size_t pixel = static_cast<std::size_t>(r * 64 + r) * 4;
        rgba[pixel] = rgba[pixel + 1] = rgba[pixel + 2] = rgba[pixel + 3] = 255;
    }
    page.s.importImage(64, 8, rgba.data(), 128, false);
    QCOMPARE(page.s.l.option1, kDrawingMode);
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(int(currentPicture(page.s.l.sign)[static_cast<std::size_t>(c)]), 1 << c);
    }
    QVERIFY(page.state()["canUndo"].get<bool>());

    page.s.action("ADICIONAR", 0);
    const auto state = page.state();
    QCOMPARE(state["lstcodigo"].size(), std::size_t{1});
    QVERIFY(state["file"]["scratch"].get<bool>());
    QCOMPARE(state["file"]["totalmensajes"].get<int>(), 1);
    const auto bytes = page.s.fileBytes();
    QVERIFY(bytes);
    QCOMPARE(bytes->size(), std::size_t{137});
    const int recalled = page.s.l.mensaje.numero;
    const auto image = page.s.transmissionImage();
    QVERIFY(image);
    QCOMPARE(image->size(), std::size_t(page.s.l.totaldatos + 1));
    QCOMPARE(page.s.l.mensaje.numero, recalled); // the build leaves the record buffer alone

    QVERIFY(!page.s.action("no-existe", 0));
    QVERIFY(!page.s.click("no-existe", 0));
}

void WebSessionTest::emptyTextShowsTheBoxAndNoFrames() {
    Page page;
    page.s.setText("");
    QCOMPARE(page.s.runEffect("Play"), 0);
    QCOMPARE(page.d.shownBoxes.size(), std::size_t{1});
    QCOMPARE(page.d.shownBoxes[0].texto, noMessageBox().texto);
    QCOMPARE(page.s.runEffect("SimularTodo"), 0); // no file open
    QCOMPARE(page.d.shownBoxes.size(), std::size_t{2});
    QCOMPARE(page.s.runEffect("Desconocido"), -1);
}

QTEST_APPLESS_MAIN(WebSessionTest)
#include "test_web_session.moc"
