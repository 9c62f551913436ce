#include "ui/trend_window.h"

#include "history/trend_thresholds.h"
#include "weather/wx_display.h"

#include <QAreaSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

namespace anemora {

namespace {

struct ChartLook {
    const char *title;
};

// In the order of TrendChart.
constexpr std::array<ChartLook, TrendChartCount> ChartLooks{{
    {"Temperatura e punto di rugiada (°C)"},
    {"Umidità (%)"},
    {"Pressione (mb)"},
    {"Vento medio e raffica (km/h)"},
    {"Pioggia in un'ora (mm)"},
}};

// In the order of TrendQuantity; the last is the rain.
const std::array<QColor, TrendQuantityCount> QuantityColours{
    QColor(200, 30, 30),  QColor(30, 140, 60), QColor(30, 80, 200), QColor(120, 40, 160),
    QColor(30, 110, 200), QColor(230, 120, 0), QColor(40, 100, 220)};

const std::array<const char *, 3> RangeNames{"&6 ore", "&24 ore", "&7 giorni"};

constexpr qint64 DayMs = 24 * 3600 * 1000LL;

QString formatted(std::optional<float> value, int decimals, bool signedChange = false) {
    if (!value)
        return QStringLiteral("—");
    const QString text = FormatFixed(*value, decimals);
    return signedChange && *value > 0 ? QStringLiteral("+") + text : text;
}

} // namespace

TrendWindow::TrendWindow(StationLog &log, QWidget *parent) : QWidget(parent, Qt::Window), log(log) {
    setWindowTitle(QStringLiteral("Andamento della stazione"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(BuildRangeButtons());
    auto *middle = new QHBoxLayout;
    middle->addWidget(BuildCharts(), 3);
    BuildTable();
    middle->addWidget(table, 2);
    layout->addLayout(middle, 1);
    statusLabel = new QLabel(log.statusText(), this);
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setAccessibleName(QStringLiteral("Stato del registro"));
    layout->addWidget(statusLabel);

    connect(&log, &StationLog::rowAppended, this, &TrendWindow::AddReport);
    connect(&log, &StationLog::statusTextChanged, statusLabel, &QLabel::setText);
    // The range ends now, so it moves on while the station is silent.
    minuteTimer = new QTimer(this);
    minuteTimer->setInterval(60 * 1000);
    connect(minuteTimer, &QTimer::timeout, this, &TrendWindow::MinutePassed);
    minuteTimer->start();
    resize(1000, 800);
}

QWidget *TrendWindow::BuildRangeButtons() {
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    rangeButtons = new QButtonGroup(this);
    for (int range = 0; range < int(RangeNames.size()); ++range) {
        auto *button = new QPushButton(QString::fromUtf8(RangeNames[range]), row);
        button->setCheckable(true);
        button->setChecked(TrendRange(range) == trend.range());
        rangeButtons->addButton(button, range);
        layout->addWidget(button);
    }
    layout->addStretch();
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
        parts.chart->setTitle(QString::fromUtf8(ChartLooks[index].title));
        parts.chart->legend()->hide();
        parts.chart->setLocalizeNumbers(true);
        parts.chart->setLocale(QLocale());
        parts.chart->setMargins(QMargins(4, 0, 4, 0));
        parts.timeAxis = new QDateTimeAxis;
        parts.valueAxis = new QValueAxis;
        parts.valueAxis->setLabelFormat(QStringLiteral("%.1f"));
        parts.chart->addAxis(parts.timeAxis, Qt::AlignBottom);
        parts.chart->addAxis(parts.valueAxis, Qt::AlignLeft);
        // One time axis for all: only the lowest chart spells it out.
        parts.timeAxis->setLabelsVisible(index == TrendChartCount - 1);
        auto *view = new QChartView(parts.chart, column);
        view->setRenderHint(QPainter::Antialiasing);
        view->setAccessibleName(parts.chart->title());
        layout->addWidget(view);
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
    const QStringList columns{QStringLiteral("Ultimo"), QStringLiteral("Minimo 24 h"),
                              QStringLiteral("Massimo 24 h"), QStringLiteral("Variazione 24 h")};
    table = new QTableWidget(TrendQuantityCount, int(columns.size()), this);
    table->setHorizontalHeaderLabels(columns);
    QStringList names;
    for (int q = 0; q < TrendQuantityCount; ++q) {
        const TrendQuantityInfo info = InfoOf(TrendQuantity(q));
        names.append(info.name + QStringLiteral(" (") + info.unit + u')');
    }
    table->setVerticalHeaderLabels(names);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setAccessibleName(QStringLiteral("Valori dell'ultimo rapporto e delle ultime 24 ore"));
}

void TrendWindow::ShowStation(const QString &newStation, const AlarmThresholds &newThresholds) {
    station = newStation;
    thresholds = newThresholds;
    setWindowTitle(QStringLiteral("Andamento della stazione ") + station);
    Rebuild();
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
    trend.Load(log.ReadRows(station, now.addMSecs(-span), now), now);

    for (int line = 0; line < TrendLineCount; ++line) {
        for (QLineSeries *series : lineSeries[line])
            charts[int(InfoOf(TrendQuantity(line)).chart)].chart->removeSeries(series);
        qDeleteAll(lineSeries[line]);
        lineSeries[line].clear();
        for (const TrendSegment &segment : trend.Segments(TrendQuantity(line))) {
            QLineSeries *series = AddSegment(line);
            series->replace(segment);
            series->setPointsVisible(segment.size() == 1);
        }
    }
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
        series->setName(QString::fromUtf8(AlarmThresholdFields[int(line.threshold)].name));
        ChartParts &parts = charts[int(line.chart)];
        parts.chart->addSeries(series);
        series->attachAxis(parts.timeAxis);
        series->attachAxis(parts.valueAxis);
        thresholdSeries.append({series, line.chart, line.value});
    }
    UpdateAxes();
    FillTable();
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
    if (row.station != station)
        return;
    Apply(trend.Append(row));
    UpdateAxes();
    FillTable();
}

void TrendWindow::MinutePassed() {
    Apply(trend.AdvanceTo(QDateTime::currentDateTimeUtc()));
    UpdateAxes();
    FillTable();
}

void TrendWindow::Apply(const TrendChange &change) {
    for (int line = 0; line < TrendLineCount; ++line) {
        const TrendLineChange &lineChange = change.lines[line];
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
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    const QString format = trend.range() == TrendRange::Week
                               ? locale.dateFormat(QLocale::ShortFormat) + u' ' + time
                               : time;
    for (int index = 0; index < TrendChartCount; ++index) {
        ChartParts &parts = charts[index];
        parts.timeAxis->setFormat(format);
        parts.timeAxis->setRange(start, end);
        const auto range = trend.ValueRange(TrendChart(index));
        if (range)
            parts.valueAxis->setRange(range->first, range->second);
    }
    for (const ThresholdSeries &line : thresholdSeries)
        line.series->replace(
            {QPointF(trend.StartMs(), line.value), QPointF(trend.EndMs(), line.value)});
}

void TrendWindow::FillTable() {
    const QList<DaySummaryRow> rows = trend.Table();
    for (const DaySummaryRow &row : rows) {
        const int decimals = InfoOf(row.quantity).decimals;
        const std::array<std::optional<float>, 4> values{row.last, row.minimum, row.maximum,
                                                         row.change};
        for (int column = 0; column < int(values.size()); ++column) {
            auto *item = new QTableWidgetItem(formatted(values[column], decimals, column == 3));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!values[column])
                item->setData(Qt::AccessibleTextRole, QStringLiteral("nessun valore"));
            table->setItem(int(row.quantity), column, item);
        }
    }
}

void TrendWindow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace anemora
