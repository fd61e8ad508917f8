#include "OVX_Configurator/pages/PageControls.h"

#include "OVX_Configurator/Resources.h"

#include <QFontDatabase>
#include <QLayout>
#include <QPixmap>
#include <QVariant>

#include <algorithm>

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
