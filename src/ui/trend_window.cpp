// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/trend_window.h"

#include "history/trend_thresholds.h"
#include "weather/wx_display.h"

#include <QAreaSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace anemora {

namespace {

struct ChartLook {
    // "%1" and "%2" stand before the names of a chart's two lines, "%3" for
    // the unit.
    const char *title;
    Measure measure;
};

// In the order of TrendChart.
constexpr std::array<ChartLook, TrendChartCount> ChartLooks{{
    {QT_TRANSLATE_NOOP("anemora::TrendWindow", "%1Temperatura e %2punto di rugiada (%3)"),
     Measure::Temperature},
    {QT_TRANSLATE_NOOP("anemora::TrendWindow", "Umidità (%3)"), Measure::Humidity},
    {QT_TRANSLATE_NOOP("anemora::TrendWindow", "Pressione (%3)"), Measure::Pressure},
    {QT_TRANSLATE_NOOP("anemora::TrendWindow", "%1Vento medio e %2raffica (%3)"), Measure::Speed},
    {QT_TRANSLATE_NOOP("anemora::TrendWindow", "Pioggia in un'ora (%3)"), Measure::Rain},
}};

// In the order of TrendQuantity; the last is the rain.
const std::array<QColor, TrendQuantityCount> QuantityColours{
    QColor(200, 30, 30),  QColor(30, 140, 60), QColor(30, 80, 200), QColor(120, 40, 160),
    QColor(30, 110, 200), QColor(230, 120, 0), QColor(40, 100, 220)};

const std::array<const char *, 3> RangeNames{
    QT_TRANSLATE_NOOP("anemora::TrendWindow", "&6 ore"),
    QT_TRANSLATE_NOOP("anemora::TrendWindow", "&24 ore"),
    QT_TRANSLATE_NOOP("anemora::TrendWindow", "&7 giorni")};

// In the order of TrendRange, most first: tick counts that put the labels a
// whole number of hours (a week: days) apart.
const std::array<QList<int>, 3> TimeTicks{{{7, 4, 3, 2}, {7, 5, 4, 3, 2}, {8, 2}}};

// Fits a 1024x768 screen with its title bar and task bar.
constexpr QSize DefaultSize(900, 680);
// The fewest value ticks asked of the nice-number rounding, which may add one.
constexpr int ValueTicks = 4;
// Room for a title, a plot and its time labels when the window is made small.
constexpr QSize MinimumChartSize(320, 100);
// Pixels between a label and the plot, and between title and plot.
constexpr qreal LabelGap = 8;
constexpr qreal TitleGap = 6;

constexpr qint64 DayMs = 24 * 3600 * 1000LL;
// Columns a line is thinned to: more than a chart on a large screen is wide,
// so the thinning never shows.
constexpr int DrawnColumns = 1000;

// The locale's short formats without what ticks hours or days apart do not
// need: seconds (the C locale spells them) and, over a week, the year.
QString TimeFormat(TrendRange range, const QLocale &locale) {
    if (range == TrendRange::Week) {
        static const QRegularExpression year(QStringLiteral("[^dM]*y+[^dM]*"));
        return locale.dateFormat(QLocale::ShortFormat).remove(year).trimmed();
    }
    static const QRegularExpression seconds(QStringLiteral("[^hHmaApP]?s+"));
    return locale.timeFormat(QLocale::ShortFormat).remove(seconds).trimmed();
}

double TickStep(const QValueAxis &axis) {
    return (axis.max() - axis.min()) / std::max(axis.tickCount() - 1, 1);
}

// Nice steps are 1, 2 or 5 times a power of ten: the labels take the decimals
// of that power, so inches of mercury and of rain read a tick apart.
int LabelDecimals(const QValueAxis &axis) {
    const double step = TickStep(axis);
    return step >= 1 || !(step > 0) ? 0 : std::min(3, int(std::ceil(-std::log10(step) - 1e-9)));
}

// The widest tick label, as Qt Charts writes it with localized numbers.
qreal WidestValueLabel(const QValueAxis &axis, const QLocale &locale) {
    const QFontMetricsF metrics(axis.labelsFont());
    const int decimals = LabelDecimals(axis);
    const double step = TickStep(axis);
    qreal widest = 0;
    for (int tick = 0; tick < axis.tickCount(); ++tick)
        widest = std::max(widest, metrics.horizontalAdvance(
                                      locale.toString(axis.min() + tick * step, 'f', decimals)));
    return widest;
}

// Nice numbers may ask for more ticks than a short chart has room for, and
// Qt Charts then elides every label: the step grows to the next nice one
// until they fit. Doubling would give 40, and a humidity axis to 120 %.
void FitTicks(QValueAxis &axis) {
    for (int tries = 0; tries < 8 && axis.tickCount() > ValueTicks; ++tries) {
        const double nice = TickStep(axis);
        if (!(nice > 0))
            return;
        const double power = std::pow(10.0, std::floor(std::log10(nice) + 1e-9));
        const double mantissa = nice / power;
        const double step = (mantissa < 1.5 ? 2 : mantissa < 3.5 ? 5 : 10) * power;
        const double low = std::floor(axis.min() / step) * step;
        const double high = std::ceil(axis.max() / step) * step;
        axis.setRange(low, high);
        axis.setTickCount(int(std::lround((high - low) / step)) + 1);
    }
}

// A window title reads "[*]" as the place of the modified mark; doubled, it is shown as is.
QString PlainTitleText(QString text) {
    return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

// Where two lines share a chart, a square of each line's colour before its
// name tells them apart: the title is the legend. A legend of Qt Charts would
// take height from the plot or cover it, and name each segment of a line.
QString ChartTitle(int chart, bool keyed, UnitSystem units) {
    QString title = TrendWindow::tr(ChartLooks[chart].title);
    title.replace(QStringLiteral("%3"), UnitSymbol(ChartLooks[chart].measure, units).toString());
    int place = 0;
    for (int line = 0; line < TrendLineCount; ++line) {
        if (int(InfoOf(TrendQuantity(line)).chart) != chart)
            continue;
        const QString key =
            QStringLiteral("<span style='color:%1'>■</span> ").arg(QuantityColours[line].name());
        title.replace(u'%' + QString::number(++place), keyed ? key : QString());
    }
    return title;
}

QString Formatted(std::optional<float> value, int decimals, bool signedChange = false) {
    if (!value)
        return QStringLiteral("—");
    const QString text = FormatFixed(*value, decimals);
    return signedChange && *value > 0 ? QStringLiteral("+") + text : text;
}

} // namespace

TrendWindow::TrendWindow(StationLog &log, const WxConfig &config, QWidget *parent)
    : QWidget(parent, Qt::Window), log(log), config(config) {
    // The charts take the whole height; the buttons, the table and the status
    // sit beside them, as wide as the table needs.
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(BuildCharts(), 1);
    auto *side = new QVBoxLayout;
    side->addWidget(BuildRangeButtons());
    BuildTable();
    side->addWidget(table);
    statusLabel = new QLabel(log.statusText(), this);
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setWordWrap(true);
    side->addWidget(statusLabel);
    side->addStretch();
    layout->addLayout(side);

    connect(&log, &StationLog::rowAppended, this, &TrendWindow::AddReport);
    connect(&log, &StationLog::statusTextChanged, statusLabel, &QLabel::setText);
    // The range ends now, so it moves on while the station is silent.
    minuteTimer = new QTimer(this);
    minuteTimer->setInterval(60 * 1000);
    connect(minuteTimer, &QTimer::timeout, this, &TrendWindow::MinutePassed);
    resize(DefaultSize);
    RetranslateUi();
}

void TrendWindow::RetranslateUi() {
    setWindowTitle(station.isEmpty()
                       ? tr("Andamento della stazione")
                       : tr("Andamento della stazione %1").arg(PlainTitleText(station)));
    statusLabel->setAccessibleName(tr("Stato del registro"));
    statusLabel->setText(log.statusText());
    noValueText = tr("nessun valore");
    for (int range = 0; range < int(RangeNames.size()); ++range)
        rangeButtons->button(range)->setText(tr(RangeNames[range]));
    for (int index = 0; index < TrendChartCount; ++index) {
        // Qt Charts reads a title as HTML. A chart with a plot area of ours
        // may go on showing its old title, so it is laid out once on its own
        // before the plot areas are lined up anew.
        QChart *chart = charts[index].chart;
        chart->setTitle(ChartTitle(index, true, units));
        chart->setPlotArea(QRectF());
        chart->layout()->activate();
        views[index]->setAccessibleName(ChartTitle(index, false, units));
    }
    // Two lines a heading keep the columns as narrow as the numbers.
    table->setHorizontalHeaderLabels(
        {tr("Ultimo"), tr("Minimo\n24 h"), tr("Massimo\n24 h"), tr("Variazione\n24 h")});
    QStringList names;
    for (int q = 0; q < TrendQuantityCount; ++q) {
        const TrendQuantityInfo info = InfoOf(TrendQuantity(q), units);
        names.append(tr("%1 (%2)").arg(info.name, info.unit));
    }
    table->setVerticalHeaderLabels(names);
    table->setAccessibleName(tr("Valori dell'ultimo rapporto e delle ultime 24 ore"));
    for (const ThresholdSeries &line : thresholdSeries)
        line.series->setName(QCoreApplication::translate(
            "anemora::SetupFields", AlarmThresholdFields[int(line.threshold)].name));
}

void TrendWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        RetranslateUi();
        FillTable();
        LayOutPlotAreas();
    }
}

