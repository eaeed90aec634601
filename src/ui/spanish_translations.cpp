// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/spanish_translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumivel {

bool installSpanishTranslations(QCoreApplication& app) {
    // Dates, numbers and the day and month names Qt's dialogs show follow the default locale,
    // not the translations.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    // Parented to the application, so it lives as long as the texts it provides.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace lumivel
