#include "bench/WindowReplica.h"

#include "chart/BalanceChart.h"
#include "common/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

WidgetShot TakeShot(const QWidget* widget) {
    WidgetShot shot;
    shot.name = widget->objectName();
    shot.geometry = widget->geometry();
    shot.hidden = widget->isHidden();
    shot.enabled = widget->isEnabled();
    if (widget->testAttribute(Qt::WA_SetFont)) shot.font = widget->font();
    if (widget->testAttribute(Qt::WA_SetPalette)) shot.palette = widget->palette();
    shot.autoFillBackground = widget->autoFillBackground();
    shot.toolTip = widget->toolTip();
    shot.focusPolicy = widget->focusPolicy();

    if (widget->isWindow()) {
        shot.kind = qobject_cast<const QDialog*>(widget) ? WidgetShot::Kind::Dialog
                                                         : WidgetShot::Kind::Plain;
        shot.flags = widget->windowFlags();
        shot.title = widget->windowTitle();
        shot.minimumSize = widget->minimumSize();
        shot.maximumSize = widget->maximumSize();
        shot.deleteOnClose = widget->testAttribute(Qt::WA_DeleteOnClose);
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        shot.kind = WidgetShot::Kind::Label;
        shot.text = label->text();
        shot.alignment = label->alignment();
        shot.textFormat = label->textFormat();
        shot.wordWrap = label->wordWrap();
        shot.indent = label->indent();
        shot.pixmap = label->pixmap();
    } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        shot.kind = WidgetShot::Kind::PushButton;
        shot.text = button->text();
        shot.icon = button->icon();
        shot.iconSize = button->iconSize();
        shot.autoDefault = button->autoDefault();
    } else if (const auto* tool = qobject_cast<const QToolButton*>(widget)) {
        shot.kind = WidgetShot::Kind::ToolButton;
        shot.text = tool->text();
        shot.icon = tool->icon();
        shot.iconSize = tool->iconSize();
        shot.arrowType = tool->arrowType();
    } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        shot.kind = WidgetShot::Kind::LineEdit;
        shot.text = box->text();
        shot.alignment = box->alignment();
        shot.maxLength = box->maxLength();
    } else if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
        shot.kind = WidgetShot::Kind::Table;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* heading = table->horizontalHeaderItem(c);
            shot.headings << (heading ? heading->text() : QString());
            shot.widths.push_back(table->columnWidth(c));
        }
    } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        shot.kind = WidgetShot::Kind::ComboBox;
        shot.text = combo->currentText();
    } else if (const auto* check = qobject_cast<const QCheckBox*>(widget)) {
        shot.kind = WidgetShot::Kind::CheckBox;
        shot.text = check->text();
        shot.checked = check->isChecked();
    } else if (qobject_cast<const QFrame*>(widget)) {
        shot.kind = WidgetShot::Kind::Frame;
    }
    if (const auto* frame = qobject_cast<const QFrame*>(widget)) {
        shot.frameStyle = frame->frameStyle();
        shot.lineWidth = frame->lineWidth();
    }

    // Combo boxes and tables build their own parts.
    if (shot.kind == WidgetShot::Kind::ComboBox || shot.kind == WidgetShot::Kind::Table)
        return shot;
    for (const QObject* child : widget->children()) {
        if (!child->isWidgetType()) continue;
        const auto* childWidget = static_cast<const QWidget*>(child);
        if (!childWidget->isWindow()) shot.children.push_back(TakeShot(childWidget));
    }
    return shot;
}

namespace {

// Only what differs from a stock widget is set, as the window's own code does.
QWidget* create(const WidgetShot& shot, QWidget* parent) {
    const Qt::Alignment textDefault = Qt::AlignLeft | Qt::AlignVCenter;
    switch (shot.kind) {
        case WidgetShot::Kind::Dialog:
            return new QDialog(parent, shot.flags);
        case WidgetShot::Kind::Frame: {
            auto* frame = new QFrame(parent);
            if (shot.frameStyle != 0) frame->setFrameStyle(shot.frameStyle);
            if (shot.lineWidth != 1) frame->setLineWidth(shot.lineWidth);
            return frame;
        }
        case WidgetShot::Kind::Label: {
            auto* label = new QLabel(parent);
            if (shot.frameStyle != 0) label->setFrameStyle(shot.frameStyle);
            if (shot.lineWidth != 1) label->setLineWidth(shot.lineWidth);
            if (shot.textFormat != Qt::AutoText) label->setTextFormat(shot.textFormat);
            if (shot.alignment != textDefault) label->setAlignment(shot.alignment);
            if (shot.wordWrap) label->setWordWrap(true);
            if (shot.indent != -1) label->setIndent(shot.indent);
            if (!shot.pixmap.isNull()) label->setPixmap(shot.pixmap);
            if (!shot.text.isEmpty()) label->setText(shot.text);
            return label;
        }
        case WidgetShot::Kind::PushButton: {
            auto* button = new QPushButton(shot.text, parent);
            if (!shot.icon.isNull()) {
                button->setIcon(shot.icon);
                button->setIconSize(shot.iconSize);
            }
            if (button->autoDefault() != shot.autoDefault) button->setAutoDefault(shot.autoDefault);
            return button;
        }
        case WidgetShot::Kind::ToolButton: {
            auto* button = new QToolButton(parent);
            if (!shot.text.isEmpty()) button->setText(shot.text);
            if (!shot.icon.isNull()) button->setIcon(shot.icon);
            if (shot.arrowType != Qt::NoArrow) button->setArrowType(shot.arrowType);
            return button;
        }
        case WidgetShot::Kind::LineEdit: {
            auto* box = new QLineEdit(parent);
            if (shot.maxLength != 32767) box->setMaxLength(shot.maxLength);
            if (shot.alignment != textDefault) box->setAlignment(shot.alignment);
            if (!shot.text.isEmpty()) box->setText(shot.text);
            return box;
        }
        case WidgetShot::Kind::ComboBox: {
            auto* combo = new QComboBox(parent);
            if (!shot.text.isEmpty()) combo->addItem(shot.text);
            return combo;
        }
        case WidgetShot::Kind::Table: {
            auto* table = new QTableWidget(0, int(shot.headings.size()), parent);
            table->setHorizontalHeaderLabels(shot.headings);
            for (size_t c = 0; c < shot.widths.size(); ++c)
                table->setColumnWidth(int(c), shot.widths[c]);
            return table;
        }
        case WidgetShot::Kind::CheckBox: {
            auto* check = new QCheckBox(shot.text, parent);
            if (shot.checked) check->setChecked(true);
            return check;
        }
        case WidgetShot::Kind::Plain:
            break;
    }
    return new QWidget(parent, shot.flags);
}

}  // namespace

