#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include "core/db/DbError.h"
#include "core/db/DishState.h"

class QueryObject;
class TF_dm;

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

// The serving order of one line by its key, for a list that does not carry it (the advanced
// query's result): [ line number ]. 0 when the line or its category is gone.
QString LineServingOrderSql();
int ReadLineServingOrder(QueryObject& query, const QString& lineNumber);

// Runs the check statement in the query object (closing what it held) and says whether an
// earlier course of the table is still pending. Database errors are not swallowed (DbError).
bool EarlierCoursePending(QueryObject& query, const QString& tableId, int servingOrder);

// What a command that writes one dish line came to.
enum class CommandResult {
    Done,     // the line was written
    Refused,  // the operator answered the serving-order question No: nothing written
    NoLine,   // no line to act on, or the update changed no row (the line is gone)
    Failed,   // the database refused the statement: error says why
};

struct CommandOutcome {
    CommandResult result = CommandResult::Done;
    QString error;
    DbFailure failure = DbFailure::Statement;  // of a Failed command: lost, busy or the statement
    bool done() const { return result == CommandResult::Done; }
};

// The one line a command acts on: its key, and for the serving-order check its table and
// serving order (Smalltype_scsx as read with the line).
struct DishLineRef {
    QString lineNumber;
    QString tableId;
    int servingOrder = 0;
};

// Sets the state of one line (not "served") by its key, on ADO_Public.
CommandOutcome SetDishLineState(TF_dm& dm, const QString& lineNumber, DishState state);
// Marks one line served at the given time (the PC clock), on ADO_Public.
CommandOutcome ServeDishLine(TF_dm& dm, const QString& lineNumber, const QDateTime& servedAt);

// What the window tells the operator when a command on a line wrote nothing (Failed, or an
// update that changed no row): the notice's title ("菜品未上" for served, "状态未改" for the
// other states) and the reason under the dish name.
QString CommandNotDoneTitle(DishState state);
QString CommandNotDoneReason(const CommandOutcome& outcome, DishState state);
