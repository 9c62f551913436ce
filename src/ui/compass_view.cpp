// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/compass_view.h"

#include "ui/compass_geometry.h"
#include "ui/twips.h"
#include "ui/ui_style.h"
#include "weather/wx_display.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>

namespace anemora {

namespace {

const QColor CompassBackground(192, 192, 192);
const QColor RimColour(0, 0, 192);
const QColor DiscFill(192, 255, 255);
const QColor CalmGreen(0, 128, 0);

// The drawing pens are measured in pixels; the painter works in twips.
constexpr int WindPenPixels = 5;
constexpr int FinePenPixels = 1;

QPen TwipPen(const QColor &colour, int pixels) {
    QPen pen(colour, pixels * TwipsPerPixel);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QLabel *TransparentLabel(QWidget *parent, const QString &text, const QRect &geometry,
                         const QColor &colour, const QFont &font) {
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    SetTextColour(label, colour);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

CompassView::CompassView(QWidget *parent) : QWidget(parent) {
    setFixedSize(TwipsSize(1215, 1215));
    const QFont small = SansFace(8.25, false);
    minutesLabel = TransparentLabel(this, QStringLiteral("00"), TwipsRect(510, 510, 200, 200),
                                    ReadingBlue, small);
    const std::array<QRect, 4> cardinals{TwipsRect(550, 50, 135, 255), TwipsRect(80, 480, 135, 255),
                                         TwipsRect(550, 950, 135, 255),
                                         TwipsRect(1000, 480, 135, 255)};
    for (std::size_t i = 0; i < cardinals.size(); ++i)
        cardinalLabels[i] = TransparentLabel(this, {}, cardinals[i], AlarmRed, small);
    calmLabel =
        TransparentLabel(this, {}, TwipsRect(50, 220, 1215, 255), CalmGreen, SerifFace(9.75, true));
    calmLabel->setWordWrap(true);
    calmLabel->hide();
    RetranslateUi();
}

void CompassView::RetranslateUi() {
    // North, west, south, east.
    const std::array<QString, 4> names{tr("N"), tr("O"), tr("S"), tr("E")};
    for (std::size_t i = 0; i < names.size(); ++i)
        cardinalLabels[i]->setText(names[i]);
    calmLabel->setText(tr("WIND CALM"));
    Describe();
}

void CompassView::Describe() {
    setAccessibleDescription(request.drawn ? WindDescription(request.direction, request.speed,
                                                             request.gust, QLocale(), units)
                                           : QString());
}

void CompassView::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
}

void CompassView::SetRequest(const CompassRequest &newRequest, UnitSystem newUnits) {
    if (newRequest == request && newUnits == units)
        return;
    request = newRequest;
    units = newUnits;
    Describe();
    // A cleared compass leaves the calm label as the last drawing left it.
    if (request.drawn) {
        calmLabel->setVisible(DrawWind(request.direction, request.speed, request.gust).calm);
    }
    update();
}

void CompassView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), CompassBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(PixelsPerTwip, PixelsPerTwip);
    painter.setBrush(Qt::NoBrush);

    if (request.drawn) {
        const WindMarks marks = DrawWind(request.direction, request.speed, request.gust);
        if (!marks.calm) {
            // A small circle stroked with the wide pen is a solid spot;
            // painting it as that spot avoids a stroker's hollow centre.
            const double spot = RimDotRadius + WindPenPixels * TwipsPerPixel / 2.0;
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 255, 0));
            painter.drawEllipse(marks.rimDot, spot, spot);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(TwipPen(QColor(255, 0, 0), WindPenPixels));
            painter.drawLine(marks.gustBar);
            painter.setPen(TwipPen(QColor(255, 255, 0), WindPenPixels));
            painter.drawLine(marks.speedBar);
        }
    }

    painter.setPen(TwipPen(RimColour, FinePenPixels));
    painter.drawEllipse(QPointF(600, 600), 550, 550);
    painter.setPen(TwipPen(ReadingBlue, FinePenPixels));
    painter.setBrush(DiscFill);
    painter.drawEllipse(QPointF(607.5, 607.5), 127.5, 127.5);
}

TrendView::TrendView(QWidget *parent) : QWidget(parent) {
    setFixedSize(TwipsSize(255, 245));
}

void TrendView::RetranslateUi() {
    switch (mark) {
    case TrendMark::Up:
        setAccessibleName(tr("in aumento"));
        break;
    case TrendMark::Steady:
        setAccessibleName(tr("stabile"));
        break;
    case TrendMark::Down:
        setAccessibleName(tr("in calo"));
        break;
    case TrendMark::None:
        setAccessibleName(QString());
        break;
    }
}

void TrendView::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
}

void TrendView::SetMark(TrendMark newMark) {
    if (newMark != mark) {
        mark = newMark;
        RetranslateUi();
        update();
    }
}

void TrendView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), PanelYellow);
    painter.scale(PixelsPerTwip, PixelsPerTwip);
    painter.setPen(TwipPen(ReadingBlue, FinePenPixels));
    for (const QPolygonF &line : ShowTrend(mark)) {
        painter.drawPolyline(line);
    }
}

} // namespace anemora

#include "moc_compass_view.cpp"
