#include "config/frm_wx_setup.h"

#include "ui/twips.h"
#include "ui/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <utility>
#include <variant>

namespace anemora {

namespace {

void Place(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsRect(left, top, width, height));
}

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

} // namespace

frmWxSetup::frmWxSetup(const SetupTargets &targets, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      targets(targets) {
    setWindowTitle(QStringLiteral("Setup Parametri Anemora"));
    setFixedSize(twips(2805), twips(5430));
    // The layout was drawn for an 8-point sans face; larger faces would clip.
    setFont(SansFace(7.5, false));
    BuildControls();
    SetTabOrder();
    connect(txtCall, &QLineEdit::textChanged, this,
            [this](const QString &text) { cmdAccept->setEnabled(CallLongEnough(text)); });
    connect(cmbServer->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        serverTyped = true;
        typedServer = text;
    });
    // The combo box also selects an entry equal to the typed text when editing
    // ends; only a pick that replaces the typed text makes it a list choice.
    connect(cmbServer, &QComboBox::activated, this, [this] {
        if (cmbServer->currentText() != typedServer)
            serverTyped = false;
    });
    connect(cmdAccept, &QPushButton::clicked, this, &frmWxSetup::Accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Load();
}

void frmWxSetup::BuildControls() {
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
        auto *frame = new QGroupBox(title, this);
        Place(frame, l, t, w, h);
        return frame;
    };

    Frame2 = group(QStringLiteral("Station Call"), 53, 0, 2700, 495);
    Label3 = new QLabel(QStringLiteral("Wx Station"), Frame2);
    Place(Label3, 120, 195, 1095, 255);
    txtCall = edit(Frame2, 1200, 120, 1335, 285);
    txtCall->setValidator(new CallValidator(txtCall));

    Frame4 = group(QStringLiteral("All'arrivo nuovi dati"), 53, 490, 2700, 460);
    chkFocus = check(Frame4, QStringLiteral("Evidenzia finestra"), 100, 200, 1575, 195);
    chkBeep = check(this, QStringLiteral("Suona"), 1920, 650, 770, 255);

    Frame3 = group(QStringLiteral("Allarmi (valori evidenziati rosso)"), 53, 960, 2700, 2340);
    label(Frame3, QStringLiteral("Wind:  Max"), 120, 210, 855, 255);
    txtHiWind = edit(Frame3, 1020, 195, 470, 285);
    label(Frame3, QStringLiteral("Km/h  g"), 1500, 210, 615, 255);
    txtHiGust = edit(Frame3, 2110, 195, 520, 285);
    label(Frame3, QStringLiteral("Temp: Low"), 120, 536, 855, 255);
    txtLoTemp = edit(Frame3, 940, 521, 540, 285);
    label(Frame3, QStringLiteral("°C   Hi"), 1500, 536, 480, 255);
    txtHiTemp = edit(Frame3, 2110, 521, 520, 285);
    label(Frame3, QStringLiteral("U.R.:   Low"), 120, 870, 975, 255);
    txtLoHum = edit(Frame3, 1060, 847, 400, 285);
    label(Frame3, QStringLiteral("%    Hi"), 1500, 870, 495, 255);
    TxtHiHum = edit(Frame3, 2200, 847, 440, 285);
    label(Frame3, QStringLiteral("Baro:   Low"), 120, 1195, 855, 255);
    txtLoBaro = edit(Frame3, 940, 1173, 540, 285);
    label(Frame3, QStringLiteral("mb  Hi"), 1500, 1195, 495, 255);
    txtHiBaro = edit(Frame3, 1980, 1200, 660, 285);
    label(Frame3, QStringLiteral("Rain:   1h"), 120, 1515, 735, 255);
    txtHiRainHour = edit(Frame3, 1020, 1500, 470, 285);
    label(Frame3, QStringLiteral("mm 24h"), 1500, 1560, 615, 255);
    txtHiRain24 = edit(Frame3, 2070, 1500, 570, 285);
    chkFocusAlm = check(Frame3, QStringLiteral("Evidenzia finestra"), 100, 1800, 1575, 220);
    chkBeepAlm = check(Frame3, QStringLiteral("Suona"), 1860, 1800, 770, 220);
    chkSaveAlm =
        check(Frame3, QStringLiteral("Salva i valori di Allarme / Suoni"), 100, 2040, 2500, 255);
    txtLoTemp->setValidator(new TypedLengthValidator(5, txtLoTemp));
    txtHiTemp->setValidator(new TypedLengthValidator(5, txtHiTemp));
    txtLoHum->setValidator(new TypedLengthValidator(2, txtLoHum));
    TxtHiHum->setValidator(new TypedLengthValidator(2, TxtHiHum));

    Frame1 = group(QStringLiteral("AGWPE"), 53, 3350, 2700, 855);
    label(Frame1, QStringLiteral("Agwpe Addr"), 120, 240, 975, 255);
    txtHost = edit(Frame1, 1080, 180, 1500, 285);
    label(Frame1, QStringLiteral("Agwpe Port"), 120, 520, 975, 255);
    txtPort = edit(Frame1, 1080, 480, 495, 270);
    chkAgw = check(Frame1, QStringLiteral("Enable"), 1800, 510, 855, 255);

    Frame5 = group(QStringLiteral("Aprs Server"), 53, 4200, 2700, 855);
    label(Frame5, QStringLiteral("Internet Aprs Server"), 120, 220, 1575, 255);
    chkTcp = check(Frame5, QStringLiteral("Enable"), 1800, 200, 855, 255);
    cmbServer = new QComboBox(Frame5);
    Place(cmbServer, 120, 470, 2500, 315);
    cmbServer->setEditable(true);
    // Enter confirms the dialog; it neither adds the text to the list nor
    // picks or completes an equal entry, so a typed server stays typed.
    cmbServer->setInsertPolicy(QComboBox::NoInsert);
    cmbServer->setDuplicatesEnabled(true);
    cmbServer->setCompleter(nullptr);

    cmdAccept = new QPushButton(QStringLiteral("&Conferma"), this);
    Place(cmdAccept, 188, 5075, 1095, 325);
    cmdAccept->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancella"), this);
    Place(cmdCancel, 1641, 5075, 975, 325);
}

