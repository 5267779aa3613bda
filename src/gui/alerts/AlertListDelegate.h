#pragma once

#include <QColor>
#include <QSet>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>

// The drawing rules of an alert list: a text colour for every cell of a row (nothing keeps
// the grid's), and columns drawn in bold. Only the text changes; backgrounds stay the rows'.
class AlertListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using RowColour = std::function<std::optional<QColor>(int row)>;

    AlertListDelegate(RowColour rowColour, QSet<int> boldColumns, QObject* parent = nullptr);

    // The option a cell is painted with.
    QStyleOptionViewItem cellOption(const QStyleOptionViewItem& base,
                                    const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    RowColour rowColour_;
    QSet<int> boldColumns_;
};
