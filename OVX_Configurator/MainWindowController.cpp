#include "OVX_Configurator/MainWindowController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/Resources.h"
#include "ui_MainWindowController.h"

#include <QCloseEvent>

MainWindowController::MainWindowController() : ui_(std::make_unique<Ui::MainWindowController>()) {}

MainWindowController::~MainWindowController() = default;

QMainWindow* MainWindowController::window() {
    if (!window_) {
        window_ = std::make_unique<QMainWindow>();
        ui_->setupUi(window_.get());
        window_->setWindowIcon(iconNamed(QStringLiteral("app-icon")));
        window_->installEventFilter(this);
        if (AppDelegate* delegate = AppDelegate::current())
            delegate->awakeFromLayout(*window_);
        windowDidLoad();
    }
    return window_.get();
}

void MainWindowController::windowDidLoad() {
    MainViewController* content = mainViewController();
    content->window = window_.get(); // also when the main view was made before the window
    window_->setCentralWidget(content->view());
}

void MainWindowController::showWindow() {
    window()->show();
    window_->raise();
    window_->activateWindow();
}

MainViewController* MainWindowController::mainViewController() {
    if (!mainViewController_) {
        mainViewController_ = std::make_unique<MainViewController>();
        mainViewController_->window = window_.get();
    }
    return mainViewController_.get();
}

bool MainWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && event->type() == QEvent::Close) {
        // A procedure that must not be left half-done holds the window open.
        if (mainViewController_ && !mainViewController_->windowClosable) {
            event->ignore();
            return true;
        }
        AppDelegate* delegate = AppDelegate::current();
        if (delegate && !delegate->terminate()) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
