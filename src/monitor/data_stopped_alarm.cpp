// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/data_stopped_alarm.h"

#include <QDeadlineTimer>

#include <utility>

namespace anemora {

namespace {

constexpr qint64 MinuteMs = 60 * 1000;

} // namespace

qint64 SteadyMilliseconds() {
    return QDeadlineTimer::current().deadline();
}

DataStoppedAlarm::DataStoppedAlarm(SteadyClock clock)
    : clock(std::move(clock)), quietSince(this->clock()) {}

DataStoppedAlarm::Change DataStoppedAlarm::Check(int minutes) {
    if (minutes <= 0 || (shown && QuietMinutes() < minutes))
        return Withdraw();
    if (shown || !linkConnected || QuietMinutes() < minutes)
        return Change::None;
    shown = true;
    return Change::Fired;
}

DataStoppedAlarm::Change DataStoppedAlarm::ReportTaken() {
    quietSince = clock();
    return Withdraw();
}

DataStoppedAlarm::Change DataStoppedAlarm::SetLinkConnected(bool connected) {
    if (connected == linkConnected)
        return Change::None;
    linkConnected = connected;
    if (connected) {
        quietSince = clock();
        return Change::None;
    }
    return Withdraw();
}

qint64 DataStoppedAlarm::QuietMinutes() const {
    return (clock() - quietSince + MinuteMs / 2) / MinuteMs;
}

DataStoppedAlarm::Change DataStoppedAlarm::Withdraw() {
    if (!shown)
        return Change::None;
    shown = false;
    return Change::Cleared;
}

} // namespace anemora
