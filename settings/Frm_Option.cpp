#include "settings/Frm_Option.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/Twips.h"
#include "settings/Dialog.h"
#include "settings/Settings.h"

Frm_Option::Frm_Option(QString& DataDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), DataDir_(DataDir) {
    setObjectName(QStringLiteral("Frm_Option"));
    setWindowTitle(QStringLiteral("Option"));
    setFont(UiFont(9));
    setFixedSize(TwSize(5145, 1395));

    Label1 = new QLabel(QStringLiteral("PAT95のインストール先"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwRect(120, 120, 3735, 255));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwRect(120, 420, 3735, 330));

    Command1 = PlainButton(this, QStringLiteral("Command1"), QStringLiteral("参照"),
                           TwRect(3975, 405, 1050, 360));
    Command2 = PlainButton(this, QStringLiteral("Command2"), QStringLiteral("OK"),
                           TwRect(2805, 900, 1050, 375));
    Command3 = PlainButton(this, QStringLiteral("Command3"), QStringLiteral("Cancel"),
                           TwRect(3975, 900, 1050, 375));

    connect(Command1, &QPushButton::clicked, this, &Frm_Option::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frm_Option::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Frm_Option::Command3_Click);
    EscapePresses(this, Command3);

    Text1->setText(DataDir_);
    Text1->setFocus();
}

void Frm_Option::Command1_Click() {
    Dialog chooser(Text1, this);
    RunModal(chooser);
}

void Frm_Option::Command2_Click() {
    ShowFailure(this, SaveSettings(Text1->text(), DataDir_));
    accept();
}

void Frm_Option::Command3_Click() {
    reject();
}
