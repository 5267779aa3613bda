// The demo tool as the demo script and benchmarks run it: the built tzcy-demo executable.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include "core/common/TimeText.h"
#include "core/db/Connection.h"
#include "core/db/ConnectionSettings.h"
#include "core/session/Md5Hex.h"

namespace {

const QString kNow = QStringLiteral("2026-07-15 18:30:00");

QString DemoTool() {
    const QString fromEnv = qEnvironmentVariable("TZCY_DEMO");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(QStringLiteral("tzcy-demo")),
                                     here.filePath(QStringLiteral("../bin/tzcy-demo"))}) {
        if (QFileInfo(candidate).isExecutable()) {
            return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return QString();
}

struct Run {
    int exitCode = -1;
    bool finished = false;
    QString out;
    QString err;
};

Run RunTool(const QStringList& args, int timeoutMs = 120000) {
    QProcess p;
    p.start(DemoTool(), args);
    Run r;
    r.finished = p.waitForStarted() && p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A connection to a demo folder whose getdate() is the creation clock.
class DemoDb {
public:
    explicit DemoDb(const QString& folder) : conn_([] { return ParseDbTime(kNow); }) {
        const ConnectionSettings s =
            ReadConnectionSettings(QDir(folder).filePath(kConnectionFileName));
        ok_ = conn_.open(s, folder);
    }
    bool ok() const { return ok_; }
    QString error() const { return conn_.lastError(); }

    QVariant scalar(const QString& sql) {
        QSqlQuery q(conn_.database());
        if (!q.exec(sql) || !q.next()) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            return QVariant();
        }
        return q.value(0);
    }

    QStringList rows(const QString& sql) {
        QSqlQuery q(conn_.database());
        QStringList out;
        if (!q.exec(sql)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            return out;
        }
        while (q.next()) {
            QStringList cols;
            for (int c = 0; c < q.record().count(); ++c) {
                cols << (q.isNull(c) ? QStringLiteral("<null>") : q.value(c).toString());
            }
            out << cols.join(QLatin1Char('|'));
        }
        return out;
    }

    // Every row of every table, in key order: two databases with the same dump hold the same data.
    QStringList dump() {
        QStringList all;
        for (const QString& table :
             {QStringLiteral("area"), QStringLiteral("roomtype"), QStringLiteral("room"),
              QStringLiteral("guest"), QStringLiteral("BigType"), QStringLiteral("SmallType"),
              QStringLiteral("Meal"), QStringLiteral("Kitchen"), QStringLiteral("SaleSit"),
              QStringLiteral("Employee"), QStringLiteral("users"), QStringLiteral("Consume")}) {
            all << rows(QStringLiteral("select * from %1 order by 1").arg(table));
        }
        return all;
    }

private:
    Connection conn_;
    bool ok_ = false;
};

const QString kOpenLine = QStringLiteral(
    "from Consume join guest on guest_bh = consume_guest_bh where guest_estate = 'true' and ");

}  // namespace

class DemoToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writesAStationFolder();
    void holdsEveryKindOfLine_data();
    void holdsEveryKindOfLine();
    void linesAreConsistent_data();
    void linesAreConsistent();
    void operatorsPasswordsVerify();
    void sameSeedSameData();
    void refusesAnExistingDatabase();
    void rejectsBadOptions_data();
    void rejectsBadOptions();
    void sizeOptions();
    void simulateChangesTheDatabaseAndStops();
    void simulateStopsAfterItsDuration();
    void simulateWritesBesideAReader();

private:
    QTemporaryDir dir_;
    QString demo_;
};

void DemoToolTest::initTestCase() {
    QVERIFY2(!DemoTool().isEmpty(),
             "tzcy-demo not found beside the test or in ../bin; build it or set TZCY_DEMO");
    demo_ = dir_.filePath(QStringLiteral("demo"));
    const Run r = RunTool({QStringLiteral("create"), demo_, QStringLiteral("--seed"),
                           QStringLiteral("11"), QStringLiteral("--now"), kNow});
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.err));
}

