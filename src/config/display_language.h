// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace anemora {

// The language of every text the program shows. Italian is the language the
// texts are written in; English comes from the catalog built into the program.
enum class DisplayLanguage { Italian, English };

// "it" or "en", as Anemora.ini holds it; anything else reads as Italian.
QString LanguageCode(DisplayLanguage language);
DisplayLanguage LanguageFromCode(const QString &code);

// Puts the language in force for every text made from now on. Qt tells the
// open windows with a LanguageChange event, and the weather texts take their
// words anew; nothing happens when it is in force already.
void ApplyLanguage(DisplayLanguage language);

// The instructions document in the language.
QString InstructionsDocument(DisplayLanguage language);

} // namespace anemora
