#pragma once

#include <QObject>
#include <QPointer>

#include "gui/common/DishView.h"
#include "gui/common/StationContext.h"

class DishGridFooter;
class DishGridModel;
class DishListDelegate;
class QTableView;
class QTimer;

// The dish list on the list page: the grid over ADO_cp with its footer, its row colours and
// the emphasis of a scanned line. Its current row is ADO_cp's current row.
class DishListView : public QObject, public DishView {
    Q_OBJECT

public:
    DishListView(StationContext& ctx, QWidget* page, QObject* parent = nullptr);
    ~DishListView() override;

    // QueryDishList: a database error leaves the list closed and empty.
    void refresh(const QString& tableId, const DishListFilter& filter) override;
    void rememberLine() override { keeper_.remember(); }
    void returnToLine() override { keeper_.returnTo(); }

    // After a command: the same statement again, back on the line.
    void rerunAndLocate(const QString& lineNumber);
    void focusGrid();

    // The emphasis window after a scan: while Timer4 runs, the selected line's state cell is
    // painted red, bold and larger.
    void startEmphasis();
    bool emphasisOpen() const;
    void Timer4Timer();

    // Where the overdue reminder goes, under the list.
    QWidget* reminderPlace() const { return reminderPlace_; }

    DishGridModel* model() const { return model_; }
    DishListDelegate* delegate() const { return delegate_; }
    DishGridFooter* footer() const;

signals:
    void serveRequested();  // a double click on a line
    void menuRequested(const QPoint& globalPos);

private:
    void updateFooter();

    StationContext& ctx_;
    LineKeeper keeper_;
    QPointer<QTableView> cxGrid_ct_cp;
    QTimer* Timer4 = nullptr;
    DishGridModel* model_ = nullptr;
    DishListDelegate* delegate_ = nullptr;
    QPointer<DishGridFooter> footer_;
    QWidget* reminderPlace_ = nullptr;
};
