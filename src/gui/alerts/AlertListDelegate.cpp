#include "gui/alerts/AlertListDelegate.h"

AlertListDelegate::AlertListDelegate(RowColour rowColour, QSet<int> boldColumns, QObject* parent)
    : QStyledItemDelegate(parent),
      rowColour_(std::move(rowColour)),
      boldColumns_(std::move(boldColumns)) {}

QStyleOptionViewItem AlertListDelegate::cellOption(const QStyleOptionViewItem& base,
                                                   const QModelIndex& index) const {
    QStyleOptionViewItem option(base);
    initStyleOption(&option, index);
    return option;
}

void AlertListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (rowColour_) {
        if (const auto c = rowColour_(index.row())) {
            option->palette.setColor(QPalette::Text, *c);
            option->palette.setColor(QPalette::HighlightedText, *c);
        }
    }
    if (boldColumns_.contains(index.column())) {
        option->font.setBold(true);
        option->fontMetrics = QFontMetrics(option->font);
    }
}
