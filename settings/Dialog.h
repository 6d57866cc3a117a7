#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;

// The directory chooser of the options window: a drive list and the directory
// tree of the chosen drive, hidden folders included. The drives are the
// system's and the C: drive of each Wine prefix. It starts at the process's
// current directory; a double click (or Enter) opens a directory, another
// drive opens at the directory last opened on it (at first its root), and OK
// puts the opened directory's full path into the options window's text box.
class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog(QLineEdit* Text1, QWidget* parent = nullptr);

    QComboBox* Drive1;
    QTreeView* Dir1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // The opened directory, in the platform's notation: no trailing separator
    // unless it is the root of a drive.
    QString Dir1Path() const;

public slots:
    void Drive1_Change(int index);
    void Dir1_DblClick(const QModelIndex& index);
    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDrive(const QString& root);
    void openPath(const QString& path);
    void hideOtherDrives();
    void keepOpenedInView();

    QLineEdit* Text1_;
    QFileSystemModel* model_;
    QString drive_;                       // root of the drive shown
    QString path_;                        // the opened directory
    QHash<QString, QString> lastOpened_;  // per drive root, the directory last opened on it
    int driveIndex_ = -1;
    bool followOpened_ = false;  // keep the opened directory in view as rows arrive
};
