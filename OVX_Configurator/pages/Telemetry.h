#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QProgressBar;
class QWidget;

// Reading and showing the live poll replies of the units. Every routine takes the reply's
// payload (the bytes after the acknowledge byte, without the CRC) and the model's own counts,
// offsets and limits as arguments, so that every model page decodes with the same code. A
// payload shorter than a routine needs is not read at all: the routine reports nothing.
namespace telemetry {

// The signed 16-bit big-endian word at `offset`, or nothing when the payload ends first.
std::optional<int> wordAt(const QByteArray& payload, int offset);

// ---- Status ("INFO") ----

struct StatusReply {
    int systemState = 0;    // index into the model's state keys, already limited
    int flightMode = 0;     // index into the model's mode keys, already limited
    int masterGain = 0;     // percent, 0..255
    std::array<bool, 7> channelActive{};
};

// The status payload: state byte 0 limited to stateCount - 1, byte 1 passed over, mode byte 2
// limited to modeCount - 1, master gain byte 3, activity flags of channels 1-7 in bytes 4-10.
// Nothing when the payload holds fewer than 11 bytes or a count is below 1.
std::optional<StatusReply> decodeStatus(const QByteArray& payload, int stateCount, int modeCount);

// The master gain text: the localised "MASTER_GAIN", then the gain and "%".
QString masterGainText(int percent);

// A status-bar channel field: an active channel draws a green background (0, 160, 0) with white
// text, an inactive one no background (its parent's shows), in the label colour (its background
// colour is kept). Whatever roles its parent draws with, the field uses the Window and
// WindowText colours of its own palette.
void showChannelActivity(QLabel* field, bool active);

// ---- Receiver channels ("STCK") ----

// A signed quotient as the pages show it: "+" and v / divisor for v > 0, else minus (|v| /
// divisor), both truncated toward zero ("0" for small negative values, never "-0").
QString signedQuotientText(int value, int divisor);
// A channel's level: value + centre limited to 0 .. 2 × centre, without overflow.
int channelLevel(int value, int centre);
// The receiver channels of a payload, one word each from `offset` on, shown on channel k's
// level indicator bars[k] (value + centre, limited to 0 .. 2 × centre), percent text rates[k]
// (value / 8 as signedQuotientText, then "%") and value text values[k] (value / 2). As many
// channels as there are indicators, each with its two texts. False, and nothing shown, when the
// payload ends before the last channel's word.
bool showChannels(const QByteArray& payload, int offset, int centre,
                  const QList<QProgressBar*>& bars, const QList<QLabel*>& rates,
                  const QList<QLabel*>& values);
// A channel's value in percent of a full scale, truncated toward zero and limited to ±limit;
// nothing when the full scale is 0.
std::optional<int> channelPercent(int value, int fullScale, int limit);

// ---- Servo outputs ("SERV") ----

// The frame offset along a level indicator of a value, for an indicator `width` wide that
// spans lowest .. highest: (value - lowest) × width / (highest - lowest). Nothing when the
// range is empty (highest equal to lowest), as no place along it stands for a value.
std::optional<double> markOffset(double value, double lowest, double highest, double width);
// A limit mark's offset: as markOffset, then limited to 0 .. width - 1 (a negative offset
// gives 0).
std::optional<double> limitMarkOffset(double value, double lowest, double highest, double width);

// Sets a level indicator to `value` limited to lowest .. highest and to the indicator's own
// range (an indicator ignores values outside its range).
void showLevel(QProgressBar* bar, int value, int lowest, int highest);
// Moves `mark` so that its frame's x is the bar's x plus `offset` (y and size stay). Nothing
// when there is no offset.
void placeMark(QWidget* mark, const QProgressBar* bar, std::optional<double> offset);

// The three marks of one output: the neutral mark at the neutral value (not limited), the
// limit marks at neutral - lowerTravel and neutral + upperTravel (kept on the bar), all shown
// when `shown`, else hidden. The indicator's own range is the scale.
struct OutputMarks {
    QWidget* neutral = nullptr;
    QWidget* lowerLimit = nullptr;
    QWidget* upperLimit = nullptr;
};
void placeOutputMarks(const OutputMarks& marks, const QProgressBar* bar, int neutral,
                      double lowerTravel, double upperTravel, bool shown);

// ---- Sensors ("SNSR") ----

struct SensorSample {
    std::array<float, 3> gyro{}; // degrees per second, X Y Z
    std::array<float, 3> acc{};  // g, X Y Z
    std::array<float, 2> angle{}; // degrees, X Y
};

// The one-g values of axes X, Y, Z from block bytes 9-14 (low byte first); 0 for every axis
// when the block is shorter than 15 bytes.
std::array<int, 3> oneGValues(const QByteArray& block);

// The sensor words from `offset` on: gyro X Y Z, acceleration X Y Z, angle X Y (16 bytes).
// Gyro rates are raw × 2^-15 × 2000, accelerations raw / one g, angles raw × angleScale, all in
// single precision. An axis whose one-g value is 0 or less keeps its acceleration from
// `previous` (no infinite or undefined value). Nothing when the payload ends before the words.
std::optional<SensorSample> decodeSensors(const QByteArray& payload, int offset,
                                          const std::array<int, 3>& oneG, float angleScale,
                                          const SensorSample& previous);

// A sensor value with one decimal ("-12.3"), the same under every locale.
QString oneDecimalText(float value);
// An angle: one decimal and the degree sign.
QString angleText(float value);

} // namespace telemetry
