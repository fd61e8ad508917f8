#include "OVX_Configurator/pages/Telemetry.h"

#include "OVX_Configurator/Localization.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace telemetry {

namespace {

constexpr int kStatusLength = 11;
constexpr int kSensorLength = 16;

int byteAt(const QByteArray& bytes, int offset) {
    return static_cast<std::uint8_t>(bytes[offset]);
}

bool holds(const QByteArray& payload, int offset, int length) {
    return offset >= 0 && length >= 0 && payload.size() >= qsizetype(offset) + length;
}

} // namespace

std::optional<int> wordAt(const QByteArray& payload, int offset) {
    if (!holds(payload, offset, 2))
        return std::nullopt;
    return static_cast<std::int16_t>((byteAt(payload, offset) << 8) | byteAt(payload, offset + 1));
}

// ---- Status ----

std::optional<StatusReply> decodeStatus(const QByteArray& payload, int stateCount, int modeCount) {
    if (!holds(payload, 0, kStatusLength) || stateCount < 1 || modeCount < 1)
        return std::nullopt;
    StatusReply status;
    status.systemState = std::min(byteAt(payload, 0), stateCount - 1);
    status.flightMode = std::min(byteAt(payload, 2), modeCount - 1);
    status.masterGain = byteAt(payload, 3);
    for (int k = 0; k < 7; ++k)
        status.channelActive[std::size_t(k)] = byteAt(payload, 4 + k) != 0;
    return status;
}

QString masterGainText(int percent) {
    return localized("MASTER_GAIN") + QString::number(percent) + QLatin1Char('%');
}

void showChannelActivity(QLabel* field, bool active) {
    if (!field)
        return;
    // The field paints with its own Window and WindowText colours, not with the roles it would
    // take over from the status bar (which draws with the button roles).
    field->setBackgroundRole(QPalette::Window);
    field->setForegroundRole(QPalette::WindowText);
    QPalette palette = field->palette();
    if (active) {
        palette.setColor(QPalette::Window, QColor::fromRgbF(0.0f, 160.0f / 255.0f, 0.0f, 1.0f));
        palette.setColor(QPalette::WindowText, Qt::white);
    } else {
        palette.setColor(QPalette::WindowText,
                         QApplication::palette(field).color(QPalette::WindowText));
    }
    field->setPalette(palette);
    field->setAutoFillBackground(active);
}

// ---- Receiver channels ----

QString signedQuotientText(int value, int divisor) {
    if (divisor == 0)
        return QStringLiteral("0");
    if (value > 0)
        return QLatin1Char('+') + QString::number(value / divisor);
    const long long magnitude = std::llabs(static_cast<long long>(value)) / std::llabs(divisor);
    return QString::number(-magnitude);
}

int channelLevel(int value, int centre) {
    const long long level = static_cast<long long>(value) + centre;
    return static_cast<int>(std::clamp<long long>(level, 0, 2LL * centre));
}

bool showChannels(const QByteArray& payload, int offset, int centre,
                  const QList<QProgressBar*>& bars, const QList<QLabel*>& rates,
                  const QList<QLabel*>& values) {
    const int count = int(bars.size());
    if (rates.size() < count || values.size() < count || !holds(payload, offset, 2 * count))
        return false;
    for (int k = 0; k < count; ++k) {
        const int v = *wordAt(payload, offset + 2 * k);
        showLevel(bars[k], channelLevel(v, centre), 0, 2 * centre);
        if (rates[k])
            rates[k]->setText(signedQuotientText(v, 8) + QLatin1Char('%'));
        if (values[k])
            values[k]->setText(signedQuotientText(v, 2));
    }
    return true;
}

std::optional<int> channelPercent(int value, int fullScale, int limit) {
    if (fullScale == 0)
        return std::nullopt;
    const long long percent = static_cast<long long>(value) * 100 / fullScale;
    return static_cast<int>(std::clamp<long long>(percent, -limit, limit));
}

// ---- Servo outputs ----

std::optional<double> markOffset(double value, double lowest, double highest, double width) {
    if (highest == lowest)
        return std::nullopt;
    return (value - lowest) * width / (highest - lowest);
}

std::optional<double> limitMarkOffset(double value, double lowest, double highest, double width) {
    const std::optional<double> offset = markOffset(value, lowest, highest, width);
    if (!offset)
        return std::nullopt;
    if (*offset < 0)
        return 0.0;
    return std::min(*offset, width - 1);
}

void showLevel(QProgressBar* bar, int value, int lowest, int highest) {
    if (!bar)
        return;
    const int limited = std::clamp(value, lowest, std::max(lowest, highest));
    bar->setValue(std::clamp(limited, bar->minimum(), std::max(bar->minimum(), bar->maximum())));
}

void placeMark(QWidget* mark, const QProgressBar* bar, std::optional<double> offset) {
    if (!mark || !bar || !offset || !std::isfinite(*offset))
        return;
    const double x = bar->geometry().x() + *offset;
    const double limit = 1e6; // far beyond any layout, well inside int
    mark->move(static_cast<int>(std::lround(std::clamp(x, -limit, limit))), mark->y());
}

void placeOutputMarks(const OutputMarks& marks, const QProgressBar* bar, int neutral,
                      double lowerTravel, double upperTravel, bool shown) {
    if (!bar)
        return;
    const double lowest = bar->minimum();
    const double highest = bar->maximum();
    const double width = bar->geometry().width();
    placeMark(marks.neutral, bar, markOffset(neutral, lowest, highest, width));
    placeMark(marks.lowerLimit, bar, limitMarkOffset(neutral - lowerTravel, lowest, highest, width));
    placeMark(marks.upperLimit, bar, limitMarkOffset(neutral + upperTravel, lowest, highest, width));
    for (QWidget* mark : {marks.neutral, marks.lowerLimit, marks.upperLimit})
        if (mark)
            mark->setVisible(shown);
}

// ---- Sensors ----

std::array<int, 3> oneGValues(const QByteArray& block) {
    std::array<int, 3> oneG{};
    if (!holds(block, 9, 6))
        return oneG;
    for (int k = 0; k < 3; ++k)
        oneG[std::size_t(k)] = byteAt(block, 10 + 2 * k) * 256 + byteAt(block, 9 + 2 * k);
    return oneG;
}

std::optional<SensorSample> decodeSensors(const QByteArray& payload, int offset,
                                          const std::array<int, 3>& oneG, float angleScale,
                                          const SensorSample& previous) {
    if (!holds(payload, offset, kSensorLength))
        return std::nullopt;
    auto raw = [&](int word) { return static_cast<float>(*wordAt(payload, offset + 2 * word)); };
    SensorSample sample = previous;
    for (int k = 0; k < 3; ++k) {
        const auto axis = std::size_t(k);
        sample.gyro[axis] = raw(k) * 0x1p-15f * 2000.0f;
        if (oneG[axis] > 0)
            sample.acc[axis] = raw(3 + k) / static_cast<float>(oneG[axis]);
    }
    for (int j = 0; j < 2; ++j)
        sample.angle[std::size_t(j)] = raw(6 + j) * angleScale;
    return sample;
}

QString oneDecimalText(float value) {
    return QString::number(static_cast<double>(value), 'f', 1);
}

QString angleText(float value) {
    return oneDecimalText(value) + QChar(0x00B0);
}

} // namespace telemetry
