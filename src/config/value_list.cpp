// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/value_list.h"

#include "weather/text_primitives.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <utility>

namespace anemora {

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

// The format has no escape: a quote inside a text would end it early and
// shift every later value, so quotes and line ends are left out of the file.
QString QuotedText(const QString &value) {
    QString inner = value;
    inner.remove(u'"').remove(u'\r').remove(u'\n');
    return u'"' + inner + u'"';
}

QString ValueText(const ListValue &value) {
    if (const auto *text = std::get_if<QString>(&value))
        return QuotedText(*text);
    if (const auto *flag = std::get_if<bool>(&value))
        return *flag ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    if (const auto *integer = std::get_if<qint16>(&value))
        return QString::number(*integer);
    return FileFloatText(std::get<float>(value));
}

} // namespace

QString FileFloatText(float value) {
    const QLocale c = QLocale::c();
    // Round to 7 significant digits first, then print without an exponent.
    const QString scientific = c.toString(double(value), 'e', 6);
    const double rounded = c.toDouble(scientific);
    if (rounded == 0)
        return QStringLiteral("0");
    const int exponent = scientific.mid(scientific.indexOf(u'e') + 1).toInt();
    QString text = c.toString(rounded, 'f', std::max(0, 6 - exponent));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

QString ValueListLine(const QList<ListValue> &values) {
    QStringList texts;
    for (const ListValue &value : values)
        texts.append(ValueText(value));
    return texts.join(u',') + QStringLiteral("\r\n");
}

ValueListReader::ValueListReader(QString text) : text(std::move(text)) {}

std::optional<QString> ValueListReader::NextValue() {
    // Line ends between values carry no meaning, so blank lines anywhere
    // (trailing ones included) are passed over.
    while (pos < text.size() && (IsBlank(text[pos]) || IsLineEnd(text[pos])))
        ++pos;
    if (pos >= text.size())
        return std::nullopt;
    QString value;
    if (text[pos] == u'"') {
        const qsizetype close = text.indexOf(u'"', pos + 1);
        if (close < 0)
            return std::nullopt;
        value = text.mid(pos + 1, close - pos - 1);
        pos = close + 1;
        while (pos < text.size() && text[pos] != u',' && !IsLineEnd(text[pos]))
            ++pos;
    } else {
        const qsizetype start = pos;
        while (pos < text.size() && text[pos] != u',' && !IsLineEnd(text[pos]))
            ++pos;
        value = text.mid(start, pos - start).trimmed();
    }
    if (pos < text.size() && text[pos] == u',')
        ++pos;
    return value;
}

std::optional<double> ValueListReader::NextNumber() {
    const std::optional<QString> value = NextValue();
    if (!value)
        return std::nullopt;
    bool ok = false;
    const double number = QLocale::c().toDouble(value->trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<QString> ValueListReader::ReadText() {
    return NextValue();
}

std::optional<bool> ValueListReader::ReadBool() {
    const std::optional<QString> value = NextValue();
    if (!value)
        return std::nullopt;
    if (value->compare(QStringLiteral("#TRUE#"), Qt::CaseInsensitive) == 0)
        return true;
    if (value->compare(QStringLiteral("#FALSE#"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<qint16> ValueListReader::ReadInt16() {
    const std::optional<double> number = NextNumber();
    return number ? ToInt16(*number) : std::nullopt;
}

std::optional<float> ValueListReader::ReadFloat() {
    const std::optional<double> number = NextNumber();
    if (!number || std::abs(*number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(*number);
}

} // namespace anemora
