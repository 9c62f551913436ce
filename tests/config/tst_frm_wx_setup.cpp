#include "config/frm_wx_setup.h"
#include "config/settings_dialog_host.h"
#include "setup_fakes.h"
#include "weather/station_monitor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

bool SameSettings(const WxConfig &a, const WxConfig &b) {
    return a.StationCall == b.StationCall && a.ServerIndex == b.ServerIndex &&
           a.AgwHost == b.AgwHost && a.AprsHost == b.AprsHost && a.AgwPort == b.AgwPort &&
           a.AprsPort == b.AprsPort && a.AgwEnabled == b.AgwEnabled &&
           a.AprsEnabled == b.AprsEnabled && a.BeepNewData == b.BeepNewData &&
           a.FocusNewData == b.FocusNewData && a.AgwActive == b.AgwActive &&
           a.AprsActive == b.AprsActive && a.BeepAlarm == b.BeepAlarm &&
           a.FocusAlarm == b.FocusAlarm && a.LoTemp == b.LoTemp && a.HiTemp == b.HiTemp &&
           a.LoHum == b.LoHum && a.HiHum == b.HiHum && a.LoBaro == b.LoBaro &&
           a.HiBaro == b.HiBaro && a.HiRainHour == b.HiRainHour && a.HiRain24 == b.HiRain24 &&
           a.HiWind == b.HiWind && a.HiGust == b.HiGust && a.SaveAlarms == b.SaveAlarms &&
           a.CallChanged == b.CallChanged;
}

} // namespace

class TestFrmWxSetup : public QObject, private RunningProgram {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void tabOrder();
    void callTypingAndConferma();
    void loadFormatsForTheLocale_data();
    void loadFormatsForTheLocale();
    void storedLongValuesShownWhole();
    void enterConfirms();
    void escapeAndCancelChangeNothing();
    void refusalKeepsDialogOpen();
    void typedServerEqualToEntryIsAppended();
    void pickedServerIsNotTyped();
    void hostKeepsOneDialog();
    void hostModalReturnsWhenClosed();
    void hostMessageBox();

private:
    std::unique_ptr<frmWxSetup> Open();
};

void TestFrmWxSetup::init() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    StartRunning();
}

void TestFrmWxSetup::cleanup() {
    QLocale::setDefault(QLocale::system());
}

std::unique_ptr<frmWxSetup> TestFrmWxSetup::Open() {
    auto dialog = std::make_unique<frmWxSetup>(SetupTargets{config, *links, *monitor, prompts});
    dialog->show();
    dialog->activateWindow();
    return dialog;
}

void TestFrmWxSetup::layout() {
    const auto dialog = Open();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Setup Parametri Anemora"));
    QCOMPARE(dialog->size(), QSize(187, 362));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog->Frame3->title(), QStringLiteral("Allarmi (valori evidenziati rosso)"));
    QCOMPARE(dialog->Frame4->title(), QStringLiteral("All'arrivo nuovi dati"));
    QCOMPARE(dialog->Frame3->geometry(), QRect(4, 64, 180, 156));
    QCOMPARE(dialog->txtHiBaro->geometry(), QRect(132, 80, 44, 19));
    QCOMPARE(dialog->chkBeep->parentWidget(), dialog.get());
    QCOMPARE(dialog->chkSaveAlm->text(), QStringLiteral("Salva i valori di Allarme / Suoni"));
    QCOMPARE(dialog->cmdAccept->text(), QStringLiteral("&Conferma"));
    QCOMPARE(dialog->cmdCancel->text(), QStringLiteral("&Cancella"));
    QVERIFY(dialog->cmdAccept->isDefault());
    QVERIFY(!dialog->cmdCancel->isDefault());
}

void TestFrmWxSetup::tabOrder() {
    const auto dialog = Open();
    QTRY_VERIFY(dialog->isActiveWindow());
    const QList<QWidget *> expected{
        dialog->txtCall,    dialog->cmdAccept,     dialog->cmdCancel,   dialog->chkFocus,
        dialog->chkBeep,    dialog->txtHiWind,     dialog->txtHiGust,   dialog->txtLoTemp,
        dialog->txtHiTemp,  dialog->txtLoHum,      dialog->TxtHiHum,    dialog->txtLoBaro,
        dialog->txtHiBaro,  dialog->txtHiRainHour, dialog->txtHiRain24, dialog->chkFocusAlm,
        dialog->chkBeepAlm, dialog->txtHost,       dialog->txtPort,     dialog->chkSaveAlm,
        dialog->chkTcp,     dialog->chkAgw,        dialog->cmbServer,   dialog->txtCall};
    dialog->txtCall->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), dialog->txtCall);
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        if (focus && focus->parentWidget() == dialog->cmbServer)
            focus = dialog->cmbServer;
        QVERIFY2(focus == expected[i], qPrintable(QStringLiteral("step %1").arg(i)));
    }
}

