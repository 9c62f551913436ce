// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

namespace anemora {

// A text kept as the catalog entry it comes from and its arguments, so that
// what stays on show can be made again when the language changes. An
// argument is such a text itself, or a plain one (a host name, a number, an
// error from the system) that reads the same in every language.
class TranslatableText {
public:
    TranslatableText() = default;
    // Plain text, shown as it is.
    TranslatableText(QString plain);
    // `source` (a literal marked with QT_TR_NOOP or QT_TRANSLATE_NOOP, so the
    // catalog has it; both are kept by address) in `context`, its %1 to %9
    // taken from `args`.
    TranslatableText(const char *context, const char *source, QList<TranslatableText> args = {});

    // The text in the language now in force.
    QString Render() const;
    bool IsEmpty() const { return source == nullptr && plain.isEmpty(); }

private:
    const char *context = nullptr;
    const char *source = nullptr;
    QString plain;
    QList<TranslatableText> args;
};

} // namespace anemora
