#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <optional>

#include "gui/common/DishView.h"
#include "gui/common/StationContext.h"

class DishGridFooter;
class DishGridModel;
class DishListDelegate;
class QLabel;
class QTableView;
class QTimer;

// The dish list on the list page: the grid over ADO_cp with its footer, its row colours and
// the emphasis of a scanned line. Its current row is ADO_cp's current row.
class DishListView : public QObject, public DishView {
    Q_OBJECT

public:
    DishListView(StationContext& ctx, QWidget* page, QObject* parent = nullptr);
    ~DishListView() override;

    // QueryDishList. A read that fails is reported (Feed::DishLists) and shown above the
    // grid: the same list read again keeps its rows, another list shows none. Never throws.
    void refresh(const QString& tableId, const DishListFilter& filter) override;
    void rememberLine() override;
    // Re-runs the list unless something re-ran it since rememberLine (a list whose last read
    // failed is read again), back on its line. Throws DbError when the read fails, or when a
    // read since rememberLine failed (it is not sent again in the same round).
    void returnToLine() override;

    // After a command: the same statement again, back on the line. Never throws.
    void rerunAndLocate(const QString& lineNumber);
    void focusGrid();

    // The line above the grid that says the last read failed; hidden while reads succeed.
    QLabel* readNotice() const;

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
    void readSucceeded();
    void readFailed(const DbError& error);

    StationContext& ctx_;
    LineKeeper keeper_;
    QPointer<QTableView> cxGrid_ct_cp;
    QTimer* Timer4 = nullptr;
    DishGridModel* model_ = nullptr;
    DishListDelegate* delegate_ = nullptr;
    QPointer<DishGridFooter> footer_;
    QWidget* reminderPlace_ = nullptr;
    QPointer<QLabel> notice_;
    bool failed_ = false;
    std::optional<DbError> failedInRound_;
    QDateTime lastRead_;
};
