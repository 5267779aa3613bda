// The refresh path: one five-second tick of the real board (TableBoard::Timer_sxTimer) with a
// full page of tiles and a selected table, on a restaurant without and with a long settled
// history. The baseline is one run of the dish list the tick re-runs (ADO_cp, the selected
// table's list) on the restaurant without history.
//
// BoardRefreshBench [--tables N] [--lines N] [--history N] [--runs N] [--trace]

#include <QMap>

#include "BenchSupport.h"
#include "BenchWindow.h"

namespace {

struct Measured {
    double listMs = 0;
    int listStatements = 0;
    int listRows = 0;
    double tickMs = 0;
    double tickPaintMs = 0;
    int tickStatements = 0;
    QString byObject;
    int tiles = 0;
    QStringList trace;
    // No table selected, the list of all tables shown (the station's start).
    double allListMs = 0;
    int allListRows = 0;
    int allListStatements = 0;
    double allTickMs = 0;
    int allTickStatements = 0;
};

Measured Measure(bench::DemoStation& s, const bench::Options& o) {
    bench::BenchWindow w(s.dm());
    Measured m;
    m.tiles = static_cast<int>(w.board.TableTiles.size());
    if (m.tiles == 0) {
        throw std::runtime_error("the board shows no tiles");
    }
    auto tick = [&] {
        if (!w.tick()) {
            throw std::runtime_error("the tick failed and stopped the refresh");
        }
    };
    QueryObject& list = s.dm().ADO_cp;
    auto rerunList = [&] { list.rerun(); };

    w.ui.RG_xszt->setItemIndex(0);
    w.dishes.QueryDishList(QString());
    m.allListMs = bench::MedianMs(o.runs, rerunList);
    m.allListRows = list.rowCount();
    m.allListStatements = s.countStatements(rerunList);
    m.allTickMs = bench::MedianMs(o.runs, tick);
    m.allTickStatements = s.countStatements(tick);

    // The operator clicked the first tile: its table's list is shown and re-run every tick.
    w.board.ctpanelclick(w.board.TableTiles.first());
    if (!list.isOpen()) {
        throw std::runtime_error("the selected table's list did not open");
    }
    m.listMs = bench::MedianMs(o.runs, rerunList);
    m.listRows = list.rowCount();
    m.listStatements = s.countStatements(rerunList);

    m.tickMs = bench::MedianMs(o.runs, tick);
    // What the operator waits for: the tick and the repaint it causes.
    m.tickPaintMs = bench::MedianMs(o.runs, [&] {
        tick();
        QApplication::processEvents();
    });
    m.trace = s.traceOf(tick);
    m.tickStatements = static_cast<int>(m.trace.size());
    // Statements and the engine's milliseconds (as the trace took them) per query object.
    QMap<QString, std::pair<int, double>> objects;
    for (const QString& line : m.trace) {
        auto& o = objects[line.section(QLatin1Char('\t'), 1, 1)];
        o.first += 1;
        o.second += line.section(QLatin1Char('\t'), 2, 2).chopped(2).toDouble();
    }
    QStringList parts;
    for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
        parts << QStringLiteral("%1 %2 (%3 ms)")
                     .arg(it.key())
                     .arg(it.value().first)
                     .arg(it.value().second, 0, 'f', 2);
    }
    m.byObject = parts.join(QStringLiteral(", "));
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    const bench::Options o = bench::ParseOptions(app.arguments(), 21);
    try {
        bench::DemoStation bare(o.tables, o.lines, 0);
        bench::DemoStation history(o.tables, o.lines, o.history);
        bench::Describe(QStringLiteral("restaurant without history"), bare);
        bench::Describe(QStringLiteral("restaurant with history"), history);

        const Measured b = Measure(bare, o);
        const Measured h = Measure(history, o);
        bench::Print(QStringLiteral("# %1 tiles on the page, first tile selected; baseline: one "
                                    "run of the selected table's dish list, no history")
                         .arg(b.tiles));
        bench::Header();
        bench::Report(QStringLiteral("dish list (selected table), no history"), b.listMs, b.listMs,
                      b.listStatements, b.listRows);
        bench::Report(QStringLiteral("board tick, no history"), b.tickMs, b.listMs,
                      b.tickStatements);
        bench::Report(QStringLiteral("board tick + repaint, no history"), b.tickPaintMs, b.listMs,
                      b.tickStatements);
        bench::Report(QStringLiteral("dish list (selected table), %1 history").arg(o.history),
                      h.listMs, b.listMs, h.listStatements, h.listRows);
        bench::Report(QStringLiteral("board tick, %1 history").arg(o.history), h.tickMs, b.listMs,
                      h.tickStatements);
        bench::Report(QStringLiteral("board tick + repaint, %1 history").arg(o.history),
                      h.tickPaintMs, b.listMs, h.tickStatements);
        bench::Report(QStringLiteral("dish list (all tables), no history"), b.allListMs, b.listMs,
                      b.allListStatements, b.allListRows);
        bench::Report(QStringLiteral("board tick, nothing selected, no history"), b.allTickMs,
                      b.listMs, b.allTickStatements);
        bench::Report(QStringLiteral("dish list (all tables), %1 history").arg(o.history),
                      h.allListMs, b.listMs, h.allListStatements, h.allListRows);
        bench::Report(QStringLiteral("board tick, nothing selected, %1 history").arg(o.history),
                      h.allTickMs, b.listMs, h.allTickStatements);
        bench::Print(QStringLiteral("# one tick by query object, no history: ") + b.byObject);
        bench::Print(QStringLiteral("# one tick by query object, with history: ") + h.byObject);
        bench::Print(QStringLiteral("# tick / its own list run: no history x%1, with history x%2")
                         .arg(b.tickMs / b.listMs, 0, 'f', 2)
                         .arg(h.tickMs / h.listMs, 0, 'f', 2));
        if (o.has("--trace")) {
            for (const QString& line : h.trace) {
                bench::Print(QStringLiteral("# ") + line);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "BoardRefreshBench: %s\n", e.what());
        return 1;
    }
    return 0;
}
