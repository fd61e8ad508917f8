#include "OVX_Configurator/Alert.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <memory>

namespace {

// Chinese characters and full-width forms: a line may break between them.
bool isWide(QChar c) {
    return c.unicode() >= 0x2E80;
}

// The positions in `line` before which it may break: where Qt's line breaking allows it, but not
// between two characters of a run without spaces (unless one of them is wide) and not inside a
// pair of ASCII quotes.
QList<qsizetype> breakPositions(const QString& line) {
    QList<bool> quoted(line.size() + 1, false);
    qsizetype open = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != QLatin1Char('"'))
            continue;
        if (open < 0) {
            open = i;
        } else {
            for (qsizetype j = open + 1; j <= i; ++j)
                quoted[j] = true;
            open = -1;
        }
    }
    QList<qsizetype> positions;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, line);
    for (qsizetype p = finder.toNextBoundary(); p > 0 && p < line.size();
         p = finder.toNextBoundary()) {
        const QChar before = line[p - 1], after = line[p];
        const bool insideRun =
            !before.isSpace() && !after.isSpace() && !isWide(before) && !isWide(after);
        if (!insideRun && !quoted[p])
            positions << p;
    }
    positions << line.size();
    return positions;
}

// `line` broken greedily at its break positions into lines of at most `width`; the lines of an
// indented line keep its indent.
QStringList wrapLine(const QString& line, qreal width,
                     const std::function<qreal(const QString&)>& advance) {
    if (line.trimmed().isEmpty() || advance(line) <= width)
        return {line};
    qsizetype indentSize = 0;
    while (indentSize < line.size() && line[indentSize] == QLatin1Char(' '))
        ++indentSize;
    const QString indent = line.left(indentSize);
    const QString content = line.mid(indentSize);
    const qreal contentWidth = width - advance(indent);
    const QList<qsizetype> positions = breakPositions(content);
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (start < content.size()) {
        // The furthest break whose line fits, or the first one when none does.
        qsizetype end = positions[i];
        for (qsizetype j = i; j < positions.size(); ++j) {
            if (advance(content.mid(start, positions[j] - start).trimmed()) > contentWidth)
                break;
            end = positions[j];
            i = j;
        }
        lines << indent + content.mid(start, end - start).trimmed();
        start = end;
        while (i < positions.size() && positions[i] <= start)
            ++i;
    }
    return lines;
}

// The lines of `text` at `width`: its own lines, each broken as wrapLine breaks it.
QStringList textLines(const QString& text, qreal width,
                      const std::function<qreal(const QString&)>& advance) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines << wrapLine(line, width, advance);
    return lines;
}

} // namespace

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

QString alertTextHtml(const QString& text, const QFont& font, qreal maximumWidth) {
    const QFontMetricsF metrics(font);
    auto advance = [&metrics](const QString& line) { return metrics.horizontalAdvance(line); };
    // About 70 characters a line; where an indented line is wider, up to `maximumWidth`, the
    // others fill its width too.
    qreal width = 70 * metrics.averageCharWidth();
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("    ")))
            width = std::max(width, advance(line));
    const QStringList lines = textLines(text, std::min(width, maximumWidth), advance);
    // Lines that the label breaks no further; the text's spaces kept.
    return QStringLiteral("<div style=\"white-space:pre\">") +
           lines.join(QLatin1Char('\n')).toHtmlEscaped() + QStringLiteral("</div>");
}
