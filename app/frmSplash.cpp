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

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwRect(135, 90, 5775, 3465));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    SetBackground(Frame1, Colours::White);
    Frame1->installEventFilter(this);

    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(TwRect(360, 360, 480, 480));
    imgLogo->setPixmap(PngPixmap(QStringLiteral(":/app/images/zem.png"))
                           .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    lblProductName = label(Frame1, "lblProductName", QStringLiteral("ZEM"),
                           TwRect(1080, 240, 4400, 900), UiFont(32, true));
    lblPlatform = label(Frame1, "lblPlatform", QStringLiteral("forWindows"),
                        TwRect(3000, 1500, 2500, 420), UiFont(15.75, true), Qt::AlignRight);
    lblVersion = label(Frame1, "lblVersion", QStringLiteral("Ver2.1"),
                       TwRect(3000, 1980, 2500, 360), UiFont(12, true), Qt::AlignRight);
    lblDescription = label(
        Frame1, "lblDescription", QStringLiteral("馬券購入支援ソフト　結果・おすすめ・資金配分"),
        TwRect(240, 2900, 5300, 300), UiFont(9), Qt::AlignRight | Qt::AlignVCenter);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Timer1_Timer() {
    closeSplash();
}

void frmSplash::Frame1_Click() {
    closeSplash();
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
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !Frame1->childAt(mouse->position().toPoint())) {
            Frame1_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::closeSplash() {
    if (closed_) return;
    closed_ = true;
    Timer1->stop();
    emit finished();
    hide();
    deleteLater();
}
