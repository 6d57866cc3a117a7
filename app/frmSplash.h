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

    QFrame* Frame1;
    QLabel* imgLogo;
    QLabel* lblProductName;
    QLabel* lblPlatform;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QTimer* Timer1;

signals:
    // The splash has closed; the main window opens now. Emitted once.
    void finished();

public slots:
    void Timer1_Timer();
    void Frame1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeSplash();
    bool closed_ = false;
};
