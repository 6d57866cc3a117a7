#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The options window: the PAT95 install directory, typed or chosen in the
// directory chooser. OK saves it and makes it the data directory at once;
// Cancel (or Esc) discards the edit.
class Frm_Option : public QDialog {
    Q_OBJECT
public:
    Frm_Option(QString& DataDir, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;  // 参照
    QPushButton* Command2;  // OK
    QPushButton* Command3;  // Cancel

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    QString& DataDir_;
};
