#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "ledger/Ledger.h"

class BetsTable;
class FiguresTable;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;

// 収支台帳: the recorded bets by month of a year (or by year), by bet type and
// by racecourse, and the cumulative balance as a chart. Modeless.
class Frm_Ledger : public QWidget {
    Q_OBJECT
public:
    explicit Frm_Ledger(QWidget* parent = nullptr);
    ~Frm_Ledger() override;

    // Opens the window, or brings the open one forward with fresh figures.
    static void Show(QPointer<Frm_Ledger>& window);

    // Reopens the ledger and fills the window for the period chosen (the
    // latest year with records at first). A ledger that cannot be opened is
    // said in a message; the window then stays empty.
    void Reload();

    // The page of Tab_Right that holds 税金の目安.
    static constexpr int TaxPage = 1;

public slots:
    void Cmb_Year_Change();
    void Grd_Ledger_DblClick(int row);
    void Cmd_Save_Click();
    void Cmd_TaxSave_Click();

protected:
    // Coming back to the window shows what another window or another ZEM has
    // recorded meanwhile.
    bool event(QEvent* event) override;

private:
    int chosenYear() const;
    // Fills the period list, keeping the period shown, and the figures.
    void fill();
    void fillTax(int year);

    std::unique_ptr<Ledger> ledger_;
    FiguresTable* periods_;
    FiguresTable* types_;
    FiguresTable* racecourses_;
    qint64 shownVersion_ = -1;  // the ledger's data version when last filled
    QString csvName_;
    QString taxCsvName_;
    bool taxStale_ = true;  // the estimate shown is not that of the period chosen

    QComboBox* Cmb_Year = nullptr;
    // What went wrong opening the ledger, or that it is read-only; hidden otherwise.
    QLabel* Lbl_State = nullptr;
    QTableView* Grd_Ledger = nullptr;
    QTableView* Grd_Type = nullptr;
    QTableView* Grd_Place = nullptr;
    QWidget* Cht_Ledger = nullptr;
    QPushButton* Cmd_Save = nullptr;
    QPushButton* Cmd_Close = nullptr;
    // The breakdowns by bet type and racecourse on one page, 税金の目安 on the other.
    QTabWidget* Tab_Right = nullptr;
    // 税金の目安: the chosen year's 一時所得 estimate, what it leaves out, and its CSV.
    QTableWidget* Grd_Tax = nullptr;
    // Under the figures, the year's bets the ledger could not record (未確定,
    // 払戻不明): their count and a row each; hidden when there are none.
    QLabel* Lbl_Unrecorded = nullptr;
    QTableWidget* Grd_Unrecorded = nullptr;
    QLabel* Lbl_Tax = nullptr;
    QPushButton* Cmd_TaxSave = nullptr;
};

// A month's races with their figures and the bets of the chosen race; a race
// can be deleted from the ledger, and the month's bets saved as CSV.
class Frm_LedgerMonth : public QDialog {
    Q_OBJECT
public:
    Frm_LedgerMonth(Ledger& ledger, int year, int month, QWidget* parent = nullptr);

    bool deleted() const { return deleted_; }

public slots:
    void Cmd_Delete_Click();
    void Cmd_Save_Click();

private:
    void fill();
    void showBets();

    Ledger& ledger_;
    FiguresTable* races_;
    BetsTable* bets_;
    int year_;
    int month_;
    std::vector<LedgerRace> shown_;
    bool deleted_ = false;
    QString csvName_;

    QTableView* Grd_Races = nullptr;
    QTableView* Grd_Bets = nullptr;
    QPushButton* Cmd_Save = nullptr;
    QPushButton* Cmd_Delete = nullptr;
    QPushButton* Cmd_Close = nullptr;
};
