#include "OVX_Configurator/pages/BlockCodec.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cstdint>

namespace {

int unsignedByte(const QByteArray& block, int offset) {
    return static_cast<std::uint8_t>(block[offset]);
}

int signedByte(const QByteArray& block, int offset) {
    return static_cast<std::int8_t>(block[offset]);
}

bool fitsByte(int value, bool isSigned) {
    return isSigned ? value >= -128 && value <= 127 : value >= 0 && value <= 255;
}

char byteOf(int value) {
    return static_cast<char>(static_cast<std::uint8_t>(value & 0xFF));
}

} // namespace

BlockCodec::BlockCodec(int start) : end_(start) {}

void BlockCodec::add(int width, Field field) {
    field.offset = end_;
    end_ += width;
    fields_.push_back(std::move(field));
}

BlockCodec& BlockCodec::int16Texts(const QList<QLabel*>& texts) {
    for (QLabel* text : texts)
        add(2, {0,
                [text](const QByteArray& b, int at) {
                    const auto value = static_cast<std::int16_t>(unsignedByte(b, at) |
                                                                 (unsignedByte(b, at + 1) << 8));
                    text->setText(QString::number(value));
                },
                nullptr, nullptr, nullptr, nullptr});
    return *this;
}

BlockCodec& BlockCodec::steppers(const QList<QSpinBox*>& steppers, const QList<QLabel*>& texts,
                                 ValueText format, bool isSigned) {
    for (qsizetype i = 0; i < steppers.size(); ++i) {
        QSpinBox* stepper = steppers[i];
        QLabel* text = i < texts.size() ? texts[i] : nullptr;
        add(1, {0,
                [stepper, text, format, isSigned](const QByteArray& b, int at) {
                    const QSignalBlocker quiet(stepper);
                    stepper->setValue(isSigned ? signedByte(b, at) : unsignedByte(b, at));
                    showStepperValue(text, stepper, format);
                },
                [stepper](QByteArray& b, int at) { b[at] = byteOf(stepper->value()); },
                [stepper, isSigned]() -> QWidget* {
                    return fitsByte(stepper->value(), isSigned) ? nullptr : stepper;
                },
                stepper,
                [stepper, isSigned](const QByteArray& b, int at) {
                    const int byte = isSigned ? signedByte(b, at) : unsignedByte(b, at);
                    return stepper->value() ==
                           std::clamp(byte, stepper->minimum(),
                                      std::max(stepper->minimum(), stepper->maximum()));
                }});
    }
    return *this;
}

BlockCodec& BlockCodec::switches(const QList<QAbstractButton*>& switches) {
    for (QAbstractButton* button : switches)
        add(1, {0, [button](const QByteArray& b, int at) { button->setChecked(b[at] != 0); },
                [button](QByteArray& b, int at) { b[at] = button->isChecked() ? 1 : 0; },
                [] { return static_cast<QWidget*>(nullptr); }, button,
                [button](const QByteArray& b, int at) {
                    return button->isChecked() == (b[at] != 0);
                }});
    return *this;
}

BlockCodec& BlockCodec::popUps(const QList<QComboBox*>& popUps) {
    for (QComboBox* popUp : popUps)
        add(1, {0,
                [popUp](const QByteArray& b, int at) {
                    const int index = unsignedByte(b, at);
                    popUp->setCurrentIndex(index < popUp->count() ? index : -1);
                },
                [popUp](QByteArray& b, int at) { b[at] = byteOf(popUp->currentIndex()); },
                [popUp]() -> QWidget* {
                    return fitsByte(popUp->currentIndex(), false) ? nullptr : popUp;
                },
                popUp,
                [popUp](const QByteArray& b, int at) {
                    const int index = unsignedByte(b, at);
                    return popUp->currentIndex() == (index < popUp->count() ? index : -1);
                }});
    return *this;
}

BlockCodec& BlockCodec::radioGroup(const QList<QAbstractButton*>& buttons) {
    add(1, {0,
            [buttons](const QByteArray& b, int at) {
                const int last = static_cast<int>(buttons.size()) - 1;
                if (last >= 0)
                    buttons[std::min(unsignedByte(b, at), last)]->setChecked(true);
            },
            [buttons](QByteArray& b, int at) {
                for (qsizetype i = 0; i < buttons.size(); ++i)
                    if (buttons[i]->isChecked())
                        b[at] = byteOf(static_cast<int>(i));
            },
            [] { return static_cast<QWidget*>(nullptr); }, nullptr, nullptr});
    return *this;
}

BlockCodec& BlockCodec::skip(int bytes) {
    end_ += bytes;
    return *this;
}

BlockCodec& BlockCodec::afterDecoding(std::function<void()> action) {
    add(0, {0, [action = std::move(action)](const QByteArray&, int) { action(); }, nullptr,
            nullptr, nullptr, nullptr});
    return *this;
}

void BlockCodec::decode(const QByteArray& block) const {
    if (block.size() < end_)
        return;
    for (const Field& field : fields_)
        field.decode(block, field.offset);
}

QWidget* BlockCodec::unstorableControl() const {
    for (const Field& field : fields_)
        if (field.check && (!field.control || userCanReach(field.control)))
            if (QWidget* control = field.check())
                return control;
    return nullptr;
}

bool BlockCodec::keepsByte(const Field& field, const QByteArray& block) {
    return field.control && !userCanReach(field.control) &&
           (field.showsByte(block, field.offset) || field.check());
}

bool BlockCodec::encode(QByteArray& block) const {
    if (block.size() < end_ || unstorableControl())
        return false;
    for (const Field& field : fields_)
        if (field.encode && !keepsByte(field, block))
            field.encode(block, field.offset);
    return true;
}
