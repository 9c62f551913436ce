// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace anemora {

inline const QColor PanelYellow(255, 255, 192);
inline const QColor ReadingBlue(0, 0, 255);
inline const QColor AlarmRed(255, 0, 0);

// The window was drawn for faces this platform may lack; the style hints
// let the font matcher choose the nearest one while sizes and weights stay.
QFont SansFace(qreal pointSize, bool bold);
QFont SerifFace(qreal pointSize, bool bold);
QFont TerminalFace(qreal pointSize);
QFont SmallFace(qreal pointSize);

// Tooltips have no text format of their own: Qt guesses markup from the
// text. The result reads as the text itself, whichever way it is shown.
QString PlainToolTip(QString text);

void SetTextColour(QWidget *widget, const QColor &colour);
void SetBackground(QWidget *widget, const QColor &colour);

} // namespace anemora
