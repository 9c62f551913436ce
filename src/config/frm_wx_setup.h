#pragma once

#include "config/setup_accept.h"
#include "config/setup_fields.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace anemora {

// The settings dialog. Each instance is one opening: it loads the record when
// built, and Conferma or Cancella end it.
class frmWxSetup : public QDialog {
    Q_OBJECT
public:
    explicit frmWxSetup(const SetupTargets &targets, QWidget *parent = nullptr);

    // The form as it stands, for Accept.
    SetupFields Fields() const;

    QGroupBox *Frame2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtCall = nullptr;
    QGroupBox *Frame4 = nullptr;
    QCheckBox *chkFocus = nullptr;
    QCheckBox *chkBeep = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLineEdit *txtHiWind = nullptr;
    QLineEdit *txtHiGust = nullptr;
    QLineEdit *txtLoTemp = nullptr;
    QLineEdit *txtHiTemp = nullptr;
    QLineEdit *txtLoHum = nullptr;
    QLineEdit *TxtHiHum = nullptr;
    QLineEdit *txtLoBaro = nullptr;
    QLineEdit *txtHiBaro = nullptr;
    QLineEdit *txtHiRainHour = nullptr;
    QLineEdit *txtHiRain24 = nullptr;
    QCheckBox *chkFocusAlm = nullptr;
    QCheckBox *chkBeepAlm = nullptr;
    QCheckBox *chkSaveAlm = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtHost = nullptr;
    QLineEdit *txtPort = nullptr;
    QCheckBox *chkAgw = nullptr;
    QGroupBox *Frame5 = nullptr;
    QCheckBox *chkTcp = nullptr;
    QComboBox *cmbServer = nullptr;
    QPushButton *cmdAccept = nullptr;
    QPushButton *cmdCancel = nullptr;

private slots:
    void Accept();

private:
    void BuildControls();
    void SetTabOrder();
    void Load();
    QLineEdit *FieldEditor(SetupField field) const;

    SetupTargets targets;
    // The server text was typed rather than picked from the list.
    bool serverTyped = false;
    QString typedServer;
};

} // namespace anemora
