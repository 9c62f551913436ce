// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QSocketNotifier;

namespace anemora {

// Turns SIGTERM, SIGINT and SIGHUP (a service manager, Ctrl-C, a closed
// terminal) into a signal of the event loop, where ending the program in
// order is safe. One instance at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void ReadPending();

    QSocketNotifier *notifier = nullptr;
};

} // namespace anemora
