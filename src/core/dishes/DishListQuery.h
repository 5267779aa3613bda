#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Dialect;
class QueryObject;

// The dish list's filters as the main window holds them, already resolved from the hidden
// drop-downs. An unset department or station means "all".
struct DishListFilter {
    int stateItem = 0;  // CB_cpzt item; anything outside 1..7 means "all states"
    std::optional<QString> departmentCode;  // kitchen_bh of the CB_cpbm item other than 0
    std::optional<QString> stationCode;     // sit_id of the CB_gzzd item other than 0
    int scopeItem = 0;                      // RG_xszt: 1 lists the given table only
    QString searchText;                     // E_cpmc as typed
};

// A statement with its values in marker order.
struct BoundSql {
    QString text;
    QStringList values;
};

// The department and ordering-station filter lists.
inline const QString kDepartmentListSql =
    QStringLiteral("select kitchen_bh,kitchen_name from Kitchen");
inline const QString kStationListSql = QStringLiteral("select sit_id,sit_name from SaleSit");

// CB_cpzt's items, index 0 to 7.
QStringList DishStateFilterItems();

// The state filter's fragment and value for an item; nothing for item 0 or out of range.
std::optional<BoundSql> DishStateFilterFragment(int stateItem);

// The dish list of all tables or of tableId (scope item 1), in table and serving order.
BoundSql BuildDishListStatement(const Dialect& dialect, const DishListFilter& filter,
                                const QString& tableId);

// Opens the list in the query object; throws DbError (a list that keeps its rows keeps them
// when the same list fails to read again).
void ReadDishList(QueryObject& query, const Dialect& dialect, const DishListFilter& filter,
                  const QString& tableId);
// Opens the list in the query object; a database error leaves it closed (false).
bool OpenDishList(QueryObject& query, const Dialect& dialect, const DishListFilter& filter,
                  const QString& tableId);
