#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

// The splash window: shown first, closes after 2 seconds, on a key that gives
// a character, or on a click on the frame's background, and then says so once.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

signals:
    // The splash has closed; the main window opens now. Emitted once.
    void finished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeSplash();
    bool closed_ = false;

    QFrame* frame_;        // Frame1: a click on its background closes the splash
    QLabel* logo_;         // imgLogo
    QLabel* productName_;  // lblProductName
    QLabel* platform_;     // lblPlatform
    QLabel* version_;      // lblVersion
    QLabel* description_;  // lblDescription
    QTimer* closeTimer_;   // Timer1
};
