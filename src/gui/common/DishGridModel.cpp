#include "gui/common/DishGridModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <cmath>
#include <memory>

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
    // A re-run (a command, the tick) resets the grid and puts it back on its line: that line
    // is shown at the height it had before, so the row under the mouse is still the same
    // line. Without it the grid would scroll to the top and back to the line's edge.
    struct Anchor {
        QString key;     // consume_bh of the current line, when the rows have it
        int offset = 0;  // its top in the viewport before the reset
        bool pending = false;
    };
    auto anchor = std::make_shared<Anchor>();
    auto keyOf = [model](int row) { return model->field(row, QStringLiteral("consume_bh")); };
    QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, view, [view, anchor] {
        const int row = view->selectionModel()->currentIndex().row();
        if (row < 0) {
            return;  // the reset of an empty grid, or the second one of a re-run
        }
        anchor->offset = view->verticalHeader()->sectionViewportPosition(row);
        anchor->pending = true;
        // The re-run and its locate happen in one event; a later move is the operator's.
        QTimer::singleShot(0, view, [anchor] { anchor->pending = false; });
    });
    auto restore = [view, anchor](int row) {
        view->doItemsLayout();  // the scroll range of the new rows
        QScrollBar* bar = view->verticalScrollBar();
        if (view->verticalScrollMode() == QAbstractItemView::ScrollPerPixel) {
            bar->setValue(view->verticalHeader()->sectionPosition(row) - anchor->offset);
        } else {
            const int height = std::max(1, view->verticalHeader()->sectionSize(row));
            bar->setValue(row - anchor->offset / height);
        }
    };
    // Query -> view: a re-run, a locate or a walk over the rows moves the selection.
    auto follow = [view, model, firstVisible, anchor, keyOf, restore](int row) {
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
        const QVariant key = keyOf(row);
        if (!anchor->pending) {
            view->scrollTo(index);
            anchor->key = key.toString();
        } else if (key.isNull()) {
            restore(row);  // rows without a key: every move of the re-run keeps the height
        } else if (key.toString() == anchor->key) {
            restore(row);
            anchor->pending = false;
        } else {
            view->scrollTo(index);  // the first row of the re-run, before its locate
        }
    };
    QObject::connect(&query, &QueryObject::currentRowChanged, view, follow);
    // View -> query: a click or a key moves the current row.
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [&query, anchor, keyOf](const QModelIndex& current) {
                         if (current.isValid() && !anchor->pending) {
                             anchor->key = keyOf(current.row()).toString();
                         }
                         if (current.isValid() && current.row() != query.currentRow()) {
                             query.setCurrentRow(current.row());
                         }
                     });
    if (query.currentRow() >= 0) {
        follow(query.currentRow());
    }
}