void frmWxSetup::SetTabOrder() {
    const QWidget *order[] = {txtCall,     cmdAccept,  cmdCancel, chkFocus,      chkBeep,
                              txtHiWind,   txtHiGust,  txtLoTemp, txtHiTemp,     txtLoHum,
                              TxtHiHum,    txtLoBaro,  txtHiBaro, txtHiRainHour, txtHiRain24,
                              chkFocusAlm, chkBeepAlm, txtHost,   txtPort,       chkSaveAlm,
                              chkTcp,      chkAgw,     cmbServer};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget *>(order[i - 1]), const_cast<QWidget *>(order[i]));
}

void frmWxSetup::Load() {
    const SetupFields fields = LoadSetupFields(targets.config, QLocale());
    cmbServer->addItems(fields.serverItems);
    cmbServer->setCurrentIndex(fields.serverPosition);
    cmbServer->setEditText(fields.serverText);
    serverTyped = false;
    chkFocus->setChecked(fields.chkFocus);
    chkBeep->setChecked(fields.chkBeep);
    chkFocusAlm->setChecked(fields.chkFocusAlm);
    chkBeepAlm->setChecked(fields.chkBeepAlm);
    chkSaveAlm->setChecked(fields.chkSaveAlm);
    txtHiWind->setText(fields.txtHiWind);
    txtHiGust->setText(fields.txtHiGust);
    txtLoTemp->setText(fields.txtLoTemp);
    txtHiTemp->setText(fields.txtHiTemp);
    txtLoBaro->setText(fields.txtLoBaro);
    txtHiBaro->setText(fields.txtHiBaro);
    txtHiRainHour->setText(fields.txtHiRainHour);
    txtHiRain24->setText(fields.txtHiRain24);
    txtLoHum->setText(fields.txtLoHum);
    TxtHiHum->setText(fields.TxtHiHum);
    const QValidator *filter = txtCall->validator();
    txtCall->setValidator(nullptr);
    txtCall->setText(fields.txtCall);
    txtCall->setValidator(filter);
    txtCall->selectAll();
    txtCall->setFocus();
    cmdAccept->setEnabled(CallLongEnough(txtCall->text()));
    txtHost->setText(fields.txtHost);
    txtPort->setText(fields.txtPort);
    chkAgw->setChecked(fields.chkAgw);
    chkTcp->setChecked(fields.chkTcp);
}

