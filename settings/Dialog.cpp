#include "settings/Dialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
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

Dialog::Dialog(QLineEdit* Text1, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), Text1_(Text1) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QString());
    setFont(UiFont(9));
    setFixedSize(TwSize(3840, 3945));

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(TwRect(120, 120, 3600, 315));

    model_ = new QFileSystemModel(this);
    // Hidden folders too: under Wine, PAT95 lies below ~/.wine.
    model_->setFilter(QDir::Dirs | QDir::Drives | QDir::NoDotAndDotDot | QDir::Hidden);

    Dir1 = new QTreeView(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(TwRect(120, 540, 3600, 2715));
    Dir1->setModel(model_);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column) Dir1->hideColumn(column);
    Dir1->setUniformRowHeights(true);
    Dir1->setExpandsOnDoubleClick(false);
    Dir1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Dir1->setSelectionMode(QAbstractItemView::SingleSelection);

    OKButton = PlainButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"),
                           TwRect(660, 3420, 1215, 375));
    CancelButton = PlainButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"),
                               TwRect(1965, 3420, 1215, 375));

    // The drive list: the system's drives, then the C: drive of each Wine
    // prefix, where PAT95 lies when it runs under Wine. It starts at the drive
    // holding the current directory.
    const QString current = QDir::currentPath();
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        Drive1->addItem(QDir::toNativeSeparators(root), root);
    }
    for (const WineDrive& wine : WineDrives()) Drive1->addItem(wine.name, wine.root);
    int start = -1;
    qsizetype matched = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i).toString();
        if (isOnDrive(current, root) && root.size() > matched) {
            start = i;
            matched = root.size();
        }
    }
    if (start < 0) {  // e.g. a network share: its root stands for the drive
        const QString root = QStorageInfo(current).rootPath();
        Drive1->addItem(QDir::toNativeSeparators(root), root);
        start = Drive1->count() - 1;
    }
    Drive1->setCurrentIndex(start);
    driveIndex_ = start;

    showDrive(Drive1->itemData(start).toString());
    openPath(current);
    Dir1->setFocus();

    connect(Drive1, &QComboBox::currentIndexChanged, this, &Dialog::Drive1_Change);
    connect(Dir1, &QTreeView::activated, this, &Dialog::Dir1_DblClick);
    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
    EscapePresses(this, CancelButton);
    // Other drives (and, for a drive below a directory, its siblings) come in
    // as the model loads; only the chosen drive is shown.
    connect(model_, &QFileSystemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        if (parent == Dir1->rootIndex()) hideOtherDrives();
    });
    // Rows keep arriving and being sorted for a moment after a directory is
    // opened; it stays in view until the user moves in the tree.
    connect(model_, &QFileSystemModel::directoryLoaded, this, &Dialog::keepOpenedInView);
    connect(model_, &QFileSystemModel::layoutChanged, this, &Dialog::keepOpenedInView);
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { followOpened_ = false; });
    Dir1->installEventFilter(this);
    Dir1->viewport()->installEventFilter(this);
}

QString Dialog::Dir1Path() const {
    return QDir::toNativeSeparators(QDir::cleanPath(path_));
}

void Dialog::Drive1_Change(int index) {
    if (index < 0 || index == driveIndex_) return;
    const QString root = Drive1->itemData(index).toString();
    const QDir dir(root);
    if (!dir.exists() || !dir.isReadable()) {
        // A drive without medium, or one the user may not read: stay where we were.
        ShowMessage(this,
                    QStringLiteral("ドライブ %1 を読み取れません。").arg(Drive1->itemText(index)),
                    MsgIcon::Exclamation);
        const QSignalBlocker blocker(Drive1);
        Drive1->setCurrentIndex(driveIndex_);
        return;
    }
    driveIndex_ = index;
    showDrive(root);
    // Back on a drive, the directory last opened there in this chooser.
    const QString last = lastOpened_.value(root);
    openPath(!last.isEmpty() && QFileInfo(last).isDir() ? last : root);
}

void Dialog::Dir1_DblClick(const QModelIndex& index) {
    if (index.isValid()) openPath(model_->filePath(index));
}

void Dialog::OKButton_Click() {
    if (Text1_) Text1_->setText(Dir1Path());
    accept();
}

void Dialog::CancelButton_Click() {
    reject();
}

void Dialog::showDrive(const QString& root) {
    // Rows hidden for the drive shown before are ordinary directories again.
    const QModelIndex oldTop = Dir1->rootIndex();
    for (int row = 0; row < model_->rowCount(oldTop); ++row) Dir1->setRowHidden(row, oldTop, false);
    drive_ = root;
    model_->setRootPath(root);
    Dir1->setRootIndex(model_->index(root).parent());
    hideOtherDrives();
}

void Dialog::hideOtherDrives() {
    const QModelIndex top = Dir1->rootIndex();
    const QModelIndex drive = model_->index(drive_);
    for (int row = 0; row < model_->rowCount(top); ++row) {
        Dir1->setRowHidden(row, top, model_->index(row, 0, top) != drive);
    }
}

// Makes path the opened directory: the tree is expanded down to it, it shows
// its subdirectories and is selected.
void Dialog::openPath(const QString& path) {
    const QModelIndex index = model_->index(path);
    if (!index.isValid()) return;
    path_ = model_->filePath(index);
    lastOpened_.insert(drive_, path_);
    for (QModelIndex i = index; i.isValid() && i != Dir1->rootIndex(); i = i.parent()) {
        Dir1->expand(i);
    }
    Dir1->setCurrentIndex(index);
    followOpened_ = true;
    keepOpenedInView();
}

void Dialog::keepOpenedInView() {
    if (followOpened_) Dir1->scrollTo(model_->index(path_), QAbstractItemView::PositionAtCenter);
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
