// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aprs_replay/replay_server.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

using namespace anemora;

namespace {

const QString Login = QStringLiteral("user QRVSWL pass -1 vers anemora v7 filter p/Q1ABC-13");

// A client that records every line it receives and when it arrived.
class LineClient : public QObject {
public:
    explicit LineClient(quint16 port) {
        clock.start();
        connect(&socket, &QTcpSocket::readyRead, this, [this] { read(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const QString &line) { socket.write(line.toLatin1() + "\r\n"); }

    QTcpSocket socket;
    QStringList lines;
    QList<qint64> arrivals;
    bool bareLineFeed = false;

private:
    void read() {
        buffer += socket.readAll();
        qsizetype lf;
        while ((lf = buffer.indexOf('\n')) >= 0) {
            bareLineFeed = bareLineFeed || lf == 0 || buffer.at(lf - 1) != '\r';
            lines += QString::fromLatin1(buffer.left(lf)).remove(QLatin1Char('\r'));
            arrivals += clock.elapsed();
            buffer.remove(0, lf + 1);
        }
    }
    QByteArray buffer;
    QElapsedTimer clock;
};

QList<FeedLine> Feed(const QStringList &texts, int delayMs = 0) {
    QList<FeedLine> feed;
    for (const QString &text : texts)
        feed.append({delayMs, text});
    return feed;
}

QStringList Packets(const QStringList &lines) {
    QStringList packets;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1Char('#')))
            packets += line;
    }
    return packets;
}

} // namespace

class TestAprsReplayServer : public QObject {
    Q_OBJECT
private slots:
    void parsesFeed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("delays");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("errorLine");

