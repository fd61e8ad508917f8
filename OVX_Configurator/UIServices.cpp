#include "OVX_Configurator/UIServices.h"

#include "OVX_Configurator/Alert.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace {

// How wide the explanation of a message box on `box`'s screen can be: Qt makes a message box at
// most as wide as a screen up to 1024 pixels, else 480 pixels less than the screen and at most
// 1000; its icon and margins take about 16 characters of that.
qreal alertTextMaximumWidth(const QWidget* box) {
    const int screen = box->screen()->availableGeometry().width();
    const int boxLimit = screen <= 1024 ? screen : std::min(screen - 480, 1000);
    return boxLimit - 16 * QFontMetricsF(box->font()).averageCharWidth();
}

UIServices*& current() {
    static UIServices* s = nullptr;
    return s;
}
} // namespace

UIServices& uiServices() {
    if (!current()) {
        static DesktopUIServices desktop;
        current() = &desktop;
    }
    return *current();
}

ScopedUIServices::ScopedUIServices(UIServices& services) : previous_(&uiServices()) {
    current() = &services;
}

ScopedUIServices::~ScopedUIServices() {
    current() = previous_;
}

void DesktopUIServices::beginAlertSheet(const AlertRequest& alert,
                                        std::function<void(int)> completion) {
    if (!alert.window)
        return;
    auto* box = new QMessageBox(alert.window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(alert.style == AlertStyle::Critical ? QMessageBox::Critical
                                                     : QMessageBox::Information);
    box->setWindowTitle(QCoreApplication::applicationName());
    // The headline in bold, as alerts show it; both texts can be selected and copied.
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<b>") + alert.messageText.toHtmlEscaped() +
                 QStringLiteral("</b>"));
    // The explanation in lines that never break inside a path or a command.
    if (!alert.informativeText.isEmpty())
        box->setInformativeText(
            alertTextHtml(alert.informativeText, box->font(), alertTextMaximumWidth(box)));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QList<QAbstractButton*> buttons;
    for (int i = 0; i < alert.buttons.size(); ++i) {
        // Qt places buttons by role: give them roles that keep the order of the request.
        auto role = i == 0 ? QMessageBox::AcceptRole
                           : (i == alert.buttons.size() - 1 ? QMessageBox::RejectRole
                                                            : QMessageBox::NoRole);
        buttons.append(box->addButton(alert.buttons[i], role));
    }
    if (!buttons.isEmpty())
        box->setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    auto done = std::make_shared<std::function<void(int)>>(std::move(completion));
    QObject::connect(box, &QMessageBox::finished, box, [box, buttons, done](int) {
        int response = static_cast<int>(buttons.indexOf(box->clickedButton()));
        if (*done)
            (*done)(response < 0 ? kAlertClosed : response);
    });
    box->open();
}

std::optional<QString> DesktopUIServices::runSavePanel(QWidget* parent, const QString& title,
                                                       const QString& fileType) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("*.") + fileType);
    dialog.setDefaultSuffix(fileType);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> DesktopUIServices::runOpenPanel(QWidget* parent, const QString& fileType) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("*.") + fileType);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void DesktopUIServices::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

void DesktopUIServices::exitProgram(int status) {
    QCoreApplication::exit(status);
}
