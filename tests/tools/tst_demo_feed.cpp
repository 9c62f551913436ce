// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The bundled demo: its feed, served by the replay server, driven through
// the real APRS-IS link into the station pipeline.
#include "aprs_replay/replay_server.h"
#include "common/fakes.h"
#include "common/loopback.h"
#include "common/settings.h"
#include "intake/aprs_is_link.h"
#include "monitor/station_monitor.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString FirstReport = QStringLiteral("_12071201c212s004g007t048r000p002P001h76b10132");

QList<FeedLine> DemoFeed(QString *error) {
    QFile file(QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/demo/feed.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    const FeedParseResult feed = ParseFeed(QString::fromLatin1(file.readAll()));
    *error = feed.error;
    return feed.lines.value_or(QList<FeedLine>{});
}

} // namespace

class TestDemoFeed : public QObject {
    Q_OBJECT
private slots:
    void feedHoldsStationAndLookAlikes() {
        QString error;
        const QList<FeedLine> feed = DemoFeed(&error);
        QVERIFY2(!feed.isEmpty(), qPrintable(error));

        // The station must outnumber the look-alikes that the server lets through.
        int station = 0;
        int lookAlikes = 0;
        for (const FeedLine &line : feed) {
            if (!PassesPrefixFilter(line.text, {TestStation}))
                continue;
            if (line.text.startsWith(TestStation + QLatin1Char('>')))
                ++station;
            else if (!line.text.startsWith(QLatin1Char('#')))
                ++lookAlikes;
        }
        QVERIFY(station >= 10);
        QVERIFY(lookAlikes >= 1);
    }

    void monitorTakesOnlyTheStation() {
        QString error;
        ReplayOptions options;
        options.speed = 50;
        options.closeAtEnd = true;
        ReplayServer server(DemoFeed(&error), options);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const quint16 port = ListenBelow32768([&](quint16 port) { return server.Listen(port); });
        QVERIFY(port != 0);

        WxConfig config = Settings().Aprs("127.0.0.1", qint16(port));
        FakeNotifications notifications;
        FakePrompts prompts;
        StationMonitor monitor(config, notifications, QDir::tempPath());
        AprsIsLink link(config, monitor, prompts);
        link.Open();

        // The server closes once the feed is out, which the link reports.
        QTRY_COMPARE_WITH_TIMEOUT(prompts.messages.size(), 1, 20000);
        QCOMPARE(prompts.shownTexts().first(),
                 QStringLiteral("Chiusura collegamento TCP [Q1ABC-13]: "
                                "Il server 127.0.0.1 ha chiuso la connessione"));
        QCOMPARE(monitor.model.caption, QStringLiteral("Q1ABC-13 Wx Station"));

        // The status packet and the first report got in; the gate then held the
        // rest, and the look-alike q1abc-13 never counted.
        const QString history = monitor.model.history;
        QVERIFY(history.contains(QLatin1String("Stazione meteo Q1ABC-13")));
        QVERIFY(history.contains(FirstReport));
        QCOMPARE(history.count(QLatin1String("Q1ABC-13>")), 2);
        QVERIFY(!history.contains(QLatin1String("q1abc-13")));
        QVERIFY(!monitor.acceptNextReport);
        QVERIFY(monitor.model.compass.drawn);
        QCOMPARE(monitor.model.compass.direction, qint16(212));
    }
};

QTEST_GUILESS_MAIN(TestDemoFeed)
#include "tst_demo_feed.moc"
