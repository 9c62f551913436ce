// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/display_language.h"

#include "weather/wx_display.h"

#include <QCoreApplication>
#include <QTranslator>

namespace anemora {

QString LanguageCode(DisplayLanguage language) {
    return language == DisplayLanguage::English ? QStringLiteral("en") : QStringLiteral("it");
}

DisplayLanguage LanguageFromCode(const QString &code) {
    return code == u"en" ? DisplayLanguage::English : DisplayLanguage::Italian;
}

void ApplyLanguage(DisplayLanguage language) {
    // Destroyed after the application at exit, when it no longer needs
    // removing from it.
    static QTranslator english;
    const bool wanted = language == DisplayLanguage::English;
    if (wanted == !english.isEmpty())
        return;
    if (wanted) {
        if (english.load(QStringLiteral(":/anemora/translations/anemora_en.qm")))
            QCoreApplication::installTranslator(&english);
    } else {
        QCoreApplication::removeTranslator(&english);
        // Empty again, so the next choice of English loads and installs it.
        (void)english.load(QString());
    }
    RefreshWxWords();
}

QString InstructionsDocument(DisplayLanguage language) {
    return language == DisplayLanguage::English ? QStringLiteral("Readme.rtf")
                                                : QStringLiteral("Leggimi.rtf");
}

} // namespace anemora
