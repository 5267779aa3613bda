#include "core/dishes/ScanStatements.h"

#include "core/db/Dialect.h"
#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"
#include "core/db/StatementCatalogue.h"

namespace {

const QString kColumns = QStringLiteral(
    "select consume_bh,consume_guest_bh,consume_meal_id,consume_meal_name,consume_Chupinstate,"
    "room_name from Consume,room,Meal");
const QString kJoin =
    QStringLiteral(" where meal_bh = Consume_meal_id and consume_table = room_id");

}  // namespace

// Nothing in these texts differs between the engines.
QString DishSearchSql(const Dialect&, bool withText) {
    if (!withText) {
        return kColumns + kJoin;
    }
    return kColumns + kJoin +
           QStringLiteral(
               " and (consume_meal_id like :a1 or consume_meal_name like :a2 or "
               "consume_Chupinstate like :a3 or meal_Barcode like :a4 or consume_bh like :a5 or "
               "meal_code like :a6)");
}

QStringList DishSearchValues(const QString& text) {
    const QString pattern = QLatin1Char('%') + text + QLatin1Char('%');
    return QStringList(6, pattern);
}

QString DishLookupSql(const Dialect&) {
    return kColumns + kJoin + QStringLiteral(" and consume_bh=:a1 and consume_return<>:a2");
}

bool OpenDishSearch(QueryObject& query, const Dialect& dialect, const QString& text) {
    return OpenSqlParams(query, DishSearchSql(dialect), DishSearchValues(text));
}

bool OpenAllDishLines(QueryObject& query, const Dialect& dialect) {
    OpenSql(query, DishSearchSql(dialect, false));
    return query.isOpen();
}

bool OpenDishLookup(QueryObject& query, const Dialect& dialect, const QString& code) {
    return OpenSqlParams(query, DishLookupSql(dialect), {code, QStringLiteral("Y")});
}

QString ScannedLineSql(const Dialect&) {
    return QStringLiteral(
        "select consume_bh,consume_table,consume_meal_name,consume_Chupinlogo,consume_state,"
        "consume_donetime,Smalltype_scsx from Consume left join SmallType on "
        "smalltype_id=consume_meal_type where consume_bh=:a1");
}

QString ScanServedUpdateSql() {
    // A blank state or bill mark may be NULL, which "<>" alone would not let through.
    return QStringLiteral(
        "update Consume set consume_Chupinstate = :a1,consume_Chupinlogo= :a2,"
        "consume_donetime=:a3 where consume_bh = :a4 and (consume_Chupinlogo<>:a5 or "
        "consume_Chupinlogo is null) and (Consume_state<>:a6 or Consume_state is null)");
}

void RegisterScanStatements(StatementCatalogue& catalogue) {
    catalogue.add({QStringLiteral("DishSearch"),
                   {QStringLiteral("text")},
                   [](const Dialect& d, const QSet<QString>& on) {
                       return DishSearchSql(d, on.contains(QStringLiteral("text")));
                   }});
    catalogue.add({QStringLiteral("DishLookup"), {}, [](const Dialect& d, const QSet<QString>&) {
                       return DishLookupSql(d);
                   }});
    catalogue.add({QStringLiteral("ScannedLine"), {}, [](const Dialect& d, const QSet<QString>&) {
                       return ScannedLineSql(d);
                   }});
    catalogue.add({QStringLiteral("ScanServedUpdate"),
                   {},
                   [](const Dialect&, const QSet<QString>&) { return ScanServedUpdateSql(); }});
}