        // clang-format off
        QTest::newRow("delays in seconds with fraction") << "0 A>B:x\n1.5 C>D:y z\n" << QList<int>{0, 1500} << QStringList{"A>B:x", "C>D:y z"} << QString();
        QTest::newRow("notes, blanks and CR LF rows are skipped or trimmed") << "; a note\r\n\r\n   \n2 # server comment\r\n" << QList<int>{2000} << QStringList{"# server comment"} << QString();
        QTest::newRow("blanks inside the line are kept") << "0 A>B:  two  blanks " << QList<int>{0} << QStringList{"A>B:  two  blanks "} << QString();
        QTest::newRow("missing delay") << "A>B:x" << QList<int>{} << QStringList{} << "line 1:";
        QTest::newRow("delay not a number") << "0 A>B:x\nsoon A>B:x" << QList<int>{} << QStringList{} << "line 2:";
        QTest::newRow("negative delay") << "-1 A>B:x" << QList<int>{} << QStringList{} << "line 1:";
        QTest::newRow("decimal comma is no delay") << "0,5 A>B:x" << QList<int>{} << QStringList{} << "line 1:";
        QTest::newRow("nothing after the delay") << "\n\n3 " << QList<int>{} << QStringList{} << "line 3:";
        QTest::newRow("line over 510 characters") << "0 " + QString(511, QLatin1Char('x')) << QList<int>{} << QStringList{} << "line 1:";
        QTest::newRow("510 characters fit") << "0 " + QString(510, QLatin1Char('x')) << QList<int>{0} << QStringList{QString(510, QLatin1Char('x'))} << QString();
        QTest::newRow("stray CR inside a line") << "0 A>B:x\ry" << QList<int>{} << QStringList{} << "line 1:";
        // clang-format on
    }
    void parsesFeed() {
        QFETCH(QString, text);
        QFETCH(QList<int>, delays);
        QFETCH(QStringList, lines);
        QFETCH(QString, errorLine);

        const FeedParseResult result = ParseFeed(text);
        if (!errorLine.isEmpty()) {
            QVERIFY(!result.lines);
            QVERIFY2(result.error.startsWith(errorLine), qPrintable(result.error));
            return;
        }
        QVERIFY2(result.lines, qPrintable(result.error));
        QList<int> gotDelays;
        QStringList gotLines;
        for (const FeedLine &line : *result.lines) {
            gotDelays += line.delayMs;
            gotLines += line.text;
        }
        QCOMPARE(gotDelays, delays);
        QCOMPARE(gotLines, lines);
    }

    void readsLogin_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("prefixes");

        // clang-format off
        QTest::newRow("the monitor's own login") << Login << "QRVSWL" << QStringList{"Q1ABC-13"};
        QTest::newRow("empty station call") << "user QRVSWL pass -1 vers anemora v7 filter p/" << "QRVSWL" << QStringList{};
        QTest::newRow("several prefixes and terms") << "user N0CALL pass -1 vers x 1 filter p/AB/CD r/45/9/50 P/EF" << "N0CALL" << QStringList{"AB", "CD", "EF"};
        QTest::newRow("no filter") << "user N0CALL pass -1 vers x 1" << "N0CALL" << QStringList{};
        QTest::newRow("p/ before the filter word is no filter") << "user N0CALL pass p/AB" << "N0CALL" << QStringList{};
        QTest::newRow("keyword case and extra blanks") << "USER  n0call   pass -1 FILTER  p/q1" << "n0call" << QStringList{"q1"};
        QTest::newRow("not a login") << "hello there" << "" << QStringList{};
        QTest::newRow("user without name") << "user" << "" << QStringList{};
        // clang-format on
    }
    void readsLogin() {
        QFETCH(QString, login);
        QTEST(LoginName(login), "name");
        QTEST(LoginPrefixes(login), "prefixes");
    }

    void filtersBySenderPrefix_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("prefixes");
        QTest::addColumn<bool>("passes");

        const QStringList station{"Q1ABC-13"};
        // clang-format off
        QTest::newRow("exact sender") << "Q1ABC-13>APRS:_x" << station << true;
        QTest::newRow("other case") << "q1abc-13>APRS:_x" << station << true;
        QTest::newRow("longer sender with the prefix") << "Q1ABC-13X>APRS:_x" << station << true;
        QTest::newRow("shorter sender") << "Q1ABC-1>APRS:_x" << station << false;
        QTest::newRow("prefix only in the path") << "Q2XYZ>APRS,Q1ABC-13:_x" << station << false;
        QTest::newRow("second prefix") << "Q2XYZ>APRS:x" << QStringList{"Q1", "Q2"} << true;
        QTest::newRow("comment always passes") << "# keepalive" << QStringList{} << true;
        QTest::newRow("no prefixes, no packets") << "Q1ABC-13>APRS:_x" << QStringList{} << false;
        QTest::newRow("no sender") << ">APRS:_x" << station << false;
        QTest::newRow("no header at all") << "Q1ABC-13 junk" << station << false;
        // clang-format on
    }
    void filtersBySenderPrefix() {
        QFETCH(QString, line);
        QFETCH(QStringList, prefixes);
        QTEST(PassesPrefixFilter(line, prefixes), "passes");
    }

    void greetsAndAnswersLogin() {
        ReplayOptions options;
        options.serverName = QStringLiteral("T2TEST");
        ReplayServer server(Feed({"Q1ABC-13>APRS:_x"}), options);
        QVERIFY(server.Listen(0));
        QVERIFY(server.port() != 0);

        LineClient client(server.port());
        QTRY_COMPARE(client.lines.size(), 1);
        QCOMPARE(client.lines.first(), BannerLine());
        QVERIFY(client.lines.first().startsWith(QLatin1String("# ")));
        QCOMPARE(client.socket.peerAddress(), QHostAddress(QHostAddress::LocalHost));

        client.send(Login);
        QTRY_COMPARE(client.lines.size(), 3);
        QCOMPARE(client.lines.at(1), QStringLiteral("# logresp QRVSWL unverified, server T2TEST"));
        QCOMPARE(client.lines.at(2), QStringLiteral("Q1ABC-13>APRS:_x"));
        QVERIFY(!client.bareLineFeed);
    }

    void replaysOnlyWhatTheFilterLetsThrough() {
        const QStringList feed{
            "Q1ABC-1>APRS:_first other ssid",  "Q1ABC-13>APRS:_station",
            "q1abc-13>APRS:_lower case",       "Q1ABC-13X>APRS:_longer call",
            "# a comment from the feed",       "Q2XYZ-7>APRS,Q1ABC-13*:!path only",
            "Q1ABC-13>APRS,WIDE1-1:@pos _ wx",
        };
        ReplayOptions options;
        options.closeAtEnd = true;
        ReplayServer server(Feed(feed), options);
        QVERIFY(server.Listen(0));

        LineClient station(server.port());
        LineClient other(server.port());
        QSignalSpy stationClosed(&station.socket, &QTcpSocket::disconnected);
        QSignalSpy otherClosed(&other.socket, &QTcpSocket::disconnected);
        station.send(Login);
        other.send(QStringLiteral("user N0CALL pass -1 vers x 1 filter p/Q2"));
        QTRY_COMPARE(stationClosed.size(), 1);
        QTRY_COMPARE(otherClosed.size(), 1);

        QCOMPARE(Packets(station.lines),
                 QStringList({"Q1ABC-13>APRS:_station", "q1abc-13>APRS:_lower case",
                              "Q1ABC-13X>APRS:_longer call", "Q1ABC-13>APRS,WIDE1-1:@pos _ wx"}));
        QVERIFY(station.lines.contains(QStringLiteral("# a comment from the feed")));
        QCOMPARE(Packets(other.lines), QStringList{"Q2XYZ-7>APRS,Q1ABC-13*:!path only"});
    }

    void keepsFeedOrderAndDelays() {
        const QList<FeedLine> feed{{0, "Q1ABC-13>APRS:_1"},
                                   {400, "Q1ABC-13>APRS:_2"},
                                   {0, "Q1ABC-13>APRS:_3"},
                                   {200, "Q1ABC-13>APRS:_4"}};
        ReplayOptions options;
        options.speed = 2.0;
        options.closeAtEnd = true;
        ReplayServer server(feed, options);
        QVERIFY(server.Listen(0));

        LineClient client(server.port());
        QSignalSpy closed(&client.socket, &QTcpSocket::disconnected);
        client.send(Login);
        QTRY_COMPARE(closed.size(), 1);

        QCOMPARE(Packets(client.lines), QStringList({"Q1ABC-13>APRS:_1", "Q1ABC-13>APRS:_2",
                                                     "Q1ABC-13>APRS:_3", "Q1ABC-13>APRS:_4"}));
        const qsizetype first = client.lines.indexOf(QStringLiteral("Q1ABC-13>APRS:_1"));
        const auto at = [&](qsizetype i) { return client.arrivals.at(first + i); };
        // Delays count from the previous line and are halved by the speed factor;
        // only lower bounds are checked, as a loaded machine may deliver late.
        QVERIFY2(at(1) - at(0) >= 195, qPrintable(QString::number(at(1) - at(0))));
        QVERIFY2(at(3) - at(2) >= 95, qPrintable(QString::number(at(3) - at(2))));
    }

    void sendsKeepalives() {
        ReplayOptions options;
        options.serverName = QStringLiteral("T2KEEP");
        options.keepaliveMs = 50;
        ReplayServer server({}, options);
        QVERIFY(server.Listen(0));

        LineClient client(server.port());
        client.send(Login);
        QTRY_VERIFY(client.lines.size() >= 4);
        QCOMPARE(client.lines.at(0), BannerLine());
        QCOMPARE(client.lines.at(1), QStringLiteral("# logresp QRVSWL unverified, server T2KEEP"));
        for (const QString &line : client.lines.mid(2)) {
            QVERIFY2(line.startsWith(BannerLine() + QLatin1Char(' ')), qPrintable(line));
            QVERIFY2(line.endsWith(QLatin1String("GMT T2KEEP")), qPrintable(line));
        }
        QVERIFY(client.socket.state() == QAbstractSocket::ConnectedState);
    }

    void loopsTheFeed() {
        ReplayOptions options;
        options.loop = true;
        options.speed = 20.0;
        ReplayServer server(Feed({"Q1ABC-13>APRS:_a", "Q1ABC-13>APRS:_b"}), options);
        QVERIFY(server.Listen(0));

        LineClient client(server.port());
        client.send(Login);
        QTRY_VERIFY(Packets(client.lines).size() >= 5);
        QCOMPARE(Packets(client.lines).mid(0, 5),
                 QStringList({"Q1ABC-13>APRS:_a", "Q1ABC-13>APRS:_b", "Q1ABC-13>APRS:_a",
                              "Q1ABC-13>APRS:_b", "Q1ABC-13>APRS:_a"}));
    }

    void dropsClientWithoutLogin() {
        ReplayServer server(Feed({"Q1ABC-13>APRS:_x"}), {});
        QVERIFY(server.Listen(0));

        LineClient client(server.port());
        QSignalSpy closed(&client.socket, &QTcpSocket::disconnected);
        client.send(QStringLiteral("GET / HTTP/1.0"));
        QTRY_COMPARE(closed.size(), 1);
        QCOMPARE(client.lines, QStringList{BannerLine()});
    }
};

QTEST_GUILESS_MAIN(TestAprsReplayServer)
#include "tst_aprs_replay_server.moc"
