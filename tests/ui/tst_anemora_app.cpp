#include "ui/anemora_app.h"
#include "ui/compass_view.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace anemora;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");
const QByteArray Report =
    "Q1ABC-13>APN000,TCPIP*,qAC,T2TEST:_12071201c212s004g007t048r000p002P001h76b10132\r\n";

// The program keeps ports in 16 signed bits, while the system's free ports
// lie above that, so the server picks one below 32768 itself.
bool ListenBelow32768(QTcpServer &server) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const auto port = static_cast<quint16>(20000 + QRandomGenerator::global()->bounded(12000));
        if (server.listen(QHostAddress::LocalHost, port)) {
            return true;
        }
    }
    return false;
}

} // namespace

class TestAnemoraApp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void reportReachesTheWindow();
    void closingTheWindowShutsDown();
    void rightClickOpensOneSettingsDialog();
    void helpKeyOpensTheGuide();

private:
    void StartWithServer();

    std::unique_ptr<QTemporaryDir> appDir;
    std::unique_ptr<QTcpServer> server;
    std::unique_ptr<AnemoraApp> program;
    QByteArray login;
};

void TestAnemoraApp::init() {
    appDir = std::make_unique<QTemporaryDir>();
    QVERIFY(appDir->isValid());
    server = std::make_unique<QTcpServer>();
    QVERIFY(ListenBelow32768(*server));
    login.clear();
    connect(server.get(), &QTcpServer::newConnection, this, [this] {
        QTcpSocket *client = server->nextPendingConnection();
        connect(client, &QTcpSocket::readyRead, client, [this, client] {
            login += client->readAll();
            if (login.endsWith('\n')) {
                client->write(Report);
            }
        });
    });
    program = std::make_unique<AnemoraApp>(appDir->path(), appDir->path());
}

void TestAnemoraApp::cleanup() {
    program.reset();
    server.reset();
    appDir.reset();
}

void TestAnemoraApp::StartWithServer() {
    program->Start(Station + QStringLiteral(" S:127.0.0.1:%1").arg(server->serverPort()));
    QVERIFY(program->window.isVisible());
}

void TestAnemoraApp::reportReachesTheWindow() {
    StartWithServer();
    QTRY_COMPARE(program->window.windowTitle(), Station + QStringLiteral(" Wx Station"));
    QTRY_VERIFY(program->window.lblWxData->text().startsWith(QStringLiteral("212°")));
    QVERIFY(login.contains("filter p/" + Station.toLatin1()));
    QVERIFY(program->window.picWx->Request().drawn);
    QCOMPARE(program->window.picWx->Request().direction, qint16(212));
    QVERIFY(!program->window.lblTemp->text().isEmpty());
    QVERIFY(program->window.lblPress->text().endsWith(QStringLiteral(" mb")));
    QVERIFY(program->window.cSysTray1.toolTip().startsWith(Station + QStringLiteral(" 212°")));
}

void TestAnemoraApp::closingTheWindowShutsDown() {
    StartWithServer();
    QTRY_VERIFY(!program->links.IsAprsLinkClosed());
    program->window.close();
    QVERIFY(program->links.IsAprsLinkClosed());
    // A command-line start keeps the stored settings as they were.
    QVERIFY(!QFile::exists(QDir(appDir->path()).filePath(QStringLiteral("Params.ini"))));
}

void TestAnemoraApp::rightClickOpensOneSettingsDialog() {
    StartWithServer();
    for (int i = 0; i < 2; ++i) {
        const QPointF at(3, 3);
        QMouseEvent press(QEvent::MouseButtonPress, at, program->window.lblWxData->mapToGlobal(at),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(program->window.lblWxData, &press);
    }
    QVERIFY(program->prompts.IsSettingsDialogVisible());
    int dialogs = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        dialogs += widget->isVisible() && widget->inherits("anemora::frmWxSetup") ? 1 : 0;
    }
    QCOMPARE(dialogs, 1);
    program->prompts.CurrentDialog()->close();
}

void TestAnemoraApp::helpKeyOpensTheGuide() {
    // The guide is looked up in the current directory first.
    const QString guide = QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/Leggimi.rtf");
    QVERIFY(QFile::copy(guide, QDir(appDir->path()).filePath(QStringLiteral("Leggimi.rtf"))));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(appDir->path()));
    StartWithServer();
    QVERIFY(QTest::qWaitForWindowExposed(&program->window));
    QTest::keyClick(&program->window, Qt::Key_F1);
    QDir::setCurrent(previous);
    QTRY_VERIFY(program->viewer.isVisible());
    QCOMPARE(program->viewer.windowTitle(), QStringLiteral(" Anemora - Istruzioni"));
}

QTEST_MAIN(TestAnemoraApp)
#include "tst_anemora_app.moc"
