// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "monitor/display_model.h"

#include <QWidget>

#include <array>

class QLabel;

namespace anemora {

// compassView: the wind compass. It keeps the last request and paints from it, so
// the picture survives being covered and uncovered. The fixed decorations
// are painted after the wind and the labels are child widgets, so nothing
// drawn ever hides them. Its accessible description says the wind in the
// units shown.
class CompassView : public QWidget {
    Q_OBJECT
public:
    explicit CompassView(QWidget *parent = nullptr);

    void SetRequest(const CompassRequest &request, UnitSystem units = UnitSystem::Metric);
    CompassRequest Request() const { return request; }

    QLabel *minutesLabel = nullptr;
    // N, O (west), S, E.
    std::array<QLabel *, 4> cardinalLabels{};
    QLabel *calmLabel = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void RetranslateUi();
    void Describe();

    CompassRequest request;
    UnitSystem units = UnitSystem::Metric;
};

// One trendMarks box: a trend mark beside a reading, named to assistive
// technology as a person would say it.
class TrendView : public QWidget {
    Q_OBJECT
public:
    explicit TrendView(QWidget *parent = nullptr);

    void SetMark(TrendMark mark);
    TrendMark Mark() const { return mark; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void RetranslateUi();

    TrendMark mark = TrendMark::None;
};

} // namespace anemora
