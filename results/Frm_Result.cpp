#include "results/Frm_Result.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>

#include "common/Colours.h"
#include "common/Fonts.h"
#include "common/RaceDate.h"
#include "common/Twips.h"
#include "common/WindowActivation.h"
#include "racedata/AppState.h"
#include "results/ResultCheck.h"

namespace {

// Design of the window in twips.
constexpr int ClientWidth = 6420;
constexpr int ClientHeight = 4500;
constexpr int Margin = 120;
constexpr int BoxHeight = 360;
constexpr int RowPitch = 420;
constexpr int DateTop = 570;
constexpr int HeadTop = 1020;       // 単勝 and 複勝 above the finishers
constexpr int FirstRowTop = 1410;   // 1着
constexpr int LowerHeadTop = 3600;  // 枠連 and 馬連 below the finishers
constexpr int LowerBoxTop = 3990;
constexpr int TanLeft = 3960;
constexpr int FukuLeft = 5160;
constexpr int PayWidth = 1140;

QString elementName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

enum class Border { None, Single };

QLabel* makeLabel(QWidget* window, const QString& name, const QRect& geometry,
                  Qt::Alignment align = Qt::AlignLeft, Border border = Border::None) {
    auto* label = new QLabel(window);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // a stored text is never read as markup
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setFont(UiFont(12));
    if (border == Border::Single) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setIndent(Tw(45));
    }
    return label;
}

QLabel* makeLabel(QWidget* window, const char* name, const QRect& geometry,
                  Qt::Alignment align = Qt::AlignLeft, Border border = Border::None) {
    return makeLabel(window, QLatin1String(name), geometry, align, border);
}

}  // namespace

