#pragma once

#include <QString>

#include "core/db/DbError.h"
#include "core/dishes/DishListQuery.h"

class Dialect;
class QueryObject;

// The statements of the overdue reminder and of the three alert lists, exactly as the station
// has always sent them to SQL Server but for the returned-line test on the derived table; on
// the embedded engine only the dialect's constructs differ. Values come in marker order.

// The lines of every table's open bill that have waited longer than their dish allows, with
// no filter of the dish list; shortest wait first, then table name and serving order.
BoundSql BuildOverdueReminderStatement(const Dialect& dialect);

// The same lines for the overdue tab: of tableId when filter.scopeItem is 1, narrowed by
// filter.searchText. Department, station and state filters do not apply.
BoundSql BuildOverdueListStatement(const Dialect& dialect, const DishListFilter& filter,
                                   const QString& tableId);

// The lines still to be made or served, and the return records, of unsettled bills, with
// their hurry label cctc: department, station, scope and search text apply; by label, table
// name and serving order.
BoundSql BuildHurryReturnStatement(const Dialect& dialect, const DishListFilter& filter,
                                   const QString& tableId);

inline constexpr int kServedListSize = 30;

// The 30 lines served last at any table, latest first, with the minutes since each was
// served, narrowed by the search text only.
BoundSql BuildServedListStatement(const Dialect& dialect, const QString& searchText);

// A list read into its query object, or the database's text of why it could not be (the
// object is then closed: its grid shows no rows, and must say why).
struct ListRead {
    bool ok = false;
    QString error;
    DbFailure failure = DbFailure::Statement;
    explicit operator bool() const { return ok; }
};

ListRead ReadList(QueryObject& query, const BoundSql& statement);

ListRead OpenOverdueReminder(QueryObject& ADO_cstx, const Dialect& dialect);
ListRead OpenOverdueList(QueryObject& ADO_cstx1, const Dialect& dialect,
                         const DishListFilter& filter, const QString& tableId);
ListRead OpenHurryReturnList(QueryObject& ADO_cctc, const Dialect& dialect,
                             const DishListFilter& filter, const QString& tableId);
ListRead OpenServedList(QueryObject& ADOQ_finished, const Dialect& dialect,
                        const QString& searchText);
