#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include "core/db/DishState.h"
#include "core/dishes/DishListQuery.h"
#include "gui/common/ErrorGuard.h"
#include "gui/main/MainWindowContext.h"

class DishGridFooter;
class DishGridModel;
class DishListDelegate;

// The dish views on the right of the main window: the dish list and its filters, the
// dish tabs, the state commands. The main window calls the public operations below.
class DishViews : public QObject {
    Q_OBJECT

public:
    DishViews(MainWindowContext& ctx, QObject* parent = nullptr);
    ~DishViews() override;

    // Creation: fill CB_cpbm / DepartmentCodes and CB_gzzd / StationCodes.
    void fillFilterLists();

    void RefreshDishViews(const QString& tableId);
    void QueryDishList(const QString& tableId);
    void QueryServedList();

    // The state commands on the line of the list or of the selected icon, by tab. The
    // first four swallow every database error.
    void Button_kszzClick();
    void Button_jjzzClick();
    void Button_wfzzClick();
    void Button_zzwcClick();
    // Sets ServeRefused whenever it ends without a line recorded as served (empty list, the
    // serving-order question answered No, no icon selected on the icon tab, tabs 2-4, the
    // update failed or changed no row). A failing serving-order query throws DbError and
    // leaves ServeRefused false: call it inside an ErrorGuard, or treat the exception as the
    // caller's own failure (the scan).
    void Button_cpysClick();

    // Handlers of the filters, the scope and the tabs; connected by the constructor.
    void CB_cpztChange();
    void CB_cpbmChange();
    void CB_gzzdChange();
    void RG_xsztClick();
    void TAB_CPChange(int index);
    void Timer1Timer();
    void Timer4Timer();
    void N5Click() {}

    // The emphasis window after a scan: while Timer4 runs, the selected line's state cell is
    // painted red, bold and larger.
    void startEmphasis();
    bool emphasisOpen() const;

    // The filter state the list is queried with.
    DishListFilter currentFilter() const;

    DishGridModel* listModel() const { return model_; }
    DishListDelegate* listDelegate() const { return delegate_; }
    DishGridFooter* listFooter() const;

    QStringList DepartmentCodes;
    QStringList StationCodes;

private:
    void connectControls();
    void stackPages();
    void updateFooter();
    void filterChanged(QComboBox* list);
    void showContextMenu(const QPoint& pos);
    bool focusNextAfter(QWidget* w);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // A state other than served, on the line of the path the tab selects.
    void setLineState(DishState state, bool onlyListAndIconTabs);
    void setListLineState(DishState state);
    void setIconLineState(DishState state);
    // Re-runs the list with its last statement and values and puts it back on the line.
    void rerunAndLocate(const QString& lineNumber);
    bool serveLine(const QString& lineNumber);
    bool serveCurrentLine();

    // The views of later work: the icon view, the overdue, hurry/return and served lists.
    void BuildDishIcons() {}
    void QueryOverdueDishes(const QString&) {}
    void QueryHurryReturnList(const QString&) {}
    bool hasSelectedIcon() const { return false; }
    QString selectedIconLineNumber() const { return {}; }
    void markSelectedIcon(DishState) {}
    void selectIconOfLine(const QString&, DishState) {}

    MainWindowContext& ctx_;
    ErrorGuard guard_;
    DishGridModel* model_ = nullptr;
    DishListDelegate* delegate_ = nullptr;
    QPointer<DishGridFooter> footer_;
    QPointer<QTableView> grid_;
};
