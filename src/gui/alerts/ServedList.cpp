#include "gui/alerts/ServedList.h"

#include <QTableView>

#include "core/alerts/AlertStatements.h"
#include "gui/alerts/AlertColumns.h"
#include "gui/alerts/AlertGrid.h"
#include "gui/alerts/AlertListDelegate.h"
#include "gui/common/StretchedColumns.h"

ServedList::ServedList(StationContext& ctx, QWidget* page, QObject* parent)
    : AlertListPart(ctx, ctx.dm.ADOQ_finished, Feed::AlertLists, parent) {
    auto* grid = new AlertGrid(ctx.dm.ADOQ_finished, ServedColumns(), "cxGrid3",
                               {QStringLiteral("room_name"), QString()}, page, this);
    setGrid(grid);
    delegate_ =
        new AlertListDelegate({}, {grid->model()->columnOf(QStringLiteral("sc_time"))}, this);
    grid->view()->setItemDelegate(delegate_);
    StretchColumnsToWidth(grid->view());
}

void ServedList::QueryServedList(const QString& searchText) {
    readDone(OpenServedList(ctx_.dm.ADOQ_finished, ctx_.dm.ADOConn.dialect(), searchText));
}
