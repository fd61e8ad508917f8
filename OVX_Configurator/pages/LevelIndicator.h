#pragma once

#include <QProgressBar>

class QPaintEvent;

// A live level indicator (receiver channels, servo outputs): a horizontal bar filled from its
// left edge in proportion to its value, (value - minimum) × width / (maximum - minimum) rounded
// to the nearest pixel, over its whole width, so that marks placed on the same scale line up with
// it. It repaints at every change of value, however small: a style's progress bar repaints only
// when the value moved by one of its chunks, and so lags a slowly moving value. It draws no text.
class LevelIndicator : public QProgressBar {
    Q_OBJECT
public:
    explicit LevelIndicator(QWidget* parent = nullptr);

    // The filled width in pixels at the present value and size.
    int filledWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
