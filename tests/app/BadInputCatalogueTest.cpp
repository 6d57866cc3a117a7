#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QPushButton>
#include <QTextStream>

#include "app/Frm_Main.h"
#include "common/ProgramDir.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "settings/Settings.h"
#include "settle/SettleCommand.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

// What ZEM does with whatever a terminal program left on disk and whatever the
// user types: one row per bad input, driven through the real windows on real
// files. Every row also checks that no data file changed (content and time).

namespace {

enum class Job {
    Result,      // Cmd_Result for 中山 1R
    Special,     // Cmd_Special
    Odds,        // Cmd_Separate, then the odds button; input: the bet type
    SettleFile,  // zem-settle on the memo file places/memo.txt and the data directory
};

// The files of one row: data files in `data`; the program and the
// configuration directory in `places`.
struct Scene {
    TempDir data, places;
    AppState state;
    MessageRecorder messages;
    ModalDriver modal;
    std::unique_ptr<Frm_Main> main;
    int exitCode = -1;  // of zem-settle
    QString report;     // what zem-settle printed
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");

    Scene() {
        SetProgramDir(places.file("program"));
        QDir().mkpath(ProgramDir());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(places.file("config")));
        state.DataDir = data.path();
    }
    ~Scene() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Frm_Result" || w->objectName() == "Frm_Special") delete w;
        main.reset();
        SetProgramDir({});
        configHome.isEmpty() ? qunsetenv("XDG_CONFIG_HOME")
                             : qputenv("XDG_CONFIG_HOME", configHome);
    }
    void put(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(data.write(name, bytes)); }
    void fifo(const QString& name) { mkfifo(QFile::encodeName(data.file(name)).constData(), 0644); }
    // Opens, but reading fails (EIO).
    void unreadable(const QString& name) { QFile::link("/proc/self/mem", data.file(name)); }
};

