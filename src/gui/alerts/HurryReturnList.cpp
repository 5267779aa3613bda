#include "gui/alerts/HurryReturnList.h"

#include <QTableView>

#include "core/alerts/AlertRules.h"
#include "core/alerts/AlertStatements.h"
#include "gui/alerts/AlertColumns.h"
#include "gui/alerts/AlertGrid.h"
#include "gui/alerts/AlertListDelegate.h"
#include "gui/common/StretchedColumns.h"

HurryReturnList::HurryReturnList(StationContext& ctx, QWidget* page, QObject* parent)
    : AlertListPart(ctx, ctx.dm.ADO_cctc, Feed::AlertLists, parent) {
    auto* grid = new AlertGrid(ctx.dm.ADO_cctc, HurryReturnColumns(), "cxGrid2",
                               {QStringLiteral("room_name"), QString()}, page, this);
    setGrid(grid);
    DishGridModel* model = grid->model();
    delegate_ = new AlertListDelegate(
        [model](int row) -> std::optional<QColor> {
            const auto c =
                HurryReturnRowColour(model->field(row, QStringLiteral("cctc")).toString());
            if (!c) {
                return std::nullopt;
            }
            return QColor(c->red, c->green, c->blue);
        },
        {}, this);
    grid->view()->setItemDelegate(delegate_);
    StretchColumnsToWidth(grid->view());
}

void HurryReturnList::QueryHurryReturnList(const QString& tableId, const DishListFilter& filter) {
    readDone(OpenHurryReturnList(ctx_.dm.ADO_cctc, ctx_.dm.ADOConn.dialect(), filter, tableId));
}
