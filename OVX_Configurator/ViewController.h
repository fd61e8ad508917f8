#pragma once

#include "OVX_Configurator/UIServices.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QAbstractButton;
class QDialog;

// A controller of one view: loads its view on first use, is told when the view appears and
// disappears, keeps child controllers, presents other controllers as sheets and shows alerts as
// sheets on the window of its view.
class ViewController : public QObject {
    Q_OBJECT
public:
    ViewController();
    ~ViewController() override;

    // The view, made on first use by loadView() and then set up by viewDidLoad().
    QWidget* view();
    bool isViewLoaded() const { return !view_.isNull(); }
    // The window that shows the view, or null when the view is in no window (not loaded, or
    // removed from its superview).
    QWidget* viewWindow() const;

    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
    virtual void viewDidDisappear() {}

    // Child controllers in the order added; the subclass owns them.
    void addChildViewController(ViewController* child);
    const std::vector<ViewController*>& childViewControllers() const { return children_; }
    ViewController* parentViewController() const { return parent_; }

    // Shows `controller`'s view in a window-modal sheet over this controller's window (nothing
    // when this view is in no window or `controller` is already shown); dismissViewController
    // closes it again.
    void presentAsSheet(ViewController* controller);
    void dismissViewController(ViewController* controller);
    bool isPresentedAsSheet() const { return !sheet_.isNull(); }

    // Alerts as sheets on this view's window; they return at once and run the chosen action when
    // the sheet ends. Texts are already localised ("headline|explanation"); the one-button
    // alerts title their button with the localised "OK". Without a window nothing is shown.
    // Two buttons: the first runs firstAction, any other response secondAction.
    void showConfirmAlert(const QString& message, const QString& firstButton,
                          const QString& secondButton, std::function<void()> firstAction,
                          std::function<void()> secondAction);
    // Three buttons: first, second, or (any other response) the third action.
    void showChoiceAlert(const QString& message, const QString& firstButton,
                         const QString& secondButton, const QString& thirdButton,
                         std::function<void()> firstAction, std::function<void()> secondAction,
                         std::function<void()> thirdAction);
    // One "OK" button: its response runs `action`, any other response nothing.
    void showMessageAlert(const QString& message, std::function<void()> action, AlertStyle style);
    void showCriticalAlert(const QString& message, std::function<void()> action);
    void showInfoAlert(const QString& message, std::function<void()> action);

    // Recolours the title of `button`.
    static void setButtonTitleColor(const QColor& colour, QAbstractButton* button);

protected:
    // Makes the view (usually from the controller's layout); the controller owns it.
    virtual QWidget* loadView() = 0;

private:
    QPointer<QWidget> view_;
    std::vector<ViewController*> children_;
    ViewController* parent_ = nullptr;
    QPointer<QDialog> sheet_;
};
