#include "gui/dishes/DishViews.h"

DishViews::DishViews(StationContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void DishViews::fillFilterLists() {}

void DishViews::RefreshDishViews(const QString&) {}

void DishViews::QueryDishList(const QString&) {}

void DishViews::QueryServedList() {}

void DishViews::Button_kszzClick() {}

void DishViews::Button_jjzzClick() {}

void DishViews::Button_wfzzClick() {}

void DishViews::Button_zzwcClick() {}

void DishViews::Button_cpysClick() {}
