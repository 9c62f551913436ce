#include "ui/ui_style.h"

#include <QPalette>
#include <QWidget>

namespace anemora {

namespace {

QFont Face(const QString &family, QFont::StyleHint hint, qreal pointSize, bool bold) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont SansFace(qreal pointSize, bool bold) {
    return Face(QStringLiteral("MS Sans Serif"), QFont::SansSerif, pointSize, bold);
}

QFont SerifFace(qreal pointSize, bool bold) {
    return Face(QStringLiteral("Times New Roman"), QFont::Serif, pointSize, bold);
}

QFont TerminalFace(qreal pointSize) {
    return Face(QStringLiteral("Terminal"), QFont::TypeWriter, pointSize, false);
}

QFont SmallFace(qreal pointSize) {
    return Face(QStringLiteral("Small Fonts"), QFont::SansSerif, pointSize, false);
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
