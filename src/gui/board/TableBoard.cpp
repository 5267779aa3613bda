#include "gui/board/TableBoard.h"

#include "gui/dishes/DishViews.h"

TableBoard::TableBoard(StationContext& ctx, DishViews& dishes, QObject* parent)
    : QObject(parent), ctx_(ctx), dishes_(dishes) {}

void TableBoard::fillAreaList() {}

void TableBoard::LoadTableTree() {}

void TableBoard::LoadTableTypeTabs() {}
