#pragma once

#include <QLineEdit>
#include <QWidget>

class QToolButton;

// A one-line entry box whose whole text is selected whenever it gets the focus
// within its window, by the keyboard, from code or by a mouse click, so that
// typing replaces the entry.
class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool selectOnPress_ = false;  // focus came with a mouse press still to arrive
};

// A small up-down control of two arrow buttons ("Up" above "Down"). Only its
// clicks matter; it holds no value. With the focus, the arrow keys click it.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void upClicked();
    void downClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};
