// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/spanish_translations.hpp"

#include <QApplication>
#include <QtTest>

class SpanishTranslationsTest : public QObject {
    Q_OBJECT
  private slots:
    // Whatever the system's language, Qt's own buttons, dialogs and menus speak Spanish.
    void standardTextsAreSpanish() {
        QVERIFY(lumivel::installSpanishTranslations(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancelar"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Sí"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QString("Guardar como"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QString("&Deshacer"));
        // The dates of the file dialogs' lists too.
        QCOMPARE(QLocale().toString(QDate(2026, 12, 7), "dddd d 'de' MMMM"),
                 QString("lunes 7 de diciembre"));
    }
};

QTEST_MAIN(SpanishTranslationsTest)
#include "test_spanish_translations.moc"
