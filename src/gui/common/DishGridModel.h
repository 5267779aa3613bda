#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

class QTableView;
class QueryObject;

struct DishGridColumn {
    QString caption;
    QString field;  // column of the query's result, any letter case
    int width = 0;  // 0: the view's default
    bool visible = true;
};

// A read-only table over a query object's rows. The query object stays the owner of the
// rows and of the current row; the model only mirrors them.
class DishGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    DishGridModel(QueryObject& query, QVector<DishGridColumn> columns, QObject* parent = nullptr);

    QueryObject& query() const { return query_; }
    const QVector<DishGridColumn>& columns() const { return columns_; }
    int columnOf(const QString& field) const;  // -1 when the grid has no such column

    // A field of a row by its result column name; null when absent.
    QVariant field(int row, const QString& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Display text of a value as the grids show it (whole numbers without decimals).
    static QString displayText(const QVariant& value);

private:
    void reset();

    QueryObject& query_;
    QVector<DishGridColumn> columns_;
    QVector<int> resultColumn_;  // per grid column, the query's column index or -1
};

// Puts the model on the view with the shared look, the columns' widths and visibility, and
// ties the view's selected row to the query's current row in both directions.
void BindDishGrid(QTableView* view, DishGridModel* model);
