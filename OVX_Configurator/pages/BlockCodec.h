#pragma once

#include "OVX_Configurator/pages/PageControls.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QSpinBox>

#include <functional>
#include <vector>

// The fields of a parameter block and the controls that show them, as one table in block order.
// The table walks the block with one running index: each field takes the bytes that follow the
// previous one. Decoding fills the controls from a block; encoding stores the editable controls
// back into it and leaves every other byte as it was.
//
// Byte forms: unsigned bytes 0..255; signed bytes in two's complement (a value v below 0 is
// stored as v + 256); switches 0 (off) and 1 (on); pop-ups the index of the selected item; a
// radio group the position of its button that is on; read-only 16-bit values little-endian.
//
// A control the page hides or disables (one the user cannot reach: userCanReach) gives the unit
// back the byte it holds while the control still shows what decoding that byte showed, also a
// byte the control cannot show (a pop-up index beyond its items, a switch byte above 1); it
// never refuses a write. What the page set in it since (a default channel mapping, an edit made
// before the control was hidden) is stored as for any other control, when it has a byte form.
class BlockCodec {
public:
    // The first field starts at `start`.
    explicit BlockCodec(int start);

    // Read-only signed 16-bit little-endian values (two bytes each), shown as decimal text.
    BlockCodec& int16Texts(const QList<QLabel*>& texts);
    // One byte per stepper, unsigned or signed; `texts` (one per stepper, or none) show the
    // value in `format`.
    BlockCodec& steppers(const QList<QSpinBox*>& steppers, const QList<QLabel*>& texts,
                         ValueText format, bool isSigned);
    // One byte per switch.
    BlockCodec& switches(const QList<QAbstractButton*>& switches);
    // One byte per pop-up. A byte beyond the items leaves the pop-up without a selection.
    BlockCodec& popUps(const QList<QComboBox*>& popUps);
    // One byte for a group of radio buttons: decoding switches on the button at min(byte, last);
    // encoding stores the position of the button that is on, nothing when none is on.
    BlockCodec& radioGroup(const QList<QAbstractButton*>& buttons);

    // Bytes that are not the page's: decoding passes over them and encoding leaves them.
    BlockCodec& skip(int bytes);
    // Runs `action` when decoding reaches this place of the table (between the fields before
    // and after it); takes no bytes.
    BlockCodec& afterDecoding(std::function<void()> action);

    // The offset after the last field.
    int end() const { return end_; }

    // Fills the controls from `block`; nothing when the block is shorter than end(). Filling
    // emits none of the controls' user signals (clicked, activated, valueChanged).
    void decode(const QByteArray& block) const;
    // Stores the editable controls into `block`. When a control the user can reach holds a value
    // that has no byte form (a pop-up without a selection, a stepper outside its byte's range)
    // nothing is stored and the result is false; so is a block shorter than end().
    bool encode(QByteArray& block) const;
    // The first control the user can reach whose value has no byte form, or null.
    QWidget* unstorableControl() const;

private:
    struct Field {
        int offset;
        std::function<void(const QByteArray&, int)> decode;
        // Null for read-only fields.
        std::function<void(QByteArray&, int)> encode;
        // The control that cannot be stored, or null.
        std::function<QWidget*()> check;
        // The one control of the byte (null for read-only fields and radio groups), and whether
        // it shows what decoding the byte at an offset of a block shows.
        QWidget* control = nullptr;
        std::function<bool(const QByteArray&, int)> showsByte;
    };
    // Whether encoding leaves the field's byte in `block` as it is: its control is out of the
    // user's reach and shows that byte still or has nothing to store.
    static bool keepsByte(const Field& field, const QByteArray& block);
    void add(int width, Field field);

    int end_;
    std::vector<Field> fields_;
};
