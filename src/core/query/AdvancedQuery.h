#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

#include "core/dishes/DishListQuery.h"

class Dialect;
class StatementCatalogue;

// What the advanced query window asks for, resolved from its controls: a part is present only
// while its check box is ticked (and, for the lists, on an entry other than 0).
struct AdvancedQueryFilter {
    int stateItem = 0;                      // CB_cpzt entry; 0 or out of range: every state
    std::optional<QString> departmentCode;  // kitchen_bh
    std::optional<QString> stationCode;     // sit_id
    bool currentTableOnly = false;          // the main window shows one table only
    QString tableId;                        // CurrentTableId, for currentTableOnly
    // As typed; a text that is blank after trimming adds nothing, blanks inside a pattern stay.
    QString dishName;
    QString dishNumber;
    QString request;
    std::optional<std::pair<QString, QString>> timeRange;  // both ends, "YYYY-MM-DD HH:MM:SS"
};

// The dish tab whose list the query replaces.
enum class AdvancedQueryTarget { DishList = 0, HurryReturnList = 3 };

// CB_cpzt's entries, index 0 to 4.
QStringList AdvancedStateItems();

// Tab 0: the lines of unsettled bills with a positive quantity that are not returned, by line
// number; for ADO_cp.
BoundSql BuildAdvancedDishListStatement(const Dialect& dialect, const AdvancedQueryFilter& filter);
// Tab 3: the lines still to be made or served and the return records, by label and table;
// for ADO_cctc.
BoundSql BuildAdvancedHurryListStatement(const Dialect& dialect, const AdvancedQueryFilter& filter);

void RegisterQueryStatements(StatementCatalogue& catalogue);
