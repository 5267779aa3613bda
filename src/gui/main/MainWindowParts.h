#pragma once

#include <QList>

#include "gui/alerts/HurryReturnList.h"
#include "gui/alerts/OverdueList.h"
#include "gui/alerts/OverdueReminder.h"
#include "gui/alerts/ServedList.h"
#include "gui/board/TableBoard.h"
#include "gui/common/StationContext.h"
#include "gui/dishes/DishArea.h"
#include "gui/dishes/DishCommandBar.h"
#include "gui/dishes/DishSearchBox.h"
#include "gui/main/MainWindowSkeleton.h"

class QObject;

// The main window's parts on its skeleton, and how they are wired: one part's signal to
// another's slot, so that no part holds another. TFMain owns one; tests and benchmarks build
// the same composition on a plain widget.
class MainWindowParts {
public:
    MainWindowParts(StationContext& ctx, QWidget* window);
    MainWindowParts(const MainWindowParts&) = delete;
    MainWindowParts& operator=(const MainWindowParts&) = delete;

    MainWindowSkeleton& skeleton() { return skeleton_; }
    TableBoard& board() { return board_; }
    DishSearchBox& search() { return search_; }
    DishArea& dishes() { return dishes_; }
    DishCommandBar& commands() { return commands_; }
    OverdueReminder& reminder() { return reminder_; }

    // Every object that owns named controls or timers, for finding them by name.
    QList<const QObject*> objects() const;

private:
    void wire();

    StationContext& ctx_;
    MainWindowSkeleton skeleton_;
    TableBoard board_;
    DishSearchBox search_;
    DishArea dishes_;
    DishCommandBar commands_;
    OverdueList overdue_;
    HurryReturnList hurryReturn_;
    ServedList served_;
    OverdueReminder reminder_;
};
