#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

class QueryObject;

// The state of one line, by its consume_bh: [ text, code, line number ].
QString DishStateUpdateSql();
// Served: [ "菜品已上", "4", served time, line number ]; only these three columns change.
QString DishServedUpdateSql();
// Lines of the same table still to be served in an earlier course; bound by name:
// wc (settled), wfzz ("2"), cpys ("4"), czh (table id), sx (serving order, integer).
QString ServingOrderCheckSql();

// The served time the station writes: "YYYY-MM-DD HH:MM:SS".
QString ServedTimeText(const QDateTime& t);

// Smalltype_scsx of the line being served: null, or text that is no integer, is 0.
int ServingOrderOf(const QVariant& value);

// Only a line of a later course (above 1) is checked, and only with MEAL_ORDER "Y".
bool ServingOrderNeedsCheck(const QString& mealOrderSetting, int servingOrder);

// Runs the check statement in the query object (closing what it held) and says whether an
// earlier course of the table is still pending. Database errors are not swallowed (DbError).
bool EarlierCoursePending(QueryObject& query, const QString& tableId, int servingOrder);
