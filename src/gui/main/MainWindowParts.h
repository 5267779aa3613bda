#pragma once

#include <QList>

#include "gui/alerts/HurryReturnList.h"
#include "gui/alerts/OverdueList.h"
#include "gui/alerts/OverdueReminder.h"
#include "gui/alerts/ServedAnnouncer.h"
#include "gui/alerts/ServedList.h"
#include "gui/alerts/ServedNotice.h"
#include "gui/board/TableBoard.h"
#include "gui/common/StationContext.h"
#include "gui/dishes/DishArea.h"
#include "gui/dishes/DishCommandBar.h"
#include "gui/dishes/DishSearch.h"
#include "gui/main/FeedHealthBand.h"
#include "gui/main/MainWindowSkeleton.h"

class QObject;

// The main window's parts on its skeleton, and how they are wired: one part's signal to
// another's slot, so that no part holds another. TFMain owns one; tests and benchmarks build
// the same composition on a plain widget.
class MainWindowParts {
public:
    // programFolder: where the scan's sounds are (wav/ beside the executable).
    MainWindowParts(StationContext& ctx, QWidget* window, const QString& programFolder);
    MainWindowParts(const MainWindowParts&) = delete;
    MainWindowParts& operator=(const MainWindowParts&) = delete;

    MainWindowSkeleton& skeleton() { return skeleton_; }
    TableBoard& board() { return board_; }
    DishSearch& search() { return search_; }
    DishArea& dishes() { return dishes_; }
    DishCommandBar& commands() { return commands_; }
    OverdueReminder& reminder() { return reminder_; }
    FeedHealthBand& healthBand() { return band_; }
    ServedNotice& notice() { return notice_; }

    // Every object that owns named controls or timers, for finding them by name.
    QList<const QObject*> objects() const;

private:
    void wire();
    void wireSearch();
    // After a scan served the line: what the runner and the pass see, each view once.
    void showScannedLine(const QString& lineNumber, const QString& tableId,
                         const QString& mealName);

    StationContext& ctx_;
    MainWindowSkeleton skeleton_;
    TableBoard board_;
    DishSearch search_;
    DishArea dishes_;
    DishCommandBar commands_;
    OverdueList overdue_;
    HurryReturnList hurryReturn_;
    ServedList served_;
    OverdueReminder reminder_;
    ServedNotice notice_;  // the scan's and the commands': one on the screen at a time
    ServedAnnouncer announcer_;
    FeedHealthBand band_;
};
