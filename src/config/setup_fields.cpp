#include "config/setup_fields.h"

#include "weather/text_primitives.h"

#include <cmath>

namespace anemora {

namespace {

std::optional<float> ReadFloat(const QString &text, const QLocale &locale) {
    bool ok = false;
    const float value = locale.toFloat(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> ReadHumidity(const QString &text, const QLocale &locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    const std::optional<qint16> rounded = ToInt16(value);
    if (!rounded || *rounded < 0 || *rounded > 100)
        return std::nullopt;
    return rounded;
}

bool PortFits(std::optional<qint16> port) {
    return port && *port >= 0;
}

SetupRefusal Refuse(SetupField field, const QString &name, const QString &problem) {
    return {field, name + QStringLiteral(": ") + problem};
}

std::variant<ServerAddress, SetupRefusal> ReadServer(const SetupFields &fields) {
    const QString name = QStringLiteral("Server Aprs");
    const bool typed = fields.serverPosition < 0;
    const QString text =
        typed ? fields.serverText : fields.serverItems.value(fields.serverPosition);
    if (typed && text.contains(u';'))
        return Refuse(SetupField::Server, name, QStringLiteral("non può contenere \";\""));
    const std::optional<ServerAddress> address = SplitServerEntry(text);
    if (!address)
        return Refuse(SetupField::Server, name, QStringLiteral("scrivere host:porta"));
    if (address->host.contains(u'"'))
        return Refuse(SetupField::Server, name, QStringLiteral("non può contenere '\"'"));
    if (!PortFits(address->port))
        return Refuse(SetupField::Server, name,
                      QStringLiteral("la porta deve essere tra 0 e 32767"));
    return *address;
}

} // namespace

QString FormatThreshold(float value, const QLocale &locale) {
    return locale.toString(double(value), 'f', 1);
}

void LoadServerList(WxConfig &config, SetupFields &fields) {
    config.ServerIndex = NoServerIndex;
    const QString key = ServerKey(config.AprsHost, config.AprsPort);
    bool ok = false;
    fields.serverItems = ReadServerEntries(config.ServerListPath, &ok);
    fields.serverPosition = -1;
    fields.serverText.clear();
    if (!ok)
        return;
    // The last equal entry wins; positions beyond 16 bits cannot be stored.
    const qsizetype last = std::min<qsizetype>(fields.serverItems.size(), 32768);
    for (qsizetype i = 0; i < last; ++i) {
        if (fields.serverItems[i] == key)
            config.ServerIndex = static_cast<qint16>(i);
    }
    fields.serverPosition = config.ServerIndex;
    if (config.ServerIndex == NoServerIndex) {
        fields.serverText = key;
        config.AprsActive = false;
    } else {
        fields.serverText = fields.serverItems[config.ServerIndex];
    }
}

SetupFields LoadSetupFields(WxConfig &config, const QLocale &locale) {
    SetupFields fields;
    LoadServerList(config, fields);
    fields.chkFocus = config.FocusNewData;
    fields.chkBeep = config.BeepNewData;
    fields.chkFocusAlm = config.FocusAlarm;
    fields.chkBeepAlm = config.BeepAlarm;
    fields.chkSaveAlm = config.SaveAlarms;
    fields.txtHiWind = FormatThreshold(config.HiWind, locale);
    fields.txtHiGust = FormatThreshold(config.HiGust, locale);
    fields.txtLoTemp = FormatThreshold(config.LoTemp, locale);
    fields.txtHiTemp = FormatThreshold(config.HiTemp, locale);
    fields.txtLoBaro = FormatThreshold(config.LoBaro, locale);
    fields.txtHiBaro = FormatThreshold(config.HiBaro, locale);
    fields.txtHiRainHour = FormatThreshold(config.HiRainHour, locale);
    fields.txtHiRain24 = FormatThreshold(config.HiRain24, locale);
    fields.txtLoHum = QString::number(config.LoHum);
    fields.TxtHiHum = QString::number(config.HiHum);
    fields.txtCall = config.StationCall;
    fields.txtHost = config.AgwHost;
    fields.txtPort = QString::number(config.AgwPort);
    fields.chkAgw = config.AgwEnabled;
    fields.chkTcp = config.AprsEnabled;
    return fields;
}

QString FilterCallText(const QString &typed) {
    QString call;
    for (const QChar c : typed) {
        if (c >= u'a' && c <= u'z')
            call += c.toUpper();
        else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-')
            call += c;
    }
    return call;
}

bool CallLongEnough(const QString &call) {
    return call.size() > 2;
}

std::variant<SetupNumbers, SetupRefusal> ReadSetupNumbers(const SetupFields &fields,
                                                          const QLocale &locale) {
    struct Threshold {
        const QString &text;
        float SetupNumbers::*target;
        SetupField field;
        const char *name;
    };
    const Threshold thresholds[] = {
        {fields.txtHiWind, &SetupNumbers::HiWind, SetupField::HiWind, "Vento massimo"},
        {fields.txtHiGust, &SetupNumbers::HiGust, SetupField::HiGust, "Raffica massima"},
        {fields.txtLoTemp, &SetupNumbers::LoTemp, SetupField::LoTemp, "Temperatura minima"},
        {fields.txtHiTemp, &SetupNumbers::HiTemp, SetupField::HiTemp, "Temperatura massima"},
        {fields.txtLoBaro, &SetupNumbers::LoBaro, SetupField::LoBaro, "Pressione minima"},
        {fields.txtHiBaro, &SetupNumbers::HiBaro, SetupField::HiBaro, "Pressione massima"},
        {fields.txtHiRainHour, &SetupNumbers::HiRainHour, SetupField::HiRainHour, "Pioggia 1h"},
        {fields.txtHiRain24, &SetupNumbers::HiRain24, SetupField::HiRain24, "Pioggia 24h"},
    };
    SetupNumbers numbers;
    for (const Threshold &threshold : thresholds) {
        const std::optional<float> value = ReadFloat(threshold.text, locale);
        if (!value)
            return Refuse(threshold.field, QString::fromUtf8(threshold.name),
                          QStringLiteral("scrivere un numero"));
        numbers.*threshold.target = *value;
    }
    const std::optional<qint16> loHum = ReadHumidity(fields.txtLoHum, locale);
    if (!loHum)
        return Refuse(SetupField::LoHum, QStringLiteral("Umidità minima"),
                      QStringLiteral("scrivere un numero tra 0 e 100"));
    const std::optional<qint16> hiHum = ReadHumidity(fields.TxtHiHum, locale);
    if (!hiHum)
        return Refuse(SetupField::HiHum, QStringLiteral("Umidità massima"),
                      QStringLiteral("scrivere un numero tra 0 e 100"));
    numbers.LoHum = *loHum;
    numbers.HiHum = *hiHum;
    if (fields.txtHost.contains(u'"'))
        return Refuse(SetupField::AgwHost, QStringLiteral("Agwpe Addr"),
                      QStringLiteral("non può contenere '\"'"));
    const std::optional<qint16> agwPort = ToInt16(LeadingValue(fields.txtPort));
    if (!PortFits(agwPort))
        return Refuse(SetupField::AgwPort, QStringLiteral("Agwpe Port"),
                      QStringLiteral("la porta deve essere tra 0 e 32767"));
    numbers.AgwPort = *agwPort;
    // An empty field names no server, so there is nothing to refuse.
    const bool serverNamed = fields.serverPosition >= 0 || !fields.serverText.isEmpty();
    if (fields.chkTcp && serverNamed) {
        const auto server = ReadServer(fields);
        if (const auto *refusal = std::get_if<SetupRefusal>(&server))
            return *refusal;
        numbers.server = std::get<ServerAddress>(server);
    }
    return numbers;
}

} // namespace anemora
