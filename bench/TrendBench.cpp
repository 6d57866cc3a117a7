// The odds history, offscreen:
// - storing a snapshot of a changed 馬連 file, beside reading the file and a
//   plain INSERT of its bytes into the same database (the floor);
// - opening Frm_Trend to its first paint on 40 snapshots of 153 pairs, beside
//   a plain SELECT of the same 40 records;
// - a changed odds file to the watcher's signal, in a data directory of
//   100,000 other files (every other "uo-" and "zo-" name, 8,639, and "ks-"
//   files), for a new download renamed over the old file and for one
//   rewritten in place, beside a plain listing of the directory;
// - a rewrite in place of the 馬連 file of the race an open Frm_Separate
//   shows to Lbl_Update painted with the download's time, in the same
//   directory, beside the same listing.
// Real and floor runs alternate; medians.
//
//   zem-bench-trend DIR   (DIR/others100k holds the 100,000 files, made on the first run)

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "bench/BenchSupport.h"
#include "bench/DirListing.h"
#include "bench/PaintWatch.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/RaceSelection.h"
#include "distribution/Frm_Separate.h"
#include "racedata/AppState.h"
#include "racedata/OddsHistory.h"
#include "racedata/OddsWatcher.h"
#include "racedata/RaceFiles.h"
#include "tools/RecordBuilder.h"
#include "trend/Frm_Trend.h"
#include "trend/TrendModel.h"

namespace {

constexpr int Runs = 40;
constexpr int Warmups = 5;
constexpr int OtherFiles = 100000;

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "trend benchmark: %s\n", qPrintable(what));
    std::exit(1);
}

// A "uo-" record of 18 runners whose odds differ with `download`.
QByteArray QuinellaRecord(int download) {
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, QStringLiteral("20261206"))
        .set(UoLayout::RaceTitle, QStringLiteral("ジャパンカップ"))
        .setRight(UoLayout::Runners, QStringLiteral("18"));
    for (int k = 0; k < UoLayout::EntryCount; ++k) {
        const int tenths = 50 + (k * 37 + download * (k % 7 + 1) * 13) % 2000;
        uo.setRight({UoLayout::QuinellaOdds(k).offset, 6},
                    QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10));
    }
    return uo.bytes();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + path);
}

