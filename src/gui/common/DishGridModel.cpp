#include "gui/common/DishGridModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <cmath>

#include "core/db/QueryObject.h"
#include "gui/common/DishGridStyle.h"

DishGridModel::DishGridModel(QueryObject& query, QVector<DishGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), query_(query), columns_(std::move(columns)) {
    connect(&query_, &QueryObject::rowsReset, this, &DishGridModel::reset);
    reset();
}

void DishGridModel::reset() {
    beginResetModel();
    resultColumn_.clear();
    for (const auto& c : columns_) {
        resultColumn_.append(query_.isOpen() ? query_.columnIndex(c.field) : -1);
    }
    endResetModel();
}

int DishGridModel::columnOf(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_.at(i).field.compare(field, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QVariant DishGridModel::field(int row, const QString& name) const {
    if (!query_.isOpen() || row < 0 || row >= query_.rowCount()) {
        return {};
    }
    const int c = query_.columnIndex(name);
    return c < 0 ? QVariant() : query_.valueAt(row, c);
}

int DishGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !query_.isOpen() ? 0 : query_.rowCount();
}

int DishGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString DishGridModel::displayText(const QVariant& value) {
    if (value.isNull()) {
        return {};
    }
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15) {
            return QString::number(static_cast<qint64>(d));
        }
        return QString::number(d);
    }
    return value.toString();
}

QVariant DishGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const int c = resultColumn_.at(index.column());
    if (c < 0) {
        return {};
    }
    const QVariant v = query_.valueAt(index.row(), c);
    switch (role) {
        case Qt::DisplayRole:
            return displayText(v);
        case Qt::TextAlignmentRole: {
            const int type = v.typeId();
            const bool number = type == QMetaType::Int || type == QMetaType::LongLong ||
                                type == QMetaType::Double || type == QMetaType::Float;
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (number ? Qt::AlignRight : Qt::AlignLeft));
        }
        default:
            return {};
    }
}

QVariant DishGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns_.size()) {
        return columns_.at(section).caption;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DishGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void BindDishGrid(QTableView* view, DishGridModel* model) {
    view->setModel(model);
    DishGridStyle::Apply(view);
    const auto& columns = model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).width > 0) {
            view->setColumnWidth(i, columns.at(i).width);
        }
        view->setColumnHidden(i, !columns.at(i).visible);
    }

    QueryObject& query = model->query();
    auto firstVisible = [view, model] {
        for (int i = 0; i < model->columnCount(); ++i) {
            if (!view->isColumnHidden(i)) {
                return i;
            }
        }
        return 0;
    };
    // Query -> view: a re-run, a locate or a walk over the rows moves the selection.
    auto follow = [view, model, firstVisible](int row) {
        QItemSelectionModel* sel = view->selectionModel();
        if (row < 0 || row >= model->rowCount()) {
            sel->clear();
            return;
        }
        const QModelIndex index = model->index(row, firstVisible());
        if (sel->currentIndex().row() != row || !sel->isRowSelected(row, {})) {
            sel->setCurrentIndex(index,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        view->scrollTo(index);
    };
    QObject::connect(&query, &QueryObject::currentRowChanged, view, follow);
    // View -> query: a click or a key moves the current row.
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [&query](const QModelIndex& current) {
                         if (current.isValid() && current.row() != query.currentRow()) {
                             query.setCurrentRow(current.row());
                         }
                     });
    if (query.currentRow() >= 0) {
        follow(query.currentRow());
    }
}
