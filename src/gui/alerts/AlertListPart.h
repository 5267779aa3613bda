#pragma once

#include <QObject>

#include "core/db/FeedHealth.h"
#include "gui/common/DishView.h"
#include "gui/common/StationContext.h"

class AlertGrid;
struct ListRead;

// What the three alert lists of the dish area share: one grid on one query object of the
// data module, its current line kept across the refresh tick, and a read that fails shown on
// the page (never an empty list that passes for "nothing pending"), reported to the feed's
// health and retried by the tick.
class AlertListPart : public QObject, public DishView {
    Q_OBJECT

public:
    ~AlertListPart() override;

    void rememberLine() override;
    // Re-runs the list unless something re-ran it since rememberLine, and puts it back on
    // the remembered line; a list whose last read failed is read again. A failure is shown on
    // the page and then thrown on as DbError, as the line keeper does.
    void returnToLine() override;

    AlertGrid& grid() const { return *grid_; }
    QueryObject& list() const { return keeper_.list(); }

protected:
    // Every read of the list is reported to the feed's health as `feed`.
    AlertListPart(StationContext& ctx, QueryObject& list, Feed feed, QObject* parent);
    void setGrid(AlertGrid* grid) { grid_ = grid; }
    void readDone(const ListRead& read);

    StationContext& ctx_;

private:
    void failed(DbFailure failure, const QString& error);

    Feed feed_;
    LineKeeper keeper_;
    AlertGrid* grid_ = nullptr;
};
