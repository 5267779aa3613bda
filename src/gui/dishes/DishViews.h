#pragma once

#include <QObject>
#include <QStringList>

#include "gui/main/StationContext.h"

// The dish views on the right of the main window: the dish list and its filters, the
// dish tabs, the state commands. The main window calls the public operations below.
class DishViews : public QObject {
    Q_OBJECT

public:
    DishViews(StationContext& ctx, QObject* parent = nullptr);

    // Creation: fill CB_cpbm / DepartmentCodes and CB_gzzd / StationCodes.
    void fillFilterLists();

    void RefreshDishViews(const QString& tableId);
    void QueryDishList(const QString& tableId);
    void QueryServedList();

    void Button_kszzClick();
    void Button_jjzzClick();
    void Button_wfzzClick();
    void Button_zzwcClick();
    void Button_cpysClick();

    QStringList DepartmentCodes;
    QStringList StationCodes;

private:
    StationContext& ctx_;
};