void DemoToolTest::writesAStationFolder() {
    const ConnectionSettings s = ReadConnectionSettings(QDir(demo_).filePath(kConnectionFileName));
    QCOMPARE(s.engine, Engine::Sqlite);
    QCOMPARE(s.sqliteFile, QStringLiteral("tzcyerp.db"));
    QVERIFY(QFileInfo::exists(QDir(demo_).filePath(QStringLiteral("tzcyerp.db"))));
    // What the station writes itself is not the demo's business.
    QVERIFY(!QFileInfo::exists(QDir(demo_).filePath(QStringLiteral("cp_config.ini"))));
    DemoDb db(demo_);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    QCOMPARE(db.scalar(QStringLiteral("pragma journal_mode")).toString(), QStringLiteral("wal"));
    QVERIFY(db.scalar(QStringLiteral("select count(*) from area")).toInt() >= 3);
    QVERIFY(db.scalar(QStringLiteral("select count(*) from roomtype")).toInt() >= 3);
    const int rooms = db.scalar(QStringLiteral("select count(*) from room")).toInt();
    QVERIFY(rooms >= 35 && rooms <= 45);
    const int dishes = db.scalar(QStringLiteral("select count(*) from Meal")).toInt();
    QVERIFY(dishes >= 50 && dishes <= 70);
    const int bills =
        db.scalar(QStringLiteral("select count(*) from guest where guest_estate = 'true'")).toInt();
    QVERIFY(bills >= 15 && bills <= 25);
}

void DemoToolTest::holdsEveryKindOfLine_data() {
    QTest::addColumn<QString>("sql");
    const auto row = [](const char* name, const QString& where) {
        QTest::newRow(name) << QStringLiteral("select count(*) ") + kOpenLine + where;
    };
    row("never touched", QStringLiteral("consume_Chupinlogo = '' and consume_num > 0"));
    row("0 开始制作",
        QStringLiteral("consume_Chupinlogo = '0' and consume_Chupinstate = '开始制作'"));
    row("1 加急制作",
        QStringLiteral("consume_Chupinlogo = '1' and consume_Chupinstate = '加急制作'"));
    row("2 无法制作",
        QStringLiteral("consume_Chupinlogo = '2' and consume_Chupinstate = '无法制作'"));
    row("3 制作完成",
        QStringLiteral("consume_Chupinlogo = '3' and consume_Chupinstate = '制作完成'"));
    row("4 菜品已上",
        QStringLiteral("consume_Chupinlogo = '4' and consume_Chupinstate = '菜品已上' "
                       "and consume_donetime is not null"));
    row("hurried", QStringLiteral("consume_cccs > 0"));
    row("partial return",
        QStringLiteral("consume_return = 'Y' and consume_num > 0 and "
                       "consume_returnNum > 0 and consume_returnNum < consume_num"));
    row("whole return", QStringLiteral("consume_return = 'Y' and consume_num > 0 and "
                                       "consume_returnNum = consume_num"));
    row("return record", QStringLiteral("consume_return = 'Y' and consume_num < 0 and "
                                        "consume_state = '已退'"));
    row("package", QStringLiteral("consume_tcsign = 'TC'"));
    row("即起", QStringLiteral("consume_state = '即起'"));
    row("叫起", QStringLiteral("consume_state = '叫起'"));
    row("taste note", QStringLiteral("consume_taste <> ''"));
    row("excluded category", QStringLiteral("consume_meal_type in (select Smalltype_id from "
                                            "SmallType where Smalltype_NdyHc = 'Y')"));
    row("overdue", QStringLiteral("consume_Chupinlogo not in ('2', '3', '4') and "
                                  "tzcy_datediff_mi(consume_begintime, getdate()) > "
                                  "(select Meal_time from Meal where meal_bh = consume_meal_id)"));
    row("dish without allowed minutes",
        QStringLiteral("consume_meal_id in (select meal_bh from Meal where Meal_time is null)"));
    row("category without serving order",
        QStringLiteral("consume_meal_type in (select Smalltype_id from SmallType "
                       "where Smalltype_scsx is null and Smalltype_NdyHc <> 'Y')"));
    QTest::newRow("settled bill") << QStringLiteral(
        "select count(*) from Consume join guest on guest_bh = consume_guest_bh "
        "where guest_estate <> 'true' and consume_state = '已结'");
    QTest::newRow("table without open bill") << QStringLiteral(
        "select count(*) from room where room_id not in "
        "(select guest_table from guest where guest_estate = 'true')");
}

void DemoToolTest::holdsEveryKindOfLine() {
    QFETCH(QString, sql);
    DemoDb db(demo_);
    QVERIFY(db.ok());
    QVERIFY2(db.scalar(sql).toInt() > 0, qPrintable(sql));
}

