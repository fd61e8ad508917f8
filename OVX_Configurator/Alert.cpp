#include "OVX_Configurator/Alert.h"

#include <memory>

AlertText splitAlertText(const QString& text) {
    const QStringList pieces = text.split(QLatin1Char('|'));
    AlertText result;
    result.message = pieces.value(0);
    result.informative = pieces.size() >= 2 ? pieces[1] : QString();
    return result;
}

void beginAlert(QWidget* window, const QString& text, AlertStyle style, const QStringList& buttons,
                std::vector<std::function<void()>> actions, std::function<void()> otherAction) {
    if (!window)
        return;
    AlertText split = splitAlertText(text);
    AlertRequest request;
    request.window = window;
    request.style = style;
    request.messageText = split.message;
    request.informativeText = split.informative;
    request.buttons = buttons;
    uiServices().beginAlertSheet(
        request, [actions = std::move(actions), other = std::move(otherAction)](int response) {
            const auto& action = response >= 0 && response < static_cast<int>(actions.size())
                                     ? actions[static_cast<std::size_t>(response)]
                                     : other;
            if (action)
                action();
        });
}

void beginChoiceAlert(QWidget* window, const QString& text, const QString& firstButton,
                      const QString& secondButton, const QString& thirdButton,
                      std::function<void()> firstAction, std::function<void()> secondAction,
                      std::function<void()> thirdAction) {
    beginAlert(window, text, AlertStyle::Informational, {firstButton, secondButton, thirdButton},
               {std::move(firstAction), std::move(secondAction), thirdAction}, thirdAction);
}
