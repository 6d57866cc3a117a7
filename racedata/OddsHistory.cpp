#include "racedata/OddsHistory.h"

#include <algorithm>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <limits>
#include <memory>

#include "common/Clock.h"
#include "racedata/Records.h"

namespace {

QString& pathOverride() {
    static QString path;
    return path;
}

// The steps from each version to the next; the list's length is the version.
const std::vector<std::vector<QString>>& upgradeSteps() {
    static const std::vector<std::vector<QString>> steps = {
        // 0 -> 1: the snapshots, and the files they were read from.
        {
            "CREATE TABLE snapshots ("
            " id INTEGER PRIMARY KEY,"
            " race_date INTEGER NOT NULL,"  // yyyymmdd of the record
            " course INTEGER NOT NULL,"
            " race INTEGER NOT NULL,"
            " file INTEGER NOT NULL,"  // 0 uo-, 1 zo-
            " hash BLOB NOT NULL,"     // SHA-1 of raw: the same content is stored once
            " raw BLOB NOT NULL,"
            " modified INTEGER NOT NULL,"  // ms since the epoch, when the file was written
            " seen INTEGER NOT NULL,"      // ms since the epoch, when first seen
            " UNIQUE (race_date, course, race, file, hash))",
            "CREATE INDEX snapshots_by_time ON snapshots (race_date, course, race, file, modified)",
            "CREATE INDEX snapshots_by_age ON snapshots (modified)",
            // What was last recorded of each file of a data directory, so that a
            // new run reads only the files that changed since.
            "CREATE TABLE files ("
            " directory TEXT NOT NULL,"
            " name TEXT NOT NULL,"
            " modified INTEGER NOT NULL,"
            " PRIMARY KEY (directory, name)) WITHOUT ROWID",
        },
    };
    return steps;
}

// yyyymmdd of an 8-digit date field, 0 when it is no calendar date.
int dateKey(const QString& field) {
    if (field.size() != 8) return 0;
    int key = 0;
    for (const QChar c : field) {
        if (c < u'0' || c > u'9') return 0;
        key = key * 10 + (c.unicode() - u'0');
    }
    return QDate::isValid(key / 10000, key / 100 % 100, key % 100) ? key : 0;
}

int raceOfChar(QChar c) {
    if (c >= u'1' && c <= u'9') return c.unicode() - u'0';
    const QChar lower = c.toLower();
    if (lower >= u'a' && lower <= u'c') return 10 + (lower.unicode() - u'a');
    return 0;
}

// The date of a yyyymmdd key, null for 0.
QDate dateOfKey(int key) {
    return key ? QDate(key / 10000, key / 100 % 100, key % 100) : QDate();
}

QVariantList raceValues(const Race& race, OddsFile file) {
    return {DateKeyOf(race.date), race.course, race.number, static_cast<int>(file)};
}

void bindRace(QSqlQuery& query, const Race& race, OddsFile file) {
    query.addBindValue(DateKeyOf(race.date));
    query.addBindValue(race.course);
    query.addBindValue(race.number);
    query.addBindValue(static_cast<int>(file));
}

const char* const raceIs = "race_date = ? AND course = ? AND race = ? AND file = ?";

}  // namespace

std::optional<OddsFileName> ParseOddsFileName(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    if (name.size() != 10 || !name.endsWith(QLatin1String(".jra"), Qt::CaseInsensitive))
        return std::nullopt;
    OddsFileName parsed{};
    if (name.startsWith(QLatin1String("uo-"), Qt::CaseInsensitive)) {
        parsed.file = OddsFile::Uo;
    } else if (name.startsWith(QLatin1String("zo-"), Qt::CaseInsensitive)) {
        parsed.file = OddsFile::Zo;
    } else {
        return std::nullopt;
    }
    if (name[3] < u'0' || name[3] > u'9') return std::nullopt;
    parsed.course = name[3].unicode() - u'0';
    parsed.race = raceOfChar(name[5]);
    if (parsed.race == 0) return std::nullopt;
    return parsed;
}

int RaceDateKey(OddsFile file, const QByteArray& raw) {
    if (file == OddsFile::Uo) {
        UoRecord uo;
        uo.assign(raw);
        return dateKey(uo.RaceDate());
    }
    ZoRecord zo;
    zo.assign(raw);
    return dateKey(zo.RaceDate());
}

