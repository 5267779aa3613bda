#pragma once

#include <QString>
#include <QStringList>

class Dialect;
class QueryObject;
class StatementCatalogue;

// The statements of the dish search box and the scan. The search and the lookup fill
// ADO_Public1, which the search list shows.

// Lines whose dish code, name, state text, barcode, line number or short code contain the
// text; every line of Consume with a known dish and table, whatever its state or bill.
// Without the text: every such line (the ">>" button on an empty box).
QString DishSearchSql(const Dialect& dialect, bool withText = true);
// The six values of the search: "%" + text + "%", the text as typed (blanks kept).
QStringList DishSearchValues(const QString& text);

// The line whose line number is exactly the code, unless it was returned.
QString DishLookupSql(const Dialect& dialect);

// Fill ADO_Public1; a database error is swallowed and leaves it closed (false).
bool OpenDishSearch(QueryObject& query, const Dialect& dialect, const QString& text);
bool OpenAllDishLines(QueryObject& query, const Dialect& dialect);
bool OpenDishLookup(QueryObject& query, const Dialect& dialect, const QString& code);

// The scanned line by its key, with what the scan checks before serving it: its table and
// serving order (for the serving-order check), its state, bill mark and served time.
QString ScannedLineSql(const Dialect& dialect);
// Served, only while the line is neither served nor of a settled bill:
// [ "菜品已上", "4", served time, line number, "4", "已结" ].
QString ScanServedUpdateSql();

void RegisterScanStatements(StatementCatalogue& catalogue);
