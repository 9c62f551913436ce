// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/settings_dialog.h"

#include "ui/twips.h"
#include "ui/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QValidator>
#include <qdrawutil.h>

#include <utility>
#include <variant>

namespace anemora {

namespace {

void Place(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsRect(left, top, width, height));
}

// Draws its caption in its top line, where the layout expects it: styles that
// put the caption above the frame push the line down through the first row.
class CaptionedGroupBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override {
        constexpr int CaptionIndent = 6;
        constexpr int CaptionPadding = 2;
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const QRect caption(CaptionIndent, 0,
                            metrics.horizontalAdvance(title()) + 2 * CaptionPadding,
                            metrics.height());
        painter.setClipRegion(QRegion(rect()) - caption);
        qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);
        painter.setClipping(false);
        style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

// Limits what is typed, not what the record puts in the field: a stored
// value longer than the limit is shown whole and may be shortened.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int limit, QObject *parent) : QValidator(parent), limit(limit) {}
    State validate(QString &input, int &) const override {
        return input.size() <= limit ? Acceptable : Invalid;
    }

private:
    int limit;
};

// Filters typing and pasting alike; the call loaded from the record is set
// without it, so opening and confirming never alters it.
class CallValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override {
        pos = FilterCallText(input.left(pos)).size();
        input = FilterCallText(input);
        return Acceptable;
    }
};

// The seed's layout, and the column of the program's own choices to its right.
constexpr int SeedWidthTwips = 2805;
constexpr int SeedHeightTwips = 5430;
constexpr int OwnChoicesLeft = 2860;
constexpr int OwnChoicesWidthTwips = 2760;

// The usual broker ports without and with TLS.
constexpr quint16 PlainMqttPort = 1883;
constexpr quint16 TlsMqttPort = 8883;

// Where each threshold sits in the alarm box, in tab order: the label before
// its field, the field, and how many characters may be typed (0: any).
struct ThresholdLayout {
    AlarmThreshold threshold;
    const char *label;
    // The label when the thresholds are shown in imperial units; none when
    // it names no unit.
    const char *imperialLabel;
    QRect labelTwips;
    QRect editTwips;
    int typedLength;
};

// clang-format off
const ThresholdLayout ThresholdLayouts[] = {
    {AlarmThreshold::HiWind, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "Wind:  Max"), nullptr, {120, 210, 855, 255}, {1020, 195, 470, 285}, 0},
    {AlarmThreshold::HiGust, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "Km/h  g"), QT_TRANSLATE_NOOP("anemora::SettingsDialog", "mph  g"), {1500, 210, 615, 255}, {2110, 195, 520, 285}, 0},
    {AlarmThreshold::LoTemp, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "Temp: Low"), nullptr, {120, 536, 855, 255}, {940, 521, 540, 285}, 5},
    {AlarmThreshold::HiTemp, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "°C   Hi"), QT_TRANSLATE_NOOP("anemora::SettingsDialog", "°F   Hi"), {1500, 536, 480, 255}, {2110, 521, 520, 285}, 5},
    {AlarmThreshold::LoHum, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "U.R.:   Low"), nullptr, {120, 870, 975, 255}, {1060, 847, 400, 285}, 2},
    {AlarmThreshold::HiHum, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "%    Hi"), nullptr, {1500, 870, 495, 255}, {2200, 847, 440, 285}, 2},
    {AlarmThreshold::LoBaro, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "Baro:   Low"), nullptr, {120, 1195, 855, 255}, {940, 1173, 540, 285}, 0},
    {AlarmThreshold::HiBaro, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "mb  Hi"), QT_TRANSLATE_NOOP("anemora::SettingsDialog", "inHg Hi"), {1500, 1195, 495, 255}, {1980, 1200, 660, 285}, 0},
    {AlarmThreshold::HiRainHour, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "Rain:   1h"), nullptr, {120, 1515, 735, 255}, {1020, 1500, 470, 285}, 0},
    {AlarmThreshold::HiRain24, QT_TRANSLATE_NOOP("anemora::SettingsDialog", "mm 24h"), QT_TRANSLATE_NOOP("anemora::SettingsDialog", "in 24h"), {1500, 1560, 615, 255}, {2070, 1500, 570, 285}, 0},
};
// clang-format on

} // namespace

