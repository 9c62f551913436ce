// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "monitor/display_model.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QtGlobal>

namespace anemora {

// Compass coordinates are twips from the top-left corner of compassView.
constexpr float CompassCentre = 607;
constexpr float RimRadius = 520;
constexpr float BarStart = 140;
constexpr float TwipsPerKmh = 12;
constexpr float RimDotRadius = 10;

// What one wind request puts on the compass. When `calm` is true nothing is
// drawn and the calm label is shown instead.
struct WindMarks {
    bool calm = false;
    QPointF rimDot;
    QLineF gustBar;
    QLineF speedBar;
};

WindMarks DrawWind(qint16 direction, float speed, float gust);

// The polylines of one trend mark in the twips of a trendMarks box, drawn in
// order; an empty list draws nothing.
QList<QPolygonF> ShowTrend(TrendMark mark);

} // namespace anemora