int DateKeyOf(const QDate& date) {
    return date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0;
}

bool ConcernsShownRace(const Race& shown, const Race& added, bool dayChosen) {
    if (shown.course != added.course || shown.number != added.number || shown.course < 0)
        return false;
    return added.date == shown.date || (!dayChosen && added.date > shown.date);
}

bool ConcernsShownRace(const Race& shown, const QList<Race>& added, bool dayChosen) {
    return std::any_of(added.begin(), added.end(),
                       [&](const Race& race) { return ConcernsShownRace(shown, race, dayChosen); });
}

QString OddsHistoryPath() {
    return StoreFilePath(QStringLiteral("odds-history.sqlite"), pathOverride());
}

void SetOddsHistoryPath(const QString& path) {
    pathOverride() = path;
}

OddsHistory::OddsHistory()
    : SqliteStore(QStringLiteral("odds-history"),
                  {QStringLiteral("オッズ履歴"), QStringLiteral("オッズ履歴のファイル")}) {}

OddsHistory::~OddsHistory() {
    close();
}

void OddsHistory::close() {
    // The prepared statements go before their connection.
    statements_.clear();
    SqliteStore::close();
}

bool OddsHistory::open(const QString& path) {
    close();
    const std::optional<int> version = openFile(path, SchemaVersion);
    if (!version) return false;
    if (*version > SchemaVersion) {
        notice_ = QStringLiteral(
                      "オッズ履歴 %1 はこのプログラムより新しい版（%2）で作られています。"
                      "読み取り専用で開きました。新しいオッズは記録されません。")
                      .arg(QDir::toNativeSeparators(path_))
                      .arg(*version);
        return true;
    }
    {
        // Readers (the windows, another ZEM) go on reading while a download is
        // recorded; a lost last commit on power failure costs one snapshot.
        QSqlQuery query(connection());
        query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        query.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    if (*version < SchemaVersion && !upgrade(upgradeSteps())) {
        close();
        return false;
    }
    if (prune(Now().addDays(-KeepDays)) < 0) {
        close();
        return false;
    }
    return true;
}

SnapshotOutcome OddsHistory::record(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    SnapshotOutcome outcome;
    const auto name = ParseOddsFileName(path);
    if (!name) {
        outcome.error = QStringLiteral("オッズのファイルではありません");
        return outcome;
    }
    const int length = name->file == OddsFile::Uo ? UoLayout::Length : ZoLayout::Length;
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.error = QStringLiteral("ファイルを読めません");
        return outcome;
    }
    const QByteArray bytes = file.read(length);
    if (file.error() != QFileDevice::NoError) {
        outcome.error = QStringLiteral("ファイルを読めません");
        return outcome;
    }
    return record(info.fileName(), bytes, info.lastModified(), info.absolutePath());
}