// Faults that would show as wrong tiles and lists: each query counts offending rows.
void DemoToolTest::linesAreConsistent_data() {
    QTest::addColumn<QString>("sql");
    QTest::newRow("line number not 13 digits") << QStringLiteral(
        "select count(*) from Consume where length(consume_bh) <> 13 "
        "or consume_bh glob '*[^0-9]*'");
    QTest::newRow("time after now")
        << QStringLiteral(
               "select count(*) from Consume where consume_begintime > '%1' "
               "or consume_donetime > '%1'")
               .arg(kNow);
    QTest::newRow("served before ordered") << QStringLiteral(
        "select count(*) from Consume where consume_donetime < consume_begintime");
    QTest::newRow("served without time or time without serving") << QStringLiteral(
        "select count(*) from Consume where (consume_Chupinlogo = '4') <> "
        "(consume_donetime is not null)");
    // The filter of untouched lines compares the code with the empty text: null is never found.
    QTest::newRow("state code null")
        << QStringLiteral("select count(*) from Consume where consume_Chupinlogo is null");
    QTest::newRow("state code and text disagree") << QStringLiteral(
        "select count(*) from Consume where (coalesce(consume_Chupinlogo, '') "
        "= '') <> (consume_Chupinstate is null)");
    // The dish lists test consume_state <> '已结': a null state would hide the line.
    QTest::newRow("serving state null")
        << QStringLiteral("select count(*) from Consume where consume_state is null");
    QTest::newRow("return record without return") << QStringLiteral(
        "select count(*) from (select consume_guest_bh, consume_meal_id, "
        "sum(case when consume_num < 0 then -consume_num else 0 end) as back, "
        "sum(case when consume_num > 0 then consume_returnNum else 0 end) as ret "
        "from Consume group by consume_guest_bh, consume_meal_id) "
        "where back <> ret");
    QTest::newRow("open bill on a table not in use") << QStringLiteral(
        "select count(*) from guest join room on room_id = guest_table "
        "where guest_estate = 'true' and room_state <> '0'");
    QTest::newRow("two open bills on a table") << QStringLiteral(
        "select count(*) from (select guest_table from guest where "
        "guest_estate = 'true' group by guest_table having count(*) > 1)");
    QTest::newRow("open line of a settled kind") << QStringLiteral("select count(*) ") + kOpenLine +
                                                        QStringLiteral("consume_state = '已结'");
    QTest::newRow("line of an unknown dish, table or bill") << QStringLiteral(
        "select count(*) from Consume where consume_meal_id not in "
        "(select meal_bh from Meal) or consume_table not in "
        "(select room_id from room) or consume_guest_bh not in "
        "(select guest_bh from guest)");
}

void DemoToolTest::linesAreConsistent() {
    QFETCH(QString, sql);
    DemoDb db(demo_);
    QVERIFY(db.ok());
    QCOMPARE(db.scalar(sql).toInt(), 0);
}

void DemoToolTest::operatorsPasswordsVerify() {
    DemoDb db(demo_);
    QVERIFY(db.ok());
    QCOMPARE(db.rows(QStringLiteral("select user_bh from users  order by user_xh")),
             (QStringList{QStringLiteral("001"), QStringLiteral("002")}));
    const QVariant first =
        db.scalar(QStringLiteral("select user_mm from users where user_bh='001'"));
    QCOMPARE(first.toString(), Md5Hex(QStringLiteral("123")));
    QVERIFY(PasswordMatches(first, QStringLiteral("123")));
    QVERIFY(!PasswordMatches(first, QStringLiteral("124")));
    QVERIFY(!PasswordMatches(first, QString()));
    const QVariant second =
        db.scalar(QStringLiteral("select user_mm from users where user_bh='002'"));
    QCOMPARE(second.toString(), QStringLiteral(" "));
    QVERIFY(PasswordMatches(second, QString()));
    QVERIFY(!PasswordMatches(second, QStringLiteral("123")));
}

