// The board's counters, per tile (two statements a tile) against grouped (one statement a
// page), on a full page of the design's 4 x 5 tiles, on a restaurant without and with a long
// settled history. Two paths as the board runs them, without the window:
//   tick:  the occupied tables re-run, the page's counters, the selected table's dish list;
//   build: the table query opened, the page's counters.
// The baseline is one run of the selected table's dish list without history. Before timing,
// both paths must give every tile of the page the same figures.
//
// BoardCountersBench [--tables N] [--lines N] [--history N] [--runs N] [--plan]

#include <QCoreApplication>

#include "BenchSupport.h"
#include "core/board/BoardRules.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/SqlHelpers.h"
#include "core/dishes/DishListQuery.h"

namespace {

// The tile area of the window's design size.
constexpr int kAreaWidth = 337;
constexpr int kAreaHeight = 422;

struct Path {
    double ms = 0;       // median
    double fastest = 0;  // what the path costs when the shared machine leaves it alone
    int statements = 0;
};

struct Timing {
    double median = 0;
    double fastest = 0;
};

struct Measured {
    int tiles = 0;
    int openBills = 0;
    int pageLines = 0;
    int allLines = 0;
    Path list;
    Path tickPerTile, tickGrouped;
    Path buildPerTile, buildGrouped;
    Path countersPerTile, countersGrouped;
    Path everyBillGrouped;
};

// The first page of the board without filters.
class Page {
public:
    explicit Page(TF_dm& dm) : dm_(dm), query_(BuildTableQuery(false, {}, false, {})) {
        openTables();
        tiles_ =
            static_cast<int>(Board::LayOutTablePage(kAreaWidth, kAreaHeight, dm_.ADO_ct.rowCount())
                                 .positions.size());
    }

    int tiles() const { return tiles_; }

    void openTables() { OpenSqlParams(dm_.ADO_ct, query_.sql, query_.values); }

    // The bills of the page's tiles, from the open table list.
    QStringList pageBills(int count) {
        QStringList bills;
        QueryObject& t = dm_.ADO_ct;
        t.first();
        for (int i = 0; i < count && !t.eof(); ++i, t.next()) {
            bills << t.asString(QStringLiteral("guest_bh"));
        }
        return bills;
    }

    QVector<TileFigures> perTile(QueryObject& scratch, CounterBinding binding) {
        QVector<TileFigures> out;
        for (const QString& bill : pageBills(tiles_)) {
            TileFigures f;
            ReadTileCounters(scratch, bill, binding, f);
            ReadTileOverdue(scratch, bill, f);
            out << f;
        }
        return out;
    }

    QVector<TileFigures> grouped(QueryObject& scratch, int count) {
        return ReadPageFigures(scratch, pageBills(count));
    }

    // Dish lines of the first count bills, counted or not.
    int lines(int count) {
        const QStringList bills = pageBills(count);
        QStringList markers;
        for (int i = 0; i < bills.size(); ++i) {
            markers << QStringLiteral(":b%1").arg(i);
        }
        QueryObject q(dm_.ADOConn, QStringLiteral("Bench"));
        q.setSql(QStringLiteral("select count(*) from Consume where consume_guest_bh in (%1)")
                     .arg(markers.join(QLatin1Char(','))));
        for (const QString& bill : bills) {
            q.addParam(bill);
        }
        q.open();
        return q.valueAt(0, 0).toInt();
    }

private:
    TF_dm& dm_;
    TableQuery query_;
    int tiles_ = 0;
};

// Median milliseconds of each action, measured in turns after one warm-up round, so a change
// of load on the shared machine weighs on every path alike.
std::vector<Timing> MediansInTurns(int runs, const std::vector<std::function<void()>>& actions) {
    std::vector<std::vector<double>> ms(actions.size());
    for (int round = -1; round < runs; ++round) {
        for (size_t a = 0; a < actions.size(); ++a) {
            QElapsedTimer t;
            t.start();
            actions[a]();
            if (round >= 0) {
                ms[a].push_back(t.nsecsElapsed() / 1e6);
            }
        }
    }
    std::vector<Timing> out;
    for (std::vector<double>& v : ms) {
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        out.push_back({n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2, v.front()});
    }
    return out;
}

void RequireSameFigures(const QVector<TileFigures>& a, const QVector<TileFigures>& b) {
    if (a.size() != b.size()) {
        throw std::runtime_error("the two paths filled a different number of tiles");
    }
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].served != b[i].served || a[i].ordered != b[i].ordered ||
            a[i].cannotMake != b[i].cannotMake || a[i].overdue != b[i].overdue) {
            throw std::runtime_error(
                QStringLiteral("tile %1: the grouped figures differ from the per-tile ones")
                    .arg(i)
                    .toStdString());
        }
    }
}

