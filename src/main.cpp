// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/settings_directory.h"
#include "ui/anemora_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Anemora"));
    // Start-up reads the arguments as the one text typed after the name.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    const QString appDir = QCoreApplication::applicationDirPath();
    const QFileInfo appFolder(appDir);
    const QString settingsDir = anemora::SettingsDirectory(
        appDir, appFolder.isDir() && appFolder.isWritable(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    anemora::AnemoraApp program(appDir, settingsDir,
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QObject::connect(&program, &anemora::AnemoraApp::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.Start(commandLine);
    if (program.IsFinished())
        return 0;
    return app.exec();
}
