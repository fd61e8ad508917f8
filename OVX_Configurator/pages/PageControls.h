#pragma once

#include "platform/Fatal.h"

#include <QAbstractButton>
#include <QLabel>
#include <QList>
#include <QSize>
#include <QSpinBox>
#include <QString>
#include <QWidget>

#include <initializer_list>

// Small routines the model pages share: outlet groups, control tags, value texts and pictures.

// An outlet group: the controls in the order given. The coders and actions index the list by
// position, so every member must be connected; the program stops, naming the group, when one
// is not.
template <class Control> QList<Control*> outletGroup(const char* group, QList<Control*> list) {
    if (list.contains(nullptr))
        platform::fatal(QStringLiteral("Model page: a member of %1 is not connected")
                            .arg(QLatin1String(group))
                            .toStdString());
    return list;
}
template <class Control>
QList<Control*> outletGroup(const char* group, std::initializer_list<Control*> outlets) {
    return outletGroup(group, QList<Control*>(outlets));
}

// The tag of a control: its position in its outlet group, given by the layout as the dynamic
// property "tag"; 0 when it has none.
int tagOf(const QObject* control);
// The tag limited to a group of `count` controls: 0 .. count - 1.
int clampedTag(const QObject* control, int count);

// Value texts: the integer in plain decimal (a leading minus sign, no grouping) and a unit.
QString percentText(int value); // "45%"
QString degreeText(int value);  // "45°"
QString hertzText(int value);   // "20Hz"
QString plainText(int value);   // "-5"
// A level or hover offset: the value × 0.2 with one decimal and the degree sign (-5 → "-1.0°").
QString offsetText(int value);

using ValueText = QString (*)(int value);

// `text` shows the stepper's value in `format`.
void showStepperValue(QLabel* text, const QSpinBox* stepper, ValueText format);
// The gyro switches of the second aileron and elevator follow those of the first: in `enables`
// (gyroEnableGroup order) switch 4 takes the state of switch 1 and switch 5, where the page has
// one, that of switch 2, whichever switch `changed`.
void mirrorGyroEnable(const QList<QAbstractButton*>& enables, const QAbstractButton* changed);
// The mirrors at once (after a block was decoded).
void mirrorGyroEnables(const QList<QAbstractButton*>& enables);
// Every control of `controls` enabled or disabled.
template <class Control> void setAllEnabled(const QList<Control*>& controls, bool enabled) {
    for (Control* control : controls)
        control->setEnabled(enabled);
}
// Live value texts in the fixed-width digit font, at a fixed size that holds `characters` digits
// (and never less than the layout's minimum width): a new value repaints its text only and never
// lays the page out again (which would repaint every tab widget above it). Each text stays at the
// side of its layout cell that its alignment names.
void useFixedDigits(const QList<QLabel*>& texts, int characters);
// The widest live texts: a receiver channel ("-4096%", "-16384") or servo output, and a sensor
// value within the sensors' ranges ("-2000.0", "-180.0°").
inline constexpr int kChannelDigits = 6;
inline constexpr int kSensorDigits = 7;

// `box` shown while `switchButton` is on, hidden while it is off.
void showBoxBySwitchState(QWidget* box, const QAbstractButton* switchButton);

// The picture `name` from the application resources in `view`, drawn at the view's fixed size
// (its minimum size, set by the layout) for its pixel ratio. A missing picture leaves the view
// empty.
void showPicture(QLabel* view, const QString& name);

// The same list seen as a list of a base class (radio buttons as buttons, ...).
template <class Base, class Control> QList<Base*> asListOf(const QList<Control*>& controls) {
    return QList<Base*>(controls.cbegin(), controls.cend());
}

// Whether the user can reach `control` on its page: it is enabled, and neither it nor a box
// around it is hidden (a tab that is not in front hides nothing: choosing the tab shows it).
bool userCanReach(const QWidget* control);
// Shows `control`: every tab view around it brings forward the tab that holds it.
void bringToFront(const QWidget* control);
// The name the page shows for `control`, as the user reads it around the control: the title of
// the group box it is in, the label in front of it in its row and the heading above it in its
// column, as far as its layout has them (a button's own text otherwise), joined by " › ".
QString controlName(const QWidget* control);
