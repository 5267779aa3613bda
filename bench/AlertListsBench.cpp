// The overdue reminder's check and the three alert lists (overdue, hurry/return, recently
// served), each as its statement on its query object, for all tables and for one table where
// the list has a table filter, on the same restaurant without and with a long settled
// history. The baseline is the dish list of one table without history: what a table's
// re-selection costs, so each ratio says how many such lists a read is worth.
//
// AlertListsBench [--tables N] [--lines N] [--history N] [--runs N] [--plan]

#include <QCoreApplication>

#include "BenchSupport.h"
#include "core/alerts/AlertStatements.h"
#include "core/dishes/DishListQuery.h"

namespace {

struct Measured {
    double ms = 0;
    int statements = 0;
    int rows = 0;
};

Measured Measure(bench::DemoStation& s, QueryObject& q, const std::function<bool()>& read,
                 int runs) {
    auto run = [&] {
        if (!read()) {
            throw std::runtime_error(
                QStringLiteral("%1 failed").arg(q.name()).toUtf8().toStdString());
        }
    };
    Measured m;
    m.ms = bench::MedianMs(runs, run);
    m.rows = q.rowCount();
    m.statements = s.countStatements(run);
    return m;
}

struct Restaurant {
    bench::DemoStation& station;
    QString table;  // the table of the first open bill: it holds every kind of line
};

DishListFilter OneTable() {
    DishListFilter f;
    f.scopeItem = 1;
    return f;
}

Measured DishList(Restaurant& r, int runs) {
    TF_dm& dm = r.station.dm();
    return Measure(
        r.station, dm.ADO_cp,
        [&] { return OpenDishList(dm.ADO_cp, dm.ADOConn.dialect(), OneTable(), r.table); }, runs);
}

Measured Reminder(Restaurant& r, int runs) {
    TF_dm& dm = r.station.dm();
    return Measure(
        r.station, dm.ADO_cstx,
        [&] { return OpenOverdueReminder(dm.ADO_cstx, dm.ADOConn.dialect()).ok; }, runs);
}

Measured Overdue(Restaurant& r, const DishListFilter& f, int runs) {
    TF_dm& dm = r.station.dm();
    return Measure(
        r.station, dm.ADO_cstx1,
        [&] { return OpenOverdueList(dm.ADO_cstx1, dm.ADOConn.dialect(), f, r.table).ok; }, runs);
}

Measured Hurry(Restaurant& r, const DishListFilter& f, int runs) {
    TF_dm& dm = r.station.dm();
    return Measure(
        r.station, dm.ADO_cctc,
        [&] { return OpenHurryReturnList(dm.ADO_cctc, dm.ADOConn.dialect(), f, r.table).ok; },
        runs);
}

Measured Served(Restaurant& r, int runs) {
    TF_dm& dm = r.station.dm();
    return Measure(
        r.station, dm.ADOQ_finished,
        [&] { return OpenServedList(dm.ADOQ_finished, dm.ADOConn.dialect(), QString()).ok; }, runs);
}

double StatementMs(bench::DemoStation& s, const BoundSql& sql, int runs, int* rows) {
    QueryObject q(s.dm().ADOConn, QStringLiteral("Probe"));
    const double ms = bench::MedianMs(runs, [&] {
        q.setSql(sql.text);
        for (const QString& v : sql.values) {
            q.addParam(v);
        }
        q.open();
    });
    *rows = q.rowCount();
    return ms;
}

// The served list ordered by the minutes since serving instead of the served time: the
// engine then works out every served line of the history and sorts them all, where the index
// on the time gives the 30 latest at once.
void ProbeServedOrder(bench::DemoStation& s, double baseMs, int runs) {
    BoundSql byMinutes = BuildServedListStatement(s.dm().ADOConn.dialect(), QString());
    byMinutes.text.replace(QStringLiteral(" order by tttttt.consume_donetime desc"),
                           QStringLiteral(" order by sc_time"));
    int rows = 0;
    const double ms = StatementMs(s, byMinutes, runs, &rows);
    bench::Report(QStringLiteral("served list ordered by the minutes instead"), ms, baseMs, 1,
                  rows);
}

void ShowPlan(bench::DemoStation& s, const QString& what, const BoundSql& sql) {
    QueryObject q(s.dm().ADOConn, QStringLiteral("Plan"));
    q.setSql(QStringLiteral("explain query plan ") + sql.text);
    for (const QString& v : sql.values) {
        q.addParam(v);
    }
    q.open();
    bench::Print(QStringLiteral("# plan (%1):").arg(what));
    for (int r = 0; r < q.rowCount(); ++r) {
        bench::Print(QStringLiteral("#   ") + q.valueAt(r, q.columnNames().size() - 1).toString());
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bench::Options o = bench::ParseOptions(app.arguments(), 15);
    try {
        bench::DemoStation bare(o.tables, o.lines, 0);
        bench::DemoStation history(o.tables, o.lines, o.history);
        bench::Describe(QStringLiteral("restaurant without history"), bare);
        bench::Describe(QStringLiteral("restaurant with history"), history);
        const QString sqlFirstTable = QStringLiteral(
            "select guest_table from guest where guest_estate = 'true' order by guest_bh");
        Restaurant without{bare, bare.scalar(sqlFirstTable).toString()};
        Restaurant with{history, history.scalar(sqlFirstTable).toString()};
        const QString h = QString::number(o.history);
        const DishListFilter all;
        const DishListFilter one = OneTable();

        const Measured base = DishList(without, o.runs);
        bench::Print(QStringLiteral("# baseline: the dish list of one table without history"));
        bench::Header();
        const auto report = [&](const QString& path, const Measured& m) {
            bench::Report(path, m.ms, base.ms, m.statements, m.rows);
        };
        report(QStringLiteral("dish list one table, no history"), base);
        report(QStringLiteral("dish list one table, %1 history").arg(h), DishList(with, o.runs));
        for (Restaurant* r : {&without, &with}) {
            const QString suffix = r == &without ? QStringLiteral(", no history")
                                                 : QStringLiteral(", %1 history").arg(h);
            report(QStringLiteral("reminder check (all tables)") + suffix, Reminder(*r, o.runs));
            report(QStringLiteral("overdue list all tables") + suffix, Overdue(*r, all, o.runs));
            report(QStringLiteral("overdue list one table") + suffix, Overdue(*r, one, o.runs));
            report(QStringLiteral("hurry/return list all tables") + suffix, Hurry(*r, all, o.runs));
            report(QStringLiteral("hurry/return list one table") + suffix, Hurry(*r, one, o.runs));
            report(QStringLiteral("served list (last 30, any table)") + suffix, Served(*r, o.runs));
        }
        ProbeServedOrder(history, base.ms, o.runs);
        if (o.has("--plan")) {
            const Dialect& d = history.dm().ADOConn.dialect();
            ShowPlan(history, QStringLiteral("reminder"), BuildOverdueReminderStatement(d));
            ShowPlan(history, QStringLiteral("hurry/return, one table"),
                     BuildHurryReturnStatement(d, one, with.table));
            ShowPlan(history, QStringLiteral("served"), BuildServedListStatement(d, QString()));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "AlertListsBench: %s\n", e.what());
        return 1;
    }
    return 0;
}
