#include "gui/dishes/DishListDelegate.h"

#include "core/db/QueryObject.h"
#include "core/dishes/DishListRules.h"
#include "gui/common/DishGridModel.h"

DishListDelegate::DishListDelegate(DishGridModel& model, std::function<bool()> emphasisOpen,
                                   QObject* parent)
    : QStyledItemDelegate(parent), model_(model), emphasisOpen_(std::move(emphasisOpen)) {}

QStyleOptionViewItem DishListDelegate::cellOption(const QStyleOptionViewItem& base,
                                                  const QModelIndex& index) const {
    QStyleOptionViewItem option(base);
    initStyleOption(&option, index);
    return option;
}

void DishListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QString state =
        model_.field(index.row(), QStringLiteral("consume_Chupinlogo")).toString();
    const bool stateColumn =
        index.column() == model_.columnOf(QStringLiteral("consume_Chupinstate"));
    // The selected row is the list's current row.
    const bool selected = index.row() == model_.query().currentRow();
    const DishCellLook look =
        DishListCellLook(state, stateColumn, selected, emphasisOpen_ && emphasisOpen_());
    if (look.colour) {
        const QColor c(look.colour->red, look.colour->green, look.colour->blue);
        option->palette.setColor(QPalette::Text, c);
        option->palette.setColor(QPalette::HighlightedText, c);
    }
    if (look.bold) {
        option->font.setBold(*look.bold);
    }
    if (look.pointSize) {
        option->font.setPointSize(*look.pointSize);
    }
    if (look.bold || look.pointSize) {
        option->fontMetrics = QFontMetrics(option->font);
    }
}