SnapshotOutcome OddsHistory::record(const QString& fileName, const QByteArray& bytes,
                                    const QDateTime& modified, const QString& directory) {
    SnapshotOutcome outcome;
    const auto name = ParseOddsFileName(fileName);
    if (!name) {
        outcome.error = QStringLiteral("オッズのファイルではありません");
        return outcome;
    }
    outcome.file = name->file;
    // The record's own decoding: a UoRecord or ZoRecord of its exact bytes.
    std::unique_ptr<FixedRecord> record;
    QString date;
    if (name->file == OddsFile::Uo) {
        auto uo = std::make_unique<UoRecord>();
        uo->assign(bytes);
        date = uo->RaceDate();
        record = std::move(uo);
    } else {
        auto zo = std::make_unique<ZoRecord>();
        zo->assign(bytes);
        date = zo->RaceDate();
        record = std::move(zo);
    }
    if (bytes.size() < record->length()) {
        outcome.error = QStringLiteral("ファイルが短すぎます（%1 バイト）").arg(bytes.size());
        return outcome;
    }
    outcome.race = {dateOfKey(dateKey(date)), name->course, name->race};
    if (!outcome.race.date.isValid()) {
        outcome.error = QStringLiteral("レースの日付が読めません");
        return outcome;
    }
    if (!open_) {
        outcome.error = error_.isEmpty() ? QStringLiteral("オッズ履歴が開いていません") : error_;
        return outcome;
    }
    if (readOnly_) {
        outcome.error = notice_;
        return outcome;
    }
    error_.clear();
    const QByteArray& raw = record->raw();
    const QByteArray hash = QCryptographicHash::hash(raw, QCryptographicHash::Sha1);
    const QString cleanDirectory = directory.isEmpty() ? QString() : QDir::cleanPath(directory);
    const QString baseName = QFileInfo(fileName).fileName();
    {
        // A file read again as it was (each time a window opens on it) is
        // answered by reading alone: no write, no lock on the file.
        QSqlQuery* known = statement(
            QStringLiteral("SELECT EXISTS (SELECT 1 FROM snapshots WHERE %1 AND hash = ?),"
                           " (SELECT modified FROM files WHERE directory = ? AND name = ?)")
                .arg(QLatin1String(raceIs)),
            raceValues(outcome.race, outcome.file) << hash << cleanDirectory << baseName);
        const bool seenAsItIs = known && known->exec() && known->next() &&
                                known->value(0).toBool() &&
                                (cleanDirectory.isEmpty() ||
                                 (!known->value(1).isNull() &&
                                  known->value(1).toLongLong() == modified.toMSecsSinceEpoch()));
        if (known) known->finish();
        if (seenAsItIs) {
            outcome.stored = true;
            return outcome;
        }
    }
    QSqlQuery insert(connection());
    insert.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO snapshots (race_date, course, race, file, hash, raw, modified, seen)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    bindRace(insert, outcome.race, outcome.file);
    insert.addBindValue(hash);
    insert.addBindValue(raw);
    insert.addBindValue(modified.toMSecsSinceEpoch());
    insert.addBindValue(Now().toMSecsSinceEpoch());
    if (!insert.exec()) {
        fail(insert.lastError());
        outcome.error = error_;
        return outcome;
    }
    outcome.added = insert.numRowsAffected() == 1;
    if (!directory.isEmpty()) {
        QSqlQuery seen(connection());
        seen.prepare(QStringLiteral("INSERT OR REPLACE INTO files VALUES (?, ?, ?)"));
        seen.addBindValue(cleanDirectory);
        seen.addBindValue(baseName);
        seen.addBindValue(modified.toMSecsSinceEpoch());
        if (!seen.exec()) {
            fail(seen.lastError());
            outcome.error = error_;
            return outcome;
        }
    }
    outcome.stored = true;
    return outcome;
}

std::vector<OddsSnapshot> OddsHistory::select(const QString& where, const QVariantList& values,
                                              const QString& tail, const Race& race,
                                              OddsFile file) {
    std::vector<OddsSnapshot> found;
    error_.clear();
    if (!open_) return found;
    QSqlQuery* query =
        statement(QStringLiteral("SELECT id, modified, seen, raw FROM snapshots WHERE %1%2 %3")
                      .arg(QLatin1String(raceIs), where, tail),
                  raceValues(race, file) << values);
    if (!query) return found;
    if (!query->exec()) {
        fail(query->lastError());
        query->finish();
        return found;
    }
    while (query->next()) {
        OddsSnapshot s;
        s.id = query->value(0).toLongLong();
        s.race = race;
        s.file = file;
        s.modified = QDateTime::fromMSecsSinceEpoch(query->value(1).toLongLong());
        s.seen = QDateTime::fromMSecsSinceEpoch(query->value(2).toLongLong());
        s.raw = query->value(3).toByteArray();
        found.push_back(std::move(s));
    }
    query->finish();  // no read transaction left open
    return found;
}

QSqlQuery* OddsHistory::statement(const QString& sql, const QVariantList& values) {
    auto it = statements_.find(sql);
    if (it == statements_.end()) {
        QSqlQuery query(connection());
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            fail(query.lastError());
            return nullptr;
        }
        it = statements_.emplace(sql, std::move(query)).first;
    }
    for (int i = 0; i < values.size(); ++i) it->second.bindValue(i, values[i]);
    return &it->second;
}

