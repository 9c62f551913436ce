// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/settings_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace anemora {

namespace {

const QString ServerListName = QStringLiteral("Aprserve.txt");

} // namespace

QString SettingsDirectory(const QString &appDir, bool appDirWritable,
                          const QString &userConfigDir) {
    if (appDirWritable)
        return appDir;
    if (!QDir().mkpath(userConfigDir))
        return appDir;
    const QString userList = QDir(userConfigDir).filePath(ServerListName);
    if (!QFileInfo::exists(userList))
        QFile::copy(QDir(appDir).filePath(ServerListName), userList);
    return userConfigDir;
}

} // namespace anemora
