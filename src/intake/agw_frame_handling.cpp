#include "intake/agw_frame.h"
#include "weather/station_monitor.h"

namespace anemora {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// A little-endian 16-bit number of the data; bytes beyond a short reply read
// as 0.
int DataWord(QByteArrayView data, qsizetype index) {
    const auto byte = [&](qsizetype i) {
        return i < data.size() ? static_cast<unsigned char>(data[i]) : 0;
    };
    return byte(index) + 256 * byte(index + 1);
}

} // namespace

void StationMonitor::HandleAgwFrame(const QByteArray &frame, int offset, qint32 dataLen) {
    if (offset < 0 || dataLen <= 0 || frame.size() - offset - AgwHeaderSize < dataLen)
        return;
    const QByteArrayView data = QByteArrayView(frame).sliced(offset + AgwHeaderSize, dataLen);
    QString sourceCall = AgwCallFrom(frame, offset);
    switch (frame.at(offset + AgwKindOffset)) {
    case 'U':
    case 'T':
        model.List2 = MonitorRows(data);
        break;
    case 'G':
        model.lblRain.text =
            QStringLiteral("Porte Radio : ") + QChar(static_cast<unsigned char>(data.front()));
        break;
    case 'R':
        model.lblWxComment = QStringLiteral("Anemora connesso a AGWPE v%1.%2")
                                 .arg(DataWord(data, 0))
                                 .arg(DataWord(data, 4));
        break;
    default:
        sourceCall.clear();
        break;
    }
    const QString payload = model.List2.isEmpty() ? QString() : model.List2.last();
    ApplyAcceptanceRule(sourceCall, payload,
                        model.List2.value(0) + LineEnd + model.List2.value(1) + LineEnd);
    emit displayChanged();
}

} // namespace anemora
