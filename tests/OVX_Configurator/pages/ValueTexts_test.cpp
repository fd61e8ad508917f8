// The value texts of the pages as a user reads them: a stepper's value is shown once (a text
// outlet that would repeat it stays hidden), and the pages align their calibration values alike.

#include "OvxaPage.h"
#include "OvxbPage.h"
#include "OvxcPage.h"
#include "OvxdPage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// On every tab of the shown page, each stepper's text outlet ("txt" and the stepper's name)
// that the user can see says something the stepper does not already say. At least one stepper
// has such an outlet.
template <class Fixture> void expectNoStepperValueShownTwice() {
    Fixture s;
    s.stopLivePolls();
    QWidget* window = s.page->view()->window();
    window->resize(1024, 720);
    window->show();
    settle();
    QTabWidget* tabs = s.page->tabMain;
    ASSERT_NE(tabs, nullptr);
    int outlets = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        settle();
        for (QSpinBox* stepper : tabs->widget(i)->findChildren<QSpinBox*>()) {
            auto* text = s.page->view()->template findChild<QLabel*>(
                QStringLiteral("txt") + stepper->objectName());
            if (!text)
                continue;
            ++outlets;
            if (stepper->isVisible() && text->isVisible()) {
                EXPECT_NE(text->text(), stepper->text())
                    << stepper->objectName().toStdString() << " on "
                    << tabs->widget(i)->objectName().toStdString();
            }
        }
    }
    EXPECT_GT(outlets, 0);
    window->hide();
}

TEST(ValueTexts, EveryPageShowsEachStepperValueOnce) {
    {
        SCOPED_TRACE("OVXA");
        expectNoStepperValueShownTwice<testsupport::OvxaPage>();
    }
    {
        SCOPED_TRACE("OVXB");
        expectNoStepperValueShownTwice<testsupport::OvxbPage>();
    }
    {
        SCOPED_TRACE("OVXC");
        expectNoStepperValueShownTwice<testsupport::OvxcPage>();
    }
    {
        SCOPED_TRACE("OVXD");
        expectNoStepperValueShownTwice<testsupport::OvxdPage>();
    }
}

// The horizontal alignments of a page's accelerometer calibration values.
template <class Fixture> QList<int> calibrationValueAlignments() {
    Fixture s;
    QList<int> out;
    for (const QLabel* text : s.page->accCalibrationValueGroup())
        out << int(text->alignment() & Qt::AlignHorizontal_Mask);
    return out;
}

TEST(ValueTexts, CalibrationValuesAlignLeftOnEveryPage) {
    // On the left, like the other read-only values of a form.
    const QList<int> left(6, int(Qt::AlignLeft));
    EXPECT_EQ(calibrationValueAlignments<testsupport::OvxbPage>(), left);
    EXPECT_EQ(calibrationValueAlignments<testsupport::OvxcPage>(), left);
    EXPECT_EQ(calibrationValueAlignments<testsupport::OvxdPage>(), left);
}

} // namespace
