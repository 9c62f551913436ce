// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/translatable_text.h"

#include <QCoreApplication>

#include <utility>

namespace anemora {

TranslatableText::TranslatableText(QString plain) : plain(std::move(plain)) {}

TranslatableText::TranslatableText(const char *context, const char *source,
                                   QList<TranslatableText> args)
    : context(context), source(source), args(std::move(args)) {}

QString TranslatableText::Render() const {
    if (source == nullptr)
        return plain;
    const QString format = QCoreApplication::translate(context, source);
    // In one pass, so that a "%2" inside a host name or an error is shown as
    // it is and never taken for a place of the format.
    QString text;
    text.reserve(format.size());
    for (qsizetype i = 0; i < format.size(); ++i) {
        const qsizetype number = i + 1 < format.size() ? format[i + 1].digitValue() : -1;
        if (format[i] == u'%' && number >= 1 && number <= args.size()) {
            text += args[number - 1].Render();
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

} // namespace anemora
