// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "history/station_log.h"
#include "history/trend_model.h"
#include "weather/alarm_thresholds.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>

class QAreaSeries;
class QButtonGroup;
class QChart;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QTableWidget;
class QTimer;
class QValueAxis;

namespace anemora {

// The station's trend: five charts on one time axis, the table of the last
// report and its day beside them, and the log's status. It draws what the
// core's TrendModel holds and follows the log's new rows.
class TrendWindow : public QWidget {
    Q_OBJECT
public:
    // Draws the station of `config` with the lines of its thresholds that are
    // set, following them as they change.
    TrendWindow(StationLog &log, const WxConfig &config, QWidget *parent = nullptr);

    // Redraws with the call and the thresholds in force when they changed, a
    // new call's rows read from the log; true when it did. Each report and
    // minute does this too, and a hidden window when shown again.
    bool FollowSettings();
    void SetRange(TrendRange range);
    // Marks on the time axis when the data-stopped alarm went on.
    void MarkDataStopped(const QDateTime &when);
    const TrendModel &model() const { return trend; }

signals:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void AddReport(const anemora::StationLogRow &row);
    void MinutePassed();

private:
    struct ChartParts {
        QChart *chart = nullptr;
        QDateTimeAxis *timeAxis = nullptr;
        QValueAxis *valueAxis = nullptr;
    };
    struct ThresholdSeries {
        QLineSeries *series;
        TrendChart chart;
        AlarmThreshold threshold;
        float value;
    };

    QWidget *BuildRangeButtons();
    QWidget *BuildCharts();
    void BuildTable();
    void RetranslateUi();
    void Rebuild();
    QLineSeries *AddSegment(int line);
    bool IsThinned(int line) const;
    void FillLine(int line);
    void Apply(const TrendChange &change);
    void UpdateAxes();
    void LayOutPlotAreas();
    void FillTable();
    void DrawDataStoppedMarks();

    StationLog &log;
    const WxConfig &config;
    // Between show and hide; a hidden window follows nothing until shown.
    bool shown = false;
    QString station;
    AlarmThresholds thresholds;
    UnitSystem units = UnitSystem::Metric;
    TrendModel trend;
    // What a screen reader hears for an empty cell, looked up per language.
    QString noValueText;

    std::array<ChartParts, TrendChartCount> charts;
    std::array<QWidget *, TrendChartCount> views{};
    // One series per unbroken segment of each line.
    // Whether each line is drawn thinned, so it is redrawn whole on change.
    std::array<bool, TrendLineCount> thinned{};
    std::array<QList<QLineSeries *>, TrendLineCount> lineSeries;
    QLineSeries *rainOutline = nullptr;
    QAreaSeries *rainArea = nullptr;
    QList<ThresholdSeries> thresholdSeries;
    // One per chart; the marks of this run still in the range, in ms.
    std::array<QScatterSeries *, TrendChartCount> dataStoppedSeries{};
    QList<qint64> dataStoppedMarks;
    QButtonGroup *rangeButtons = nullptr;
    QTableWidget *table = nullptr;
    QLabel *statusLabel = nullptr;
    QTimer *minuteTimer = nullptr;
};

} // namespace anemora
