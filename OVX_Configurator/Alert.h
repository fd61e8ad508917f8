#pragma once

#include "OVX_Configurator/UIServices.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

// An alert text "headline|explanation" split at every "|": the first piece is the message, the
// second (if any) the informative text; further pieces are dropped.
struct AlertText {
    QString message;
    QString informative;
};
AlertText splitAlertText(const QString& text);

// `text` as the rich text of an alert's explanation in `font`, in lines that the alert shows as
// they are. A line breaks only between words or between Chinese characters, never inside a run
// of other characters without a space (a word, a path such as /dev/ttyUSB0) or inside a command
// in quotes ("sudo udevadm control --reload"). The lines are about 70 characters wide, or as
// wide as the widest line indented by four spaces (a command or a line of a file to copy), up to
// `maximumWidth`; an indented line wider than that breaks between its words and keeps its
// indent. The text's own line breaks are kept, and copied from the alert, the lines read as the
// text did.
QString alertTextHtml(const QString& text, const QFont& font, qreal maximumWidth);

// Shows an alert with `buttons` as a sheet on `window` and returns at once. When it ends, runs
// the action of the pressed button; a response that is no button's runs `otherAction`
// (buttons.size() == actions.size()). Without a window nothing is shown and nothing runs.
void beginAlert(QWidget* window, const QString& text, AlertStyle style, const QStringList& buttons,
                std::vector<std::function<void()>> actions, std::function<void()> otherAction);

// An informational alert with three buttons: the first and second run their actions, any other
// response the third.
void beginChoiceAlert(QWidget* window, const QString& text, const QString& firstButton,
                      const QString& secondButton, const QString& thirdButton,
                      std::function<void()> firstAction, std::function<void()> secondAction,
                      std::function<void()> thirdAction);
