// The scan at the pass, through the main window's parts wired as the station wires them:
//   - a scan in scanner mode (the 13 digits of a line number and Enter as key events into
//     E_cpmc) until the served line is shown, from the list of one table and of all tables,
//     against the bare served update: time and the statements sent (from the trace);
//   - one keystroke of the typing search (E_cpmcChange with the fuzzy search), against one
//     table's dish list, with the statement as it is and, for comparison only, narrowed to
//     open bills;
//   - building a full page of icons, against the list it shows.
// On a restaurant without and with a long settled history.
//
// ScanBench [--tables N] [--lines N] [--history N] [--runs N]

#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "core/db/DishState.h"
#include "core/db/SqlHelpers.h"
#include "core/dishes/DishCommands.h"
#include "core/dishes/DishListQuery.h"
#include "core/dishes/ScanStatements.h"
#include "gui/dishes/DishIconView.h"
#include "gui/dishes/DishSearch.h"

namespace {

struct Line {
    QString number;
    QString table;
};

// Open lines not served yet of a course after the first, one per scan.
class LineSupply {
public:
    explicit LineSupply(bench::DemoStation& s) {
        QueryObject q(s.dm().ADOConn, QStringLiteral("Bench"));
        q.setSql(
            QStringLiteral("select c.consume_bh, c.consume_table from Consume c "
                           "join guest g on g.guest_bh = c.consume_guest_bh "
                           "join SmallType t on t.Smalltype_id = c.consume_meal_type "
                           "where g.guest_estate = 'true' and t.Smalltype_scsx > 1 "
                           "and coalesce(c.consume_Chupinlogo, '') <> '4' and c.consume_num > 0 "
                           "and c.consume_return = 'N' and coalesce(c.consume_tcsign, '') <> 'TC' "
                           "order by c.consume_bh"));
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            lines_.push_back({q.asString(QStringLiteral("consume_bh")),
                              q.asString(QStringLiteral("consume_table"))});
        }
    }
    Line take() {
        if (next_ >= lines_.size()) {
            throw std::runtime_error("no open line left to scan");
        }
        return lines_[next_++];
    }

private:
    std::vector<Line> lines_;
    size_t next_ = 0;
};

void Key(QWidget* box, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &release);
}

struct Fixture {
    bench::DemoStation& station;
    bench::BenchWindow& window;
    LineSupply& supply;
    int runs;
};

struct Measured {
    double ms = 0;
    int statements = 0;
    int distinct = 0;  // statements with their values that differ
    int rows = -1;
};

int Distinct(const QStringList& trace) {
    QSet<QString> seen;
    for (const QString& line : trace) {
        const QStringList f = line.split(QLatin1Char('\t'));
        seen.insert(f.value(1) + f.value(4) + f.value(5));
    }
    return static_cast<int>(seen.size());
}

Measured MeasureBareUpdate(Fixture& f) {
    TF_dm& dm = f.station.dm();
    Line line;
    auto update = [&] {
        const DishState served = DishState::Served;
        if (!ExecSqlParams(dm.ADO_Public, DishServedUpdateSql(),
                           {DishStateText(served), DishStateCode(served),
                            ServedTimeText(f.window.clock.now()), line.number}) ||
            dm.ADO_Public.rowsAffected() != 1) {
            throw std::runtime_error("the served update changed no line");
        }
    };
    Measured m;
    m.ms = bench::MedianMs(f.runs, update, [&](int) { line = f.supply.take(); });
    line = f.supply.take();
    m.statements = f.station.countStatements(update);
    return m;
}