SettingsDialog::SettingsDialog(const SetupTargets &targets, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      targets(targets) {
    setWindowTitle(tr("Setup Parametri Anemora"));
    // The program's own choices sit in a column to the right, so the rest
    // keeps its place and the buttons end the dialog.
    setFixedSize(Twips(SeedWidthTwips + OwnChoicesWidthTwips), Twips(SeedHeightTwips));
    // The layout was drawn for an 8-point sans face; larger faces would clip.
    setFont(SansFace(7.5, false));
    BuildControls();
    SetTabOrder();
    connect(callEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { acceptButton->setEnabled(CallLongEnough(text)); });
    connect(serverBox->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        serverTyped = true;
        typedServer = text;
    });
    // The combo box also selects an entry equal to the typed text when editing
    // ends; only a pick that replaces the typed text makes it a list choice.
    connect(serverBox, &QComboBox::activated, this, [this] {
        if (serverBox->currentText() != typedServer)
            serverTyped = false;
    });
    connect(acceptButton, &QPushButton::clicked, this, &SettingsDialog::Accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Load();
}

void SettingsDialog::BuildControls() {
    const auto label = [](QWidget *parent, const QString &text, int l, int t, int w, int h) {
        Place(new QLabel(text, parent), l, t, w, h);
    };
    const auto edit = [](QWidget *parent, int l, int t, int w, int h) {
        auto *field = new QLineEdit(parent);
        Place(field, l, t, w, h);
        return field;
    };
    const auto check = [](QWidget *parent, const QString &text, int l, int t, int w, int h) {
        auto *box = new QCheckBox(text, parent);
        Place(box, l, t, w, h);
        return box;
    };
    const auto group = [this](const QString &title, int l, int t, int w, int h) {
        auto *frame = new CaptionedGroupBox(title, this);
        Place(frame, l, t, w, h);
        return frame;
    };

    callGroup = group(tr("Station Call"), 53, 0, 2700, 495);
    stationLabel = new QLabel(tr("Wx Station"), callGroup);
    Place(stationLabel, 120, 195, 1095, 255);
    callEdit = edit(callGroup, 1200, 120, 1335, 285);
    callEdit->setValidator(new CallValidator(callEdit));

    newDataGroup = group(tr("All'arrivo nuovi dati"), 53, 490, 2700, 460);
    focusNewDataBox = check(newDataGroup, tr("Evidenzia finestra"), 100, 200, 1575, 195);
    beepNewDataBox = check(this, tr("Suona"), 1920, 650, 770, 255);

    alarmGroup = group(tr("Allarmi (valori evidenziati rosso)"), 53, 960, 2700, 2340);
    const bool imperial = targets.config.Units == UnitSystem::Imperial;
    for (const ThresholdLayout &layout : ThresholdLayouts) {
        const QRect &at = layout.labelTwips;
        const char *text = imperial && layout.imperialLabel ? layout.imperialLabel : layout.label;
        label(alarmGroup, tr(text), at.x(), at.y(), at.width(), at.height());
        QLineEdit *&edit = thresholdEdits[std::size_t(layout.threshold)];
        edit = new QLineEdit(alarmGroup);
        edit->setGeometry(TwipsRect(layout.editTwips.x(), layout.editTwips.y(),
                                    layout.editTwips.width(), layout.editTwips.height()));
        if (layout.typedLength > 0)
            edit->setValidator(new TypedLengthValidator(layout.typedLength, edit));
    }
    focusAlarmBox = check(alarmGroup, tr("Evidenzia finestra"), 100, 1800, 1575, 220);
    beepAlarmBox = check(alarmGroup, tr("Suona"), 1860, 1800, 770, 220);
    saveAlarmsBox =
        check(alarmGroup, tr("Salva i valori di Allarme / Suoni"), 100, 2040, 2500, 255);

    agwGroup = group(tr("AGWPE"), 53, 3350, 2700, 855);
    label(agwGroup, tr("Agwpe Addr"), 120, 240, 975, 255);
    agwHostEdit = edit(agwGroup, 1080, 180, 1500, 285);
    label(agwGroup, tr("Agwpe Port"), 120, 520, 975, 255);
    agwPortEdit = edit(agwGroup, 1080, 480, 495, 270);
    agwEnabledBox = check(agwGroup, tr("Enable"), 1800, 510, 855, 255);

    aprsGroup = group(tr("Aprs Server"), 53, 4200, 2700, 855);
    label(aprsGroup, tr("Internet Aprs Server"), 120, 220, 1575, 255);
    aprsEnabledBox = check(aprsGroup, tr("Enable"), 1800, 200, 855, 255);
    serverBox = new QComboBox(aprsGroup);
    Place(serverBox, 120, 470, 2500, 315);
    serverBox->setEditable(true);
    // Enter confirms the dialog; it neither adds the text to the list nor
    // picks or completes an equal entry, so a typed server stays typed.
    serverBox->setInsertPolicy(QComboBox::NoInsert);
    serverBox->setDuplicatesEnabled(true);
    serverBox->setCompleter(nullptr);

    acceptButton = new QPushButton(tr("&Conferma"), this);
    Place(acceptButton, 188, 5075, 1095, 325);
    acceptButton->setDefault(true);
    cancelButton = new QPushButton(tr("&Cancella"), this);
    Place(cancelButton, 1641, 5075, 975, 325);

    constexpr int Left = OwnChoicesLeft + 135;
    constexpr int FieldLeft = Left + 912;
    reconnectBox = check(this, tr("Riconnetti da solo"), Left, 120, 2500, 255);
    // Each language by its own name, whatever the language in force.
    label(this, tr("Lingua"), Left, 475, 900, 255);
    languageBox = new QComboBox(this);
    Place(languageBox, FieldLeft, 445, 1500, 315);
    languageBox->addItem(QStringLiteral("Italiano"), int(DisplayLanguage::Italian));
    languageBox->addItem(QStringLiteral("English"), int(DisplayLanguage::English));
    label(this, tr("Unità"), Left, 815, 900, 255);
    unitsBox = new QComboBox(this);
    Place(unitsBox, FieldLeft, 785, 1500, 315);
    unitsBox->addItem(tr("Metriche"), int(UnitSystem::Metric));
    unitsBox->addItem(tr("Imperiali"), int(UnitSystem::Imperial));
    label(this, tr("Allarme dati fermi dopo"), Left, 1170, 1650, 255);
    dataStoppedBox = new QSpinBox(this);
    Place(dataStoppedBox, Left + 1650, 1140, 870, 315);
    // The step below the shortest wait stands for "off", so that one arrow
    // turns the alarm off and the next one on at the shortest wait.
    dataStoppedBox->setRange(MinDataStoppedMinutes - 1, MaxDataStoppedMinutes);
    dataStoppedBox->setSpecialValueText(tr("spento"));
    dataStoppedBox->setSuffix(tr(" min"));
    BuildPublishingControls();
}

void SettingsDialog::BuildPublishingControls() {
    mqttGroup = new CaptionedGroupBox(tr("MQTT (Home Assistant)"), this);
    Place(mqttGroup, OwnChoicesLeft, 1600, 2700, 2330);
    const auto row = [this](const QString &text, int top, int width) {
        Place(new QLabel(text, mqttGroup), 120, top + 40, 780, 255);
        auto *field = new QLineEdit(mqttGroup);
        Place(field, 900, top, width, 285);
        return field;
    };
    mqttEnabledBox = new QCheckBox(tr("Pubblica le letture"), mqttGroup);
    Place(mqttEnabledBox, 100, 220, 2500, 255);
    mqttHostEdit = row(tr("Broker"), 520, 1700);
    mqttPortEdit = row(tr("Porta"), 840, 600);
    mqttPortEdit->setValidator(new TypedLengthValidator(5, mqttPortEdit));
    mqttTlsBox = new QCheckBox(tr("TLS"), mqttGroup);
    Place(mqttTlsBox, 1800, 870, 800, 255);
    mqttUserEdit = row(tr("Utente"), 1160, 1700);
    mqttPasswordEdit = row(tr("Password"), 1480, 1700);
    mqttPasswordEdit->setEchoMode(QLineEdit::Password);
    mqttStatusLabel = new QLabel(mqttGroup);
    Place(mqttStatusLabel, 120, 1810, 2460, 480);
    // Error texts quote the broker's words.
    mqttStatusLabel->setTextFormat(Qt::PlainText);
    mqttStatusLabel->setWordWrap(true);
    mqttStatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const auto enableFields = [this](bool on) {
        const QList<QWidget *> fields{mqttHostEdit, mqttPortEdit, mqttTlsBox, mqttUserEdit,
                                      mqttPasswordEdit};
        for (QWidget *field : fields)
            field->setEnabled(on);
    };
    connect(mqttEnabledBox, &QCheckBox::toggled, this, enableFields);
    enableFields(false);
    // The port follows TLS while it is still one of the usual two.
    connect(mqttTlsBox, &QCheckBox::toggled, this, [this](bool on) {
        const QString from = QString::number(on ? PlainMqttPort : TlsMqttPort);
        if (mqttPortEdit->text().trimmed() == from)
            mqttPortEdit->setText(QString::number(on ? TlsMqttPort : PlainMqttPort));
    });
}

void SettingsDialog::ShowPublishingStatus(const QString &text) {
    mqttStatusLabel->setText(text);
    // Two messages at once may not fit the line.
    mqttStatusLabel->setToolTip(PlainToolTip(text));
}

void SettingsDialog::SetTabOrder() {
    QList<QWidget *> order{callEdit, acceptButton, cancelButton, focusNewDataBox, beepNewDataBox};
    for (const ThresholdLayout &layout : ThresholdLayouts)
        order.append(thresholdEdits[std::size_t(layout.threshold)]);
    order.append({focusAlarmBox, beepAlarmBox, agwHostEdit, agwPortEdit, saveAlarmsBox,
                  aprsEnabledBox, agwEnabledBox, serverBox, reconnectBox, languageBox, unitsBox,
                  dataStoppedBox, mqttEnabledBox, mqttHostEdit, mqttPortEdit, mqttTlsBox,
                  mqttUserEdit, mqttPasswordEdit});
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void SettingsDialog::Load() {
    const SetupFields fields = LoadSetupFields(targets.config, QLocale());
    serverBox->addItems(fields.serverItems);
    serverBox->setCurrentIndex(fields.serverPosition);
    serverBox->setEditText(fields.serverText);
    serverTyped = false;
    focusNewDataBox->setChecked(fields.focusNewData);
    beepNewDataBox->setChecked(fields.beepNewData);
    focusAlarmBox->setChecked(fields.focusAlarm);
    beepAlarmBox->setChecked(fields.beepAlarm);
    saveAlarmsBox->setChecked(fields.saveAlarms);
    reconnectBox->setChecked(fields.reconnect);
    languageBox->setCurrentIndex(languageBox->findData(int(fields.language)));
    unitsBox->setCurrentIndex(unitsBox->findData(int(fields.units)));
    dataStoppedBox->setValue(fields.dataStoppedMinutes > 0 ? fields.dataStoppedMinutes
                                                           : dataStoppedBox->minimum());
    for (std::size_t i = 0; i < thresholdEdits.size(); ++i)
        thresholdEdits[i]->setText(fields.thresholds[i]);
    const QValidator *filter = callEdit->validator();
    callEdit->setValidator(nullptr);
    callEdit->setText(fields.call);
    callEdit->setValidator(filter);
    callEdit->selectAll();
    callEdit->setFocus();
    acceptButton->setEnabled(CallLongEnough(callEdit->text()));
    agwHostEdit->setText(fields.agwHost);
    agwPortEdit->setText(fields.agwPort);
    agwEnabledBox->setChecked(fields.agwEnabled);
    aprsEnabledBox->setChecked(fields.aprsEnabled);
    // TLS before the port, so that loading never moves the port.
    mqttTlsBox->setChecked(fields.mqtt.tls);
    mqttHostEdit->setText(fields.mqtt.host);
    mqttPortEdit->setText(fields.mqtt.port);
    mqttUserEdit->setText(fields.mqtt.user);
    mqttPasswordEdit->setText(fields.mqtt.password);
    mqttEnabledBox->setChecked(fields.mqtt.enabled);
}

SetupFields SettingsDialog::Fields() const {
    SetupFields fields;
    fields.call = callEdit->text();
    fields.focusNewData = focusNewDataBox->isChecked();
    fields.beepNewData = beepNewDataBox->isChecked();
    fields.focusAlarm = focusAlarmBox->isChecked();
    fields.beepAlarm = beepAlarmBox->isChecked();
    fields.saveAlarms = saveAlarmsBox->isChecked();
    fields.reconnect = reconnectBox->isChecked();
    fields.language = DisplayLanguage(languageBox->currentData().toInt());
    fields.units = UnitSystem(unitsBox->currentData().toInt());
    const int minutes = dataStoppedBox->value();
    fields.dataStoppedMinutes = minutes == dataStoppedBox->minimum() ? 0 : minutes;
    for (std::size_t i = 0; i < thresholdEdits.size(); ++i)
        fields.thresholds[i] = thresholdEdits[i]->text();
    fields.agwHost = agwHostEdit->text();
    fields.agwPort = agwPortEdit->text();
    fields.agwEnabled = agwEnabledBox->isChecked();
    fields.aprsEnabled = aprsEnabledBox->isChecked();
    for (int i = 0; i < serverBox->count(); ++i)
        fields.serverItems.append(serverBox->itemText(i));
    fields.serverPosition = serverTyped ? -1 : serverBox->currentIndex();
    fields.serverText = serverBox->currentText();
    fields.mqtt = {mqttEnabledBox->isChecked(), mqttHostEdit->text(),     mqttPortEdit->text(),
                   mqttUserEdit->text(),        mqttPasswordEdit->text(), mqttTlsBox->isChecked()};
    return fields;
}

QLineEdit *SettingsDialog::FieldEditor(const SetupRefusal &refusal) const {
    switch (refusal.field) {
    case SetupField::Threshold:
        return thresholdEdits[std::size_t(refusal.threshold)];
    case SetupField::AgwHost:
        return agwHostEdit;
    case SetupField::AgwPort:
        return agwPortEdit;
    case SetupField::MqttHost:
        return mqttHostEdit;
    case SetupField::MqttPort:
        return mqttPortEdit;
    case SetupField::Server:
        break;
    }
    return serverBox->lineEdit();
}

void SettingsDialog::Accept() {
    const SetupFields fields = Fields();
    // The record still holds the units and values the form was loaded with.
    const auto numbers = ReadSetupNumbers(fields, QLocale(), targets.config.Units, targets.config);
    if (const auto *refusal = std::get_if<SetupRefusal>(&numbers)) {
        // The dialog stays open with the wrong field ready to be corrected.
        targets.prompts.ShowMessage(MessageIcon::Exclamation, windowTitle(), refusal->message);
        QLineEdit *editor = FieldEditor(*refusal);
        editor->setFocus();
        editor->selectAll();
        return;
    }
    ApplySetup(fields, std::get<SetupNumbers>(numbers), targets);
    accept();
}

} // namespace anemora

#include "moc_settings_dialog.cpp"
