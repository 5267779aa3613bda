#pragma once

#include <QStyledItemDelegate>
#include <functional>

class DishGridModel;

// The dish list's drawing rules: every cell takes the font colour of its row's state, and
// the state cells show the emphasis of a scanned line while the emphasis window is open.
class DishListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    DishListDelegate(DishGridModel& model, std::function<bool()> emphasisOpen,
                     QObject* parent = nullptr);

    // The option a cell is painted with.
    QStyleOptionViewItem cellOption(const QStyleOptionViewItem& base,
                                    const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    DishGridModel& model_;
    std::function<bool()> emphasisOpen_;
};
