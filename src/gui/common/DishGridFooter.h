#pragma once

#include <QMap>
#include <QPointer>
#include <QTableView>
#include <QWidget>

// The summary line under a dish grid: texts placed under given columns, following the
// columns as they are resized or scrolled.
class DishGridFooter : public QWidget {
    Q_OBJECT

public:
    explicit DishGridFooter(QTableView* view, QWidget* parent = nullptr);

    void setCell(int column, const QString& text, Qt::Alignment alignment = Qt::AlignLeft);
    QString cellText(int column) const;
    // Where the column's text is drawn, in the footer's coordinates.
    QRect cellRect(int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Cell {
        QString text;
        Qt::Alignment alignment;
    };
    QPointer<QTableView> view_;
    // For identity only: the view's events still arrive while it is being destroyed.
    const QObject* viewObject_;
    QMap<int, Cell> cells_;
};
