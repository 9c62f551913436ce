// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace anemora {

using ListValue = std::variant<QString, bool, qint16, float>;

// One line of the settings-file format: the values separated by commas, texts
// quoted, Booleans as #TRUE#/#FALSE#, numbers with "." whatever the locale,
// ended by CR LF.
QString ValueListLine(const QList<ListValue> &values);

// At most 7 significant digits, no exponent, no decimal part when integral.
QString FileFloatText(float value);

// Takes the values of a settings file in order, whatever its line breaks.
// Each read gives nothing when no value is left or the value does not convert
// to the asked type; the reader then stands after that value.
class ValueListReader {
public:
    explicit ValueListReader(QString text);

    std::optional<QString> ReadText();
    std::optional<bool> ReadBool();
    std::optional<qint16> ReadInt16();
    std::optional<float> ReadFloat();

private:
    std::optional<QString> NextValue();
    std::optional<double> NextNumber();

    QString text;
    qsizetype pos = 0;
};

} // namespace anemora
