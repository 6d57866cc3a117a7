#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;
enum class CellShade;

// Pieces shared by the odds windows.

// A label of the window with its name, geometry and alignment; the text is
// plain (a stored text is never read as markup).
QLabel* OddsLabel(QWidget* window, const QString& name, const QRect& geometry, Qt::Alignment align);

void SetShade(QLabel* cell, CellShade shade);

// The window's OK or Cancel button; neither is a default button, so Enter does
// not press them.
QPushButton* OddsButton(QWidget* window, const char* name, const QString& caption,
                        const QRect& geometry);

// Array element name, "Name(i)".
inline QString ElementName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}