void TestFrmWxSetup::callTypingAndConferma() {
    const auto dialog = Open();
    QTRY_COMPARE(QApplication::focusWidget(), dialog->txtCall);
    QCOMPARE(dialog->txtCall->text(), QStringLiteral("Q1ABC-13"));
    QCOMPARE(dialog->txtCall->selectedText(), QStringLiteral("Q1ABC-13"));
    QVERIFY(dialog->cmdAccept->isEnabled());
    QTest::keyClicks(dialog->txtCall, "a");
    QCOMPARE(dialog->txtCall->text(), QStringLiteral("A"));
    QVERIFY(!dialog->cmdAccept->isEnabled());
    QTest::keyClicks(dialog->txtCall, "b /.%'");
    QCOMPARE(dialog->txtCall->text(), QStringLiteral("AB"));
    QVERIFY(!dialog->cmdAccept->isEnabled());
    QTest::keyClicks(dialog->txtCall, "c-1");
    QCOMPARE(dialog->txtCall->text(), QStringLiteral("ABC-1"));
    QVERIFY(dialog->cmdAccept->isEnabled());
    QTest::keyClick(dialog->txtCall, Qt::Key_Backspace);
    QTest::keyClick(dialog->txtCall, Qt::Key_Backspace);
    QTest::keyClick(dialog->txtCall, Qt::Key_Backspace);
    QCOMPARE(dialog->txtCall->text(), QStringLiteral("AB"));
    QVERIFY(!dialog->cmdAccept->isEnabled());
    // A pasted text passes the same filter.
    dialog->txtCall->clear();
    dialog->txtCall->insert("q2 xyz/7");
    QCOMPARE(dialog->txtCall->text(), QStringLiteral("Q2XYZ7"));
}

void TestFrmWxSetup::loadFormatsForTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("hiBaro");
    QTest::addColumn<QString>("loTemp");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "1,040.0"
                             << "-5.0";
    QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy) << "1.040,0"
                             << "-5,0";
}

void TestFrmWxSetup::loadFormatsForTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, hiBaro);
    QFETCH(QString, loTemp);
    QLocale::setDefault(locale);
    const auto dialog = Open();
    QCOMPARE(dialog->txtHiBaro->text(), hiBaro);
    QCOMPARE(dialog->txtLoTemp->text(), loTemp);
    QCOMPARE(dialog->TxtHiHum->text(), QStringLiteral("96"));
    QCOMPARE(dialog->cmbServer->count(), 2);
    QCOMPARE(dialog->cmbServer->currentIndex(), 1);
    QCOMPARE(dialog->cmbServer->currentText(), QStringLiteral("second:14580"));
    QVERIFY(dialog->chkAgw->isChecked() && dialog->chkTcp->isChecked());
    QVERIFY(dialog->chkFocus->isChecked() && !dialog->chkBeep->isChecked());
    // Confirming unchanged values in either locale stores the same numbers.
    const WxConfig before = config;
    dialog->cmdAccept->click();
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(config.HiBaro, before.HiBaro);
    QCOMPARE(config.LoTemp, before.LoTemp);
    QCOMPARE(links->log, QStringList());
}

void TestFrmWxSetup::storedLongValuesShownWhole() {
    config.HiHum = 100;
    config.LoTemp = -100;
    const auto dialog = Open();
    QCOMPARE(dialog->TxtHiHum->text(), QStringLiteral("100"));
    QCOMPARE(dialog->txtLoTemp->text(), QStringLiteral("-100.0"));
    // Typing stays within the limit.
    dialog->txtLoHum->clear();
    QTest::keyClicks(dialog->txtLoHum, "123");
    QCOMPARE(dialog->txtLoHum->text(), QStringLiteral("12"));
    dialog->cmdAccept->click();
    QCOMPARE(config.HiHum, qint16(100));
    QCOMPARE(config.LoHum, qint16(12));
    QCOMPARE(config.LoTemp, -100.0f);
}

void TestFrmWxSetup::enterConfirms() {
    const auto dialog = Open();
    QTest::keyClicks(dialog->txtCall, "q2xyz");
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::keyClick(dialog->txtCall, Qt::Key_Return);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(config.StationCall, QStringLiteral("Q2XYZ"));
    QVERIFY(!dialog->isVisible());
}

void TestFrmWxSetup::escapeAndCancelChangeNothing() {
    const WxConfig before = config;
    for (const bool escape : {true, false}) {
        const auto dialog = Open();
        QTest::keyClicks(dialog->txtCall, "q2xyz");
        dialog->chkAgw->setChecked(false);
        dialog->txtHiWind->setText("99");
        dialog->cmbServer->setEditText("typed:1");
        if (escape)
            QTest::keyClick(dialog->txtCall, Qt::Key_Escape);
        else
            dialog->cmdCancel->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
    }
    QVERIFY(SameSettings(config, before));
    QCOMPARE(links->log, QStringList());
    QCOMPARE(ServerListNow(), ServerListFile);
    QCOMPARE(Open()->txtCall->text(), QStringLiteral("Q1ABC-13"));
}