// Sound records of 中山 1R: a result, and win/place odds of n horses.
RecordBuilder ks() {
    return KsBuilder()
        .set(KsLayout::RaceDate, "20261206")
        .set(KsLayout::CourseName, "中山")
        .setRight(KsLayout::RaceNo, "1")
        .set(KsLayout::RaceTitle, "第1競走")
        .setRight(KsLayout::FinisherHorseNo(0), "3")
        .setRight(KsLayout::WinPayout, "1230");
}
QByteArray zo(int n = 8, const char* win = "3.5", const char* low = "1.2",
              const char* high = "1.8") {
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, "20261206").set(ZoLayout::RaceTitle, "第1競走");
    for (int h = 0; h < n; ++h) {
        zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
            .setRight(ZoLayout::WinOdds(h), win)
            .setRight(ZoLayout::PlaceOddsLow(h), low)
            .setRight(ZoLayout::PlaceOddsHigh(h), high);
    }
    return zo.bytes();
}
// Every entry below the data directory: its kind and, for a file, its bytes'
// hash and modification time.
QStringList snapshot(const QString& root) {
    QStringList entries;
    for (QDirIterator it(root,
                         QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        // Links and special files are not opened: a FIFO would block.
        QString kind = info.isDir() ? "dir" : "other";
        if (!info.isSymLink() && info.isFile() && file.open(QIODevice::ReadOnly))
            kind = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex() +
                   ' ' + info.lastModified().toString(Qt::ISODateWithMs);
        entries << info.filePath() + ' ' + info.symLinkTarget() + ' ' + kind;
    }
    entries.sort();
    return entries;
}

// The message of a token M1 or M2, "!" marking the exclamation icon.
QString messageText(const QString& token) {
    return QString::fromUtf16(token.startsWith("M1") ? MsgOddsMissing : MsgResultMissing);
}

// Checks "Name=text" pairs separated by ';' on a window: the text of the
// control Name (blanks at the ends ignored); "#Name" the number of visible
// elements of the array Name; "*Name" the texts of its elements joined;
// "DataDir" the data directory; "exit",
// "stake", "pending" and "unread" zem-settle's exit status, its 購入 and 未確定
// and the number of lines it did not read.
void checkShows(Scene& s, QWidget* window, const char* shows) {
    for (const QString& pair : QString::fromUtf8(shows).split(';', Qt::SkipEmptyParts)) {
        const QString name = pair.section('=', 0, 0);
        QString got;
        if (name == "DataDir") {
            got = s.state.DataDir;
        } else if (name == "exit") {
            got = QString::number(s.exitCode);
        } else if (name == "stake" || name == "pending") {
            const QString head = name == "stake" ? "購入　" : "未確定　";
            for (const QString& line : s.report.split('\n'))
                if (line.startsWith(head)) got = line.mid(head.size());
        } else if (name == "unread") {
            got = QString::number(s.report.count("行目："));
        } else if (name.startsWith('#') || name.startsWith('*')) {
            int visible = 0;
            for (int i = 0;; ++i) {
                auto* w =
                    window->findChild<QWidget*>(QStringLiteral("%1(%2)").arg(name.mid(1)).arg(i));
                if (!w) break;
                visible += w->isVisibleTo(window);
                got += w->property("text").toString().trimmed();
            }
            if (name.startsWith('#')) got = QString::number(visible);
        } else if (auto* w = window->findChild<QWidget*>(name)) {
            got = w->property("text").toString().trimmed();
        } else {
            got = "(no " + name + ")";
        }
        EXPECT_EQ(got.toStdString(), pair.section('=', 1).toStdString()) << name.toStdString();
    }
}

void run(Scene& s, Job job, const char* input, const char* shows) {
    s.main = std::make_unique<Frm_Main>(s.state);
    ShowAndWait(s.main.get());
    Frm_Main& m = *s.main;
    auto check = [&](QWidget* window) { checkShows(s, window, shows); };
    if (job == Job::Odds) {
        Find<QComboBox>(&m, "Cmb_Type")->setCurrentIndex(QString(input).toInt());
        s.modal.then([](QDialog& dlg) { Click(Find<QPushButton>(&dlg, "Command1")); });
        s.modal.then([&](QDialog& picker) { check(&picker); });
        Click(Find<QPushButton>(&m, "Cmd_Separate"));
    } else if (job == Job::SettleFile) {
        QTextStream out(&s.report);
        s.exitCode = RunSettleCommand({s.places.file("memo.txt"), s.data.path()}, out, out);
        out.flush();
        check(&m);
    } else {  // the job's window if it is shown, else the main window
        const QString name = job == Job::Special ? "Frm_Special" : "Frm_Result";
        Click(Find<QPushButton>(&m, job == Job::Special ? "Cmd_Special" : "Cmd_Result"));
        QWidget* window = &m;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible()) window = w;
        check(window);
    }
}

struct Row {
    const char* what;
    Job job;
    void (*arrange)(Scene&);
    const char* input;
    const char* said;   // message tokens in order, space-separated; "" for none
    const char* shows;  // what the window shows afterwards (checkShows)
};

const QString Ks = "ks-61211.jra", Zo = "zo-611.jra", Uo = "uo-611.jra";
const char* const Win3 = "中山\t1R\t単勝\r\n\t3\t1000\r\n";

}  // namespace

