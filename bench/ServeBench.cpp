// The serve path, what a scan does once it found the line: DishArea::Button_cpysClick on the
// list tab (the served update, the re-run of ADO_cp and the locate; with MEAL_ORDER "Y" the
// serving-order check first), for the list of all tables and of the line's table, on a
// restaurant without and with a long settled history. The baseline is the bare served update.
//
// ServeBench [--tables N] [--lines N] [--history N] [--runs N]

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "core/db/DishState.h"
#include "core/db/SqlHelpers.h"
#include "core/dishes/DishCommands.h"

namespace {

struct Line {
    QString number;
    QString table;
};

// Open lines not served yet of a course after the first (so "Y" runs the check), one per
// run: every serve takes a line of its own.
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
            throw std::runtime_error("no open line left to serve");
        }
        return lines_[next_++];
    }

private:
    std::vector<Line> lines_;
    size_t next_ = 0;
};

struct Measured {
    double ms = 0;
    int statements = 0;
    int asked = 0;  // serving-order questions among the timed serves
};

struct Fixture {
    bench::DemoStation& station;
    bench::BenchWindow& window;
    LineSupply& supply;
    int runs;
};

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

// oneTable: the list shows the line's table only (as after a click on its tile); otherwise
// the list of all tables.
Measured MeasureServe(Fixture& f, const QString& mealOrder, bool oneTable) {
    bench::BenchWindow& w = f.window;
    TF_dm& dm = f.station.dm();
    w.settings.MEAL_ORDER = mealOrder;
    w.ui.TAB_CP->setCurrentIndex(0);
    w.ui.RG_xszt->setItemIndex(oneTable ? 1 : 0);
    if (!oneTable) {
        w.dishes.QueryDishList(QString());
    }
    auto place = [&] {
        const Line line = f.supply.take();
        if (oneTable) {
            w.state.CurrentTableId = line.table;
            w.dishes.QueryDishList(line.table);
        }
        if (!dm.ADO_cp.locatePrefix(QStringLiteral("consume_bh"), line.number)) {
            throw std::runtime_error("the line is not in the list");
        }
        // The operator goes on when asked.
        w.boxes.answer(QMessageBox::Yes);
    };
    auto serve = [&] {
        w.dishes.Button_cpysClick();
        if (w.state.ServeRefused) {
            throw std::runtime_error("the serve was refused");
        }
    };
    w.boxes.clear();
    Measured m;
    m.ms = bench::MedianMs(f.runs, serve, [&](int) { place(); });
    m.asked = static_cast<int>(w.boxes.shown().size());
    place();
    m.statements = f.station.countStatements(serve);
    return m;
}

void Run(bench::DemoStation& s, const QString& what, const bench::Options& o, double* baselineMs) {
    bench::BenchWindow w(s.dm());
    LineSupply supply(s);
    Fixture f{s, w, supply, o.runs};
    const Measured bare = MeasureBareUpdate(f);
    if (*baselineMs <= 0) {
        *baselineMs = bare.ms;
    }
    bench::Report(QStringLiteral("served update alone, %1").arg(what), bare.ms, *baselineMs,
                  bare.statements);
    for (const bool oneTable : {false, true}) {
        for (const QString& mealOrder : {QStringLiteral("N"), QStringLiteral("Y")}) {
            const Measured m = MeasureServe(f, mealOrder, oneTable);
            bench::Report(QStringLiteral("serve %1, MEAL_ORDER %2, %3")
                              .arg(oneTable ? "one table" : "all tables", mealOrder, what),
                          m.ms, *baselineMs, m.statements, s.dm().ADO_cp.rowCount());
            if (mealOrder == QLatin1String("Y")) {
                bench::Print(QStringLiteral("#   asked the serving-order question %1 of %2 times")
                                 .arg(m.asked)
                                 .arg(o.runs + 1));
            }
        }
    }
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
            QStringLiteral("# baseline: the bare served update, no history; rows: the "
                           "list after the serve"));
        bench::Header();
        double baselineMs = 0;
        Run(bare, QStringLiteral("no history"), o, &baselineMs);
        Run(history, QStringLiteral("%1 history").arg(o.history), o, &baselineMs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ServeBench: %s\n", e.what());
        return 1;
    }
    return 0;
}
