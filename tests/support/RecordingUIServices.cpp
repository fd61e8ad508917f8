#include "support/RecordingUIServices.h"

#include <utility>

#include <gtest/gtest.h>

namespace testsupport {

RecordingUIServices::RecordingUIServices() : scope_(*this) {}

void RecordingUIServices::beginAlertSheet(const AlertRequest& alert,
                                          std::function<void(int)> completion) {
    alerts.push_back({alert, std::move(completion), false});
}

std::optional<QString> RecordingUIServices::runSavePanel(QWidget*, const QString& title,
                                                         const QString& fileType) {
    savePanelTitles.push_back(title);
    panelFileTypes.push_back(fileType);
    if (auto behind = std::exchange(whilePanelShown, {}))
        behind();
    if (savePanelAnswers.empty())
        return std::nullopt;
    auto answer = savePanelAnswers.front();
    savePanelAnswers.pop_front();
    return answer;
}

std::optional<QString> RecordingUIServices::runOpenPanel(QWidget*, const QString& fileType) {
    panelFileTypes.push_back(fileType);
    if (auto behind = std::exchange(whilePanelShown, {}))
        behind();
    if (openPanelAnswers.empty())
        return std::nullopt;
    auto answer = openPanelAnswers.front();
    openPanelAnswers.pop_front();
    return answer;
}

bool RecordingUIServices::answer(int response) {
    for (std::size_t i = 0; i < alerts.size(); ++i) {
        if (alerts[i].answered)
            continue;
        alerts[i].answered = true;
        // The completion may show further alerts: take it out before running it.
        auto completion = std::move(alerts[i].completion);
        if (completion)
            completion(response);
        return true;
    }
    return false;
}

int RecordingUIServices::pendingAlerts() const {
    int n = 0;
    for (const Alert& a : alerts)
        n += a.answered ? 0 : 1;
    return n;
}

const AlertRequest& RecordingUIServices::lastAlert() const {
    static const AlertRequest none;
    EXPECT_FALSE(alerts.empty()) << "no alert was shown";
    return alerts.empty() ? none : alerts.back().request;
}

} // namespace testsupport
