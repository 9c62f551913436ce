// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/files.h"
#include "common/loopback.h"

#include <QHash>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace anemora::test {

inline const QString User = QStringLiteral("station");
inline const QString Password = QStringLiteral("s3cret pass");

// Debian's broker on 127.0.0.1, anonymous or behind a password file, on TLS
// with `certificate` (the path of a .pem and a .key). Started by root it
// stays root, or it could not read the test's own files.
struct Broker {
    QTemporaryDir dir;
    QProcess process;
    quint16 port = test::FreePortBelow32768();

    bool Start(bool withPassword = false, const QString &certificate = {}) {
        const QString passwords = dir.filePath("passwords");
        QByteArray config = "listener " + QByteArray::number(port) + " 127.0.0.1\n" +
                            (geteuid() == 0 ? "user root\n" : "") + "allow_anonymous " +
                            (withPassword ? "false\npassword_file " + passwords.toUtf8() : "true");
        if (!certificate.isEmpty())
            config += "\ncertfile " + certificate.toUtf8() + ".pem\nkeyfile " +
                      certificate.toUtf8() + ".key";
        if (withPassword)
            QProcess::execute("mosquitto_passwd", {"-b", "-c", passwords, User, Password});
        test::WriteBytes(dir.filePath("mosquitto.conf"), config + '\n');
        process.start("/usr/sbin/mosquitto", {"-c", dir.filePath("mosquitto.conf")});
        return QTest::qWaitFor([this] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(100);
        });
    }
    void Stop() {
        process.terminate();
        process.waitForFinished();
    }
    ~Broker() { Stop(); }
};

// mosquitto_sub on every topic; -d tells when it has subscribed, once its
// output goes out line by line.
struct Subscriber {
    QProcess process;
    QHash<QByteArray, QList<QByteArray>> seen;

    bool Start(quint16 port) {
        Stop();
        seen.clear();
        process.start("stdbuf", {"-oL", "mosquitto_sub", "-h", "127.0.0.1", "-p",
                                 QString::number(port), "-d", "-v", "-t", "#"});
        return QTest::qWaitFor([this] { return Read().contains("Subscribed"); });
    }
    QByteArray Read() {
        QByteArray lines;
        while (process.canReadLine()) {
            const QByteArray line = process.readLine().chopped(1);
            const qsizetype space = line.indexOf(' ');
            if (line.startsWith("anemora/") || line.startsWith("homeassistant/"))
                seen[line.left(space)] += line.mid(space + 1);
            lines += line;
        }
        return lines;
    }
    QList<QByteArray> Seen(const QByteArray &topic) { return Read(), seen.value(topic); }
    QByteArray Latest(const QByteArray &topic) {
        const QList<QByteArray> payloads = Seen(topic);
        return payloads.isEmpty() ? QByteArray() : payloads.last();
    }
    void Stop() { process.kill(), process.waitForFinished(); }
    ~Subscriber() { Stop(); }
};

} // namespace anemora::test
