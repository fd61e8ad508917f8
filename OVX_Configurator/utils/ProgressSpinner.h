#pragma once

#include "platform/Scheduler.h"

#include <QWidget>

// A spinning progress indicator: a ring of twelve strokes whose brightest stroke turns while
// the animation runs.
class ProgressSpinner : public QWidget {
    Q_OBJECT
public:
    explicit ProgressSpinner(QWidget* parent = nullptr);

    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return timer_.isActive(); }

    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::Timer timer_;
    int step_ = 0;
};
