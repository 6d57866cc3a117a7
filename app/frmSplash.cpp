#include "app/frmSplash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/Fonts.h"
#include "common/Twips.h"

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
              const QFont& font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(alignment);
    return l;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(TwSize(6075, 3690));
    SetBackground(this, Colours::White);
    setFocusPolicy(Qt::StrongFocus);

    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setGeometry(TwRect(135, 90, 5775, 3465));
    frame_->setFrameShape(QFrame::Box);
    frame_->setFrameShadow(QFrame::Sunken);
    SetBackground(frame_, Colours::White);
    frame_->installEventFilter(this);

    logo_ = new QLabel(frame_);
    logo_->setObjectName(QStringLiteral("imgLogo"));
    logo_->setGeometry(TwRect(360, 360, 480, 480));
    logo_->setPixmap(PngPixmap(QStringLiteral(":/app/images/zem.png"))
                         .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    productName_ = label(frame_, "lblProductName", QStringLiteral("ZEM"),
                         TwRect(1080, 240, 4400, 900), UiFont(32, true));
    platform_ = label(frame_, "lblPlatform", QStringLiteral("forWindows"),
                      TwRect(3000, 1500, 2500, 420), UiFont(15.75, true), Qt::AlignRight);
    version_ = label(frame_, "lblVersion", QStringLiteral("Ver2.1"), TwRect(3000, 1980, 2500, 360),
                     UiFont(12, true), Qt::AlignRight);
    description_ = label(
        frame_, "lblDescription", QStringLiteral("馬券購入支援ソフト　結果・おすすめ・資金配分"),
        TwRect(240, 2900, 5300, 300), UiFont(9), Qt::AlignRight | Qt::AlignVCenter);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("Timer1"));
    closeTimer_->setInterval(2000);
    closeTimer_->setSingleShot(true);
    connect(closeTimer_, &QTimer::timeout, this, &frmSplash::closeSplash);
    closeTimer_->start();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Keys that give a character (letters, digits, Enter, Esc, Backspace...) close the splash.
    if (!event->text().isEmpty()) {
        closeSplash();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    // Clicks on the labels and the logo reach the frame too; only a click on
    // the frame's own background counts.
    if (watched == frame_ && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !frame_->childAt(mouse->position().toPoint())) {
            closeSplash();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::closeSplash() {
    if (closed_) return;
    closed_ = true;
    closeTimer_->stop();
    emit finished();
    hide();
    deleteLater();
}
