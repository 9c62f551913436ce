// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/running_program.h"
#include "monitor/station_monitor.h"
#include "ui/desktop_prompts.h"
#include "ui/settings_dialog.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

// Answers the next message box or dialog that becomes modal, once the
// nested event loop that shows it is running.
template <typename Widget, typename Action> void WhenModal(Action action) {
    QTimer::singleShot(0, [action] {
        QTRY_VERIFY(qobject_cast<Widget *>(QApplication::activeModalWidget()));
        action(qobject_cast<Widget *>(QApplication::activeModalWidget()));
    });
}

} // namespace

class TestSettingsDialog : public QObject, private RunningProgram {
    Q_OBJECT
private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        StartRunning();
    }

    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void layout() {
        const auto dialog = Open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Setup Parametri Anemora"));
        // The seed's height, its buttons last, and the program's own choices in
        // a column to the right of the seed's layout.
        QCOMPARE(dialog->height(), 362);
        for (const QWidget *own :
             QList<QWidget *>{dialog->reconnectBox, dialog->languageBox, dialog->unitsBox,
                              dialog->dataStoppedBox, dialog->mqttGroup})
            QVERIFY(own->x() > dialog->callGroup->geometry().right() &&
                    dialog->rect().contains(own->geometry()));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(dialog->alarmGroup->title(), QStringLiteral("Allarmi (valori evidenziati rosso)"));
        QCOMPARE(dialog->newDataGroup->title(), QStringLiteral("All'arrivo nuovi dati"));
        QCOMPARE(dialog->alarmGroup->geometry(), QRect(4, 64, 180, 156));
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::HiBaro)->geometry(), QRect(132, 80, 44, 19));
        QCOMPARE(dialog->beepNewDataBox->parentWidget(), dialog.get());
        QCOMPARE(dialog->saveAlarmsBox->text(),
                 QStringLiteral("Salva i valori di Allarme / Suoni"));
        QCOMPARE(dialog->acceptButton->text(), QStringLiteral("&Conferma"));
        QCOMPARE(dialog->cancelButton->text(), QStringLiteral("&Cancella"));
        QVERIFY(dialog->acceptButton->isDefault());
        QVERIFY(!dialog->cancelButton->isDefault());
    }

    void captionSitsInTheBorder() {
        const auto dialog = Open();
        const QList<QGroupBox *> boxes = dialog->findChildren<QGroupBox *>();
        QCOMPARE(boxes.size(), 6);
        for (QGroupBox *box : boxes) {
            // The box alone, without its controls: the first pixel of its top
            // line near the right edge, where no caption reaches.
            QImage image(box->size(), QImage::Format_RGB32);
            box->render(&image, {}, {}, QWidget::DrawWindowBackground);
            int line = 0;
            const QRgb background = box->palette().color(QPalette::Window).rgb();
            while (line < image.height() && image.pixel(box->width() - 3, line) == background)
                ++line;
            QVERIFY2(line < box->fontMetrics().height(), qPrintable(box->title()));
            // Every control of the first row lies below it, the beep box laid
            // over the new-data box included.
            for (QWidget *control : dialog->findChildren<QWidget *>()) {
                const QRect area(control->mapTo(dialog.get(), QPoint()), control->size());
                const int top = area.top() - box->y();
                if (control != box && box->geometry().contains(area) && top < Twips(300))
                    QVERIFY2(top > line, qPrintable(box->title()));
            }
        }
    }

    void tabOrder() {
        config.Mqtt.enabled = true;
        const auto dialog = Open();
        QTRY_VERIFY(dialog->isActiveWindow());
        const QList<QWidget *> expected{dialog->callEdit,
                                        dialog->acceptButton,
                                        dialog->cancelButton,
                                        dialog->focusNewDataBox,
                                        dialog->beepNewDataBox,
                                        dialog->thresholdEdit(AlarmThreshold::HiWind),
                                        dialog->thresholdEdit(AlarmThreshold::HiGust),
                                        dialog->thresholdEdit(AlarmThreshold::LoTemp),
                                        dialog->thresholdEdit(AlarmThreshold::HiTemp),
                                        dialog->thresholdEdit(AlarmThreshold::LoHum),
                                        dialog->thresholdEdit(AlarmThreshold::HiHum),
                                        dialog->thresholdEdit(AlarmThreshold::LoBaro),
                                        dialog->thresholdEdit(AlarmThreshold::HiBaro),
                                        dialog->thresholdEdit(AlarmThreshold::HiRainHour),
                                        dialog->thresholdEdit(AlarmThreshold::HiRain24),
                                        dialog->focusAlarmBox,
                                        dialog->beepAlarmBox,
                                        dialog->agwHostEdit,
                                        dialog->agwPortEdit,
                                        dialog->saveAlarmsBox,
                                        dialog->aprsEnabledBox,
                                        dialog->agwEnabledBox,
                                        dialog->serverBox,
                                        dialog->reconnectBox,
                                        dialog->languageBox,
                                        dialog->unitsBox,
                                        dialog->dataStoppedBox,
                                        dialog->mqttEnabledBox,
                                        dialog->mqttHostEdit,
                                        dialog->mqttPortEdit,
                                        dialog->mqttTlsBox,
                                        dialog->mqttUserEdit,
                                        dialog->mqttPasswordEdit,
                                        dialog->callEdit};
        dialog->callEdit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), dialog->callEdit);
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            if (focus && focus->parentWidget() == dialog->serverBox)
                focus = dialog->serverBox;
            QVERIFY2(focus == expected[i], qPrintable(QStringLiteral("step %1").arg(i)));
        }
    }

    void callTypingAndAccept() {
        const auto dialog = Open();
        QTRY_COMPARE(QApplication::focusWidget(), dialog->callEdit);
        QCOMPARE(dialog->callEdit->text(), QStringLiteral("Q1ABC-13"));
        QCOMPARE(dialog->callEdit->selectedText(), QStringLiteral("Q1ABC-13"));
        QVERIFY(dialog->acceptButton->isEnabled());
        QTest::keyClicks(dialog->callEdit, "a");
        QCOMPARE(dialog->callEdit->text(), QStringLiteral("A"));
        QVERIFY(!dialog->acceptButton->isEnabled());
        QTest::keyClicks(dialog->callEdit, "b /.%'");
        QCOMPARE(dialog->callEdit->text(), QStringLiteral("AB"));
        QVERIFY(!dialog->acceptButton->isEnabled());
        QTest::keyClicks(dialog->callEdit, "c-1");
        QCOMPARE(dialog->callEdit->text(), QStringLiteral("ABC-1"));
        QVERIFY(dialog->acceptButton->isEnabled());
        QTest::keyClick(dialog->callEdit, Qt::Key_Backspace);
        QTest::keyClick(dialog->callEdit, Qt::Key_Backspace);
        QTest::keyClick(dialog->callEdit, Qt::Key_Backspace);
        QCOMPARE(dialog->callEdit->text(), QStringLiteral("AB"));
        QVERIFY(!dialog->acceptButton->isEnabled());
        // A pasted text passes the same filter.
        dialog->callEdit->clear();
        dialog->callEdit->insert("q2 xyz/7");
        QCOMPARE(dialog->callEdit->text(), QStringLiteral("Q2XYZ7"));
    }

    void loadFormatsForTheLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("hiBaro");
        QTest::addColumn<QString>("loTemp");
        // clang-format off
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "1,040.0" << "-5.0";
        QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy) << "1.040,0" << "-5,0";
        // clang-format on
    }
    void loadFormatsForTheLocale() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const auto dialog = Open();
        QTEST(dialog->thresholdEdit(AlarmThreshold::HiBaro)->text(), "hiBaro");
        QTEST(dialog->thresholdEdit(AlarmThreshold::LoTemp)->text(), "loTemp");
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::HiHum)->text(), QStringLiteral("96"));
        QCOMPARE(dialog->serverBox->count(), 2);
        QCOMPARE(dialog->serverBox->currentIndex(), 1);
        QCOMPARE(dialog->serverBox->currentText(), QStringLiteral("second:14580"));
        QVERIFY(dialog->agwEnabledBox->isChecked() && dialog->aprsEnabledBox->isChecked());
        QVERIFY(dialog->focusNewDataBox->isChecked() && !dialog->beepNewDataBox->isChecked());
        // Confirming unchanged values in either locale stores the same numbers.
        const WxConfig before = config;
        dialog->acceptButton->click();
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(config.HiBaro, before.HiBaro);
        QCOMPARE(config.LoTemp, before.LoTemp);
        QCOMPARE(links->log, QStringList());
    }

    void storedLongValuesShownWhole() {
        config.HiHum = 100;
        config.LoTemp = -100;
        const auto dialog = Open();
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::HiHum)->text(), QStringLiteral("100"));
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::LoTemp)->text(), QStringLiteral("-100.0"));
        // Typing stays within the limit.
        dialog->thresholdEdit(AlarmThreshold::LoHum)->clear();
        QTest::keyClicks(dialog->thresholdEdit(AlarmThreshold::LoHum), "123");
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::LoHum)->text(), QStringLiteral("12"));
        dialog->acceptButton->click();
        QCOMPARE(config.HiHum, qint16(100));
        QCOMPARE(config.LoHum, qint16(12));
        QCOMPARE(config.LoTemp, -100.0f);
    }

    void imperialEditKeepsUntouchedThresholds() {
        // Metric values that no imperial text of theirs reads back exactly.
        config.HiWind = 47.3f;
        config.LoTemp = -3.7f;
        config.LoBaro = 987.6f;
        config.HiRain24 = 12.3f;
        config.Units = UnitSystem::Imperial;
        const QString alarmsPath = dir->filePath("WxAlarms.ini");
        WriteAlarms(config, alarmsPath, prompts);
        const QByteArray before = ReadBytes(alarmsPath);

        const auto dialog = Open();
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::HiTemp)->text(), QStringLiteral("104.0"));
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::HiBaro)->text(), QStringLiteral("30.71"));
        dialog->thresholdEdit(AlarmThreshold::HiGust)->setText(QStringLiteral("50.0"));
        dialog->unitsBox->setCurrentIndex(dialog->unitsBox->findData(int(UnitSystem::Metric)));
        dialog->acceptButton->click();
        QVERIFY(prompts.messages.isEmpty());
        WriteAlarms(config, alarmsPath, prompts);
        // Opened again in metric units and confirmed untouched: not a byte moves.
        const QByteArray typed = ReadBytes(alarmsPath);
        Open()->acceptButton->click();
        WriteAlarms(config, alarmsPath, prompts);
        QCOMPARE(ReadBytes(alarmsPath), typed);

        // The options and the first two lines of thresholds as they were; on the
        // wind line the gust typed, 50 mph in km/h as a report of 50 mph reads.
        const QList<QByteArray> was = before.split('\n');
        const QList<QByteArray> now = ReadBytes(alarmsPath).split('\n');
        QCOMPARE(now.mid(0, 3), was.mid(0, 3));
        QCOMPARE(now.value(3), QByteArray("47.3,80.46735\r"));
        QCOMPARE(now.size(), was.size());
    }

    void enterConfirms() {
        const auto dialog = Open();
        QTest::keyClicks(dialog->callEdit, "q2xyz");
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        QTest::keyClick(dialog->callEdit, Qt::Key_Return);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(config.StationCall, QStringLiteral("Q2XYZ"));
        QVERIFY(!dialog->isVisible());
    }

    void escapeAndCancelChangeNothing() {
        const WxConfig before = config;
        for (const bool escape : {true, false}) {
            const auto dialog = Open();
            QTest::keyClicks(dialog->callEdit, "q2xyz");
            dialog->agwEnabledBox->setChecked(false);
            dialog->thresholdEdit(AlarmThreshold::HiWind)->setText("99");
            dialog->serverBox->setEditText("typed:1");
            if (escape)
                QTest::keyClick(dialog->callEdit, Qt::Key_Escape);
            else
                dialog->cancelButton->click();
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QVERIFY(!dialog->isVisible());
        }
        QCOMPARE(config, before);
        QCOMPARE(links->log, QStringList());
        QCOMPARE(ServerListNow(), ServerListFile);
        QCOMPARE(Open()->callEdit->text(), QStringLiteral("Q1ABC-13"));
    }

    void refusalKeepsDialogOpen() {
        const auto dialog = Open();
        const WxConfig before = config;
        QTest::keyClicks(dialog->callEdit, "q2xyz");
        dialog->thresholdEdit(AlarmThreshold::HiGust)->setText("molto");
        dialog->acceptButton->click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].title, QStringLiteral("Setup Parametri Anemora"));
        QVERIFY(prompts.messages[0].text.startsWith(QStringLiteral("Raffica massima")));
        QVERIFY(dialog->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), dialog->thresholdEdit(AlarmThreshold::HiGust));
        QCOMPARE(dialog->thresholdEdit(AlarmThreshold::HiGust)->selectedText(),
                 QStringLiteral("molto"));
        QCOMPARE(config, before);
        QCOMPARE(links->log, QStringList());

        dialog->thresholdEdit(AlarmThreshold::HiGust)->setText("90");
        dialog->serverBox->setEditText("senza-porta");
        QTest::keyClicks(dialog->serverBox->lineEdit(), "x");
        dialog->acceptButton->click();
        QCOMPARE(prompts.messages.size(), 2);
        QVERIFY(prompts.messages[1].text.startsWith(QStringLiteral("Server Aprs")));
        QTRY_COMPARE(QApplication::focusWidget(), dialog->serverBox);
        QCOMPARE(config, before);
    }

    // Off, the broker's fields rest; TLS moves the usual port along, and a
    // missing broker is refused before anything is kept.
    void publishingFields() {
        const auto dialog = Open();
        QVERIFY(!dialog->mqttHostEdit->isEnabled());
        QCOMPARE(dialog->mqttPasswordEdit->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog->mqttStatusLabel->textFormat(), Qt::PlainText);
        dialog->mqttEnabledBox->setChecked(true);
        QVERIFY(dialog->mqttHostEdit->isEnabled());
        dialog->mqttTlsBox->setChecked(true);
        QCOMPARE(dialog->mqttPortEdit->text(), QStringLiteral("8883"));
        dialog->acceptButton->click();
        QVERIFY(prompts.messages.value(0).text.startsWith(QStringLiteral("Broker MQTT")));
        QTRY_COMPARE(QApplication::focusWidget(), dialog->mqttHostEdit);
        QCOMPARE(config.Mqtt, MqttSettings());
        dialog->mqttHostEdit->setText(" broker.lan ");
        dialog->mqttUserEdit->setText("station");
        dialog->mqttPasswordEdit->setText("s3cret");
        dialog->acceptButton->click();
        const MqttSettings kept{true, "broker.lan", 8883, "station", "s3cret", true};
        QCOMPARE(config.Mqtt, kept);
        const auto reopened = Open();
        QCOMPARE(reopened->Fields().mqtt.port, QStringLiteral("8883"));
        reopened->mqttTlsBox->setChecked(false);
        QCOMPARE(reopened->mqttPortEdit->text(), QStringLiteral("1883"));
    }

    void dataStoppedChoiceStepsBetweenOffAndFive() {
        const auto dialog = Open();
        QCOMPARE(dialog->dataStoppedBox->text(), QStringLiteral("spento"));
        dialog->dataStoppedBox->stepUp();
        QCOMPARE(dialog->Fields().dataStoppedMinutes, 5);
        dialog->dataStoppedBox->stepDown();
        QCOMPARE(dialog->Fields().dataStoppedMinutes, 0);
    }

    void typedServerEqualToEntryIsAppended() {
        const auto dialog = Open();
        dialog->serverBox->lineEdit()->clear();
        QTest::keyClicks(dialog->serverBox->lineEdit(), "first:14580");
        QTest::keyClick(dialog->serverBox->lineEdit(), Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(ServerListNow(), ServerListFile + "first:14580\r\n");
        QCOMPARE(config.ServerIndex, qint16(2));
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs first:14580"}));
    }

    void pickedServerIsNotTyped() {
        const auto dialog = Open();
        QTest::keyClicks(dialog->serverBox->lineEdit(), "x");
        dialog->serverBox->setFocus();
        QTest::keyClick(dialog->serverBox, Qt::Key_Up);
        QCOMPARE(dialog->serverBox->currentIndex(), 0);
        dialog->acceptButton->click();
        QCOMPARE(ServerListNow(), ServerListFile);
        QCOMPARE(config.ServerIndex, qint16(0));
        QCOMPARE(links->log, (QStringList{"close aprs", "open aprs first:14580"}));
    }

    void hostKeepsOneDialog() {
        DesktopPrompts host(config, *monitor);
        host.AttachLinks(*links);
        QVERIFY(!host.IsSettingsDialogVisible());
        host.ShowSettingsDialog();
        const QPointer<SettingsDialog> first = host.CurrentDialog();
        QVERIFY(first);
        QVERIFY(host.IsSettingsDialogVisible());
        first->thresholdEdit(AlarmThreshold::HiWind)->setText("77");
        host.ShowSettingsDialog();
        QCOMPARE(host.CurrentDialog(), first.data());
        QCOMPARE(first->thresholdEdit(AlarmThreshold::HiWind)->text(), QStringLiteral("77"));
        first->cancelButton->click();
        QTRY_VERIFY(!first);
        QVERIFY(!host.IsSettingsDialogVisible());
        // The next opening loads afresh.
        host.ShowSettingsDialog();
        QVERIFY(host.CurrentDialog());
        QCOMPARE(host.CurrentDialog()->thresholdEdit(AlarmThreshold::HiWind)->text(),
                 QStringLiteral("50.0"));
        host.CurrentDialog()->close();
    }

    void hostModalReturnsWhenClosed() {
        DesktopPrompts host(config, *monitor);
        host.AttachLinks(*links);
        bool wasVisible = false;
        WhenModal<SettingsDialog>([&](SettingsDialog *dialog) {
            wasVisible = host.IsSettingsDialogVisible();
            dialog->callEdit->setText("Q2XYZ");
            dialog->acceptButton->click();
        });
        host.ShowSettingsDialogModal();
        QVERIFY(wasVisible);
        QVERIFY(!host.IsSettingsDialogVisible());
        QCOMPARE(config.StationCall, QStringLiteral("Q2XYZ"));
    }

    void hostMessageBox() {
        DesktopPrompts host(config, *monitor);
        QString seen;
        WhenModal<QMessageBox>([&](QMessageBox *box) {
            seen = box->windowTitle() + "|" + box->text() + "|" +
                   QString::number(int(box->icon() == QMessageBox::Critical));
            box->accept();
        });
        host.ShowMessage(MessageIcon::Critical, "Velmorin", "Manca il file di help Leggimi.rtf");
        QCOMPARE(seen, QStringLiteral("Velmorin|Manca il file di help Leggimi.rtf|1"));
    }

private:
    std::unique_ptr<SettingsDialog> Open() {
        auto dialog =
            std::make_unique<SettingsDialog>(SetupTargets{config, *links, *monitor, prompts});
        dialog->show();
        dialog->activateWindow();
        return dialog;
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settings_dialog.moc"
