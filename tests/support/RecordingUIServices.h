#pragma once

#include "OVX_Configurator/UIServices.h"

#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace testsupport {

// Stands in for the desktop while it lives: records every alert, panel, opened page and
// program exit, and lets the test answer the alerts and panels.
class RecordingUIServices final : public UIServices {
public:
    struct Alert {
        AlertRequest request;
        std::function<void(int)> completion;
        bool answered = false;
    };

    RecordingUIServices();

    void beginAlertSheet(const AlertRequest& alert,
                         std::function<void(int response)> completion) override;
    std::optional<QString> runSavePanel(QWidget* parent, const QString& title,
                                        const QString& fileType) override;
    std::optional<QString> runOpenPanel(QWidget* parent, const QString& fileType) override;
    void openUrl(const QUrl& url) override { openedUrls.push_back(url); }
    void exitProgram(int status) override { exitStatuses.push_back(status); }

    // Ends the oldest alert that is still shown with `response` (a button index or
    // kAlertClosed); false when no alert is shown.
    bool answer(int response);
    // Alerts still shown.
    int pendingAlerts() const;
    // The most recent alert (the test fails when there is none).
    const AlertRequest& lastAlert() const;

    std::vector<Alert> alerts;
    std::vector<QUrl> openedUrls;
    std::vector<int> exitStatuses;
    // Answers of the next panels (none: cancelled); an empty queue cancels.
    std::deque<std::optional<QString>> savePanelAnswers;
    std::deque<std::optional<QString>> openPanelAnswers;
    // Runs (once) while the next panel is shown, before it is answered: what happens behind it.
    std::function<void()> whilePanelShown;
    // What the panels were shown with: title of the save panels, file types of both.
    std::vector<QString> savePanelTitles;
    std::vector<QString> panelFileTypes;

private:
    ScopedUIServices scope_;
};

} // namespace testsupport
