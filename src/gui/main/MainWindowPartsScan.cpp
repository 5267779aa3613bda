// How the dish search box and the scan meet the other parts of the window.
#include "gui/dishes/DishIconView.h"
#include "gui/main/MainWindowParts.h"

void MainWindowParts::wireSearch() {
    const ErrorGuard guard(ctx_.boxes, ctx_.window);

    // Before anything re-runs a view, so that the re-run is narrowed by the new text.
    QObject::connect(&search_, &DishSearch::textChanged, &dishes_, &DishArea::setSearchText);
    QObject::connect(&search_, &DishSearch::allTablesRequested, &dishes_,
                     guard.wrap([this] { dishes_.setScope(0); }));
    QObject::connect(&search_, &DishSearch::firstTableTypeRequested, &board_,
                     guard.wrap([this] { board_.showFirstTableType(); }));
    QObject::connect(&search_, &DishSearch::refreshPaused, &board_, &TableBoard::stopRefresh);
    QObject::connect(&search_, &DishSearch::refreshResumed, &board_, &TableBoard::startRefresh);
    QObject::connect(&search_, &DishSearch::listTabRequested, &dishes_,
                     guard.wrap([this] { dishes_.showTab(DishArea::ListTab); }));
    QObject::connect(&search_, &DishSearch::requeryRequested, &dishes_,
                     guard.wrap([this] { dishes_.requery(); }));
    QObject::connect(&search_, &DishSearch::positionRequested, &dishes_,
                     [this, guard](int tab, const QString& line) {
                         guard.run([&] { dishes_.positionOnLine(tab, line); });
                     });
    QObject::connect(&search_, &DishSearch::lineServed, &dishes_,
                     [this](const QString& line, const QString& table, const QString& dish) {
                         showScannedLine(line, table, dish);
                     });
    QObject::connect(&search_, &DishSearch::lineNotServed, &notice_,
                     [this, guard](const QString& dish, const QString& reason) {
                         guard.run([&] { notice_.ShowNotServedNotice(dish, reason); });
                     });

    QObject::connect(&dishes_, &DishArea::tabShown, &search_, &DishSearch::setCurrentTab);
    QObject::connect(&dishes_.icons(), &DishIconView::focusSearchBox, &search_,
                     &DishSearch::takeFocus);
}

void MainWindowParts::showScannedLine(const QString& lineNumber, const QString& tableId,
                                      const QString& mealName) {
    const ErrorGuard guard(ctx_.boxes, ctx_.window);
    // The dish is served whatever fails here: the runner hears the failure before the error
    // box, and what was done stays done.
    guard.run([&] {
        try {
            notice_.ShowServedNotice(mealName);
            announcer_.AnnounceServedDish(mealName);
            ctx_.state.CurrentTableId = tableId;
            // Choosing the tile re-runs the views of its table once; without a tile they re-run
            // for the line's table all the same, so the list shows the line served.
            if (!board_.chooseTable(tableId)) {
                dishes_.showTable(tableId);
            }
            dishes_.showServedLine(lineNumber);
        } catch (...) {
            search_.playFailureSound();
            throw;
        }
    });
    search_.takeFocus();
}
