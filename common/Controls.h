#pragma once

#include <QKeySequence>
#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>

class QAbstractItemModel;
class QIcon;
class QLabel;
class QPixmap;
class QPushButton;
class QTableView;
class QWidget;

// The small builders every window uses for its plain controls.

// Array element name, "Name(i)".
inline QString ElementName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// One of the program's own PNG images, read by the toolkit's own PNG reader:
// a read by name, or with the format but its detection left on, loads every
// image plugin to ask whether it reads the file, which start-up would pay for.
QPixmap PngPixmap(const QString& resource);
QIcon PngIcon(const QString& resource);

// A push button with its name and place. No button is a default button, so Enter
// in an entry box never presses one.
QPushButton* PlainButton(QWidget* parent, const QString& name, const QString& caption,
                         const QRect& geometry);

// A label with its name, place and alignment (vertically centred unless the
// alignment says otherwise); its text is plain, a stored text is never read as markup.
QLabel* PlainLabel(QWidget* parent, const QString& name, const QRect& geometry,
                   Qt::Alignment align = Qt::AlignLeft, const QString& caption = QString());

// A read-only table over the model, a row selected whole, no row numbers, rows
// as high as the parent's text needs; the arrow keys move inside it and Tab
// leaves it.
QTableView* ReadOnlyGrid(QWidget* parent, const QString& name, QAbstractItemModel* model,
                         bool stretchLastColumn);

// Makes a label one of the grey, sunken, right-aligned boxes that show a result.
void MakeResultBox(QLabel* label, const QString& name, const QRect& geometry);

// Tab goes through the widgets in the order given (Shift+Tab back).
void SetTabOrder(std::initializer_list<QWidget*> widgets);

// Each key pressed while the widget has the focus runs action; the widget
// itself does not see the key.
void OnKeys(QWidget* widget, std::initializer_list<QKeySequence> keys,
            const std::function<void()>& action);
