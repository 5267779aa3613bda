#pragma once

#include "gui/alerts/AlertListPart.h"

class AlertListDelegate;

// The page "催菜退菜信息": the lines still to be made or served and the return records, each
// labelled with its hurry count or state and coloured by that label, on ADO_cctc. Follows the
// department, station, scope and search filters. Built into the page it is handed (RzPl_tccc).
class HurryReturnList : public AlertListPart {
    Q_OBJECT

public:
    HurryReturnList(StationContext& ctx, QWidget* page, QObject* parent = nullptr);

    void refresh(const QString& tableId, const DishListFilter& filter) override {
        QueryHurryReturnList(tableId, filter);
    }
    // A failure is shown on the page, never thrown.
    void QueryHurryReturnList(const QString& tableId, const DishListFilter& filter);

    // cxGridDBTableView3CustomDrawCell: every cell takes its row's label colour.
    AlertListDelegate* delegate() const { return delegate_; }

private:
    AlertListDelegate* delegate_ = nullptr;
};
