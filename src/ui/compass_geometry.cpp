// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/compass_geometry.h"

#include <cmath>

namespace anemora {

namespace {

// The program's own pi (3.14159) over 180, kept so that bar ends match the
// reference figures to the last twip.
constexpr double RadiansPerDegree = 0.017453277777777776;

// Sine and cosine are single precision, and so is every coordinate.
QPointF AtDistance(float distance, float sine, float cosine) {
    return {CompassCentre + distance * sine, CompassCentre - distance * cosine};
}

} // namespace

WindMarks DrawWind(qint16 direction, float speed, float gust) {
    float speedLength = speed * TwipsPerKmh + BarStart;
    if (speedLength > RimRadius) {
        speedLength = RimRadius;
    }
    float gustLength = gust * TwipsPerKmh + BarStart;
    if (gustLength > RimRadius) {
        gustLength = RimRadius;
    }
    if (gustLength < 0) {
        gustLength = 0;
    }
    const double radians = direction * RadiansPerDegree;
    const auto cosine = static_cast<float>(std::cos(radians));
    const auto sine = static_cast<float>(std::sin(radians));

    WindMarks marks;
    marks.calm = speed == 0 && gust == 0;
    if (marks.calm) {
        return marks;
    }
    const QPointF barFoot = AtDistance(BarStart, sine, cosine);
    marks.rimDot = AtDistance(RimRadius, sine, cosine);
    marks.gustBar = {barFoot, AtDistance(gustLength, sine, cosine)};
    marks.speedBar = {barFoot, AtDistance(speedLength, sine, cosine)};
    return marks;
}

QList<QPolygonF> ShowTrend(TrendMark mark) {
    switch (mark) {
    case TrendMark::Up:
        return {QPolygonF{{127, 200}, {127, 35}, {170, 70}, {70, 70}, {127, 35}}};
    case TrendMark::Steady:
        return {QPolygonF{{50, 100}, {200, 100}}, QPolygonF{{50, 155}, {200, 155}}};
    case TrendMark::Down:
        return {QPolygonF{{127, 35}, {127, 200}, {170, 150}, {70, 150}, {127, 200}}};
    case TrendMark::None:
        break;
    }
    return {};
}

} // namespace anemora