QWidget *TrendWindow::BuildRangeButtons() {
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    rangeButtons = new QButtonGroup(this);
    for (int range = 0; range < int(RangeNames.size()); ++range) {
        auto *button = new QPushButton(row);
        button->setCheckable(true);
        button->setChecked(TrendRange(range) == trend.range());
        rangeButtons->addButton(button, range);
        layout->addWidget(button);
    }
    connect(rangeButtons, &QButtonGroup::idClicked, this,
            [this](int id) { SetRange(TrendRange(id)); });
    return row;
}

QWidget *TrendWindow::BuildCharts() {
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int index = 0; index < TrendChartCount; ++index) {
        ChartParts &parts = charts[index];
        parts.chart = new QChart;
        parts.chart->legend()->hide();
        parts.chart->setLocalizeNumbers(true);
        parts.chart->setLocale(QLocale());
        parts.chart->setMargins(QMargins(0, 0, 0, 0));
        parts.chart->layout()->setContentsMargins(0, 0, 0, 0);
        parts.chart->setBackgroundRoundness(0);
        parts.timeAxis = new QDateTimeAxis;
        parts.valueAxis = new QValueAxis;
        parts.chart->addAxis(parts.timeAxis, Qt::AlignBottom);
        parts.chart->addAxis(parts.valueAxis, Qt::AlignLeft);
        auto *view = new QChartView(parts.chart, column);
        view->setRenderHint(QPainter::Antialiasing);
        view->setFrameShape(QFrame::NoFrame);
        view->setMinimumSize(MinimumChartSize);
        views[index] = view;
        layout->addWidget(view);
        // Queued: a plot area set while the chart lays itself out leaves its
        // series drawn on the old one.
        connect(parts.chart, &QChart::geometryChanged, this, &TrendWindow::LayOutPlotAreas,
                Qt::QueuedConnection);
    }
    for (int index = 0; index < TrendChartCount; ++index) {
        auto *marks = new QScatterSeries(this);
        marks->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
        marks->setMarkerSize(9);
        marks->setColor(Qt::red);
        marks->setBorderColor(Qt::red);
        charts[index].chart->addSeries(marks);
        marks->attachAxis(charts[index].timeAxis);
        marks->attachAxis(charts[index].valueAxis);
        dataStoppedSeries[index] = marks;
    }
    ChartParts &rain = charts[int(TrendChart::Rain)];
    rainOutline = new QLineSeries(this);
    rainArea = new QAreaSeries(rainOutline);
    rainArea->setColor(QuantityColours[int(TrendQuantity::RainHour)]);
    rainArea->setBorderColor(QuantityColours[int(TrendQuantity::RainHour)]);
    rain.chart->addSeries(rainArea);
    rainArea->attachAxis(rain.timeAxis);
    rainArea->attachAxis(rain.valueAxis);
    return column;
}

