#pragma once

#include "gui/alerts/AlertListPart.h"

class AlertListDelegate;

// The page "最后出品菜品": the 30 lines served last at any table with the minutes since, on
// ADOQ_finished. Follows the dish search box only. Built into the page it is handed
// (RzPl_finished).
class ServedList : public AlertListPart {
    Q_OBJECT

public:
    ServedList(StationContext& ctx, QWidget* page, QObject* parent = nullptr);

    void refresh(const QString&, const DishListFilter& filter) override {
        QueryServedList(filter.searchText);
    }
    // The search box's text as typed. A failure is shown on the page, never thrown.
    void QueryServedList(const QString& searchText);

    // cxGridDBColumn27CustomDrawCell: 已上分钟 in bold.
    AlertListDelegate* delegate() const { return delegate_; }

private:
    AlertListDelegate* delegate_ = nullptr;
};