Measured MeasureBoard(bench::DemoStation& s, const bench::Options& o) {
    TF_dm& dm = s.dm();
    Page board(dm);
    Measured m;
    m.tiles = board.tiles();
    m.openBills = dm.ADO_ct.rowCount();
    if (m.tiles == 0) {
        throw std::runtime_error("the board shows no tiles");
    }
    m.pageLines = board.lines(m.tiles);
    m.allLines = board.lines(m.openBills);
    RequireSameFigures(board.perTile(dm.ADO_Public, CounterBinding::ByName),
                       board.grouped(dm.ADO_Public, m.tiles));

    // The operator chose the first tile: its table's list is re-run every tick.
    DishListFilter one;
    one.scopeItem = 1;
    board.openTables();
    dm.ADO_ct.first();
    const QString table = dm.ADO_ct.asString(QStringLiteral("room_id"));
    if (!OpenDishList(dm.ADO_cp, dm.ADOConn.dialect(), one, table)) {
        throw std::runtime_error("the selected table's list failed");
    }
    const std::vector<std::function<void()>> paths{
        [&] { dm.ADO_cp.rerun(); },
        [&] { board.perTile(dm.ADO_Public, CounterBinding::ByName); },
        [&] { board.grouped(dm.ADO_Public, m.tiles); },
        [&] {
            dm.ADO_ct.rerun();
            board.perTile(dm.ADO_Public, CounterBinding::ByName);
            dm.ADO_cp.rerun();
        },
        [&] {
            dm.ADO_ct.rerun();
            board.grouped(dm.ADO_Public, m.tiles);
            dm.ADO_cp.rerun();
        },
        [&] {
            board.openTables();
            board.perTile(dm.ADO_Public2, CounterBinding::Positional);
        },
        [&] {
            board.openTables();
            board.grouped(dm.ADO_Public2, m.tiles);
        },
        [&] { board.grouped(dm.ADO_Public, m.openBills); },
    };
    const std::vector<Timing> ms = MediansInTurns(o.runs, paths);
    Path* results[] = {&m.list,        &m.countersPerTile, &m.countersGrouped, &m.tickPerTile,
                       &m.tickGrouped, &m.buildPerTile,    &m.buildGrouped,    &m.everyBillGrouped};
    for (size_t i = 0; i < paths.size(); ++i) {
        results[i]->ms = ms[i].median;
        results[i]->fastest = ms[i].fastest;
        results[i]->statements = s.countStatements(paths[i]);
    }
    return m;
}

void ShowPlan(bench::DemoStation& s, int bills) {
    QueryObject q(s.dm().ADOConn, QStringLiteral("Plan"));
    q.setSql(QStringLiteral("explain query plan ") +
             BoardSql::PageCounters(s.dm().ADOConn.dialect(), bills));
    for (int i = 0; i < bills; ++i) {
        q.addParam(QStringLiteral("ZD"));
    }
    q.open();
    bench::Print(QStringLiteral("# plan of the grouped counters:"));
    for (int r = 0; r < q.rowCount(); ++r) {
        bench::Print(QStringLiteral("#   ") + q.valueAt(r, q.columnNames().size() - 1).toString());
    }
}

