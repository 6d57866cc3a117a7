#include "common/Controls.h"

#include <QHeaderView>
#include <QTableView>

#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

#include "common/Colours.h"

QPixmap PngPixmap(const QString& resource) {
    QPixmap pixmap;
    if (QPixmapCache::find(resource, &pixmap)) return pixmap;  // read once a run
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    pixmap = QPixmap::fromImage(reader.read());
    QPixmapCache::insert(resource, pixmap);
    return pixmap;
}

QIcon PngIcon(const QString& resource) { return QIcon(PngPixmap(resource)); }

QPushButton* PlainButton(QWidget* parent, const QString& name, const QString& caption,
                         const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* PlainLabel(QWidget* parent, const QString& name, const QRect& geometry, Qt::Alignment align,
                   const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    if (!(align & Qt::AlignVertical_Mask)) align |= Qt::AlignVCenter;
    label->setAlignment(align);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void MakeResultBox(QLabel* label, const QString& name, const QRect& geometry) {
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    label->setIndent(3);
    SetBackground(label, Colours::LightGrey);
}

void SetTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void OnKeys(QWidget* widget, std::initializer_list<QKeySequence> keys,
            const std::function<void()>& action) {
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, widget, nullptr, nullptr, Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, widget, action);
    }
}

QTableView* ReadOnlyGrid(QWidget* parent, const QString& name, QAbstractItemModel* model,
                         bool stretchLastColumn) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(parent->fontMetrics().height() + 6);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setWordWrap(false);
    grid->setTabKeyNavigation(false);
    grid->horizontalHeader()->setStretchLastSection(stretchLastColumn);
    return grid;
}
