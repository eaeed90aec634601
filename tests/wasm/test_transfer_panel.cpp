// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/transfer_panel.hpp"

#include "display/scripted_dialogs.hpp"
#include "transmission/fake_port.hpp"
#include "wasm/web_session.hpp"

#include <QtTest>

#include <nlohmann/json.hpp>

#include <string>

using namespace lumivel;

namespace {

struct Page {
    ScriptedDialogs d;
    WebSession s{d};
    Page() { s.start(); }
    void add(const std::string& texto) {
        s.setText(texto);
        s.action("ADICIONAR", 0);
    }
    nlohmann::json panel() {
        s.transfer.reload();
        return nlohmann::json::parse(panelJson(s.transfer));
    }
};

std::string hex(const std::string& bytes) {
    std::string line;
    for (const char c : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(c));
        line += (line.empty() ? "" : " ") + std::string(two);
    }
    return line;
}

nlohmann::json sent(Page& page, FakePort& port) {
    TransferObserver observer;
    const SendResult result = page.s.transfer.send(port, observer);
    return nlohmann::json::parse(sendJson(result, page.s.transfer.load(), port.name()));
}

} // namespace

class TransferPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void labelsFollowTheMessages() {
        Page page;
        auto panel = page.panel();
        QCOMPARE(panel["messages"].get<std::string>(), std::string("MENSAJES EN TOTAL      0"));
        QCOMPARE(panel["size"]["texto"].get<std::string>(),
                 std::string("0 Utilizados / 8191 Disponibles"));
        QVERIFY(!panel["ready"].get<bool>());
        QCOMPARE(panel["title"].get<std::string>(),
                 std::string("Comunicacion Serial   Transmision de informacion  al Lumivel"));

        page.add("AB");
        const int recalled = page.s.l.mensaje.numero;
        panel = page.panel();
        QCOMPARE(panel["messages"].get<std::string>(), std::string("MENSAJES EN TOTAL      1"));
        QCOMPARE(panel["size"]["texto"].get<std::string>(),
                 std::string("6 Utilizados / 8191 Disponibles"));
        QVERIFY(panel["size"]["toolTip"].get<std::string>().starts_with("Se envían 7 bytes"));
        QVERIFY(panel["ready"].get<bool>());
        // Looking at the panel leaves the recalled message as it was.
        QCOMPARE(page.s.l.mensaje.numero, recalled);
    }

    // What is sent is what the messages are when Enviar is pressed, not when the panel opened.
    void sendsTheMessagesOfTheMomentAndSaysHowItEnded() {
        Page page;
        page.add("AB");
        (void)page.panel();
        page.add("C");
        FakePort port;
        port.staleInput = "zz";
        const auto result = sent(page, port);
        QCOMPARE(hex(port.written),
                 std::string("63 77 FF 00 00 00 01 01 41 42 00 01 01 43 00 00 00"));
        QCOMPARE(port.discards, 1);
        QCOMPARE(result["outcome"].get<std::string>(), std::string("Verified"));
        QCOMPARE(result["status"].get<std::string>(),
                 std::string("Transmision completa: 11 de 11 bytes verificados."));
        QVERIFY(result["connected"].get<bool>());
        QVERIFY(result["box"].is_null());
        QCOMPARE(result["estimate"].get<std::string>(), std::string("Tiempo estimado: 1 s"));
        QCOMPARE(port.closes, 1);
    }

    // The page is told the estimate every time and the advice the first time a port is slow.
    void aSlowPortIsAdvisedOnce() {
        Page page;
        const LinkMeasurement slow{16.2, 6, transferExchanges(8192)};
        const std::optional<UsbAdapter> wch = UsbAdapter{0x1A86, 0x7523, {}};
        auto first = page.s.transfer.adviseOnce(slow, "USB 1a86:7523", wch, AdviceSystem::Windows);
        const auto told = nlohmann::json::parse(measuredJson(slow, first));
        QCOMPARE(told["estimate"].get<std::string>(), std::string("Tiempo estimado: 2 min 16 s"));
        QCOMPARE(told["advice"]["title"].get<std::string>(),
                 std::string("El enlace con el Lumivel es lento"));
        QVERIFY(told["advice"]["texto"].get<std::string>().find("WCH CH340") != std::string::npos);
        QVERIFY(told["command"].is_null());
        QVERIFY(!page.s.transfer.adviseOnce(slow, "USB 1a86:7523", wch, AdviceSystem::Windows));
        QVERIFY(
            page.s.transfer.adviseOnce(slow, "USB 0403:6001", std::nullopt, AdviceSystem::Linux));
        const LinkMeasurement good{0.5, 6, transferExchanges(8192)};
        QVERIFY(
            !page.s.transfer.adviseOnce(good, "USB 067b:2303", std::nullopt, AdviceSystem::Linux));
        QVERIFY(nlohmann::json::parse(measuredJson(good, std::nullopt))["advice"].is_null());
    }

    void eachOutcomeHasTheWindowsBox() {
        {
            Page page;
            FakePort port;
            const auto result = sent(page, port);
            QCOMPARE(result["outcome"].get<std::string>(), std::string("NothingToSend"));
            QCOMPARE(result["status"].get<std::string>(), std::string("No se ha enviado nada."));
            QCOMPARE(port.opens, 0);
            QCOMPARE(result["box"]["icon"].get<std::string>(), std::string("Information"));
        }
        {
            Page page;
            page.add("AB");
            FakePort port;
            port.responder = [](std::uint8_t) { return std::string("x"); };
            const auto result = sent(page, port);
            QCOMPARE(result["outcome"].get<std::string>(), std::string("NoConnection"));
            QVERIFY(!result["connected"].get<bool>());
            QCOMPARE(result["box"]["title"].get<std::string>(),
                     std::string("¡¡¡¡ Error en la Comunicacion !!!"));
            QCOMPARE(result["box"]["buttons"].get<std::string>(), std::string("Ok"));
            QCOMPARE(hex(port.written), std::string("63"));
            QVERIFY(result["estimate"].is_null());
        }
        {
            Page page;
            page.add("AB");
            FakePort port;
            port.deviceName = "USB 1a86:7523";
            port.loseAfterWritten = 4;
            const auto result = sent(page, port);
            QCOMPARE(result["outcome"].get<std::string>(), std::string("PortLost"));
            QVERIFY(result["box"]["texto"].get<std::string>().starts_with(
                "Se perdio el puerto USB 1a86:7523: "));
        }
    }
};

QTEST_GUILESS_MAIN(TransferPanelTest)
#include "test_transfer_panel.moc"
