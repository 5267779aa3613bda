#include "gui/alerts/OverdueList.h"

#include <QBoxLayout>
#include <QFrame>

#include "core/alerts/AlertStatements.h"
#include "gui/alerts/AlertColumns.h"
#include "gui/alerts/AlertGrid.h"
#include "gui/common/StationWidgets.h"

OverdueList::OverdueList(StationContext& ctx, QWidget* page, QObject* parent)
    : AlertListPart(ctx, ctx.dm.ADO_cstx1, Feed::Reminder, parent) {
    RzPl_cscp = PlainPage("RzPl_cscp", page);
    PlaceLayout(page)->addWidget(RzPl_cscp, 1);
    setGrid(new AlertGrid(ctx.dm.ADO_cstx1, OverdueColumns(), "cxGrid1",
                          {QStringLiteral("room_name"), QStringLiteral("consume_num")}, RzPl_cscp,
                          this));
}

void OverdueList::QueryOverdueDishes(const QString& tableId, const DishListFilter& filter) {
    readDone(OpenOverdueList(ctx_.dm.ADO_cstx1, ctx_.dm.ADOConn.dialect(), filter, tableId));
}
