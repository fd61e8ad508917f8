#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

// Styles of an alert.
enum class AlertStyle { Informational = 1, Critical = 2 };

// One alert to show as a sheet (a window-modal dialog) on `window`.
struct AlertRequest {
    QPointer<QWidget> window;
    AlertStyle style = AlertStyle::Informational;
    QString messageText;
    QString informativeText;
    QStringList buttons; // in order; the first is the default button
};

// Response of an alert: the index of the pressed button, or this when it was closed otherwise.
inline constexpr int kAlertClosed = -1;

// Everything the program asks of the user's desktop: alerts, file panels, web pages, ending
// the program. The program reaches it only through uiServices(); headless tests install their
// own with ScopedUIServices to record the requests and answer them.
class UIServices {
public:
    virtual ~UIServices() = default;

    // Shows `alert` without waiting; `completion` runs once with the response when it ends.
    virtual void beginAlertSheet(const AlertRequest& alert,
                                 std::function<void(int response)> completion) = 0;
    // A save panel for files of type `fileType` ("dat"); the chosen path, or none when cancelled.
    virtual std::optional<QString> runSavePanel(QWidget* parent, const QString& title,
                                                const QString& fileType) = 0;
    // An open panel for one existing file of type `fileType`; the path, or none when cancelled.
    virtual std::optional<QString> runOpenPanel(QWidget* parent, const QString& fileType) = 0;
    // Opens `url` in the default browser.
    virtual void openUrl(const QUrl& url) = 0;
    // Ends the program's event loop with `status`.
    virtual void exitProgram(int status) = 0;
};

// The services in use (the desktop's unless a test installed others).
UIServices& uiServices();

// Installs `services` for the lifetime of the guard.
class ScopedUIServices {
public:
    explicit ScopedUIServices(UIServices& services);
    ~ScopedUIServices();
    ScopedUIServices(const ScopedUIServices&) = delete;
    ScopedUIServices& operator=(const ScopedUIServices&) = delete;

private:
    UIServices* previous_;
};

// The desktop's services: QMessageBox sheets, QFileDialog, QDesktopServices, QCoreApplication.
class DesktopUIServices final : public UIServices {
public:
    void beginAlertSheet(const AlertRequest& alert,
                         std::function<void(int response)> completion) override;
    std::optional<QString> runSavePanel(QWidget* parent, const QString& title,
                                        const QString& fileType) override;
    std::optional<QString> runOpenPanel(QWidget* parent, const QString& fileType) override;
    void openUrl(const QUrl& url) override;
    void exitProgram(int status) override;
};
