// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/text_file.h"

#include <QFile>

namespace anemora {

QString TextFromFileBytes(const QByteArray &bytes) {
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    return QString::fromLatin1(bytes.startsWith(utf8Bom) ? bytes.mid(utf8Bom.size()) : bytes);
}

QStringList SplitTextLines(const QString &text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

std::optional<QString> ReadTextFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return TextFromFileBytes(bytes);
}

} // namespace anemora
