// SPDX-License-Identifier: GPL-3.0-or-later
// The whole road from the window to the sign: a message file opened in the real program, sent
// from its transmission window to the virtual sign on a pseudo-terminal, decoded there.
#include "app/command.hpp"
#include "main_window.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <sstream>

namespace {

int runCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    return lumivel::cli::runCommandLine(args, {out, err});
}

} // namespace

class EndToEndTransmissionTest : public QObject {
    Q_OBJECT
  private slots:
    void sendsAFileFromTheWindowToTheVirtualSign() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("envio.men").toStdString();
        QCOMPARE(runCli({"add", "--effect", "porfila", "--font", "5x7", path, "--", "HOLA"}), 0);
        QCOMPARE(runCli({"add", path, "Adios"}), 0);
        QCOMPARE(runCli({"add", "--picture", std::string(126, '0') + "FF", path}), 0);

        QProcess sign;
        sign.start(qEnvironmentVariable("SIMLUMIVEL"), {"sign"});
        QVERIFY(sign.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(sign.canReadLine(), 10000);
        const QString device = QString::fromUtf8(sign.readLine()).trimmed();
        QVERIFY(device.startsWith("/dev/"));

        MainWindow w;
        QVERIFY2(w.start(), "the program did not start with its sign");
        QVERIFY(w.chooseFile(kAbrir, "Abrir", QString::fromStdString(path)));
        w.click(kSerial);
        QVERIFY(w.x.waitForWindow("Comunicacion Serial"));
        const QRect form1 = w.x.windowGeometry("Comunicacion Serial");
        w.x.click(form1.topLeft() + QPoint(88 + 200, 92 + 11)); // the port field
        w.x.key("ctrl+a");
        w.x.type(device);
        w.x.stableScreenshot();
        w.x.keepScreenshot("e2e_transmission_window");
        w.x.click(form1.topLeft() + QPoint(576 + 48, 16 + 12)); // "Enviar"

        QStringList decoded;
        QTRY_VERIFY_WITH_TIMEOUT(
            (decoded << QString::fromUtf8(sign.readAll()).split('\n', Qt::SkipEmptyParts),
             decoded.size() >= 3),
            60000);
        w.x.screenshot();
        w.x.keepScreenshot("e2e_transmission_done");
        sign.kill();
        sign.waitForFinished(5000);

        const auto object = [&](int i) {
            return QJsonDocument::fromJson(decoded[i].toUtf8()).object();
        };
        QCOMPARE(object(0)["kind"].toString(), QString("text"));
        QCOMPARE(object(0)["texto"].toString(), QString("HOLA"));
        QCOMPARE(object(0)["presentacion"].toInt(), 2);
        QCOMPARE(object(0)["letra"].toInt(), 2);
        QCOMPARE(object(1)["texto"].toString(), QString("Adios"));
        QCOMPARE(object(2)["kind"].toString(), QString("picture"));
        QCOMPARE(object(2)["columns"].toArray().last().toInt(), 255);
    }
};

QTEST_GUILESS_MAIN(EndToEndTransmissionTest)
#include "test_e2e_transmission.moc"
