#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <optional>

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QPushButton;
class QTreeView;

// The directory chooser of the options window: a drive list and the directory
// tree of the chosen drive, hidden folders included. The drives are the
// system's and the C: drive of each Wine prefix. It starts at the process's
// current directory; a double click (or Enter) opens a directory, another
// drive opens at the directory last opened on it (at first its root), and OK
// chooses the opened directory.
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);

    // The opened directory, in the platform's notation: no trailing separator
    // unless it is the root of a drive.
    QString openedDirectory() const;
    // After OK: the opened directory, as openedDirectory() gives it; nullopt
    // when cancelled.
    std::optional<QString> chosen() const { return chosen_; }

private slots:
    void showChosenDrive(int index);
    void openDirectory(const QModelIndex& index);
    void choose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDrive(const QString& root);
    void openPath(const QString& path);
    void hideOtherDrives();
    void keepOpenedInView();

    QComboBox* driveList_;       // Drive1
    QTreeView* directoryTree_;   // Dir1
    QPushButton* okButton_;      // OKButton
    QPushButton* cancelButton_;  // CancelButton
    QFileSystemModel* model_;
    QString drive_;                       // root of the drive shown
    QString path_;                        // the opened directory
    QHash<QString, QString> lastOpened_;  // per drive root, the directory last opened on it
    int driveIndex_ = -1;
    bool followOpened_ = false;  // keep the opened directory in view as rows arrive
    std::optional<QString> chosen_;
};
