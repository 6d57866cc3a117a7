#include "app/Frm_Day.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/EscapeKey.h"
#include "common/Fonts.h"

Frm_Day::Frm_Day(const std::vector<FolderDay>& days, const QDate& current, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_Day"));
    setWindowTitle(QStringLiteral("開催日"));
    const QFont font = UiFont(11);

    Lbl_Note = new QLabel(this);
    Lbl_Note->setObjectName(QStringLiteral("Lbl_Note"));
    Lbl_Note->setFont(font);
    Lbl_Note->setText(days.empty()
                          ? QStringLiteral("データフォルダに開催日のわかるファイルがありません。")
                          : QStringLiteral("表示する開催日を選んでください。"));

    Lst_Day = new QListWidget(this);
    Lst_Day->setObjectName(QStringLiteral("Lst_Day"));
    Lst_Day->setFont(font);
    auto* newest =
        new QListWidgetItem(QStringLiteral("最新（レースごとに最も新しい開催）"), Lst_Day);
    newest->setData(Qt::UserRole, QDate());
    QListWidgetItem* selected = newest;
    for (const FolderDay& day : days) {
        auto* item = new QListWidgetItem(day.label(), Lst_Day);
        item->setData(Qt::UserRole, day.date);
        if (current.isValid() && day.date == current) selected = item;
    }
    if (current.isValid() && selected == newest) {
        // The chosen day has no file left in the folder: still listed, so that
        // OK keeps it.
        auto* item = new QListWidgetItem(
            current.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral("（ファイルなし）"),
            Lst_Day);
        item->setData(Qt::UserRole, current);
        selected = item;
    }
    Lst_Day->setCurrentItem(selected);
    connect(Lst_Day, &QListWidget::itemActivated, this, [this] { accept(); });

    Cmd_OK = new QPushButton(QStringLiteral("OK"), this);
    Cmd_OK->setObjectName(QStringLiteral("Cmd_OK"));
    Cmd_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Cmd_Cancel->setObjectName(QStringLiteral("Cmd_Cancel"));
    for (QPushButton* b : {Cmd_OK, Cmd_Cancel}) {
        b->setFont(font);
        b->setAutoDefault(false);
    }
    connect(Cmd_OK, &QPushButton::clicked, this, &Frm_Day::accept);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    EscapePresses(this, Cmd_Cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_OK);
    buttons->addWidget(Cmd_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Note);
    layout->addWidget(Lst_Day, 1);
    layout->addLayout(buttons);
    resize(360, 280);
    Lst_Day->setFocus();
}

void Frm_Day::accept() {
    const QListWidgetItem* item = Lst_Day->currentItem();
    if (!item) return;
    chosen_ = item->data(Qt::UserRole).toDate();
    QDialog::accept();
}