// Notes when a label is painted showing text, once the paint pass is done.
class ShownWatch : public QObject {
public:
    explicit ShownWatch(QLabel* label) : label_(label) { label->installEventFilter(this); }
    // Runs the event loop until the label has been painted showing text; false
    // after 5 s without that paint.
    bool wait() {
        shown_ = false;
        QEventLoop loop;
        loop_ = &loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
        return shown_;
    }
    Stamp at() const { return at_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint && !label_->text().isEmpty() &&
            loop_ && !shown_) {
            shown_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    at_ = TakeStamp();
                    if (loop_) loop_->quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QLabel* label_;
    QEventLoop* loop_ = nullptr;
    bool shown_ = false;
    Stamp at_;
};

// The other files of a large data directory, made once and dated 200 days
// back: every other "uo-" and "zo-" name there can be (4,320 each), then
// "ks-" files up to the count.
void prepareOthers(const QString& path, const QStringList& except) {
    QDir dir(path);
    // Complete when it holds the others (and, after a run, the names left out).
    if (dir.exists()) {
        QStringList names = dir.entryList(QDir::Files);
        for (const QString& name : except) names.removeAll(name);
        if (names.size() == OtherFiles) return;
    }
    if (dir.exists()) dir.removeRecursively();
    QDir().mkpath(path);
    std::fprintf(stderr, "making %d files in %s\n", OtherFiles, qPrintable(path));
    const QByteArray blank = RecordBuilder(ZoLayout::Length).bytes();
    const QDateTime old = QDateTime::currentDateTime().addDays(-200);
    const QString chars = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz");
    const auto make = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.flush() || !file.setFileTime(old, QFileDevice::FileModificationTime))
            fail(QStringLiteral("cannot write ") + file.fileName());
    };
    int made = 0;
    for (const char* prefix : {"uo-", "zo-"}) {
        for (int course = 0; course < 10; ++course) {
            for (const QChar part : chars) {
                for (int race = 1; race <= 12; ++race) {
                    const QString name = QLatin1String(prefix) + QString::number(course) + part +
                                         RaceChar(race) + QStringLiteral(".jra");
                    if (except.contains(name)) continue;
                    make(name, blank);
                    ++made;
                }
            }
        }
    }
    for (int i = 0; made < OtherFiles; ++i, ++made) {
        const QString part = QString::number(i / 120, 36).rightJustified(3, u'0');
        make(QStringLiteral("ks-%1%2%3.jra").arg(i % 10).arg(part, RaceChar(i / 10 % 12 + 1)),
             QByteArray());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zem-bench-trend DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEM"));
    QApplication::setFont(UiFont(9));
    SetMessageHandler([](const MessageRequest& request) -> MsgAnswer {
        fail(QStringLiteral("message: ") + request.text);
    });
    const QDir root(QString::fromLocal8Bit(argv[1]));
    QDir(root.filePath(QStringLiteral("store"))).removeRecursively();
    QDir(root.filePath(QStringLiteral("data"))).removeRecursively();
    QDir().mkpath(root.filePath(QStringLiteral("store")));
    QDir().mkpath(root.filePath(QStringLiteral("data")));
    SetOddsHistoryPath(root.filePath(QStringLiteral("store/odds-history.sqlite")));
    const QString data = root.filePath(QStringLiteral("data"));
    const QString file = QDir(data).filePath(QStringLiteral("uo-58b.jra"));

    // Storing a changed 馬連 file.
    OddsHistory& history = SharedOddsHistory();
    if (!history.isOpen()) fail(history.error());
    {
        QSqlQuery(history.connection())
            .exec(QStringLiteral(
                "CREATE TABLE IF NOT EXISTS bare (id INTEGER PRIMARY KEY, raw BLOB)"));
    }
    int download = 0;
    const auto store = [&](int) {
        write(file, QuinellaRecord(++download));
        const Stamp start = TakeStamp();
        const SnapshotOutcome outcome = history.record(file);
        const double seconds = Elapsed(start, TakeStamp());
        if (!outcome.added) fail(QStringLiteral("not stored: ") + outcome.error);
        return seconds;
    };
    const auto bareStore = [&](int) {
        write(file, QuinellaRecord(1000 + download));
        const Stamp start = TakeStamp();
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read"));
        QSqlQuery insert(history.connection());
        insert.prepare(QStringLiteral("INSERT INTO bare (raw) VALUES (?)"));
        insert.addBindValue(in.readAll());
        if (!insert.exec()) fail(QStringLiteral("bare insert failed"));
        return Elapsed(start, TakeStamp());
    };
    PrintBudgetRow("storing a snapshot of a changed quinella (uo-) file",
                   Alternate(store, bareStore, Warmups, Runs), 0.005);

    // Frm_Trend on 40 snapshots: the 45 stored above, less the oldest 5.
    write(file, QuinellaRecord(download));  // as stored last: opening adds no snapshot
    {
        QSqlQuery trim(history.connection());
        trim.exec(
            QStringLiteral("DELETE FROM snapshots WHERE id IN"
                           " (SELECT id FROM snapshots ORDER BY modified, id LIMIT 5)"));
    }
    const Race race{QDate(2026, 12, 6), 5, 11};
    if (history.snapshots(race, OddsFile::Uo).size() != 40)
        fail(QStringLiteral("not 40 snapshots"));
    QComboBox place, type, raceList;
    FillSelectionLists(&place, &type, &raceList);
    place.setCurrentText(QStringLiteral("東京"));
    raceList.setCurrentIndex(10);
    const RaceSelection selection(&place, &type, &raceList);
    AppState state;
    state.DataDir = data;
    PaintWatch watch;
    QPointer<Frm_Trend> window;
    const auto open = [&](int) {
        watch.arm(WindowNamed(QStringLiteral("Frm_Trend")));
        const Stamp start = TakeStamp();
        Frm_Trend::Show(window, state, selection);
        if (!watch.wait()) fail(QStringLiteral("Frm_Trend did not paint"));
        const double seconds = Elapsed(start, watch.ended());
        if (window->model()->table().columns() != 40) fail(QStringLiteral("not 40 columns"));
        window->close();
        SettleEvents();
        return seconds;
    };
    const auto bareRead = [&](int) {
        const Stamp start = TakeStamp();
        QSqlQuery query(history.connection());
        query.setForwardOnly(true);
        query.prepare(
            QStringLiteral("SELECT raw FROM snapshots WHERE race_date = ? AND course = ?"
                           " AND race = ? AND file = 0 ORDER BY modified"));
        query.addBindValue(DateKeyOf(race.date));
        query.addBindValue(race.course);
        query.addBindValue(race.number);
        if (!query.exec()) fail(QStringLiteral("bare query failed"));
        qsizetype bytes = 0;
        while (query.next()) bytes += query.value(0).toByteArray().size();
        if (bytes == 0) fail(QStringLiteral("no rows read"));
        return Elapsed(start, TakeStamp());
    };
    PrintBudgetRow("Frm_Trend open to first paint, 40 snapshots x 153 pairs",
                   Alternate(open, bareRead, Warmups, Runs), 0.050);
    OddsWatcher::instance().watch({});

    // A changed file to the watcher's signal among 100,000 other files.
    const QString others = root.filePath(QStringLiteral("others100k"));
    prepareOthers(others, {QStringLiteral("uo-58b.jra"), QStringLiteral("download.tmp")});
    const QString watched = QDir(others).filePath(QStringLiteral("uo-58b.jra"));
    write(watched, QuinellaRecord(0));
    OddsWatcher watcher;
    bool signalled = false;
    QObject::connect(&watcher, &OddsWatcher::snapshotsAdded, [&] { signalled = true; });
    const Stamp first = TakeStamp();
    watcher.watch(others);
    watcher.scanNow();  // the first look: every odds file of the directory
    std::fprintf(stderr, "first look at %d files: %s\n", OtherFiles + 1,
                 FormatSeconds(Elapsed(first, TakeStamp())).c_str());
    SettleEvents();
    const auto change = [&](bool inPlace) {
        const QByteArray bytes = QuinellaRecord(5000 + ++download);
        const QString temporary = QDir(others).filePath(QStringLiteral("download.tmp"));
        if (!inPlace) write(temporary, bytes);
        signalled = false;
        const Stamp start = TakeStamp();
        if (inPlace) {
            write(watched, bytes);
        } else {
            QFile::remove(watched);
            QFile::rename(temporary, watched);
        }
        if (!QTest::qWaitFor([&] { return signalled; }, 5000)) fail(QStringLiteral("no signal"));
        return Elapsed(start, TakeStamp());
    };
    const auto list = [&](int) {
        const Stamp start = TakeStamp();
        if (PlainListing(others).size() < OtherFiles) fail(QStringLiteral("listing short"));
        return Elapsed(start, TakeStamp());
    };
    PrintBudgetRow("new download renamed in, 100,000 other files, to the watcher's signal",
                   Alternate([&](int) { return change(false); }, list, Warmups, Runs), 0.500);
    PrintBudgetRow("download rewritten in place, 100,000 other files, to the watcher's signal",
                   Alternate([&](int) { return change(true); }, list, Warmups, Runs), 0.500);

    // The distribution window of 東京 11R following the program's watcher, in
    // the small data directory and among the 100,000 files.
    watcher.watch({});
    type.setCurrentIndex(0);  // 馬連
    Frm_Separate separate(state, selection);
    separate.show();
    if (!QTest::qWaitForWindowExposed(&separate)) fail(QStringLiteral("Frm_Separate not shown"));
    auto* updateNote = separate.findChild<QLabel*>(QStringLiteral("Lbl_Update"));
    auto* updateButton = separate.findChild<QPushButton*>(QStringLiteral("Cmd_Update"));
    if (!updateNote || !updateButton) fail(QStringLiteral("Lbl_Update or Cmd_Update missing"));
    ShownWatch label(updateNote);
    const auto updateRow = [&](const QString& directory, const char* figure) {
        const QString path = QDir(directory).filePath(QStringLiteral("uo-58b.jra"));
        OddsWatcher::instance().watch(directory);
        OddsWatcher::instance().scanNow();
        SettleEvents();
        updateButton->click();  // whatever the first look found
        const auto toUpdate = [&](int) {
            const QByteArray bytes = QuinellaRecord(9000 + ++download);
            const Stamp start = TakeStamp();
            write(path, bytes);
            if (!label.wait()) fail(QStringLiteral("Lbl_Update not shown"));
            const double seconds = Elapsed(start, label.at());
            updateButton->click();  // the rows follow; the line is empty again
            if (!updateNote->text().isEmpty()) fail(QStringLiteral("Lbl_Update not cleared"));
            SettleEvents();
            return seconds;
        };
        const auto listing = [&](int) {
            const Stamp start = TakeStamp();
            if (PlainListing(directory).isEmpty()) fail(QStringLiteral("listing empty"));
            return Elapsed(start, TakeStamp());
        };
        PrintBudgetRow(figure, Alternate(toUpdate, listing, Warmups, Runs), 0.500);
    };
    updateRow(data, "download rewritten in place to Frm_Separate's Lbl_Update shown");
    updateRow(
        others,
        "download rewritten in place, 100,000 other files, to Frm_Separate's Lbl_Update shown");
    OddsWatcher::instance().watch({});
    return 0;
}
