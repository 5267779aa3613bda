#pragma once

#include <QVector>

#include "gui/common/DishGridModel.h"

// The columns of the alert grids, in their order, with their design widths and visibility.

// The reminder panel's grid and the overdue tab's grid.
QVector<DishGridColumn> OverdueColumns();
// The hurry/return tab; its first column is the label "催菜(n)" or the line's state.
QVector<DishGridColumn> HurryReturnColumns();
// The recently served tab; 已上分钟 is drawn in bold.
QVector<DishGridColumn> ServedColumns();
