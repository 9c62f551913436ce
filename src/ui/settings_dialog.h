// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/setup_accept.h"
#include "config/setup_fields.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace anemora {

// The settings dialog. Each instance is one opening: it loads the record when
// built, and Conferma or Cancella end it.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(const SetupTargets &targets, QWidget *parent = nullptr);

    // The form as it stands, for Accept.
    SetupFields Fields() const;
    // How publishing is going, as the publisher last said.
    void ShowPublishingStatus(const QString &text);

    QGroupBox *callGroup = nullptr;
    QLabel *stationLabel = nullptr;
    QLineEdit *callEdit = nullptr;
    QGroupBox *newDataGroup = nullptr;
    QCheckBox *focusNewDataBox = nullptr;
    QCheckBox *beepNewDataBox = nullptr;
    QGroupBox *alarmGroup = nullptr;
    // One per AlarmThresholdFields entry, in its order.
    std::array<QLineEdit *, AlarmThresholdFields.size()> thresholdEdits{};
    QLineEdit *thresholdEdit(AlarmThreshold which) const {
        return thresholdEdits[std::size_t(which)];
    }
    QCheckBox *focusAlarmBox = nullptr;
    QCheckBox *beepAlarmBox = nullptr;
    QCheckBox *saveAlarmsBox = nullptr;
    QCheckBox *reconnectBox = nullptr;
    QComboBox *languageBox = nullptr;
    QComboBox *unitsBox = nullptr;
    QSpinBox *dataStoppedBox = nullptr;
    QGroupBox *agwGroup = nullptr;
    QLineEdit *agwHostEdit = nullptr;
    QLineEdit *agwPortEdit = nullptr;
    QCheckBox *agwEnabledBox = nullptr;
    QGroupBox *aprsGroup = nullptr;
    QCheckBox *aprsEnabledBox = nullptr;
    QComboBox *serverBox = nullptr;
    QGroupBox *mqttGroup = nullptr;
    QCheckBox *mqttEnabledBox = nullptr;
    QLineEdit *mqttHostEdit = nullptr;
    QLineEdit *mqttPortEdit = nullptr;
    QCheckBox *mqttTlsBox = nullptr;
    QLineEdit *mqttUserEdit = nullptr;
    QLineEdit *mqttPasswordEdit = nullptr;
    QLabel *mqttStatusLabel = nullptr;
    QPushButton *acceptButton = nullptr;
    QPushButton *cancelButton = nullptr;

private slots:
    void Accept();

private:
    void BuildControls();
    void BuildPublishingControls();
    void SetTabOrder();
    void Load();
    QLineEdit *FieldEditor(const SetupRefusal &refusal) const;

    SetupTargets targets;
    // The server text was typed rather than picked from the list.
    bool serverTyped = false;
    QString typedServer;
};

} // namespace anemora
