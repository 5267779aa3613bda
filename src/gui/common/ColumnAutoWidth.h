#pragma once

#include <QObject>
#include <QVector>

class QTableView;

// Keeps a grid's visible columns filling its width, each in proportion to the width it was
// given (its design width), as the grid is resized. The grid then never scrolls sideways.
class ColumnAutoWidth : public QObject {
    Q_OBJECT

public:
    // Takes the columns' present widths as their design widths.
    explicit ColumnAutoWidth(QTableView* view);

    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* view_;
    QVector<int> design_;
};