void TestFrmWxSetup::refusalKeepsDialogOpen() {
    const auto dialog = Open();
    const WxConfig before = config;
    QTest::keyClicks(dialog->txtCall, "q2xyz");
    dialog->txtHiGust->setText("molto");
    dialog->cmdAccept->click();
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].title, QStringLiteral("Setup Parametri Anemora"));
    QVERIFY(prompts.messages[0].text.startsWith(QStringLiteral("Raffica massima")));
    QVERIFY(dialog->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), dialog->txtHiGust);
    QCOMPARE(dialog->txtHiGust->selectedText(), QStringLiteral("molto"));
    QVERIFY(SameSettings(config, before));
    QCOMPARE(links->log, QStringList());

    dialog->txtHiGust->setText("90");
    dialog->cmbServer->setEditText("senza-porta");
    QTest::keyClicks(dialog->cmbServer->lineEdit(), "x");
    dialog->cmdAccept->click();
    QCOMPARE(prompts.messages.size(), 2);
    QVERIFY(prompts.messages[1].text.startsWith(QStringLiteral("Server Aprs")));
    QTRY_COMPARE(QApplication::focusWidget(), dialog->cmbServer);
    QVERIFY(SameSettings(config, before));
}

void TestFrmWxSetup::typedServerEqualToEntryIsAppended() {
    const auto dialog = Open();
    dialog->cmbServer->lineEdit()->clear();
    QTest::keyClicks(dialog->cmbServer->lineEdit(), "first:14580");
    QTest::keyClick(dialog->cmbServer->lineEdit(), Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(ServerListNow(), ServerListFile + "first:14580\r\n");
    QCOMPARE(config.ServerIndex, qint16(2));
    QCOMPARE(links->log, (QStringList{"close aprs", "open aprs first:14580"}));
}

void TestFrmWxSetup::pickedServerIsNotTyped() {
    const auto dialog = Open();
    QTest::keyClicks(dialog->cmbServer->lineEdit(), "x");
    dialog->cmbServer->setFocus();
    QTest::keyClick(dialog->cmbServer, Qt::Key_Up);
    QCOMPARE(dialog->cmbServer->currentIndex(), 0);
    dialog->cmdAccept->click();
    QCOMPARE(ServerListNow(), ServerListFile);
    QCOMPARE(config.ServerIndex, qint16(0));
    QCOMPARE(links->log, (QStringList{"close aprs", "open aprs first:14580"}));
}

void TestFrmWxSetup::hostKeepsOneDialog() {
    SettingsDialogHost host(config, *monitor);
    host.AttachLinks(*links);
    QVERIFY(!host.IsSettingsDialogVisible());
    host.ShowSettingsDialog();
    const QPointer<frmWxSetup> first = host.CurrentDialog();
    QVERIFY(first);
    QVERIFY(host.IsSettingsDialogVisible());
    first->txtHiWind->setText("77");
    host.ShowSettingsDialog();
    QCOMPARE(host.CurrentDialog(), first.data());
    QCOMPARE(first->txtHiWind->text(), QStringLiteral("77"));
    first->cmdCancel->click();
    QTRY_VERIFY(!first);
    QVERIFY(!host.IsSettingsDialogVisible());
    // The next opening loads afresh.
    host.ShowSettingsDialog();
    QVERIFY(host.CurrentDialog());
    QCOMPARE(host.CurrentDialog()->txtHiWind->text(), QStringLiteral("50.0"));
    host.CurrentDialog()->close();
}

void TestFrmWxSetup::hostModalReturnsWhenClosed() {
    SettingsDialogHost host(config, *monitor);
    host.AttachLinks(*links);
    bool wasVisible = false;
    WhenModal<frmWxSetup>([&](frmWxSetup *dialog) {
        wasVisible = host.IsSettingsDialogVisible();
        dialog->txtCall->setText("Q2XYZ");
        dialog->cmdAccept->click();
    });
    host.ShowSettingsDialogModal();
    QVERIFY(wasVisible);
    QVERIFY(!host.IsSettingsDialogVisible());
    QCOMPARE(config.StationCall, QStringLiteral("Q2XYZ"));
}

void TestFrmWxSetup::hostMessageBox() {
    SettingsDialogHost host(config, *monitor);
    QString seen;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        seen = box->windowTitle() + "|" + box->text() + "|" +
               QString::number(int(box->icon() == QMessageBox::Critical));
        box->accept();
    });
    host.ShowMessage(MessageIcon::Critical, "Velmorin", "Manca il file di help Leggimi.rtf");
    QCOMPARE(seen, QStringLiteral("Velmorin|Manca il file di help Leggimi.rtf|1"));
}

QTEST_MAIN(TestFrmWxSetup)
#include "tst_frm_wx_setup.moc"
