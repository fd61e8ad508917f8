#include "OVX_Configurator/ViewController.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

// A window-modal sheet that only its presenter closes.
class SheetDialog final : public QDialog {
public:
    explicit SheetDialog(QWidget* parent) : QDialog(parent, Qt::Sheet) {
        setWindowModality(Qt::WindowModal);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

ViewController::ViewController() = default;

ViewController::~ViewController() {
    if (sheet_)
        delete sheet_.data();
    if (view_)
        delete view_.data();
}

QWidget* ViewController::view() {
    if (!view_) {
        view_ = loadView();
        viewDidLoad();
    }
    return view_;
}

QWidget* ViewController::viewWindow() const {
    if (!view_)
        return nullptr;
    QWidget* window = view_->window();
    if (window == view_ && !view_->isVisible())
        return nullptr;
    return window;
}

void ViewController::addChildViewController(ViewController* child) {
    children_.push_back(child);
    child->parent_ = this;
}

void ViewController::presentAsSheet(ViewController* controller) {
    QWidget* host = viewWindow();
    if (!host || !controller || controller->sheet_)
        return;
    auto* sheet = new SheetDialog(host);
    controller->sheet_ = sheet;
    QWidget* content = controller->view();
    controller->viewWillAppear();
    sheet->layout()->addWidget(content);
    content->show();
    sheet->open();
    controller->viewDidAppear();
}

void ViewController::dismissViewController(ViewController* controller) {
    if (!controller || !controller->sheet_)
        return;
    QDialog* sheet = controller->sheet_;
    controller->sheet_ = nullptr;
    controller->viewWillDisappear();
    if (controller->view_) {
        controller->view_->hide();
        controller->view_->setParent(nullptr);
    }
    sheet->hide();
    sheet->deleteLater();
    controller->viewDidDisappear();
}

void ViewController::showConfirmAlert(const QString& message, const QString& firstButton,
                                      const QString& secondButton,
                                      std::function<void()> firstAction,
                                      std::function<void()> secondAction) {
    beginAlert(viewWindow(), message, AlertStyle::Informational, {firstButton, secondButton},
               {std::move(firstAction), secondAction}, secondAction);
}

void ViewController::showChoiceAlert(const QString& message, const QString& firstButton,
                                     const QString& secondButton, const QString& thirdButton,
                                     std::function<void()> firstAction,
                                     std::function<void()> secondAction,
                                     std::function<void()> thirdAction) {
    beginChoiceAlert(viewWindow(), message, firstButton, secondButton, thirdButton,
                     std::move(firstAction), std::move(secondAction), std::move(thirdAction));
}

void ViewController::showMessageAlert(const QString& message, std::function<void()> action,
                                      AlertStyle style) {
    beginAlert(viewWindow(), message, style, {localized("OK")}, {std::move(action)}, {});
}

void ViewController::showCriticalAlert(const QString& message, std::function<void()> action) {
    showMessageAlert(message, std::move(action), AlertStyle::Critical);
}

void ViewController::showInfoAlert(const QString& message, std::function<void()> action) {
    showMessageAlert(message, std::move(action), AlertStyle::Informational);
}

void ViewController::setButtonTitleColor(const QColor& colour, QAbstractButton* button) {
    if (!button)
        return;
    QPalette palette = button->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::ButtonText, colour);
    button->setPalette(palette);
}
