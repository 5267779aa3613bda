#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include "gui/common/DishGridModel.h"

class DishGridFooter;
class QBoxLayout;
class QDateTime;
class QLabel;
class QTableView;
class QWidget;
class QueryObject;
struct ListRead;

// One alert grid on its query object, built into a container: a notice that says when the
// last read failed (an empty grid must never pass for "nothing pending"), the grid in the
// shared style, and its footer: "共#0笔记录" under the count column, and the sum of a column.
class AlertGrid : public QObject {
    Q_OBJECT

public:
    struct Footer {
        QString countField;  // where "共#0笔记录" stands
        QString sumField;    // whose sum stands under it; empty for none
    };

    AlertGrid(QueryObject& list, QVector<DishGridColumn> columns, const char* gridName,
              const Footer& footer, QWidget* container, QObject* parent = nullptr);
    ~AlertGrid() override;

    QTableView* view() const;
    DishGridModel* model() const { return model_; }
    DishGridFooter* footer() const;
    // The line above the grid that says the last read failed.
    QLabel* notice() const;
    QueryObject& list() const { return list_; }

    // After a read: a failure is shown with the time it happened until a read succeeds.
    void readDone(const ListRead& read, const QDateTime& at);
    void readFailed(const QString& error, const QDateTime& at);
    bool failed() const { return failed_; }

private:
    void listReset();
    void updateFooter();

    QueryObject& list_;
    Footer footerFields_;
    DishGridModel* model_ = nullptr;
    QPointer<QTableView> view_;
    QPointer<DishGridFooter> footer_;
    QPointer<QLabel> notice_;
    bool failed_ = false;
};

// The layout a part appends its controls to: the place's own box layout, or a new one.
QBoxLayout* PlaceLayout(QWidget* place);

// "共12笔记录".
QString RecordCountText(int rows);