SetupFields frmWxSetup::Fields() const {
    SetupFields fields;
    fields.txtCall = txtCall->text();
    fields.chkFocus = chkFocus->isChecked();
    fields.chkBeep = chkBeep->isChecked();
    fields.chkFocusAlm = chkFocusAlm->isChecked();
    fields.chkBeepAlm = chkBeepAlm->isChecked();
    fields.chkSaveAlm = chkSaveAlm->isChecked();
    fields.txtHiWind = txtHiWind->text();
    fields.txtHiGust = txtHiGust->text();
    fields.txtLoTemp = txtLoTemp->text();
    fields.txtHiTemp = txtHiTemp->text();
    fields.txtLoHum = txtLoHum->text();
    fields.TxtHiHum = TxtHiHum->text();
    fields.txtLoBaro = txtLoBaro->text();
    fields.txtHiBaro = txtHiBaro->text();
    fields.txtHiRainHour = txtHiRainHour->text();
    fields.txtHiRain24 = txtHiRain24->text();
    fields.txtHost = txtHost->text();
    fields.txtPort = txtPort->text();
    fields.chkAgw = chkAgw->isChecked();
    fields.chkTcp = chkTcp->isChecked();
    for (int i = 0; i < cmbServer->count(); ++i)
        fields.serverItems.append(cmbServer->itemText(i));
    fields.serverPosition = serverTyped ? -1 : cmbServer->currentIndex();
    fields.serverText = cmbServer->currentText();
    return fields;
}

QLineEdit *frmWxSetup::FieldEditor(SetupField field) const {
    const std::pair<SetupField, QLineEdit *> editors[] = {
        {SetupField::HiWind, txtHiWind},         {SetupField::HiGust, txtHiGust},
        {SetupField::LoTemp, txtLoTemp},         {SetupField::HiTemp, txtHiTemp},
        {SetupField::LoHum, txtLoHum},           {SetupField::HiHum, TxtHiHum},
        {SetupField::LoBaro, txtLoBaro},         {SetupField::HiBaro, txtHiBaro},
        {SetupField::HiRainHour, txtHiRainHour}, {SetupField::HiRain24, txtHiRain24},
        {SetupField::AgwHost, txtHost},          {SetupField::AgwPort, txtPort},
    };
    for (const auto &[key, editor] : editors) {
        if (key == field)
            return editor;
    }
    return cmbServer->lineEdit();
}

void frmWxSetup::Accept() {
    const SetupFields fields = Fields();
    const auto numbers = ReadSetupNumbers(fields, QLocale());
    if (const auto *refusal = std::get_if<SetupRefusal>(&numbers)) {
        // The dialog stays open with the wrong field ready to be corrected.
        targets.prompts.ShowMessage(MessageIcon::Exclamation, windowTitle(), refusal->message);
        QLineEdit *editor = FieldEditor(refusal->field);
        editor->setFocus();
        editor->selectAll();
        return;
    }
    ApplySetup(fields, std::get<SetupNumbers>(numbers), targets);
    accept();
}

} // namespace anemora

#include "moc_frm_wx_setup.cpp"