void DemoToolTest::sameSeedSameData() {
    const QString again = dir_.filePath(QStringLiteral("again"));
    const QString other = dir_.filePath(QStringLiteral("other"));
    QCOMPARE(RunTool({QStringLiteral("create"), again, QStringLiteral("--seed=11"),
                      QStringLiteral("--now"), kNow})
                 .exitCode,
             0);
    QCOMPARE(RunTool({QStringLiteral("create"), other, QStringLiteral("--seed"),
                      QStringLiteral("12"), QStringLiteral("--now"), kNow})
                 .exitCode,
             0);
    DemoDb a(demo_), b(again), c(other);
    QVERIFY(a.ok() && b.ok() && c.ok());
    const QStringList first = a.dump();
    QVERIFY(first.size() > 500);
    QCOMPARE(b.dump(), first);
    QVERIFY(c.dump() != first);
}

void DemoToolTest::refusesAnExistingDatabase() {
    DemoDb before(demo_);
    const QStringList rows = before.dump();
    const Run r = RunTool({QStringLiteral("create"), demo_, QStringLiteral("--seed"),
                           QStringLiteral("5"), QStringLiteral("--now"), kNow});
    QVERIFY(r.finished);
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains(QStringLiteral("tzcyerp.db")), qPrintable(r.err));
    DemoDb after(demo_);
    QCOMPARE(after.dump(), rows);
}

void DemoToolTest::rejectsBadOptions_data() {
    QTest::addColumn<QStringList>("args");
    const QString folder = QStringLiteral("never-created");
    QTest::newRow("no folder") << QStringList{QStringLiteral("create")};
    QTest::newRow("unknown command") << QStringList{QStringLiteral("make"), folder};
    QTest::newRow("unknown option") << QStringList{
        QStringLiteral("create"), folder, QStringLiteral("--colour"), QStringLiteral("red")};
    QTest::newRow("not a number") << QStringList{
        QStringLiteral("create"), folder, QStringLiteral("--tables"), QStringLiteral("forty")};
    QTest::newRow("no tables") << QStringList{QStringLiteral("create"), folder,
                                              QStringLiteral("--tables"), QStringLiteral("0")};
    QTest::newRow("missing value")
        << QStringList{QStringLiteral("create"), folder, QStringLiteral("--seed")};
    QTest::newRow("simulate without a demo") << QStringList{
        QStringLiteral("simulate"), folder, QStringLiteral("--duration"), QStringLiteral("1")};
}

void DemoToolTest::rejectsBadOptions() {
    QFETCH(QStringList, args);
    if (args.size() > 1) {
        args[1] = dir_.filePath(args.at(1));
    }
    const Run r = RunTool(args);
    QVERIFY(r.finished);
    QVERIFY(r.exitCode != 0);
    QVERIFY(!r.err.isEmpty());
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("never-created/tzcyerp.db"))));
}

void DemoToolTest::sizeOptions() {
    const QString big = dir_.filePath(QStringLiteral("big"));
    const Run r =
        RunTool({QStringLiteral("create"), big, QStringLiteral("--tables"), QStringLiteral("120"),
                 QStringLiteral("--lines"), QStringLiteral("1500"), QStringLiteral("--history"),
                 QStringLiteral("6000"), QStringLiteral("--now"), kNow});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    DemoDb db(big);
    QVERIFY(db.ok());
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from room")).toInt(), 120);
    const int open = db.scalar(QStringLiteral("select count(*) ") + kOpenLine +
                               QStringLiteral("consume_num > 0"))
                         .toInt();
    QVERIFY2(open >= 1500 && open <= 1800, qPrintable(QString::number(open)));
    const int history = db.scalar(QStringLiteral("select count(*) from Consume where "
                                                 "consume_begintime < '2026-07-15' and "
                                                 "consume_num > 0"))
                            .toInt();
    QCOMPARE(history, 6000);
    // Every table name is unique, so the board's order by name is a real order.
    QCOMPARE(db.scalar(QStringLiteral("select count(distinct room_name) from room")).toInt(), 120);
}

