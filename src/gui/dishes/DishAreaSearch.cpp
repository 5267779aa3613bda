// What the dish area does for the dish search box and the scan.
#include <QAbstractItemView>

#include "core/db/QueryObject.h"
#include "gui/dishes/DishArea.h"
#include "gui/dishes/DishIconView.h"
#include "gui/dishes/DishListView.h"

namespace {

const QString kLineNumber = QStringLiteral("consume_bh");

}  // namespace

void DishArea::requery() {
    const QString tableId = ctx_.state.CurrentTableId;
    for (int tab : {ListTab, IconTab, OverdueTab, HurryReturnTab, ServedTab}) {
        refreshView(tab, tableId);
    }
}

void DishArea::positionOnLine(int tab, const QString& lineNumber) {
    if (tab == IconTab) {
        icons_->clickIconOfLine(lineNumber);
        return;
    }
    // Each list's grid follows its query object's current row, whichever view shows it.
    TF_dm& dm = ctx_.dm;
    QueryObject* lists[] = {&dm.ADO_cp, nullptr, &dm.ADO_cstx1, &dm.ADO_cctc, &dm.ADOQ_finished};
    QueryObject* list = tab >= 0 && tab < 5 ? lists[tab] : nullptr;
    if (!list || !list->isOpen() || list->isEmpty()) {
        return;
    }
    list->locatePrefix(kLineNumber, lineNumber);
    if (tab == ListTab) {
        list_->focusGrid();
    } else if (auto* grid = page(tab)->findChild<QAbstractItemView*>()) {
        grid->setFocus();
    }
}

void DishArea::showServedLine(const QString& lineNumber) {
    // The served line itself, by its exact number: by prefix a line "12" left out by a filter
    // would put the emphasis on a line "123" that nobody served.
    QueryObject& list = ctx_.dm.ADO_cp;
    const int c = list.isOpen() ? list.columnIndex(kLineNumber) : -1;
    int row = -1;
    for (int r = 0; c >= 0 && r < list.rowCount() && row < 0; ++r) {
        if (FieldText(list.valueAt(r, c)) == lineNumber) {
            row = r;
        }
    }
    if (row >= 0) {
        list.setCurrentRow(row);
        list_->startEmphasis();
    }
    // The views re-ran for the line's table: its icon already shows it served. On the icon
    // tab it is the selected one again, as the scan's confirm had made it.
    if (TAB_CP->currentIndex() == IconTab) {
        icons_->selectIconOfLine(lineNumber, DishState::Served);
    } else {
        icons_->showLineState(lineNumber, DishState::Served);
    }
}
