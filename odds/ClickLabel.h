#pragma once

#include <QLabel>

// A label that reports a left click (press and release inside it). A
// double-click counts as one click, as on the platform the odds windows come
// from: its second press is not a click of its own, unless it lands on another
// label than the first (two cells clicked quickly).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
