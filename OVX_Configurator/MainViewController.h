#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class AppDelegate;
class ModalViewController;
class WelcomeViewController;
namespace Ui {
class MainViewController;
}

// The content of the main window: the port list and status bar at the top, the page area, the
// message bar at the bottom. It owns the pages (child controllers in a fixed order: 0 welcome,
// 1 firmware update, 2 to 5 the model pages), the unit's identity and parameter block, and the
// eight handler slots through which the active page plugs into the menus.
class MainViewController : public ViewController {
    Q_OBJECT
public:
    MainViewController();
    ~MainViewController() override;

    // Outlets of the layout.
    QPointer<QWidget> MainContentView;
    QPointer<QWidget> StatusBarView;
    QPointer<QWidget> BottomMessageView;
    QPointer<QLabel> txtBottomMessage;
    QPointer<QLabel> imgBottomMessageIcon;
    QPointer<QComboBox> lstPortList;
    QPointer<QLabel> imgPortStatus;
    QPointer<QToolButton> btnReloadPortList;
    QPointer<QLabel> statusSystemState, statusFlightMode, statusMasterGain;
    QPointer<QLabel> statusChannel1, statusChannel2, statusChannel3, statusChannel4, statusChannel5,
        statusChannel6, statusChannel7, statusChannel8, statusChannel9;
    QPointer<QLabel> statusFirmwareVersionTitle, statusFirmwareVersion, statusDataVersionTitle,
        statusDataVersion;

    // The identified unit (0 / empty until a unit has been identified) and its parameter block.
    std::uint8_t deviceID = 0;
    QString deviceDesc;
    std::uint8_t firmwareVersion = 0;
    std::uint8_t dataVersion = 0;
    std::int64_t dataLength = 0;
    QByteArray data;

    // Handler slots: the menus and page buttons call only these; an empty slot does nothing.
    std::function<void()> handlerDataToUI;
    std::function<void()> handlerUIToData;
    std::function<void()> handlerReadFromDevice;
    std::function<void()> handlerWriteToDevice;
    std::function<void()> handlerLevelCalibration;
    std::function<void()> handlerHoverCalibration;
    std::function<void()> handlerAccelCalibration;
    std::function<void()> handlerFactoryRestore;

    AppDelegate* appDelegate; // the program's one delegate
    QPointer<QWidget> window; // the window whose title is set
    ViewController* currentViewController = nullptr;

    // Pages, made on first use.
    ModalViewController* modalViewController();
    WelcomeViewController* welcomeViewController();

    // The status bar's 16 fields and its 9 channel fields, in order (the program stops when
    // one is not connected).
    QList<QLabel*> statusLabels() const;
    QList<QLabel*> channelLabels() const;

    void viewDidLoad() override;

    // Shows child page `index` in the content area: stops the firmware-check timer, removes the
    // current page, and for a valid index shows the new page, resets the window title and the
    // status fields and disables the device menu items. An index outside the children leaves
    // the content area empty and changes nothing else.
    void showPage(std::int64_t index);

    void lockMenus() { setMenusEnabled(false); }
    void unlockMenus() { setMenusEnabled(true); }
    // Enabled state of the delegate's main, language and help menus.
    void setMenusEnabled(bool enabled);

    // The message bar at the bottom for 3 seconds (texts already localised).
    void showInfoMessage(const QString& text);
    void showCautionMessage(const QString& text);

    // Device operations reached from the menus and the welcome page.
    void detectDevice();
    void restartDevice(bool confirm, std::function<void()> onSuccess, std::function<void()> onError,
                       std::function<void()> onTimeout);
    void openParameterFile(std::function<void()> onSuccess, std::function<void()> onFailure);
    void saveParameterFile(std::function<void()> onSuccess, std::function<void()> onFailure);

protected:
    QWidget* loadView() override;

private:
    void showMessage(const QString& text, const QColor& background, QStyle::StandardPixmap icon);

    std::unique_ptr<Ui::MainViewController> ui_;
    std::unique_ptr<ModalViewController> modalViewController_;
    std::unique_ptr<WelcomeViewController> welcomeViewController_;
};
