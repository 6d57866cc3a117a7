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

Frm_Option::Frm_Option(const QString& dataDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Frm_Option"));
    setWindowTitle(QStringLiteral("Option"));
    setFont(UiFont(9));
    setFixedSize(TwSize(5145, 1395));

    caption_ = new QLabel(QStringLiteral("PAT95のインストール先"), this);
    caption_->setObjectName(QStringLiteral("Label1"));
    caption_->setGeometry(TwRect(120, 120, 3735, 255));

    dataDirBox_ = new QLineEdit(this);
    dataDirBox_->setObjectName(QStringLiteral("Text1"));
    dataDirBox_->setGeometry(TwRect(120, 420, 3735, 330));

    browseButton_ = PlainButton(this, QStringLiteral("Command1"), QStringLiteral("参照"),
                                TwRect(3975, 405, 1050, 360));
    okButton_ = PlainButton(this, QStringLiteral("Command2"), QStringLiteral("OK"),
                            TwRect(2805, 900, 1050, 375));
    cancelButton_ = PlainButton(this, QStringLiteral("Command3"), QStringLiteral("Cancel"),
                                TwRect(3975, 900, 1050, 375));

    connect(browseButton_, &QPushButton::clicked, this, &Frm_Option::browse);
    connect(okButton_, &QPushButton::clicked, this, &Frm_Option::saveAndClose);
    connect(cancelButton_, &QPushButton::clicked, this, &Frm_Option::reject);
    EscapePresses(this, cancelButton_);

    dataDirBox_->setText(dataDir);
    dataDirBox_->setFocus();
}

void Frm_Option::browse() {
    Dialog chooser(this);
    RunModal(chooser);
    if (const std::optional<QString> directory = chooser.chosen()) dataDirBox_->setText(*directory);
}

void Frm_Option::saveAndClose() {
    QString directory;
    ShowFailure(this, SaveSettings(dataDirBox_->text(), directory));
    chosen_ = directory;
    accept();
}
