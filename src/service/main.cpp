// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/anemora_service.h"
#include "service/journal.h"
#include "service/service_options.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

int main(int argc, char *argv[]) {
    anemora::SendQtMessagesToJournal();
    QCoreApplication app(argc, argv);
    // The desktop program's name, so that its folders are the fallback.
    QCoreApplication::setApplicationName(QStringLiteral("Anemora"));
    const QString appDir = QCoreApplication::applicationDirPath();
    const QFileInfo appFolder(appDir);
    // As the desktop program finds its settings, without seeding them: the
    // service writes nothing there.
    const QString desktopSettingsDir =
        appFolder.isDir() && appFolder.isWritable()
            ? appDir
            : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const anemora::ServiceOptions options = anemora::ReadServiceOptions(
        QCoreApplication::arguments().mid(1), qEnvironmentVariable("CONFIGURATION_DIRECTORY"),
        qEnvironmentVariable("STATE_DIRECTORY"), desktopSettingsDir,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    anemora::AnemoraService service(appDir, options);
    QObject::connect(&service, &anemora::AnemoraService::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The status of a command-line mistake, as sysexits.h has it.
    constexpr int UsageError = 64;
    if (!service.Start())
        return UsageError;
    return app.exec();
}
