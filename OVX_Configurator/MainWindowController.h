#pragma once

#include <QMainWindow>
#include <QObject>
#include <QString>

#include <memory>

class MainViewController;
namespace Ui {
class MainWindowController;
}

// The main window (with the menu bar) and its content, the main view. The window is loaded from
// its layout on first use; closing it quits the program through the delegate's terminate guard.
class MainWindowController : public QObject {
    Q_OBJECT
public:
    MainWindowController();
    ~MainWindowController() override;

    static QString windowNibName() { return QStringLiteral("MainWindowController"); }

    QMainWindow* window();
    bool isWindowLoaded() const { return window_ != nullptr; }
    void showWindow();

    // The main view, made on first use.
    MainViewController* mainViewController();

protected:
    void windowDidLoad();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::MainWindowController> ui_;
    std::unique_ptr<MainViewController> mainViewController_;
    std::unique_ptr<QMainWindow> window_; // destroyed first: it holds the views of the pages
};
