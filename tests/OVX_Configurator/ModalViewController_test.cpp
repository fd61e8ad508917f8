#include "OVX_Configurator/ModalViewController.h"

#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/utils/ProgressSpinner.h"
#include "support/ShellEnvironment.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace {

TEST(ModalViewController, ShowsTheMessageOfEachPresentation) {
    testsupport::ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    MainViewController* main = app.mainViewController();
    ModalViewController* sheet = main->modalViewController();
    ASSERT_EQ(sheet, main->modalViewController()); // one progress sheet, reused

    sheet->messageToDisplay = QStringLiteral("Calibrating");
    main->presentAsSheet(sheet);
    ASSERT_TRUE(sheet->isPresentedAsSheet());
    EXPECT_EQ(sheet->txtMessage->text(), "Calibrating");
    EXPECT_TRUE(sheet->CircularProgress->isAnimating());
    auto* dialog = qobject_cast<QDialog*>(sheet->view()->window());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), app.mainWindowController()->window());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(dialog->close()); // the user cannot close it; its presenter does

    main->dismissViewController(sheet);
    EXPECT_FALSE(sheet->isPresentedAsSheet());
    EXPECT_FALSE(sheet->view()->isVisible());

    sheet->messageToDisplay = QStringLiteral("Downloading firmware");
    main->presentAsSheet(sheet);
    EXPECT_EQ(sheet->txtMessage->text(), "Downloading firmware");
    EXPECT_TRUE(sheet->view()->isVisible());
    main->dismissViewController(sheet);
}

} // namespace
