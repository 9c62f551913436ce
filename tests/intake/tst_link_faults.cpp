// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/agw_frames.h"
#include "common/fakes.h"
#include "common/loopback.h"
#include "common/memory.h"
#include "common/random_bytes.h"
#include "common/settings.h"
#include "config/setup_accept.h"
#include "intake/agw_frame.h"
#include "intake/links.h"
#include "monitor/station_monitor.h"

#include <QRandomGenerator>
#include <QSemaphore>
#include <QTest>

#include <atomic>
#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

constexpr qsizetype MiB = 1024 * 1024;
// Resident memory may grow by this much over a whole fault: far less than the
// floods below, so a buffer that keeps what it is sent shows up plainly.
constexpr qint64 RssMargin = 32 * MiB;

// A name no resolver can look up: its first label is longer than the 63
// bytes DNS allows, so it is refused before any query is sent, and it lies
// under the reserved .invalid domain besides. A plain "x.invalid" would be
// asked of the configured name server, off this machine.
const QString UnresolvableHost = QString(64, u'a') + QStringLiteral(".invalid");

const QString AprsErrorTitle = QStringLiteral("Errore collegamento TCP [Q1ABC-13]");
const QString AgwErrorTitle = QStringLiteral("Errore collegamento con AGWPE [Q1ABC-13]");

// Well-framed AGWPE frames of random kinds, senders, lengths and contents.
QByteArray RandomFrames(quint32 seed, int count) {
    QRandomGenerator generator(seed);
    const QByteArray kinds = "UTGRmKXy";
    QByteArray stream;
    for (int i = 0; i < count; ++i) {
        const int dataLen = generator.bounded(600);
        QByteArray header = RandomBytes(generator.generate(), AgwHeaderSize);
        header[AgwKindOffset] = kinds.at(generator.bounded(int(kinds.size())));
        header[AgwDataLenOffset] = static_cast<char>(dataLen & 0xff);
        header[AgwDataLenOffset + 1] = static_cast<char>(dataLen >> 8);
        stream += header + RandomBytes(generator.generate(), dataLen);
    }
    return stream;
}

} // namespace