std::vector<OddsSnapshot> OddsHistory::snapshots(const Race& race, OddsFile file) {
    return select(QString(), {}, QStringLiteral("ORDER BY modified, id"), race, file);
}

std::optional<OddsSnapshot> OddsHistory::previous(const OddsSnapshot& snapshot) {
    const qint64 at = snapshot.modified.toMSecsSinceEpoch();
    auto found = select(
        QStringLiteral(" AND (modified < ? OR (modified = ? AND id < ?))"), {at, at, snapshot.id},
        QStringLiteral("ORDER BY modified DESC, id DESC LIMIT 1"), snapshot.race, snapshot.file);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

std::optional<OddsSnapshot> OddsHistory::snapshotOf(int course, int race, OddsFile file,
                                                    const QByteArray& raw) {
    const Race of{dateOfKey(RaceDateKey(file, raw)), course, race};
    if (!of.valid()) return std::nullopt;
    auto found =
        select(QStringLiteral(" AND hash = ?"),
               {QCryptographicHash::hash(raw, QCryptographicHash::Sha1)}, QString(), of, file);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

std::optional<OddsSnapshot> OddsHistory::latest(const Race& race, OddsFile file,
                                                const QDateTime& newerThan) {
    const qint64 after =
        newerThan.isValid() ? newerThan.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    auto found = select(QStringLiteral(" AND modified > ?"), {after},
                        QStringLiteral("ORDER BY modified DESC, id DESC LIMIT 1"), race, file);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

QDate OddsHistory::latestDate(int course, int race) {
    error_.clear();
    if (!open_) return {};
    QSqlQuery query(connection());
    query.prepare(
        QStringLiteral("SELECT MAX(race_date) FROM snapshots WHERE course = ? AND race = ?"));
    query.addBindValue(course);
    query.addBindValue(race);
    if (!query.exec() || !query.next()) {
        fail(query.lastError());
        return {};
    }
    return dateOfKey(query.value(0).toInt());
}

QHash<QString, qint64> OddsHistory::seenFiles(const QString& directory) {
    QHash<QString, qint64> files;
    error_.clear();
    if (!open_) return files;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT name, modified FROM files WHERE directory = ?"));
    query.addBindValue(QDir::cleanPath(directory));
    if (!query.exec()) {
        fail(query.lastError());
        return files;
    }
    while (query.next()) files.insert(query.value(0).toString(), query.value(1).toLongLong());
    return files;
}

int OddsHistory::prune(const QDateTime& cutoff) {
    error_.clear();
    if (!open_) return -1;
    if (readOnly_) return 0;
    QSqlQuery query(connection());
    const qint64 before = cutoff.toMSecsSinceEpoch();
    query.prepare(QStringLiteral("DELETE FROM snapshots WHERE modified < ?"));
    query.addBindValue(before);
    if (!query.exec()) {
        fail(query.lastError());
        return -1;
    }
    const int removed = query.numRowsAffected();
    query.prepare(QStringLiteral("DELETE FROM files WHERE modified < ?"));
    query.addBindValue(before);
    if (!query.exec()) {
        fail(query.lastError());
        return -1;
    }
    return removed;
}

bool OddsHistory::begin() {
    if (!open_ || readOnly_) return false;
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(query.lastError());
        return false;
    }
    return true;
}

bool OddsHistory::commit() {
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("COMMIT"))) {
        fail(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

namespace {
std::unique_ptr<OddsHistory>& shared() {
    static std::unique_ptr<OddsHistory> history;
    return history;
}
}  // namespace

OddsHistory& SharedOddsHistory() {
    std::unique_ptr<OddsHistory>& history = shared();
    if (!history) {
        history = std::make_unique<OddsHistory>();
        // Closed with the application, while the database driver is still there.
        qAddPostRoutine([] { shared().reset(); });
    }
    if (!history->isOpen() || history->path() != OddsHistoryPath())
        history->open(OddsHistoryPath());
    return *history;
}

OddsHistory* OpenedOddsHistory() {
    OddsHistory* history = shared().get();
    return history && history->isOpen() && history->path() == OddsHistoryPath() ? history : nullptr;
}

SnapshotOutcome RecordSnapshot(const QString& path) {
    return SharedOddsHistory().record(path);
}
