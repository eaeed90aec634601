#include "base/version.hpp"
#include "app/command.hpp"

#include <QtTest>
#include <sstream>

using namespace lumivel::cli;

namespace {

struct Run {
    int code = 0;
    std::string out;
    std::string err;
};

Run run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Run result;
    result.code = runCommandLine(args, {out, err});
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::string zeros(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        s += " 00";
    }
    return s;
}

} // namespace

class RenderCliTest : public QObject {
    Q_OBJECT
  private slots:
    void hexOfTheLetterA() {
        const Run r = run({"render", "--font", "5x7", "--format", "hex", "A"});
        QCOMPARE(r.code, kExitOk);
        QCOMPARE(QString::fromStdString(r.out),
                 QString::fromStdString("7E 09 09 09 7E" + zeros(59) + "\n"));
    }

    void optionsMayFollowTheTextAndDoubleDashEndsThem() {
        const Run after = run({"render", "A", "--format=hex", "--font", "5x7"});
        QCOMPARE(after.code, kExitOk);
        QVERIFY(after.out.rfind("7E 09 09 09 7E", 0) == 0);
        const Run dashed = run({"render", "--format", "hex", "--", "--font"});
        QCOMPARE(dashed.code, kExitOk); // "--font" is the text here
        QVERIFY(dashed.out.rfind("00 00 00 00 00", 0) != 0);
    }

    void asciiArtIsEightRowsOfSixtyFour() {
        const Run r = run({"render", "--font", "negrita", "H\xC3\xA9"}); // "Hé"
        QCOMPARE(r.code, kExitOk);
        QStringList rows = QString::fromStdString(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 8);
        for (const QString& row : rows) {
            QCOMPARE(row.size(), 64);
            QVERIFY(QRegularExpression("^[#.]+$").match(row).hasMatch());
        }
        QVERIFY(rows[0].startsWith("##..#.")); // bold H, then é composes to a gap alone
        QCOMPARE(rows[0].mid(5).count('#'), 0);
    }

    void usageErrorsExitWithTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown option") << QStringList{"render", "--bold", "A"};
        QTest::newRow("bad font") << QStringList{"render", "--font", "7x7", "A"};
        QTest::newRow("bad format") << QStringList{"render", "--format", "png", "A"};
        QTest::newRow("missing text") << QStringList{"render"};
        QTest::newRow("missing value") << QStringList{"render", "A", "--font"};
        QTest::newRow("unknown subcommand") << QStringList{"paint"};
        QTest::newRow("unknown global option") << QStringList{"--bogus"};
    }
    void usageErrorsExitWithTwo() {
        QFETCH(QStringList, args);
        std::vector<std::string> argv;
        for (const QString& a : args) {
            argv.push_back(a.toStdString());
        }
        const Run r = run(argv);
        QCOMPARE(r.code, kExitError);
        QVERIFY(r.out.empty());
        QVERIFY(r.err.find("Uso: simlumivel") != std::string::npos);
    }

    void helpAndVersion() {
        const Run help = run({"--help"});
        QCOMPARE(help.code, kExitOk);
        QVERIFY(help.out.find("render") != std::string::npos);
        const Run version = run({"--version"});
        QCOMPARE(QString::fromStdString(version.out), QStringLiteral("simlumivel %1\n").arg(lumivel::kVersion));
    }

    void theExecutableRunsWithoutADisplay() {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(qEnvironmentVariable("SIMLUMIVEL"),
                      {"render", "--font", "5x7", "--format", "hex", "A"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().startsWith("7E 09 09 09 7E 00"));
    }
};

QTEST_APPLESS_MAIN(RenderCliTest)
#include "test_render_cli.moc"