class TestLinkFaults : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(aprsServer.Listen());
        QVERIFY(agwServer.Listen());
        config = Settings()
                     .ServerList("/nonexistent/Aprserve.txt", 3)
                     .Aprs("127.0.0.1", aprsServer.Port())
                     .Agw("127.0.0.1", agwServer.Port());
        config.BeepAlarm = config.FocusNewData = config.SaveAlarms = true;
        config.LoTemp = -12.5f;
        config.HiHum = 91;
        config.HiBaro = 1033.5f;
        config.HiGust = 77;
        settingsBefore = config;
        prompts = FakePrompts{};
        monitor = std::make_unique<StationMonitor>(config, notifications, QString());
        monitor->clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(7, 1, 2)); };
        links = std::make_unique<Links>(config, *monitor, prompts);
        // Connected after the links' own handlers, so these see what each read
        // left behind.
        maxAprsPending = maxAgwPending = 0;
        connect(&links->aprs.socket, &QTcpSocket::readyRead, this, [this] {
            maxAprsPending = qMax(maxAprsPending, links->aprs.AprsRxBuffer().size());
        });
        connect(&links->agw.socket, &QTcpSocket::readyRead, this,
                [this] { maxAgwPending = qMax(maxAgwPending, links->agw.PendingFrameBytes()); });
    }

    void cleanup() {
        links.reset();
        monitor.reset();
        aprsServer.tcp.close();
        agwServer.tcp.close();
    }

    void aprsHostileStreams_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<int>("chunks");

        // Should the over-long line get through, its sender is the station's and
        // it would show in the history.
        const QByteArray station = "Q1ABC-13>APRS:>";
        // clang-format off
        QTest::newRow("1 MB without a line feed") << station << QByteArray(MiB, 'x') << 1;
        QTest::newRow("96 MB without a line feed") << station << QByteArray(MiB, 'x') << 96;
        QTest::newRow("random bytes") << QByteArray() << RandomBytes(1, 300 * 1024) << 1;
        // clang-format on
    }
    void aprsHostileStreams() {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, chunk);
        QFETCH(int, chunks);
        links->OpenAprsLink();
        QTcpSocket *peer = aprsServer.Accept(links->aprs.socket);
        QVERIFY(peer);
        const qint64 rssBefore = ResidentBytes();

        QVERIFY(Stream(peer, head, chunk, chunks));
        peer->write("\nQ1ABC-13>APRS,TCPIP*:>still here\r\n");

        QTRY_COMPARE(monitor->model.rxRows,
                     (QStringList{"Q1ABC-13>APRS,TCPIP*:", QStringLiteral(">still here")}));
        QCOMPARE(monitor->model.history,
                 QStringLiteral("Dati storici[05/03/24 07:01:02 UTC] Q1ABC-13>APRS,TCPIP*:\r\n"
                                ">still here\r\n"));
        QVERIFY(maxAprsPending <= AprsLineAssembler::MaxLineLength);
        QCOMPARE(links->aprs.AprsRxBuffer(), QString());
        QCOMPARE(links->aprs.socket.state(), QAbstractSocket::ConnectedState);
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(prompts.dialogsShown, 0);
        QCOMPARE(config, settingsBefore);
        if (ResidentSizeIsMeaningful)
            QVERIFY2(
                ResidentBytes() - rssBefore < RssMargin,
                qPrintable(QStringLiteral("grew by %1 bytes").arg(ResidentBytes() - rssBefore)));
    }

    void agwHostileStreams_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<qsizetype>("pendingAtClose");

        QByteArray all = AgwHeader('U', "Q1ABC-13", 0xffff);
        all[30] = all[31] = '\xff';
        // clang-format off
        QTest::newRow("DataLen 65535, then close") << all << true << qsizetype(0);
        QTest::newRow("random bytes") << RandomBytes(2, 300 * 1024) << true << qsizetype(0);
        QTest::newRow("random frames within the limit") << RandomFrames(3, 1000) << false << qsizetype(0);
        QTest::newRow("close inside a header") << AgwHeader('G', "", 2).first(20) << false << qsizetype(20);
        QTest::newRow("close inside the data") << AgwHeader('U', "Q1ABC-13", 300) + QByteArray(100, 'd') << false << qsizetype(136);
        QTest::newRow("close inside the longest frame") << AgwHeader('U', "", MaxAgwDataLen) + QByteArray(1000, 'd') << false << qsizetype(AgwHeaderSize + 1000);
        // clang-format on
    }
    void agwHostileStreams() {
        QFETCH(QByteArray, stream);
        QFETCH(bool, fails);
        QFETCH(qsizetype, pendingAtClose);
        links->OpenAgwLink();
        QTcpSocket *peer = agwServer.Accept(links->agw.socket);
        QVERIFY(peer);
        // Requests left unread would turn the close into a reset, which drops
        // what the link has not read yet.
        QTRY_COMPARE(peer->bytesAvailable(), 3 * AgwHeaderSize);
        peer->readAll();
        const qint64 rssBefore = ResidentBytes();

        peer->write(stream);
        peer->disconnectFromHost();
        QTRY_VERIFY(links->agw.IsClosed());
        // Anything still on its way would be reported now.
        QTest::qWait(100);

        QCOMPARE(prompts.messages.size(), fails ? 1 : 0);
        QCOMPARE(prompts.dialogsShown, fails ? 1 : 0);
        if (fails) {
            QCOMPARE(prompts.messages.first().title, AgwErrorTitle);
            QCOMPARE(config, SettingsWithout(&WxConfig::AgwEnabled));
        } else {
            QCOMPARE(config, settingsBefore);
        }
        QCOMPARE(links->agw.PendingFrameBytes(), pendingAtClose);
        QVERIFY(maxAgwPending <= AgwHeaderSize + MaxAgwDataLen);
        if (ResidentSizeIsMeaningful)
            QVERIFY(ResidentBytes() - rssBefore < RssMargin);

        // Opened again, the link starts a clean stream.
        links->OpenAgwLink();
        peer = agwServer.NextPeer();
        QVERIFY(peer);
        peer->write(AgwHeader('G', "", 2) + "5;");
        QTRY_COMPARE(monitor->model.rain.text, QStringLiteral("Porte Radio : 5"));
        QCOMPARE(prompts.messages.size(), fails ? 1 : 0);
    }

    // A failure's box waits for the user, maybe for hours, while the peer may go
    // on sending: what arrives meanwhile must not pile up in memory.
    void floodWhileBoxIsUp_data() {
        QTest::addColumn<bool>("aprs");
        // clang-format off
        QTest::newRow("APRS-IS, error on a live connection") << true;
        QTest::newRow("AGWPE, DataLen 65535") << false;
        // clang-format on
    }
    void floodWhileBoxIsUp() {
        QFETCH(bool, aprs);
        Link(aprs).Open();
        QTcpSocket &socket = Link(aprs).socket;
        QTcpSocket *peer = Server(aprs).Accept(socket);
        QVERIFY(peer);
        const qint64 rssBefore = ResidentBytes();
        qint64 grownDuringBox = 0;
        bool stalled = false;
        prompts.whileMessageShown = [&] {
            stalled = !Stream(peer, QByteArray(), QByteArray(MiB, 'x'), 96);
            grownDuringBox = ResidentBytes() - rssBefore;
        };
        if (aprs)
            emit socket.errorOccurred(QAbstractSocket::NetworkError);
        else
            peer->write(AgwHeader('U', "", 0xffff));
        QTRY_COMPARE(prompts.messages.size(), 1);

        if (ResidentSizeIsMeaningful)
            QVERIFY2(grownDuringBox < RssMargin,
                     qPrintable(QStringLiteral("grew by %1 bytes").arg(grownDuringBox)));
        // The link took no more than it could hold, so the sender had to wait.
        QVERIFY(stalled);
        QVERIFY(Link(aprs).IsClosed());
        QCOMPARE(prompts.dialogsShown, 1);
        QCOMPARE(config, SettingsWithout(aprs ? &WxConfig::AprsEnabled : &WxConfig::AgwEnabled));
    }

    void cannotConnect_data() {
        QTest::addColumn<QString>("aprsFault");
        QTest::addColumn<QString>("agwFault");
        // Each box as "title: text", sorted.
        QTest::addColumn<QStringList>("boxes");
        const QString aprsUnknown = AprsErrorTitle + ": Host not found";
        const QString agwRefused = AgwErrorTitle + ": Connection refused";
        // clang-format off
        QTest::newRow("APRS-IS, name not found") << "name" << "" << QStringList{aprsUnknown};
        QTest::newRow("AGWPE, name not found") << "" << "name" << QStringList{AgwErrorTitle + ": Host not found"};
        QTest::newRow("APRS-IS, connection refused") << "refused" << "" << QStringList{AprsErrorTitle + ": Connection refused"};
        QTest::newRow("AGWPE, connection refused") << "" << "refused" << QStringList{agwRefused};
        QTest::newRow("both at once, each told once") << "name" << "refused" << QStringList{aprsUnknown, agwRefused};
        // clang-format on
    }
    void cannotConnect() {
        QFETCH(QString, aprsFault);
        QFETCH(QString, agwFault);
        QFETCH(QStringList, boxes);
        for (const bool aprs : {true, false}) {
            const QString &fault = aprs ? aprsFault : agwFault;
            if (fault == u"refused")
                Server(aprs).tcp.close();
            else if (fault == u"name")
                (aprs ? config.AprsHost : config.AgwHost) = UnresolvableHost;
        }
        WxConfig expected = config;
        expected.AprsEnabled = aprsFault.isEmpty();
        expected.AgwEnabled = agwFault.isEmpty();
        // The second failure arrives while the first box is up.
        prompts.whileMessageShown = [&] {
            if (prompts.messages.size() < boxes.size())
                QVERIFY(QTest::qWaitFor([&] { return prompts.messages.size() == boxes.size(); }));
        };
        if (!aprsFault.isEmpty())
            links->OpenAprsLink();
        if (!agwFault.isEmpty())
            links->OpenAgwLink();
        QTRY_COMPARE(prompts.dialogsShown, int(boxes.size()));
        QTest::qWait(100);

        QStringList shown = prompts.shownTexts();
        shown.sort();
        QCOMPARE(shown, boxes);
        for (const ShownMessage &box : prompts.messages)
            QCOMPARE(box.icon, MessageIcon::Exclamation);
        QCOMPARE(prompts.dialogsShown, int(boxes.size()));
        QVERIFY(links->IsAprsLinkClosed() && links->IsAgwLinkClosed());
        QCOMPARE(config, expected);
    }

    void endedByProgramIsSilent_data() {
        QTest::addColumn<bool>("aprs");
        QTest::addColumn<bool>("destroyed");
        // clang-format off
        QTest::newRow("APRS-IS closed") << true << false;
        QTest::newRow("AGWPE closed") << false << false;
        QTest::newRow("APRS-IS destroyed while connected") << true << true;
        QTest::newRow("AGWPE destroyed while connected") << false << true;
        // clang-format on
    }

    // The program closes a link, or whoever owns the links destroys them
    // connected without closing them first: neither passes for a close by the
    // peer.
    void endedByProgramIsSilent() {
        QFETCH(bool, aprs);
        QFETCH(bool, destroyed);
        QVERIFY(aprs ? links->IsAprsLinkClosed() : links->IsAgwLinkClosed());
        aprs ? links->OpenAprsLink() : links->OpenAgwLink();
        QVERIFY(!Link(aprs).IsClosed());
        QTcpSocket *peer = Server(aprs).Accept(Link(aprs).socket);
        QVERIFY(peer);
        QSignalSpy gone(peer, &QTcpSocket::disconnected);
        if (destroyed)
            links.reset();
        else
            aprs ? links->CloseAprsLink() : links->CloseAgwLink();
        QVERIFY(destroyed || Link(aprs).IsClosed());
        QVERIFY(gone.wait());
        QTest::qWait(50);
        QCOMPARE(prompts.shownTexts(), QStringList());
        QCOMPARE(prompts.dialogsShown, 0);
        QCOMPARE(config, settingsBefore);
    }

    void switchedOffWhileWaiting_data() {
        QTest::addColumn<bool>("aprs");
        QTest::addColumn<bool>("lookingUp");
        // clang-format off
        QTest::newRow("APRS-IS waiting to reconnect") << true << false;
        QTest::newRow("AGWPE waiting to reconnect") << false << false;
        QTest::newRow("APRS-IS looking the name up") << true << true;
        QTest::newRow("AGWPE looking the name up") << false << true;
        // clang-format on
    }

    // A link switched off is off at once: no retry, no socket, no lookup's
    // answer acted on, and the peer coming back finds no one calling.
    void switchedOffWhileWaiting() {
        QFETCH(bool, aprs);
        QFETCH(bool, lookingUp);
        Reconnecting({std::chrono::milliseconds(20)});
        QTcpServer &server = Server(aprs).tcp;
        const auto answers = std::make_shared<QSemaphore>(lookingUp ? 0 : 1000);
        Link(aprs).lookUpHost = [answers](const QString &host) {
            answers->tryAcquire(1, 5000);
            return QHostInfo::fromName(host);
        };
        const quint16 port = server.serverPort();
        if (!lookingUp)
            server.close();
        Link(aprs).Open();
        QTRY_VERIFY(lookingUp || Link(aprs).IsWaitingToReconnect());

        SwitchOff(aprs);
        answers->release(1000);
        QVERIFY(Link(aprs).IsClosed());
        QCOMPARE(monitor->model.comment,
                 QString(aprs ? "Aprs Server Disconnected" : "AGWPE Disconnected"));
        QVERIFY(server.isListening() || server.listen(QHostAddress::LocalHost, port));
        QVERIFY(!QSignalSpy(&server, &QTcpServer::newConnection).wait(200));
    }

    void retryStepsStartAgainOnProof_data() {
        QTest::addColumn<bool>("aprs");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("nextWait");
        const QByteArray logresp = "# logresp Q1ABC-13 unverified, server T2TEST";
        const QByteArray version = AgwFrame('R', "", QByteArray("\x02\0\0\0\x05\0\0\0", 8));
        // clang-format off
        QTest::newRow("APRS-IS accepts and closes: next step") << true << QByteArray() << "1 min";
        QTest::newRow("APRS-IS banner alone: next step") << true << QByteArray("# aprsc 2.1.19\r\n") << "1 min";
        QTest::newRow("APRS-IS login reply without its LF: next step") << true << logresp << "1 min";
        QTest::newRow("APRS-IS login reply: first step again") << true << logresp + "\r\n" << "0 s";
        QTest::newRow("APRS-IS packet: first step again") << true << QByteArray("Q1ABC-13>APRS:>here\r\n") << "0 s";
        QTest::newRow("AGWPE accepts and closes: next step") << false << QByteArray() << "1 min";
        QTest::newRow("AGWPE answer a byte short: next step") << false << version.chopped(1) << "1 min";
        QTest::newRow("AGWPE answer: first step again") << false << version << "0 s";
        // clang-format on
    }

    // The waits grow while the peer takes the connection without showing that
    // it works (a full server accepts and closes), and start again once it did.
    void retryStepsStartAgainOnProof() {
        QFETCH(bool, aprs);
        QFETCH(QByteArray, reply);
        QFETCH(QString, nextWait);
        Reconnecting({std::chrono::milliseconds(20), std::chrono::minutes(1)});
        // The first retry the status line announces after the peer's close.
        QString announced;
        connect(monitor.get(), &StationMonitor::displayChanged, this, [&] {
            if (announced.isEmpty() && monitor->model.comment.startsWith(u"Riconnessione"))
                announced = monitor->model.comment;
        });
        Link(aprs).Open();
        for (const auto &[bytes, wait] :
             {std::pair{QByteArray(), QStringLiteral("0 s")}, {reply, nextWait}}) {
            QTcpSocket *peer = Server(aprs).Accept(Link(aprs).socket);
            QVERIFY(peer);
            // Read, so that the close is no reset that drops the reply.
            QTRY_VERIFY(aprs ? peer->canReadLine() : peer->bytesAvailable() >= 3 * AgwHeaderSize);
            peer->readAll();
            monitor->model.comment.clear();
            announced.clear();
            peer->write(bytes);
            peer->disconnectFromHost();
            QTRY_COMPARE(announced, "Riconnessione a 127.0.0.1 tra " + wait);
        }
    }

    void eachTryLooksTheNameUp_data() {
        QTest::addColumn<QList<QStringList>>("answers");
        QTest::addColumn<int>("connectingTry");
        // Nothing listens on ::1; the last answer repeats.
        // clang-format off
        QTest::newRow("first address listens") << QList<QStringList>{{"127.0.0.1", "::1"}} << 1;
        QTest::newRow("first address refuses: the other one next") << QList<QStringList>{{"::1", "127.0.0.1"}} << 2;
        QTest::newRow("a new answer at each try") << QList<QStringList>{{"::1"}, {"127.0.0.1"}} << 2;
        QTest::newRow("no address, then one") << QList<QStringList>{{}, {"127.0.0.1"}} << 2;
        // clang-format on
    }

    // Each retry asks for the name again and goes to another address than the
    // one that just failed, while the status line keeps the name typed.
    void eachTryLooksTheNameUp() {
        QFETCH(QList<QStringList>, answers);
        config.AprsHost = QStringLiteral("rotate.test");
        Reconnecting({std::chrono::milliseconds(20)});
        const auto lookups = std::make_shared<std::atomic<int>>(0);
        links->aprs.lookUpHost = [answers, lookups](const QString &) {
            QHostInfo found;
            QList<QHostAddress> addresses;
            for (const QString &address :
                 answers.value(qMin(int((*lookups)++), answers.size() - 1)))
                addresses.append(QHostAddress(address));
            found.setAddresses(addresses);
            return found;
        };
        links->OpenAprsLink();
        QVERIFY(aprsServer.Accept(links->aprs.socket));
        QTEST(lookups->load(), "connectingTry");
        QCOMPARE(monitor->model.comment, QStringLiteral("Anemora connected to rotate.test"));
    }

