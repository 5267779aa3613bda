#pragma once

#include "gui/alerts/AlertListPart.h"

class QFrame;

// The page "超时菜品信息": the overdue lines of the chosen table or of all tables, narrowed by
// the dish search box, on ADO_cstx1. Built into the page it is handed (RzPanel7).
class OverdueList : public AlertListPart {
    Q_OBJECT

public:
    OverdueList(StationContext& ctx, QWidget* page, QObject* parent = nullptr);

    void refresh(const QString& tableId, const DishListFilter& filter) override {
        QueryOverdueDishes(tableId, filter);
    }
    // The table counts only with scope item 1; department, station and state do not apply.
    // A failure is shown on the page, never thrown.
    void QueryOverdueDishes(const QString& tableId, const DishListFilter& filter);

private:
    QFrame* RzPl_cscp = nullptr;
};
