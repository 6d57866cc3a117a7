#include "bench/WindowReplica.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

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
    } else if (qobject_cast<const QFrame*>(widget)) {
        shot.kind = WidgetShot::Kind::Frame;
    }
    if (const auto* frame = qobject_cast<const QFrame*>(widget)) {
        shot.frameStyle = frame->frameStyle();
        shot.lineWidth = frame->lineWidth();
    }

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
