#pragma once

#include <QString>

#include "core/db/Dialect.h"

// The pieces that recur in the dish statements, each written once. Where a statement
// spells a piece differently (letter case, a bound "Y"), it keeps its own spelling.
namespace DishSql {

// Minutes waited since ordering, by the server's clock and its minute-boundary rule.
inline QString WaitingMinutes(const Dialect& d) {
    return d.minutesSince(QStringLiteral("consume_begintime"));
}

// "MM-DD hh:mm:ss" of a time column.
inline QString ShortTime(const Dialect& d, const QString& column) {
    return d.shortTimeText(column);
}

inline const QString kNetQuantity = QStringLiteral("(consume_num-consume_returnNum)");

// Lines not returned, or returned in part (a positive quantity other than the ordered one).
inline const QString kReturnTest = QStringLiteral(
    "(Consume_return <> 'Y' or (Consume_return='Y' and consume_num<>consume_returnNum and "
    "consume_returnNum>0))");

inline const QString kExcludedCategories = QStringLiteral(
    "(consume_meal_type not in (select smalltype_id from SmallType where Smalltype_NdyHc='Y'))");

// The same with the "Y" bound to the given marker.
inline QString ExcludedCategoriesBound(const QString& marker) {
    return QStringLiteral(
               "(consume_meal_type not in (select smalltype_id from SmallType where "
               "Smalltype_NdyHc=%1))")
        .arg(marker);
}

inline const QString kPackageExclusion =
    QStringLiteral("(consume_tcsign<>'TC' or consume_tcsign is null)");

// State neither cannot-make, made nor served.
inline const QString kOverdueStateTest = QStringLiteral(
    "(consume_chupinlogo <> 4) and (consume_chupinlogo <> 3) and (consume_chupinlogo <> 2)");

// "催菜(n)" for hurried lines, the serving state otherwise.
inline QString HurryColumn(const Dialect& d) {
    return QStringLiteral("(case when consume_cccs>0 then %1 else consume_state end)as cctc")
        .arg(
            d.concat({QStringLiteral("'催菜('"),
                      QStringLiteral("cast(consume_cccs as varchar(50))"), QStringLiteral("')'")}));
}

}  // namespace DishSql