// oneTable: the list shows the table of the line scanned before (where a scan leaves it);
// otherwise the list of all tables.
Measured MeasureScan(Fixture& f, bool oneTable) {
    bench::BenchWindow& w = f.window;
    TF_dm& dm = f.station.dm();
    w.settings.SDSR = QStringLiteral("N");
    w.settings.MEAL_ORDER = QStringLiteral("Y");
    w.ui.TAB_CP->setCurrentIndex(0);
    QLineEdit* box = w.ui.E_cpmc;
    Line line;
    auto prepare = [&](int) {
        line = f.supply.take();
        if (!oneTable) {
            w.dishes.setScope(0);
        } else if (w.ui.RG_xszt->itemIndex() != 1) {
            w.dishes.showTable(line.table);
        }
        w.boxes.answer(QMessageBox::Yes);
    };
    auto scan = [&] {
        for (QChar c : line.number) {
            Key(box, Qt::Key_0 + c.digitValue(), QString(c));
        }
        Key(box, Qt::Key_Return, QStringLiteral("\r"));
        if (w.state.ServeRefused || w.state.CurrentTableId != line.table ||
            dm.ADO_cp.asString(QStringLiteral("consume_bh")) != line.number) {
            throw std::runtime_error("the scanned line is not shown served");
        }
    };
    w.boxes.clear();
    Measured m;
    m.ms = bench::MedianMs(f.runs, scan, prepare);
    prepare(0);
    const QStringList trace = f.station.traceOf(scan);
    m.statements = static_cast<int>(trace.size());
    m.distinct = Distinct(trace);
    m.rows = dm.ADO_cp.rowCount();
    w.ui.Timer_sx->stop();
    return m;
}

Measured MeasureOneTableList(Fixture& f, const QString& table) {
    bench::BenchWindow& w = f.window;
    Measured m;
    auto list = [&] { w.dishes.QueryDishList(table); };
    m.ms = bench::MedianMs(f.runs, list);
    m.statements = f.station.countStatements(list);
    m.rows = f.station.dm().ADO_cp.rowCount();
    return m;
}

// One keystroke of the typing search: the box's text changed to `text`.
Measured MeasureKeystroke(Fixture& f, const QString& text) {
    bench::BenchWindow& w = f.window;
    w.settings.SDSR = QStringLiteral("Y");
    w.dishes.setScope(0);  // where typing has put the views already
    DishSearch& search = w.parts.search();
    auto keystroke = [&] { search.E_cpmcChange(text); };
    Measured m;
    m.ms = bench::MedianMs(f.runs, keystroke);
    m.statements = f.station.countStatements(keystroke);
    m.rows = f.station.dm().ADO_Public1.rowCount();
    return m;
}

// For comparison: the same search over the lines of open bills only, through the bill index.
Measured MeasureOpenBillSearch(Fixture& f, const QString& text) {
    TF_dm& dm = f.station.dm();
    const QString sql = DishSearchSql(dm.ADOConn.dialect()) +
                        QStringLiteral(
                            " and consume_guest_bh in (select guest_bh from guest "
                            "where guest_estate = :a7)");
    const QString like = QLatin1Char('%') + text + QLatin1Char('%');
    auto search = [&] {
        if (!OpenSqlParams(dm.ADO_Public1, sql,
                           {like, like, like, like, like, like, QStringLiteral("true")})) {
            throw std::runtime_error("the open-bill search failed");
        }
    };
    Measured m;
    m.ms = bench::MedianMs(f.runs, search);
    m.statements = f.station.countStatements(search);
    m.rows = dm.ADO_Public1.rowCount();
    return m;
}

