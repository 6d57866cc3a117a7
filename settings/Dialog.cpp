#include "settings/Dialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>

#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/Twips.h"
#include "settings/WineDrives.h"

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

bool isOnDrive(const QString& path, const QString& root) {
    if (!path.startsWith(root, PathCase)) return false;
    return path.size() == root.size() || root.endsWith(u'/') || path[root.size()] == u'/';
}

}  // namespace

Dialog::Dialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QString());
    setFont(UiFont(9));
    setFixedSize(TwSize(3840, 3945));

    driveList_ = new QComboBox(this);
    driveList_->setObjectName(QStringLiteral("Drive1"));
    driveList_->setGeometry(TwRect(120, 120, 3600, 315));

    model_ = new QFileSystemModel(this);
    // Hidden folders too: under Wine, PAT95 lies below ~/.wine.
    model_->setFilter(QDir::Dirs | QDir::Drives | QDir::NoDotAndDotDot | QDir::Hidden);

    directoryTree_ = new QTreeView(this);
    directoryTree_->setObjectName(QStringLiteral("Dir1"));
    directoryTree_->setGeometry(TwRect(120, 540, 3600, 2715));
    directoryTree_->setModel(model_);
    directoryTree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        directoryTree_->hideColumn(column);
    directoryTree_->setUniformRowHeights(true);
    directoryTree_->setExpandsOnDoubleClick(false);
    directoryTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    directoryTree_->setSelectionMode(QAbstractItemView::SingleSelection);

    okButton_ = PlainButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"),
                            TwRect(660, 3420, 1215, 375));
    cancelButton_ = PlainButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"),
                                TwRect(1965, 3420, 1215, 375));

    // The drive list: the system's drives, then the C: drive of each Wine
    // prefix, where PAT95 lies when it runs under Wine. It starts at the drive
    // holding the current directory.
    const QString current = QDir::currentPath();
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        driveList_->addItem(QDir::toNativeSeparators(root), root);
    }
    for (const WineDrive& wine : WineDrives()) driveList_->addItem(wine.name, wine.root);
    int start = -1;
    qsizetype matched = -1;
    for (int i = 0; i < driveList_->count(); ++i) {
        const QString root = driveList_->itemData(i).toString();
        if (isOnDrive(current, root) && root.size() > matched) {
            start = i;
            matched = root.size();
        }
    }
    if (start < 0) {  // e.g. a network share: its root stands for the drive
        const QString root = QStorageInfo(current).rootPath();
        driveList_->addItem(QDir::toNativeSeparators(root), root);
        start = driveList_->count() - 1;
    }
    driveList_->setCurrentIndex(start);
    driveIndex_ = start;

    showDrive(driveList_->itemData(start).toString());
    openPath(current);
    directoryTree_->setFocus();

    connect(driveList_, &QComboBox::currentIndexChanged, this, &Dialog::showChosenDrive);
    connect(directoryTree_, &QTreeView::activated, this, &Dialog::openDirectory);
    connect(okButton_, &QPushButton::clicked, this, &Dialog::choose);
    connect(cancelButton_, &QPushButton::clicked, this, &Dialog::reject);
    EscapePresses(this, cancelButton_);
    // Other drives (and, for a drive below a directory, its siblings) come in
    // as the model loads; only the chosen drive is shown.
    connect(model_, &QFileSystemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        if (parent == directoryTree_->rootIndex()) hideOtherDrives();
    });
    // Rows keep arriving and being sorted for a moment after a directory is
    // opened; it stays in view until the user moves in the tree.
    connect(model_, &QFileSystemModel::directoryLoaded, this, &Dialog::keepOpenedInView);
    connect(model_, &QFileSystemModel::layoutChanged, this, &Dialog::keepOpenedInView);
    connect(directoryTree_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { followOpened_ = false; });
    directoryTree_->installEventFilter(this);
    directoryTree_->viewport()->installEventFilter(this);
}

QString Dialog::openedDirectory() const {
    return QDir::toNativeSeparators(QDir::cleanPath(path_));
}

void Dialog::showChosenDrive(int index) {
    if (index < 0 || index == driveIndex_) return;
    const QString root = driveList_->itemData(index).toString();
    const QDir dir(root);
    if (!dir.exists() || !dir.isReadable()) {
        // A drive without medium, or one the user may not read: stay where we were.
        ShowMessage(
            this, QStringLiteral("ドライブ %1 を読み取れません。").arg(driveList_->itemText(index)),
            MsgIcon::Exclamation);
        const QSignalBlocker blocker(driveList_);
        driveList_->setCurrentIndex(driveIndex_);
        return;
    }
    driveIndex_ = index;
    showDrive(root);
    // Back on a drive, the directory last opened there in this chooser.
    const QString last = lastOpened_.value(root);
    openPath(!last.isEmpty() && QFileInfo(last).isDir() ? last : root);
}

void Dialog::openDirectory(const QModelIndex& index) {
    if (index.isValid()) openPath(model_->filePath(index));
}

void Dialog::choose() {
    chosen_ = openedDirectory();
    accept();
}

void Dialog::showDrive(const QString& root) {
    // Rows hidden for the drive shown before are ordinary directories again.
    const QModelIndex oldTop = directoryTree_->rootIndex();
    for (int row = 0; row < model_->rowCount(oldTop); ++row)
        directoryTree_->setRowHidden(row, oldTop, false);
    drive_ = root;
    model_->setRootPath(root);
    directoryTree_->setRootIndex(model_->index(root).parent());
    hideOtherDrives();
}

void Dialog::hideOtherDrives() {
    const QModelIndex top = directoryTree_->rootIndex();
    const QModelIndex drive = model_->index(drive_);
    for (int row = 0; row < model_->rowCount(top); ++row) {
        directoryTree_->setRowHidden(row, top, model_->index(row, 0, top) != drive);
    }
}

// Makes path the opened directory: the tree is expanded down to it, it shows
// its subdirectories and is selected.
void Dialog::openPath(const QString& path) {
    const QModelIndex index = model_->index(path);
    if (!index.isValid()) return;
    path_ = model_->filePath(index);
    lastOpened_.insert(drive_, path_);
    for (QModelIndex i = index; i.isValid() && i != directoryTree_->rootIndex(); i = i.parent()) {
        directoryTree_->expand(i);
    }
    directoryTree_->setCurrentIndex(index);
    followOpened_ = true;
    keepOpenedInView();
}

void Dialog::keepOpenedInView() {
    if (followOpened_)
        directoryTree_->scrollTo(model_->index(path_), QAbstractItemView::PositionAtCenter);
}

bool Dialog::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            followOpened_ = false;
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}