void ReportRestaurant(const QString& what, const Measured& m, double baselineMs) {
    bench::Report(QStringLiteral("dish list (selected table), %1").arg(what), m.list.ms, baselineMs,
                  m.list.statements);
    bench::Report(QStringLiteral("page counters per tile, %1").arg(what), m.countersPerTile.ms,
                  baselineMs, m.countersPerTile.statements);
    bench::Report(QStringLiteral("page counters grouped, %1").arg(what), m.countersGrouped.ms,
                  baselineMs, m.countersGrouped.statements);
    bench::Report(QStringLiteral("tick per tile, %1").arg(what), m.tickPerTile.ms, baselineMs,
                  m.tickPerTile.statements);
    bench::Report(QStringLiteral("tick grouped, %1").arg(what), m.tickGrouped.ms, baselineMs,
                  m.tickGrouped.statements);
    bench::Report(QStringLiteral("board build per tile, %1").arg(what), m.buildPerTile.ms,
                  baselineMs, m.buildPerTile.statements);
    bench::Report(QStringLiteral("board build grouped, %1").arg(what), m.buildGrouped.ms,
                  baselineMs, m.buildGrouped.statements);
    bench::Report(
        QStringLiteral("grouped counters, all %1 open bills, %2").arg(m.openBills).arg(what),
        m.everyBillGrouped.ms, baselineMs, m.everyBillGrouped.statements);
}

void ReportRatios(const QString& what, const Measured& m) {
    bench::Print(QStringLiteral("# grouped / per tile, %1: counters x%2, tick x%3, build x%4")
                     .arg(what)
                     .arg(m.countersGrouped.ms / m.countersPerTile.ms, 0, 'f', 3)
                     .arg(m.tickGrouped.ms / m.tickPerTile.ms, 0, 'f', 3)
                     .arg(m.buildGrouped.ms / m.buildPerTile.ms, 0, 'f', 3));
    bench::Print(QStringLiteral("# the same of the fastest runs, %1: counters x%2, tick x%3, "
                                "build x%4")
                     .arg(what)
                     .arg(m.countersGrouped.fastest / m.countersPerTile.fastest, 0, 'f', 3)
                     .arg(m.tickGrouped.fastest / m.tickPerTile.fastest, 0, 'f', 3)
                     .arg(m.buildGrouped.fastest / m.buildPerTile.fastest, 0, 'f', 3));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bench::Options o = bench::ParseOptions(app.arguments(), 21);
    try {
        bench::DemoStation bare(o.tables, o.lines, 0);
        bench::DemoStation history(o.tables, o.lines, o.history);
        bench::Describe(QStringLiteral("restaurant without history"), bare);
        bench::Describe(QStringLiteral("restaurant with history"), history);

        const Measured b = MeasureBoard(bare, o);
        const Measured h = MeasureBoard(history, o);
        bench::Print(QStringLiteral("# %1 tiles on the page (of %2 open bills; %3 of %4 open "
                                    "lines), first tile selected; both paths gave every tile the "
                                    "same figures")
                         .arg(b.tiles)
                         .arg(b.openBills)
                         .arg(b.pageLines)
                         .arg(b.allLines));
        bench::Print(
            QStringLiteral("# baseline: one run of the selected table's dish list, no "
                           "history"));
        bench::Header();
        ReportRestaurant(QStringLiteral("no history"), b, b.list.ms);
        ReportRestaurant(QStringLiteral("%1 history").arg(o.history), h, b.list.ms);
        ReportRatios(QStringLiteral("no history"), b);
        ReportRatios(QStringLiteral("with history"), h);
        if (o.has("--plan")) {
            ShowPlan(history, 32);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "BoardCountersBench: %s\n", e.what());
        return 1;
    }
    return 0;
}