TEST(BadInputCatalogue, EveryRowEndsInItsMessageOrSoundDefaultWithDataFilesUntouched) {
    // clang-format off
    const Row rows[] = {
        // Data files of the race result
        {"truncated result file", Job::Result, [](Scene& s) { s.put(Ks, ks().bytes().left(60)); }, "", "",
         "Label3=第1競走;Lbl_Date=2026年12月06日;Lbl_Tan="},
        {"FIFO named like the result file", Job::Result, [](Scene& s) { s.fifo(Ks); }, "", "M2!", ""},
        {"result file that cannot be read", Job::Result,
         [](Scene& s) { s.state.KsData.assign(ks().bytes()); s.unreadable(Ks); }, "", "M2!", ""},
        {"DataDir holding kanji", Job::Result,
         [](Scene& s) { s.state.DataDir = s.data.file("競馬"); QDir().mkpath(s.state.DataDir); s.put("競馬/" + Ks, ks().bytes()); },
         "", "", "Label3=第1競走"},
        // Odds and results for the recommendation
        {"empty odds file", Job::Special, [](Scene& s) { s.put(Zo, ""); }, "", "", "#Lbl_No=0;Label3="},
        {"garbage in every odds field", Job::Special, [](Scene& s) { s.put(Zo, zo(18, "ab", "1,,2", "-")); }, "", "",
         "#Lbl_No=18;*Lbl_Mark="},
        {"odds file that cannot be read", Job::Special,
         [](Scene& s) { s.state.ZoData.assign(zo(12)); s.unreadable(Zo); }, "", "M1!", ""},
        // Odds files for the distribution's pickers
        {"empty quinella file", Job::Odds, [](Scene& s) { s.put(Uo, ""); }, "0", "", "#Lbl_Uma=0;Lbl_Date="},
        {"quinella file that cannot be read", Job::Odds, [](Scene& s) { s.unreadable(Uo); }, "0", "M1!", ""},
        {"win/place file a FIFO", Job::Odds, [](Scene& s) { s.fifo(Zo); }, "2", "M1", ""},
        // Settings read as at start-up, then the result
        {"settings of garbage", Job::Result, [](Scene& s) {
             s.places.write("program/ZEM.ini", QByteArray("\xff\xfe\0\x01\r\n\x80\x81?*", 10));
             s.state.DataDir = LoadSettings(); },
         "", "M2!", "DataDir=\ufffd\ufffd?*"},
        {"settings with a very long line", Job::Result, [](Scene& s) {
             s.places.write("program/ZEM.ini", "[Header]\r\n" + QByteArray(1 << 20, 'x'));
             s.state.DataDir = LoadSettings(); }, "", "M2!", ""},
        // zem-settle on the bet 単勝 3 of 中山1R beside a result that cannot count; the
        // other broken results are SettleResults.OnlyAWholeResultOfTheOddsDateCounts'
        {"short result file, today's odds", Job::SettleFile,
         [](Scene& s) { s.put(Ks, ks().bytes().left(100)); s.put(Zo, zo()); s.places.write("memo.txt", Win3); },
         "", "", "exit=0;stake=0円;pending=1件 1,000円"},
        // zem-settle on memo files (中山1R's result pays 1,230 for 3)
        {"memo of binary garbage", Job::SettleFile,
         [](Scene& s) { s.put(Ks, ks().bytes()); QByteArray bytes; for (int i = 0; i < 4096; ++i) bytes += char(i * 151 % 256); s.places.write("memo.txt", bytes); },
         "", "", "exit=0;stake=0円;pending=0件 0円"},
        {"memo line of 10 MB without a line end", Job::SettleFile,
         [](Scene& s) { s.put(Ks, ks().bytes()); s.places.write("memo.txt", Win3 + QByteArray(10 << 20, '7')); },
         "", "", "exit=0;stake=1,000円;unread=1"},
        {"memo with NUL bytes", Job::SettleFile,
         [](Scene& s) { s.put(Ks, ks().bytes()); s.places.write("memo.txt", Win3 + QByteArray("\0\0\r\n中山\0\t1R\t単勝\r\n\t3\t100\r\n", 31)); },
         "", "", "exit=0;stake=1,000円;unread=3"},
        {"memo of lone CRs", Job::SettleFile,
         [](Scene& s) { s.put(Ks, ks().bytes()); s.places.write("memo.txt", "中山\t1R\t単勝\r\t3\t1000\r"); },
         "", "", "exit=0;stake=1,000円;pending=0件 0円"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Scene s;
        if (row.arrange) row.arrange(s);
        const QStringList before = snapshot(s.data.path());
        run(s, row.job, row.input, row.shows);

        const QStringList said = s.messages.texts();
        const QStringList tokens = QString::fromUtf8(row.said).split(' ', Qt::SkipEmptyParts);
        EXPECT_EQ(said.size(), tokens.size()) << said.join(" | ").toStdString();
        for (int i = 0; i < std::min(tokens.size(), said.size()); ++i) {
            EXPECT_TRUE(said[i].startsWith(messageText(tokens[i]))) << said[i].toStdString();
            EXPECT_EQ(s.messages.shown[i].icon == MsgIcon::Exclamation, tokens[i].endsWith('!'));
        }
        // The modal windows that opened: the distribution window and its
        // picker unless the file was refused.
        EXPECT_EQ(s.modal.opened.size(), row.job == Job::Odds ? 1 + tokens.isEmpty() : 0);
        EXPECT_TRUE(s.main->isVisible());  // nothing crashed or closed the program
        EXPECT_EQ(snapshot(s.data.path()), before);
    }
}