void DemoToolTest::simulateChangesTheDatabaseAndStops() {
    const QString folder = dir_.filePath(QStringLiteral("sim"));
    QCOMPARE(RunTool({QStringLiteral("create"), folder, QStringLiteral("--now"), kNow}).exitCode,
             0);
    const QString stationColumns = QStringLiteral(
        "select consume_bh, consume_Chupinlogo, consume_Chupinstate, consume_donetime "
        "from Consume order by consume_bh");
    QStringList before;
    int linesBefore = 0, hurriedBefore = 0, settledBefore = 0;
    {
        DemoDb db(folder);
        before = db.rows(stationColumns);
        linesBefore = db.scalar(QStringLiteral("select count(*) from Consume")).toInt();
        hurriedBefore = db.scalar(QStringLiteral("select sum(consume_cccs) from Consume")).toInt();
        settledBefore =
            db.scalar(QStringLiteral("select count(*) from guest where guest_estate <> 'true'"))
                .toInt();
    }
    const Run r = RunTool({QStringLiteral("simulate"), folder, QStringLiteral("--steps"),
                           QStringLiteral("120"), QStringLiteral("--interval"), QStringLiteral("0"),
                           QStringLiteral("--seed"), QStringLiteral("3")});
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out.count(QLatin1Char('\n')), 120);  // one line per action

    DemoDb db(folder);
    QVERIFY(db.scalar(QStringLiteral("select count(*) from Consume")).toInt() > linesBefore);
    QVERIFY(db.scalar(QStringLiteral("select sum(consume_cccs) from Consume")).toInt() >
            hurriedBefore);
    QVERIFY(db.scalar(QStringLiteral("select count(*) from guest where guest_estate <> 'true'"))
                .toInt() > settledBefore);
    // What a station wrote stays as it wrote it; new lines come untouched.
    QHash<QString, QString> old;
    for (const QString& line : before) {
        old.insert(line.section(QLatin1Char('|'), 0, 0), line);
    }
    int kept = 0;
    for (const QString& line : db.rows(stationColumns)) {
        const auto it = old.constFind(line.section(QLatin1Char('|'), 0, 0));
        if (it != old.constEnd()) {
            QCOMPARE(line, *it);
            ++kept;
        } else {
            QCOMPARE(line.section(QLatin1Char('|'), 1), QStringLiteral("|<null>|<null>"));
        }
    }
    QCOMPARE(kept, static_cast<int>(before.size()));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from Consume where consume_state is null"))
                 .toInt(),
             0);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from (select guest_table from guest where "
                                      "guest_estate = 'true' group by guest_table "
                                      "having count(*) > 1)"))
                 .toInt(),
             0);
    QCOMPARE(
        db.scalar(QStringLiteral("select count(*) from Consume where length(consume_bh) <> 13"))
            .toInt(),
        0);
    QCOMPARE(db.scalar(QStringLiteral(
                           "select count(*) from (select consume_guest_bh, consume_meal_id, "
                           "sum(case when consume_num < 0 then -consume_num else 0 end) as back, "
                           "sum(case when consume_num > 0 then consume_returnNum else 0 end) as "
                           "ret from Consume group by consume_guest_bh, consume_meal_id) "
                           "where back <> ret"))
                 .toInt(),
             0);
}

void DemoToolTest::simulateStopsAfterItsDuration() {
    const QString folder = dir_.filePath(QStringLiteral("timed"));
    QCOMPARE(RunTool({QStringLiteral("create"), folder}).exitCode, 0);
    const Run r =
        RunTool({QStringLiteral("simulate"), folder, QStringLiteral("--duration"),
                 QStringLiteral("0.5"), QStringLiteral("--interval"), QStringLiteral("100")},
                60000);
    QVERIFY2(r.finished, "simulate did not end by itself");
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.count(QLatin1Char('\n')) >= 1);
}

// A station holds its read snapshot while it lists; the ordering terminals must still write.
void DemoToolTest::simulateWritesBesideAReader() {
    const QString folder = dir_.filePath(QStringLiteral("shared"));
    QCOMPARE(RunTool({QStringLiteral("create"), folder, QStringLiteral("--now"), kNow}).exitCode,
             0);
    DemoDb station(folder);
    QVERIFY(station.ok());
    QVERIFY(station.rows(QStringLiteral("begin")).isEmpty());
    const int seen = station.scalar(QStringLiteral("select count(*) from Consume")).toInt();
    const Run r = RunTool({QStringLiteral("simulate"), folder, QStringLiteral("--steps"),
                           QStringLiteral("20"), QStringLiteral("--interval"), QStringLiteral("0"),
                           QStringLiteral("--seed"), QStringLiteral("8")});
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(!r.out.contains(QStringLiteral("跳过")), qPrintable(r.out));
    QCOMPARE(station.scalar(QStringLiteral("select count(*) from Consume")).toInt(), seen);
    station.rows(QStringLiteral("commit"));
    QVERIFY(station.scalar(QStringLiteral("select count(*) from Consume")).toInt() > seen);
}

QTEST_GUILESS_MAIN(DemoToolTest)
#include "DemoToolTest.moc"
