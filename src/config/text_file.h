// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace anemora {

// The settings files are single-byte text. A UTF-8 byte-order mark left by an
// editor is dropped so it does not stick to the first value.
QString TextFromFileBytes(const QByteArray &bytes);

// Lines ended by CR LF, LF or CR alone; a line end after the last line adds no
// empty line.
QStringList SplitTextLines(const QString &text);

// The whole file as text; empty when it cannot be opened or read.
std::optional<QString> ReadTextFile(const QString &path);

} // namespace anemora