private:
    // Writes `head`, then `chunk` `chunks` times, never holding more than two
    // chunks unsent, so the server's own buffer stays small. False on a stall.
    bool Stream(QTcpSocket *to, const QByteArray &head, const QByteArray &chunk, int chunks) {
        to->write(head);
        for (int i = 0; i < chunks; ++i) {
            if (!QTest::qWaitFor([&] { return to->bytesToWrite() <= chunk.size(); }, 2000))
                return false;
            to->write(chunk);
        }
        return true;
    }

    // What the settings must be after `link`'s enabled flag was cleared.
    WxConfig SettingsWithout(bool WxConfig::*enabled) const {
        WxConfig expected = config;
        expected.AprsEnabled = expected.AgwEnabled = true;
        expected.*enabled = false;
        return expected;
    }

    TcpLink &Link(bool aprs) { return aprs ? static_cast<TcpLink &>(links->aprs) : links->agw; }
    LoopbackServer &Server(bool aprs) { return aprs ? aprsServer : agwServer; }

    // The links again, reconnecting by themselves after `retrySteps`.
    void Reconnecting(const QList<std::chrono::milliseconds> &retrySteps) {
        config.Reconnect = true;
        links = std::make_unique<Links>(
            config, *monitor, prompts,
            LinkTiming{std::chrono::minutes(1), std::chrono::minutes(1), retrySteps});
    }

    // The settings dialog accepted with the link's box unticked.
    void SwitchOff(bool aprs) {
        SetupFields fields = LoadSetupFields(config, QLocale::c());
        (aprs ? fields.aprsEnabled : fields.agwEnabled) = false;
        const auto numbers = ReadSetupNumbers(fields, QLocale::c());
        QVERIFY(std::holds_alternative<SetupNumbers>(numbers));
        ApplySetup(fields, std::get<SetupNumbers>(numbers), {config, *links, *monitor, prompts});
    }

    WxConfig config;
    FakeNotifications notifications;
    FakePrompts prompts;
    std::unique_ptr<StationMonitor> monitor;
    std::unique_ptr<Links> links;
    LoopbackServer aprsServer;
    LoopbackServer agwServer;
    WxConfig settingsBefore;
    qsizetype maxAprsPending = 0;
    qsizetype maxAgwPending = 0;
};

int main(int argc, char *argv[]) {
    // History stamps carry the zone's name; keep it fixed.
    qputenv("TZ", "UTC");
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    TestLinkFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_link_faults.moc"