void TrendWindow::BuildTable() {
    table = new QTableWidget(TrendQuantityCount, 4, this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The table is as large as its cells, so no scroll bar hides a column.
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool TrendWindow::FollowSettings() {
    if (config.StationCall == station && thresholds == config && units == config.Units)
        return false;
    station = config.StationCall;
    thresholds = config;
    units = config.Units;
    RetranslateUi();
    Rebuild();
    return true;
}

void TrendWindow::SetRange(TrendRange range) {
    trend = TrendModel(range);
    rangeButtons->button(int(range))->setChecked(true);
    Rebuild();
}

void TrendWindow::Rebuild() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // The table needs the last day even when the charts show six hours.
    const qint64 span = std::max(RangeMs(trend.range()), DayMs);
    QList<StationLogRow> rows = log.ReadRows(station, now.addMSecs(-span), now);
    for (StationLogRow &row : rows)
        row = InUnits(std::move(row), units);
    trend.Load(rows, now);

    for (int line = 0; line < TrendLineCount; ++line)
        FillLine(line);
    QList<QPointF> outline;
    for (const RainBar &bar : trend.RainBars())
        outline << QPointF(bar.startMs, 0) << QPointF(bar.startMs, bar.mm)
                << QPointF(bar.endMs, bar.mm) << QPointF(bar.endMs, 0);
    rainOutline->replace(outline);

    for (const ThresholdSeries &line : thresholdSeries) {
        charts[int(line.chart)].chart->removeSeries(line.series);
        delete line.series;
    }
    thresholdSeries.clear();
    for (const ThresholdLine &line : ThresholdLines(thresholds)) {
        auto *series = new QLineSeries;
        QPen pen(QuantityColours[0].darker(), 1, Qt::DashLine);
        series->setPen(pen);
        const AlarmThresholdField &field = AlarmThresholdFields[int(line.threshold)];
        series->setName(QCoreApplication::translate("anemora::SetupFields", field.name));
        ChartParts &parts = charts[int(line.chart)];
        parts.chart->addSeries(series);
        series->attachAxis(parts.timeAxis);
        series->attachAxis(parts.valueAxis);
        thresholdSeries.append(
            {series, line.chart, line.threshold, ToShownUnits(field.measure, line.value, units)});
    }
    UpdateAxes();
    FillTable();
}

bool TrendWindow::IsThinned(int line) const {
    qsizetype points = 0;
    for (const TrendSegment &segment : trend.Segments(TrendQuantity(line)))
        points += segment.size();
    return points > 2 * DrawnColumns;
}

void TrendWindow::FillLine(int line) {
    for (QLineSeries *series : lineSeries[line])
        charts[int(InfoOf(TrendQuantity(line)).chart)].chart->removeSeries(series);
    qDeleteAll(lineSeries[line]);
    lineSeries[line].clear();
    thinned[line] = IsThinned(line);
    for (const TrendSegment &segment : trend.Segments(TrendQuantity(line))) {
        QLineSeries *series = AddSegment(line);
        series->replace(DrawnPoints(segment, trend.StartMs(), trend.EndMs(), DrawnColumns));
        series->setPointsVisible(segment.size() == 1);
    }
}

QLineSeries *TrendWindow::AddSegment(int line) {
    ChartParts &parts = charts[int(InfoOf(TrendQuantity(line)).chart)];
    auto *series = new QLineSeries;
    series->setColor(QuantityColours[line]);
    // A lone reading between gaps has no line to show it.
    series->setPointsVisible(true);
    series->setMarkerSize(3);
    parts.chart->addSeries(series);
    series->attachAxis(parts.timeAxis);
    series->attachAxis(parts.valueAxis);
    lineSeries[line].append(series);
    return series;
}

void TrendWindow::AddReport(const StationLogRow &row) {
    // A new call's rows, this one among them, are read from the log.
    if (!shown || FollowSettings() || row.station != station)
        return;
    Apply(trend.Append(InUnits(row, units)));
    UpdateAxes();
    FillTable();
}

void TrendWindow::MinutePassed() {
    if (FollowSettings())
        return;
    Apply(trend.AdvanceTo(QDateTime::currentDateTimeUtc()));
    UpdateAxes();
    FillTable();
}

void TrendWindow::Apply(const TrendChange &change) {
    for (int line = 0; line < TrendLineCount; ++line) {
        const TrendLineChange &lineChange = change.lines[line];
        // A thinned line has no point-for-point match with the model: it is
        // thinned again, which costs far less than drawing every reading.
        if (thinned[line] || IsThinned(line)) {
            FillLine(line);
            continue;
        }
        QList<QLineSeries *> &segments = lineSeries[line];
        ChartParts &parts = charts[int(InfoOf(TrendQuantity(line)).chart)];
        for (int i = 0; i < lineChange.droppedSegments && !segments.isEmpty(); ++i) {
            parts.chart->removeSeries(segments.first());
            delete segments.takeFirst();
        }
        if (lineChange.droppedPoints > 0 && !segments.isEmpty())
            segments.first()->removePoints(0, lineChange.droppedPoints);
        if (lineChange.point) {
            QLineSeries *last =
                lineChange.newSegment || segments.isEmpty() ? AddSegment(line) : segments.last();
            last->append(*lineChange.point);
            last->setPointsVisible(last->count() == 1);
        }
    }
    if (change.droppedBars > 0)
        rainOutline->removePoints(0, 4 * change.droppedBars);
    if (change.barAdded || change.lastBarChanged) {
        const RainBar &bar = trend.RainBars().last();
        if (change.lastBarChanged && rainOutline->count() >= 4)
            rainOutline->removePoints(rainOutline->count() - 4, 4);
        rainOutline->append({QPointF(bar.startMs, 0), QPointF(bar.startMs, bar.mm),
                             QPointF(bar.endMs, bar.mm), QPointF(bar.endMs, 0)});
    }
}

void TrendWindow::UpdateAxes() {
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(trend.StartMs());
    const QDateTime end = QDateTime::fromMSecsSinceEpoch(trend.EndMs());
    const QLocale locale;
    const QString format = TimeFormat(trend.range(), locale);
    for (int index = 0; index < TrendChartCount; ++index) {
        ChartParts &parts = charts[index];
        parts.chart->setLocale(locale);
        parts.timeAxis->setFormat(format);
        parts.timeAxis->setRange(start, end);
        if (const auto range = trend.ValueRange(TrendChart(index), units)) {
            parts.valueAxis->setTickCount(ValueTicks);
            parts.valueAxis->setRange(range->first, range->second);
            parts.valueAxis->applyNiceNumbers();
            FitTicks(*parts.valueAxis);
        }
        parts.valueAxis->setLabelFormat(
            QStringLiteral("%.%1f").arg(LabelDecimals(*parts.valueAxis)));
    }
    for (const ThresholdSeries &line : thresholdSeries)
        line.series->replace(
            {QPointF(trend.StartMs(), line.value), QPointF(trend.EndMs(), line.value)});
    DrawDataStoppedMarks();
    LayOutPlotAreas();
}

void TrendWindow::MarkDataStopped(const QDateTime &when) {
    dataStoppedMarks.append(when.toMSecsSinceEpoch());
    DrawDataStoppedMarks();
}

// On the time axis itself: the gap in the lines shows how long it lasted.
void TrendWindow::DrawDataStoppedMarks() {
    // The list stays as short as the range: a mark that left it is gone.
    dataStoppedMarks.removeIf([this](qint64 ms) { return ms < trend.StartMs(); });
    for (int index = 0; index < TrendChartCount; ++index) {
        QList<QPointF> points;
        for (const qint64 ms : dataStoppedMarks)
            points.append(QPointF(qreal(ms), charts[index].valueAxis->min()));
        dataStoppedSeries[index]->replace(points);
    }
}

// Qt Charts sizes each chart's value labels on its own, and elides them when
// its layout lags a change of range; one plot area for all, left of which the
// widest label fits, lines the charts up under the same times.
void TrendWindow::LayOutPlotAreas() {
    const QLocale locale;
    qreal labelWidth = 0;
    for (const ChartParts &parts : charts)
        labelWidth = std::max(labelWidth, WidestValueLabel(*parts.valueAxis, locale));
    const ChartParts &first = charts.front();
    const QFontMetricsF timeMetrics(first.timeAxis->labelsFont());
    const qreal timeLabelWidth = timeMetrics.horizontalAdvance(
        locale.toString(first.timeAxis->max(), first.timeAxis->format()));
    const qreal left = labelWidth + 2 * LabelGap;
    // The last time label is centred on the right edge.
    const qreal right = timeLabelWidth / 2 + LabelGap;
    const qreal top = QFontMetricsF(first.chart->titleFont()).height() + 2 * TitleGap;
    const qreal bottom = timeMetrics.height() + 2 * LabelGap;
    const qreal width = first.chart->size().width() - left - right;
    const QList<int> &tickChoices = TimeTicks[int(trend.range())];
    const auto fitting = std::find_if(tickChoices.begin(), tickChoices.end(), [&](int ticks) {
        return width / (ticks - 1) >= timeLabelWidth + 2 * LabelGap;
    });
    const int ticks = fitting == tickChoices.end() ? 2 : *fitting;
    for (const ChartParts &parts : charts) {
        const QRectF area(left, top, width, parts.chart->size().height() - top - bottom);
        if (area.isValid() && parts.chart->plotArea() != area)
            parts.chart->setPlotArea(area);
        parts.timeAxis->setTickCount(ticks);
    }
}

void TrendWindow::FillTable() {
    const QList<DaySummaryRow> rows = trend.Table();
    for (const DaySummaryRow &row : rows) {
        const int decimals = ShownDecimals(row.quantity, units);
        const std::array<std::optional<float>, 4> values{row.last, row.minimum, row.maximum,
                                                         row.change};
        for (int column = 0; column < int(values.size()); ++column) {
            auto *item = new QTableWidgetItem(Formatted(values[column], decimals, column == 3));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!values[column])
                item->setData(Qt::AccessibleTextRole, noValueText);
            table->setItem(int(row.quantity), column, item);
        }
    }
}

void TrendWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // Reports and minutes passed unseen while hidden: one rebuild catches up.
    shown = true;
    if (!FollowSettings())
        Rebuild();
    minuteTimer->start();
}

void TrendWindow::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    shown = false;
    minuteTimer->stop();
}

void TrendWindow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace anemora
