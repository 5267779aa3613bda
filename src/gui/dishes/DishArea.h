#pragma once

#include <QObject>
#include <QPointer>
#include <array>

#include "core/db/DishState.h"
#include "core/dishes/DishCommands.h"
#include "gui/common/DishView.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"

class DishFilters;
class DishGridFooter;
class DishIconView;
class DishGridModel;
class DishListDelegate;
class DishListView;
class QAction;
class QFrame;
class QMenu;
class QTabBar;

// The dish area on the right of the main window: the five dish tabs and their pages, the
// filters every view is queried with, the views of the tabs and the order in which a refresh
// re-runs them, and the state commands on the line of the list or of the selected icon. The
// list view is its own; the views of the other tabs are handed to it with setView. The
// window calls the public operations and connects the slots.
class DishArea : public QObject {
    Q_OBJECT

public:
    enum Tab { ListTab = 0, IconTab = 1, OverdueTab = 2, HurryReturnTab = 3, ServedTab = 4 };

    DishArea(StationContext& ctx, QWidget* place, QWidget* statePlace, QWidget* hiddenFilterPlace,
             QWidget* iconPagingPlace, QObject* parent = nullptr);
    ~DishArea() override;

    // The page of a tab, for the view that builds into it, and the view handed back.
    QWidget* page(int tab) const;
    void setView(int tab, DishView* view);
    // The place under the dish list, for the overdue reminder.
    QWidget* reminderPlace() const;

    DishFilters& filters() { return *filters_; }
    const DishFilters& filters() const { return *filters_; }
    DishListView& list() { return *list_; }
    DishIconView& icons() { return *icons_; }

    // Creation: the department and station lists; tab 0 and every state.
    void fillFilterLists();
    void showListOfAllStates();
    // Show: the scope item (runs the scope change when it changes).
    void setScope(int item);

    void RefreshDishViews(const QString& tableId);
    void QueryDishList(const QString& tableId);
    void QueryServedList();
    // The filter state the views are queried with.
    DishListFilter currentFilter() const;
    int currentTab() const;
    void showTab(int tab);

    // Slots the window connects: a table chosen on the board; the board's refresh tick
    // (tableId empty when no tile was selected again); the dish search box's text.
    void showTable(const QString& tableId);
    void refreshForTick(const QString& tableId, RefreshReport* report);
    void setSearchText(const QString& text);

    // The dish search's requests. requery: every list again for the current table, narrowed
    // by the search text. positionOnLine: the list of that tab on the line by prefix, its grid
    // focused (the icon tab clicks the line's icon). showServedLine: after a scan served the
    // line and its table's views re-ran, the list on that very line with the emphasis (none
    // when a filter leaves it out), and the line's icon showing it served.
    void requery();
    void positionOnLine(int tab, const QString& lineNumber);
    void showServedLine(const QString& lineNumber);

    // The state commands on the line of the path the tab selects. None throws: an update
    // that fails or changes no row is told through commandNotDone.
    void Button_kszzClick();
    void Button_jjzzClick();
    void Button_wfzzClick();
    void Button_zzwcClick();
    // Sets ServeRefused from the outcome: whenever it ends without a line recorded as served
    // (empty list, the serving-order question answered No, no icon selected on the icon tab,
    // tabs 2-4, the check or the update failed, or the update changed no row).
    void Button_cpysClick();
    void N5Click() {}

    // Handlers of the filters, the scope and the tabs; connected by the constructor.
    void CB_cpztChange();
    void CB_cpbmChange();
    void CB_gzzdChange();
    void RG_xsztClick();
    void TAB_CPChange(int index);

    void startEmphasis();
    bool emphasisOpen() const;

    // The list's grid pieces, for tests.
    DishGridModel* listModel() const;
    DishListDelegate* listDelegate() const;
    DishGridFooter* listFooter() const;

signals:
    // The tab shown changed (TAB_CP).
    void tabShown(int tab);
    // A command on a line wrote nothing (the database refused it, or no row changed): the
    // window shows the notice with the dish and the reason, and plays the failure sound.
    void commandNotDone(const QString& title, const QString& dishName, const QString& reason);

private:
    void buildPages(QWidget* place);
    void buildMenu(QWidget* owner);
    void connectControls();
    void filterChanged();
    void refreshView(int tab, const QString& tableId);

    void setLineState(DishState state, bool onlyListAndIconTabs);
    void setListLineState(DishState state);
    void setIconLineState(DishState state);
    CommandOutcome serveSelectedLine();
    DishLineRef currentListLine() const;
    // Reports the outcome (Feed::Command) and tells a line not written; false when it failed.
    bool commandDone(DishState state, const QString& lineNumber, const CommandOutcome& outcome);
    QString dishNameOf(const QString& lineNumber) const;

    StationContext& ctx_;
    ErrorGuard guard_;
    QString searchText_;
    DishFilters* filters_ = nullptr;
    DishListView* list_ = nullptr;
    DishIconView* icons_ = nullptr;
    std::array<DishView*, 5> views_{};

    QTabBar* TAB_CP = nullptr;
    QFrame* RzPanel5 = nullptr;       // list page: grid, reminder below it
    QFrame* RzPanel10 = nullptr;      // icon page
    QFrame* RzPanel7 = nullptr;       // overdue list page
    QFrame* RzPl_tccc = nullptr;      // hurry / return list page
    QFrame* RzPl_finished = nullptr;  // recently served list page
    QPointer<QMenu> PopupMenu3;
    QAction* N9 = nullptr;   // 开始制作, hidden
    QAction* N10 = nullptr;  // 加急制作, hidden
    QAction* N1 = nullptr;   // 无法制作
    QAction* N2 = nullptr;   // 制作完成, hidden
    QAction* N3 = nullptr;   // 菜品已上
    QAction* N4 = nullptr;   // separator, hidden
    QAction* N5 = nullptr;   // 菜品沽清, hidden
};
