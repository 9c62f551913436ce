#include "ui/anemora_app.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Anemora"));
    // Start-up reads the arguments as the one text typed after the name.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    anemora::AnemoraApp program(QCoreApplication::applicationDirPath());
    program.Start(commandLine);
    return app.exec();
}
