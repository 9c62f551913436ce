// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ui_style.h"

#include <QPalette>
#include <QStringList>
#include <QTextDocument>
#include <QWidget>

namespace anemora {

namespace {

// Each list starts with the face the window was drawn for, then faces of
// the same width that other systems carry.
const QStringList SansFamilies{"MS Sans Serif",   "Microsoft Sans Serif", "Arial",
                               "Liberation Sans", "Nimbus Sans",          "Helvetica"};
const QStringList SerifFamilies{"Times New Roman", "Liberation Serif", "Nimbus Roman", "Times"};
const QStringList TerminalFamilies{"Terminal", "Liberation Mono", "DejaVu Sans Mono"};
const QStringList SmallFamilies = QStringList{"Small Fonts"} + SansFamilies;

QFont Face(const QStringList &families, QFont::StyleHint hint, qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont SansFace(qreal pointSize, bool bold) {
    return Face(SansFamilies, QFont::SansSerif, pointSize, bold);
}

QFont SerifFace(qreal pointSize, bool bold) {
    return Face(SerifFamilies, QFont::Serif, pointSize, bold);
}

QFont TerminalFace(qreal pointSize) {
    return Face(TerminalFamilies, QFont::TypeWriter, pointSize, false);
}

QFont SmallFace(qreal pointSize) {
    return Face(SmallFamilies, QFont::SansSerif, pointSize, false);
}

QString PlainToolTip(QString text) {
    // Where the desktop hosts the tray over D-Bus the tip goes out as plain
    // text, but the XEmbed tray still guesses markup from it. A word joiner
    // after each '<' and '&' spoils that guess and shows as nothing.
    if (!Qt::mightBeRichText(text))
        return text;
    text.replace(QLatin1Char('<'), QStringLiteral("<\u2060"));
    text.replace(QLatin1Char('&'), QStringLiteral("&\u2060"));
    return text;
}

void SetTextColour(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void SetBackground(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace anemora