// The icons of the list on show (all tables, or the given table): the list, then a page of
// icons built from it.
void MeasureIcons(Fixture& f, const QString& table, const QString& what, double baselineMs) {
    bench::BenchWindow& w = f.window;
    w.ui.TAB_CP->setCurrentIndex(DishArea::IconTab);
    QApplication::processEvents();
    DishIconView& icons = w.dishes.icons();
    icons.Timer1Timer();
    if (table.isEmpty()) {
        w.dishes.setScope(0);
    } else {
        w.dishes.showTable(table);
    }
    const double listMs = bench::MedianMs(f.runs, [&] { w.dishes.QueryDishList(table); });
    const int rows = f.station.dm().ADO_cp.rowCount();
    const double buildMs = bench::MedianMs(f.runs, [&] { icons.BuildDishIcons(); });
    const int shown = static_cast<int>(icons.icons().size());
    const QString scope =
        table.isEmpty() ? QStringLiteral("all tables") : QStringLiteral("one table");
    bench::Report(QStringLiteral("dish list of %1, %2").arg(scope, what), listMs, listMs, 1, rows);
    bench::Report(QStringLiteral("  a page of icons from it, %1").arg(what), buildMs, listMs,
                  f.station.countStatements([&] { icons.BuildDishIcons(); }), shown);
    const QSize area = w.ui.Panel_client_client->size();
    bench::Print(QStringLiteral("#   icon area %1 x %2; the page against the one-table list: x%3")
                     .arg(area.width())
                     .arg(area.height())
                     .arg(buildMs / baselineMs, 0, 'f', 2));
    w.ui.TAB_CP->setCurrentIndex(DishArea::ListTab);
}

void Run(bench::DemoStation& s, const QString& what, const bench::Options& o,
         double* updateBaselineMs) {
    bench::BenchWindow w(s.dm());
    w.window.resize(1064, 737);
    QApplication::processEvents();
    LineSupply supply(s);
    Fixture f{s, w, supply, o.runs};

    const Measured bare = MeasureBareUpdate(f);
    if (*updateBaselineMs <= 0) {
        *updateBaselineMs = bare.ms;
    }
    bench::Report(QStringLiteral("served update alone, %1").arg(what), bare.ms, *updateBaselineMs,
                  bare.statements);
    for (const bool oneTable : {true, false}) {
        const Measured m = MeasureScan(f, oneTable);
        bench::Report(QStringLiteral("scan to served line shown, %1, %2")
                          .arg(oneTable ? "one table listed" : "all tables listed", what),
                      m.ms, *updateBaselineMs, m.statements, m.rows);
        bench::Print(QStringLiteral("#   %1 statements, %2 distinct with their values")
                         .arg(m.statements)
                         .arg(m.distinct));
    }

    const Line some = supply.take();
    const Measured table = MeasureOneTableList(f, some.table);
    bench::Report(QStringLiteral("dish list of one table, %1 (keystroke baseline)").arg(what),
                  table.ms, table.ms, table.statements, table.rows);
    for (const QString& text : {QStringLiteral("鸡"), some.number.left(8)}) {
        const Measured k = MeasureKeystroke(f, text);
        bench::Report(QStringLiteral("keystroke \"%1\", %2").arg(text, what), k.ms, table.ms,
                      k.statements, k.rows);
        const Measured open = MeasureOpenBillSearch(f, text);
        bench::Report(QStringLiteral("  the same over open bills only, %1").arg(what), open.ms,
                      table.ms, open.statements, open.rows);
    }
    MeasureIcons(f, QString(), what, table.ms);
    MeasureIcons(f, some.table, what, table.ms);
}

}  // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    const bench::Options o = bench::ParseOptions(app.arguments(), 15);
    try {
        bench::DemoStation bare(o.tables, o.lines, 0);
        bench::DemoStation history(o.tables, o.lines, o.history);
        bench::Describe(QStringLiteral("restaurant without history"), bare);
        bench::Describe(QStringLiteral("restaurant with history"), history);
        bench::Print(
            QStringLiteral("# ratios: scans to the bare served update without history, "
                           "keystrokes to the one-table list of the same restaurant, icons to "
                           "the list they show"));
        bench::Header();
        double baselineMs = 0;
        Run(bare, QStringLiteral("no history"), o, &baselineMs);
        Run(history, QStringLiteral("%1 history").arg(o.history), o, &baselineMs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ScanBench: %s\n", e.what());
        return 1;
    }
    return 0;
}
