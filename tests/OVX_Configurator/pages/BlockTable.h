#pragma once

#include <QByteArray>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QString>

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

// One byte of a parameter block and the control that shows it.
enum class Kind { Signed, Unsigned, Switch, PopUp, Radio };
struct Field {
    int offset;
    QByteArray control; // for a radio group: the first button's name without its number
    Kind kind;
    int buttons = 0; // radio groups
};

inline QByteArray nameOf(const Field& f, int button) {
    return f.control + QByteArray::number(button + 1);
}

// What the field's control on the fixture's page shows, as the byte it stands for.
template <class Fixture> int shownValue(Fixture& s, const Field& f) {
    const char* name = f.control.constData();
    switch (f.kind) {
    case Kind::Signed:
    case Kind::Unsigned:
        return s.template control<QSpinBox>(name)->value();
    case Kind::Switch:
        return s.template control<QCheckBox>(name)->isChecked() ? 1 : 0;
    case Kind::PopUp:
        return s.template control<QComboBox>(name)->currentIndex();
    case Kind::Radio:
        for (int i = 0; i < f.buttons; ++i)
            if (s.template control<QRadioButton>(nameOf(f, i).constData())->isChecked())
                return i;
        return -1;
    }
    return -1;
}

// Every field of `table` shows its byte of `block`.
template <class Fixture>
void expectShown(Fixture& s, const std::vector<Field>& table, const QByteArray& block) {
    for (const Field& f : table) {
        const auto byte = static_cast<quint8>(block[f.offset]);
        const int expected = f.kind == Kind::Signed ? static_cast<qint8>(byte) : byte;
        EXPECT_EQ(shownValue(s, f), expected) << f.control.constData() << " at " << f.offset;
    }
}

// A block of `length` bytes whose every field of `table` holds a value its control can show
// (a stepper's value within its range): random bytes elsewhere.
template <class Fixture>
QByteArray randomBlock(Fixture& s, const std::vector<Field>& table, int length, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray block(length, '\0');
    for (char& byte : block)
        byte = char(random.bounded(256));
    for (const Field& f : table) {
        const char* name = f.control.constData();
        int low = 0, limit = 256;
        if (f.kind == Kind::Switch)
            limit = 2;
        else if (f.kind == Kind::Radio)
            limit = f.buttons;
        else if (f.kind == Kind::PopUp)
            limit = s.template control<QComboBox>(name)->count();
        else {
            const QSpinBox* stepper = s.template control<QSpinBox>(name);
            low = stepper->minimum();
            limit = stepper->maximum() + 1;
        }
        block[f.offset] = char(low + int(random.bounded(quint32(limit - low))));
    }
    return block;
}

// A stepper byte, the value and text it shows.
struct ValueTextCase {
    int offset;
    quint8 byte;
    const char* stepper;
    int value;
    const char* text;
    const char* shown;
};

// Loads a block with the cases' bytes (offsets from `shiftFrom` on moved by `shift`) and checks
// the steppers and their texts; returns the block.
template <class Fixture>
QByteArray expectValueTexts(Fixture& s, const std::vector<ValueTextCase>& cases, int shiftFrom = 0,
                            int shift = 0) {
    QByteArray block = s.main->data;
    for (const ValueTextCase& c : cases)
        block[c.offset < shiftFrom ? c.offset : c.offset + shift] = char(c.byte);
    s.load(block);
    for (const ValueTextCase& c : cases) {
        EXPECT_EQ(s.template control<QSpinBox>(c.stepper)->value(), c.value) << c.stepper;
        EXPECT_EQ(s.template control<QLabel>(c.text)->text(), QString::fromUtf8(c.shown)) << c.text;
    }
    return block;
}

} // namespace testsupport
