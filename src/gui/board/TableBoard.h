#pragma once

#include <QObject>
#include <QStringList>

#include "gui/main/StationContext.h"

class DishViews;

// The table board on the left of the main window: tiles, filters, paging, selection,
// table search and the five-second refresh. The main window calls the public operations.
class TableBoard : public QObject {
    Q_OBJECT

public:
    TableBoard(StationContext& ctx, DishViews& dishes, QObject* parent = nullptr);

    // Creation: fill CB_qy and AreaIds from the areas.
    void fillAreaList();

    // Show: the table tree, then the type tabs and the board.
    void LoadTableTree();
    void LoadTableTypeTabs();

    QStringList AreaIds;
    QStringList TableTypeIds;
    int PageCapacity = 0;

private:
    StationContext& ctx_;
    DishViews& dishes_;
};
