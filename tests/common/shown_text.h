// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QLabel>
#include <QString>
#include <QTextDocument>

namespace anemora::test {

// What a reader sees of a label: its accessible name, which Qt gives as the
// rendered text when it takes the label's text for markup.
inline QString ShownText(QLabel *label) {
    return QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
}

// What a reader sees of plain text: word joiners take no room.
inline QString ShownPlainText(QString text) {
    return text.remove(QChar(0x2060));
}

// What a tooltip shows: Qt renders it as markup whenever it looks like some.
inline QString ShownToolTip(const QString &tip) {
    if (!Qt::mightBeRichText(tip))
        return ShownPlainText(tip);
    QTextDocument document;
    document.setHtml(tip);
    return ShownPlainText(document.toPlainText());
}

} // namespace anemora::test
