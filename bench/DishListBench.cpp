// The list path: the dish list statement (OpenDishList on ADO_cp) for all tables and for one
// table, on the same restaurant without and with a long settled history. The baseline is the
// list of all tables without history; the history ratio is what the 5-second re-run pays for
// the past days.
//
// DishListBench [--tables N] [--lines N] [--history N] [--runs N] [--plan]

#include <QCoreApplication>

#include "BenchSupport.h"
#include "core/dishes/DishListQuery.h"

namespace {

struct Measured {
    double ms = 0;
    int statements = 0;
    int rows = 0;
};

Measured MeasureList(bench::DemoStation& s, const DishListFilter& filter, const QString& table,
                     int runs) {
    TF_dm& dm = s.dm();
    const Dialect& dialect = dm.ADOConn.dialect();
    auto open = [&] {
        if (!OpenDishList(dm.ADO_cp, dialect, filter, table)) {
            throw std::runtime_error("the dish list failed");
        }
    };
    Measured m;
    m.ms = bench::MedianMs(runs, open);
    m.rows = dm.ADO_cp.rowCount();
    m.statements = s.countStatements(open);
    return m;
}

// The engine's share: the same statement counted in the database, no rows fetched.
double CountOnlyMs(bench::DemoStation& s, const DishListFilter& filter, const QString& table,
                   int runs) {
    const BoundSql sql = BuildDishListStatement(s.dm().ADOConn.dialect(), filter, table);
    QueryObject q(s.dm().ADOConn, QStringLiteral("Count"));
    auto count = [&] {
        q.setSql(QStringLiteral("select count(*) from (") + sql.text + QLatin1Char(')'));
        for (const QString& v : sql.values) {
            q.addParam(v);
        }
        q.open();
    };
    return bench::MedianMs(runs, count);
}

double StatementMs(bench::DemoStation& s, const QString& sql, int runs) {
    QueryObject q(s.dm().ADOConn, QStringLiteral("Probe"));
    return bench::MedianMs(runs, [&] {
        q.setSql(sql);
        q.open();
    });
}

// What the list's two per-row functions cost on the embedded engine: each evaluated once per
// open line, against reading the same column.
void ProbeRowFunctions(bench::DemoStation& s, int runs) {
    const QString open = QStringLiteral(" from Consume where consume_state <> '已结'");
    const double column =
        StatementMs(s, QStringLiteral("select sum(length(consume_begintime))") + open, runs);
    const double now = StatementMs(s, QStringLiteral("select sum(length(getdate()))") + open, runs);
    const double minutes = StatementMs(
        s,
        QStringLiteral("select sum(tzcy_datediff_mi(consume_begintime, '2026-01-01 00:00:00'))") +
            open,
        runs);
    const int lines = s.scalar(QStringLiteral("select count(*)") + open).toInt();
    bench::Print(QStringLiteral("# per-row functions over the %1 open lines (baseline: reading "
                                "consume_begintime)")
                     .arg(lines));
    bench::Report(QStringLiteral("read consume_begintime"), column, column, 1, 1);
    bench::Report(QStringLiteral("getdate()"), now, column, 1, 1);
    bench::Report(QStringLiteral("tzcy_datediff_mi(consume_begintime, ...)"), minutes, column, 1,
                  1);
}

void ShowPlan(bench::DemoStation& s, const DishListFilter& filter, const QString& table) {
    const BoundSql sql = BuildDishListStatement(s.dm().ADOConn.dialect(), filter, table);
    QueryObject q(s.dm().ADOConn, QStringLiteral("Plan"));
    q.setSql(QStringLiteral("explain query plan ") + sql.text);
    for (const QString& v : sql.values) {
        q.addParam(v);
    }
    q.open();
    bench::Print(QStringLiteral("# plan (%1):").arg(table.isEmpty() ? "all tables" : table));
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

        // The table of the first open bill: it holds every kind of line.
        const QString sqlFirstTable = QStringLiteral(
            "select guest_table from guest where guest_estate = 'true' order by guest_bh");
        const QString bareTable = bare.scalar(sqlFirstTable).toString();
        const QString historyTable = history.scalar(sqlFirstTable).toString();

        DishListFilter all;  // all states, departments and stations: the station's default
        DishListFilter one = all;
        one.scopeItem = 1;

        const Measured bareAll = MeasureList(bare, all, QString(), o.runs);
        const Measured bareOne = MeasureList(bare, one, bareTable, o.runs);
        const Measured histAll = MeasureList(history, all, QString(), o.runs);
        const Measured histOne = MeasureList(history, one, historyTable, o.runs);

        bench::Print(QStringLiteral("# baseline: the list of all tables without history"));
        bench::Header();
        bench::Report(QStringLiteral("list all tables, no history"), bareAll.ms, bareAll.ms,
                      bareAll.statements, bareAll.rows);
        bench::Report(QStringLiteral("list one table, no history"), bareOne.ms, bareAll.ms,
                      bareOne.statements, bareOne.rows);
        bench::Report(QStringLiteral("list all tables, %1 history").arg(o.history), histAll.ms,
                      bareAll.ms, histAll.statements, histAll.rows);
        bench::Report(QStringLiteral("list one table, %1 history").arg(o.history), histOne.ms,
                      bareAll.ms, histOne.statements, histOne.rows);
        const double bareCount = CountOnlyMs(bare, all, QString(), o.runs);
        const double histCount = CountOnlyMs(history, all, QString(), o.runs);
        bench::Report(QStringLiteral("count only, all tables, no history"), bareCount, bareAll.ms,
                      1, 1);
        bench::Report(QStringLiteral("count only, all tables, %1 history").arg(o.history),
                      histCount, bareAll.ms, 1, 1);
        bench::Print(
            QStringLiteral("# history cost (with / without): all tables x%1, one table x%2")
                .arg(histAll.ms / bareAll.ms, 0, 'f', 2)
                .arg(histOne.ms / bareOne.ms, 0, 'f', 2));
        ProbeRowFunctions(bare, o.runs);
        if (o.has("--plan")) {
            ShowPlan(history, all, QString());
            ShowPlan(history, one, historyTable);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "DishListBench: %s\n", e.what());
        return 1;
    }
    return 0;
}