QWidget* BuildReplica(const WidgetShot& shot, QWidget* parent) {
    QWidget* widget = create(shot, parent);
    widget->setObjectName(shot.name);
    if (shot.font) widget->setFont(*shot.font);
    if (shot.palette) widget->setPalette(*shot.palette);
    if (shot.autoFillBackground) widget->setAutoFillBackground(true);
    if (!shot.toolTip.isEmpty()) widget->setToolTip(shot.toolTip);
    if (widget->focusPolicy() != shot.focusPolicy) widget->setFocusPolicy(shot.focusPolicy);
    if (!shot.enabled) widget->setEnabled(false);
    if (widget->isWindow()) {
        widget->setWindowTitle(shot.title);
        widget->setMinimumSize(shot.minimumSize);
        widget->setMaximumSize(shot.maximumSize);
        widget->setAttribute(Qt::WA_DeleteOnClose, shot.deleteOnClose);
        widget->resize(shot.geometry.size());
    } else {
        widget->setGeometry(shot.geometry);
    }
    for (const WidgetShot& child : shot.children) BuildReplica(child, widget);
    if (shot.hidden && !widget->isWindow()) widget->hide();
    return widget;
}

QWidget* BuildSettleReplica(QAbstractItemModel* table, const QStringList& totals,
                            const std::vector<BalancePoint>& points) {
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("Frm_SettleReplica"));
    window->setWindowTitle(QStringLiteral("収支"));
    window->setFont(UiFont(9));
    window->resize(900, 720);

    auto* grid = new QTableView(window);
    grid->setModel(table);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(window->fontMetrics().height() + 6);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setWordWrap(false);
    const int widths[] = {80, 60, 50, 60, 60, 90, 70, 100, 100, 120};
    for (int c = 0; c < table->columnCount() && c < 10; ++c) grid->setColumnWidth(c, widths[c]);
    grid->horizontalHeader()->setStretchLastSection(true);

    auto* figures = new QGridLayout;
    const char16_t* captions[] = {u"購入", u"払戻", u"収支", u"回収率", u"未確定", u"的中率"};
    for (int i = 0; i < 6; ++i) {
        const bool hit = i == 5;
        const int row = hit ? 2 : i / 3, column = hit ? 0 : (i % 3) * 2;
        figures->addWidget(new QLabel(QString::fromUtf16(captions[i]), window), row, column);
        auto* value = new QLabel(totals.value(i), window);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(hit ? Qt::AlignLeft | Qt::AlignVCenter
                                : Qt::AlignRight | Qt::AlignVCenter);
        if (!hit) value->setMinimumWidth(120);
        figures->addWidget(value, row, column + 1, 1, hit ? 5 : 1);
    }
    for (int c : {1, 3, 5}) figures->setColumnStretch(c, 1);

    QWidget* chart = MakeBalanceChart(window, QStringLiteral("Cht_Balance"));
    chart->setMinimumHeight(220);
    ShowBalance(chart, points, QString());
    auto* skipped = new QVBoxLayout;
    skipped->addWidget(new QLabel(QStringLiteral("読めなかった行"), window));
    skipped->addWidget(new QListWidget(window), 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(chart, 3);
    lower->addLayout(skipped, 2);
    auto* buttons = new QHBoxLayout;
    for (const char16_t* caption : {u"再計算", u"CSV保存", u"台帳に記録"})
        buttons->addWidget(new QPushButton(QString::fromUtf16(caption), window));
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(window);
    layout->addWidget(grid, 3);
    layout->addLayout(figures);
    layout->addLayout(lower, 2);
    layout->addLayout(buttons);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}
