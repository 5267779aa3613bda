#pragma once

#include <QString>

#include "core/dishes/DishListQuery.h"

class QueryObject;

// What became of a refresh that several parts take part in (the board's tick and the dish
// views it re-runs): a part that fails says so, and the one that runs the refresh decides.
struct RefreshReport {
    bool failed = false;
    QString error;
    void fail(const QString& why) {
        failed = true;
        if (error.isEmpty()) {
            error = why;
        }
    }
};

// One view of the dish area (the list, the icons, the overdue, hurry/return and served
// lists): the dish area re-runs each for the chosen table with the filters of the moment, in
// the order the shown tab asks for. The views live in several folders; the window hands them
// to the dish area.
class DishView {
public:
    virtual ~DishView() = default;
    virtual void refresh(const QString& tableId, const DishListFilter& filter) = 0;
    // The refresh tick keeps the current line of the lists that have one; a view without a
    // list of its own keeps nothing.
    virtual void rememberLine() {}
    virtual void returnToLine() {}
};

// The current line of a list on one query object, kept across a re-run by its key
// consume_bh. returnToLine re-runs the list only when nothing re-ran it since rememberLine,
// so a tick never sends one statement twice.
class LineKeeper {
public:
    explicit LineKeeper(QueryObject& list) : list_(list) {}
    void remember();
    // Throws DbError when the re-run fails.
    void returnTo();
    QueryObject& list() const { return list_; }

private:
    QueryObject& list_;
    bool kept_ = false;
    QString key_;
    quint64 runAt_ = 0;
};
