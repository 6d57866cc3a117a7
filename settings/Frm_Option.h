#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The options window: the PAT95 install directory, typed or chosen in the
// directory chooser. OK saves it (a failure is said); Cancel (or Esc) discards
// the edit.
class Frm_Option : public QDialog {
    Q_OBJECT
public:
    // dataDir: the data directory shown at first.
    explicit Frm_Option(const QString& dataDir, QWidget* parent = nullptr);

    // After OK: the directory, which is the data directory from now on (saved
    // or not); nullopt when cancelled.
    std::optional<QString> chosen() const { return chosen_; }

private slots:
    void browse();
    void saveAndClose();

private:
    QLabel* caption_;            // Label1
    QLineEdit* dataDirBox_;      // Text1
    QPushButton* browseButton_;  // Command1: 参照
    QPushButton* okButton_;      // Command2
    QPushButton* cancelButton_;  // Command3
    std::optional<QString> chosen_;
};
