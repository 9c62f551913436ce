#include "intake/tnc2_header.h"
#include "weather/station_monitor.h"

#include <QLocale>

namespace anemora {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Data types of position reports and objects, which carry weather only when
// their symbol is "_".
bool IsPositionType(QChar type) {
    return type == u'/' || type == u'@' || type == u'!' || type == u'=' || type == u';';
}

QString HistoryStamp(const QDateTime &when) {
    const QLocale locale;
    return locale.toString(when.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.time(), QLocale::LongFormat);
}

} // namespace

void StationMonitor::HandleAprsLine(const QString &line) {
    const Tnc2Split split = SplitTnc2Header(line);
    if (split.hasHeader)
        model.List2 = QStringList{split.header, split.payload};
    if (const std::optional<QStringList> rows = LogrespRows(line))
        model.List2 = *rows;
    // The stamp is costly to format and most lines of a busy feed come from
    // other stations, which the rule turns away before logging.
    QString history;
    if (split.sourceCall == config.StationCall && AcceptNextReport)
        history = u'[' + HistoryStamp(clock()) + QStringLiteral("] ") + model.List2.value(0) +
                  LineEnd + model.List2.value(1) + LineEnd;
    ApplyAcceptanceRule(split.sourceCall, split.payload, history);
    emit displayChanged();
}

void StationMonitor::ApplyAcceptanceRule(const QString &sourceCall, const QString &payload,
                                         const QString &historyText) {
    if (sourceCall != config.StationCall || !AcceptNextReport)
        return;
    AppendHistory(historyText);
    if (payload.isEmpty())
        return;
    const QChar type = payload.front();
    if (type == u'_' || (IsPositionType(type) && payload.contains(u'_')))
        DecodeWxReport(payload);
}

void StationMonitor::AppendHistory(const QString &text) {
    constexpr qsizetype TrimAbove = 9999;
    constexpr qsizetype Keep = 9800;
    if (model.Text1.size() > TrimAbove)
        model.Text1 = model.Text1.right(Keep);
    model.Text1 += text;
    emit displayChanged();
}

} // namespace anemora