Frm_Result::Frm_Result(AppState& state, const RaceSelection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), selection_(selection) {
    setObjectName(QStringLiteral("Frm_Result"));
    setWindowTitle(QStringLiteral("結果"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(UiFont(9));
    setFixedSize(TwSize(ClientWidth, ClientHeight));

    const int inner = ClientWidth - 2 * Margin;
    raceTitle_ = makeLabel(this, "Label3", TwRect(Margin, 120, inner, BoxHeight), Qt::AlignLeft,
                           Border::Single);
    raceTitle_->setFont(UiFont(9));

    raceDate_ = makeLabel(this, "Lbl_Date", TwRect(Margin, DateTop, 2400, 330));
    racecourse_ = makeLabel(this, "Lbl_Place", TwRect((ClientWidth - 1200) / 2, DateTop, 1200, 330),
                            Qt::AlignHCenter);
    raceNumber_ =
        makeLabel(this, "Lbl_Race", TwRect(ClientWidth - Margin - 240 - 600, DateTop, 600, 330),
                  Qt::AlignRight);
    raceNumberSuffix_ =
        makeLabel(this, "Label4", TwRect(ClientWidth - Margin - 240, DateTop, 240, 330));
    raceNumberSuffix_->setText(QStringLiteral("R"));

    const QColor menuColour = QApplication::palette("QMenu").color(QPalette::Window);
    for (int k = 0; k < 5; ++k) {
        const int top = FirstRowTop + RowPitch * k;
        finishHeadings_[k] = makeLabel(this, elementName("Label1", k),
                                       TwRect(Margin, top, 720, BoxHeight), Qt::AlignHCenter);
        finishHeadings_[k]->setText(QStringLiteral("%1着").arg(k + 1));
        SetBackground(finishHeadings_[k], menuColour);
        finisherNumbers_[k] =
            makeLabel(this, elementName("Lbl_No", k), TwRect(900, top, 480, BoxHeight),
                      Qt::AlignRight, Border::Single);
        finisherNames_[k] =
            makeLabel(this, elementName("Lbl_Name", k), TwRect(1440, top, 2400, BoxHeight),
                      Qt::AlignLeft, Border::Single);
    }

    const struct {
        const char16_t* caption;
        int left;
        int top;
    } headings[] = {{u"単勝", TanLeft, HeadTop},
                    {u"複勝", FukuLeft, HeadTop},
                    {u"枠連", Margin, LowerHeadTop},
                    {u"馬連", TanLeft, LowerHeadTop}};
    for (int i = 0; i < 4; ++i) {
        const auto& h = headings[i];
        const int width = (i == 2) ? 2700 : PayWidth;
        payoutHeadings_[i] = makeLabel(this, elementName("Label2", i),
                                       TwRect(h.left, h.top, width, 330), Qt::AlignHCenter);
        payoutHeadings_[i]->setText(QString::fromUtf16(h.caption));
    }

    winPayout_ = makeLabel(this, "Lbl_Tan", TwRect(TanLeft, FirstRowTop, PayWidth, BoxHeight),
                           Qt::AlignRight, Border::Single);
    for (int k = 0; k < 3; ++k) {
        placePayouts_[k] =
            makeLabel(this, elementName("Lbl_Fuku", k),
                      TwRect(FukuLeft, FirstRowTop + RowPitch * k, PayWidth, BoxHeight),
                      Qt::AlignRight, Border::Single);
    }
    bracketPair_ = makeLabel(this, "Lbl_WakuNo", TwRect(Margin, LowerBoxTop, 1260, BoxHeight),
                             Qt::AlignHCenter, Border::Single);
    bracketPayout_ = makeLabel(this, "Lbl_Waku", TwRect(1440, LowerBoxTop, 1380, BoxHeight),
                               Qt::AlignRight, Border::Single);
    quinellaPair_ = makeLabel(this, "Lbl_UmaNo", TwRect(TanLeft, LowerBoxTop, PayWidth, BoxHeight),
                              Qt::AlignHCenter, Border::Single);
    quinellaPayout_ = makeLabel(this, "Lbl_Uma", TwRect(FukuLeft, LowerBoxTop, PayWidth, BoxHeight),
                                Qt::AlignRight, Border::Single);

    Form_Load();
}

void Frm_Result::Form_Load() {
    const KsRecord& ks = state_.KsData;
    raceTitle_->setText(ks.RaceTitle());
    raceDate_->setText(RaceDateDisplay(ks.RaceDate()));  // empty when not a valid date
    racecourse_->setText(ks.CourseName());
    raceNumber_->setText(ks.RaceNo());
    for (int k = 0; k < 5; ++k) finisherNumbers_[k]->setText(ks.Place(k).HorseNo);
    for (int k = 0; k < 5; ++k) finisherNames_[k]->setText(ks.Place(k).HorseName);
    winPayout_->setText(ks.WinPayout());
    placePayouts_[0]->setText(ks.PlacePayout1());
    placePayouts_[1]->setText(ks.PlacePayout2());
    placePayouts_[2]->setText(ks.PlacePayout3());
    bracketPayout_->setText(ks.BracketPayout());
    quinellaPayout_->setText(ks.QuinellaPayout());
    bracketPair_->setText(ks.BracketCombo());
    quinellaPair_->setText(ks.QuinellaCombo());
    shownRecord_ = ks.raw();
    shown_ = RaceOfResult(ks);
}

void Frm_Result::Form_Activate() {
    Race selected = selection_.race();
    selected.date = shown_.date;
    if (shown_.course >= 0 && shown_.number > 0 && selected == shown_) return;
    // A new window would show KsData as held now. When this window shows that
    // record already, the held result is of another race than the selection and
    // a new window would fail this check again: keep showing the held record.
    if (state_.KsData.raw() == shownRecord_) return;
    Reopen();
}

void Frm_Result::Reopen() {
    auto* successor = new Frm_Result(state_, selection_, parentWidget());
    successor->move(pos());
    emit Replaced(successor);
    close();
    successor->show();
    successor->raise();
    successor->activateWindow();
}

bool Frm_Result::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && ActivatedFromOwnWindow(this)) Form_Activate();
    return handled;
}

namespace {

// Keeps the owner's pointer on the open window when it is replaced. The
// connection ends with the owner, so a window that outlives it writes nowhere.
void follow(QPointer<Frm_Result>& window, Frm_Result* shown, QObject* owner) {
    QObject* context = owner ? owner : shown;
    QObject::connect(shown, &Frm_Result::Replaced, context,
                     [&window, owner](Frm_Result* successor) {
                         window = successor;
                         follow(window, successor, owner);
                     });
}

}  // namespace

void Frm_Result::Show(QPointer<Frm_Result>& window, AppState& state, const RaceSelection& selection,
                      QWidget* owner) {
    if (!window) {
        // A window of its own, not kept above the main window.
        window = new Frm_Result(state, selection);
        follow(window, window, owner);
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
