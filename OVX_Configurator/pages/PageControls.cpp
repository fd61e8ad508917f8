#include "OVX_Configurator/pages/PageControls.h"

#include "OVX_Configurator/Resources.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLayout>
#include <QPixmap>
#include <QStackedWidget>
#include <QStringList>
#include <QTabWidget>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

int tagOf(const QObject* control) {
    if (!control)
        return 0;
    bool ok = false;
    const int tag = control->property("tag").toInt(&ok);
    return ok ? tag : 0;
}

int clampedTag(const QObject* control, int count) {
    return std::clamp(tagOf(control), 0, std::max(count - 1, 0));
}

QString percentText(int value) {
    return QString::number(value) + QLatin1Char('%');
}

QString degreeText(int value) {
    return QString::number(value) + QChar(0x00B0);
}

QString hertzText(int value) {
    return QString::number(value) + QStringLiteral("Hz");
}

QString plainText(int value) {
    return QString::number(value);
}

QString offsetText(int value) {
    const float degrees = static_cast<float>(value) * 0.2f;
    return QString::number(static_cast<double>(degrees), 'f', 1) + QChar(0x00B0);
}

void showStepperValue(QLabel* text, const QSpinBox* stepper, ValueText format) {
    if (text && stepper)
        text->setText(format(stepper->value()));
}

// Enables from the fourth on mirror the first ones (4 the first, 5 the second).
constexpr qsizetype kFirstMirroredGyroEnable = 3;

void mirrorGyroEnable(const QList<QAbstractButton*>& enables, const QAbstractButton*) {
    mirrorGyroEnables(enables);
}

void mirrorGyroEnables(const QList<QAbstractButton*>& enables) {
    for (qsizetype i = kFirstMirroredGyroEnable; i < enables.size(); ++i)
        enables[i]->setChecked(enables[i - kFirstMirroredGyroEnable]->isChecked());
}

namespace {

// Aligns `widget`'s item in `layout` or in one of its nested layouts.
bool alignInLayout(QLayout* layout, QWidget* widget, Qt::Alignment alignment) {
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget) {
            item->setAlignment(alignment);
            layout->invalidate();
            return true;
        }
        if (alignInLayout(item->layout(), widget, alignment))
            return true;
    }
    return false;
}

} // namespace

void useFixedDigits(const QList<QLabel*>& texts, int characters) {
    const QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLabel* text : texts) {
        if (!text)
            continue;
        text->setFont(digits);
        // A label whose minimum and maximum sizes agree does not ask its layout to recompute.
        const QString shown = text->text();
        const QSize hint = text->sizeHint();
        text->setText(QString(characters, u'0'));
        const QSize digitsHint = text->sizeHint();
        text->setText(shown);
        text->setFixedSize(std::max({text->minimumWidth(), hint.width(), digitsHint.width()}),
                           std::max(hint.height(), digitsHint.height()));
        const Qt::Alignment side = text->alignment() & Qt::AlignHorizontal_Mask;
        if (side && text->parentWidget())
            alignInLayout(text->parentWidget()->layout(), text, side | Qt::AlignVCenter);
    }
}

void showBoxBySwitchState(QWidget* box, const QAbstractButton* switchButton) {
    if (box && switchButton)
        box->setVisible(switchButton->isChecked());
}

void showPicture(QLabel* view, const QString& name) {
    if (!view)
        return;
    const QSize logicalSize = view->minimumSize();
    const qreal ratio = std::max<qreal>(view->devicePixelRatioF(), 1.0);
    QPixmap picture = imageNamed(name, logicalSize * ratio);
    if (picture.isNull()) {
        view->clear();
        return;
    }
    picture.setDevicePixelRatio(ratio);
    view->setPixmap(picture);
}

bool userCanReach(const QWidget* control) {
    if (!control || !control->isEnabled())
        return false;
    for (const QWidget* w = control; w && !w->isWindow(); w = w->parentWidget())
        if (w->isHidden() && !qobject_cast<const QStackedWidget*>(w->parentWidget()))
            return false;
    return true;
}

void bringToFront(const QWidget* control) {
    for (const QWidget* w = control; w && !w->isWindow(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(const_cast<QWidget*>(w)) >= 0)
            tabs->setCurrentWidget(const_cast<QWidget*>(w));
    }
}

namespace {

// The text of a label as a name: without its mnemonic mark and closing colon.
QString labelName(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (!label)
        return {};
    QString text = label->text();
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xFF1A)))
        text.chop(1);
    return text.trimmed();
}

// The layouts from `layout` down to the one that holds `widget` as an item, each with the index
// of its item that holds it; empty when `widget` is not in `layout`.
std::vector<std::pair<QLayout*, int>> layoutPath(QLayout* layout, const QWidget* widget) {
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget)
            return {{layout, i}};
        auto inner = layoutPath(item->layout(), widget);
        if (!inner.empty()) {
            inner.insert(inner.begin(), {layout, i});
            return inner;
        }
    }
    return {};
}

// A label that names something, not a value text (outlets named "txt...").
QString nameLabel(const QLayoutItem* item) {
    const QWidget* widget = item ? item->widget() : nullptr;
    if (!widget || widget->objectName().startsWith(QLatin1String("txt")))
        return {};
    return labelName(widget);
}

// The names around item `index` of `layout`: in a grid the label nearest in front of it in its
// row and the first label above it in its column, in a form the label of its row, in a box the
// label just before it.
QStringList labelsAt(QLayout* layout, int index) {
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        int row = -1;
        QFormLayout::ItemRole role = QFormLayout::LabelRole;
        form->getItemPosition(index, &row, &role);
        const QString text = role == QFormLayout::FieldRole
                                 ? nameLabel(form->itemAt(row, QFormLayout::LabelRole))
                                 : QString();
        return text.isEmpty() ? QStringList() : QStringList{text};
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QString inFront, heading;
        for (int c = column - 1; c >= 0 && inFront.isEmpty(); --c)
            inFront = nameLabel(grid->itemAtPosition(row, c));
        for (int r = 0; r < row && heading.isEmpty(); ++r)
            heading = nameLabel(grid->itemAtPosition(r, column));
        QStringList names;
        for (const QString& name : {inFront, heading})
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        return names;
    }
    const QString before = index > 0 ? nameLabel(layout->itemAt(index - 1)) : QString();
    return before.isEmpty() ? QStringList() : QStringList{before};
}

// The names around `widget` in its parent's layout: those of the innermost layout around it
// that has any.
QStringList labelsAround(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    const auto path =
        parent ? layoutPath(parent->layout(), widget) : decltype(layoutPath(nullptr, widget)){};
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        const QStringList names = labelsAt(step->first, step->second);
        if (!names.isEmpty())
            return names;
    }
    return {};
}

} // namespace

QString controlName(const QWidget* control) {
    if (!control)
        return {};
    // The nearest labels: around the control, else around the box that holds it in its group.
    QStringList parts;
    for (const QWidget* w = control; w && parts.isEmpty(); w = w->parentWidget()) {
        if (qobject_cast<const QGroupBox*>(w) || w->isWindow())
            break;
        parts = labelsAround(w);
    }
    if (parts.isEmpty())
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            if (!button->text().isEmpty())
                parts << button->text().remove(QLatin1Char('&'));
    for (const QWidget* w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            if (!group->title().isEmpty())
                parts.prepend(group->title().remove(QLatin1Char('&')));
            break;
        }
    return parts.join(QLatin1Char(' ') + QChar(0x203A) + QLatin1Char(' '));
}
