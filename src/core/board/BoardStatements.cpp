#include "core/board/BoardStatements.h"

#include "core/db/DishSqlBlocks.h"
#include "core/db/Registrations.h"
#include "core/db/StatementCatalogue.h"

namespace BoardSql {

QString TileCounters() {
    return QStringLiteral(
               "select sum(consume_num) as dcsl,sum(case consume_Chupinlogo when 4 then "
               "(consume_num-consume_returnNum) end) as yscp,") +
           QStringLiteral(
               "sum(case consume_Chupinlogo when 2 then (consume_num-consume_returnNum) end) as "
               "wfzz from consume") +
           QStringLiteral(" where consume_guest_bh = :a1 and ") +
           DishSql::ExcludedCategoriesBound(QStringLiteral(":a2")) + QStringLiteral(" and ") +
           DishSql::kPackageExclusion;
}

QString TileOverdueCount(const Dialect& d) {
    return QStringLiteral(
               "select count(*) as cscp from consume left join meal on meal_bh = consume_meal_id "
               "where consume_guest_bh = :a1 and (consume_chupinlogo <> 4) and "
               "(consume_chupinlogo <> 3) ") +
           QStringLiteral(" and (consume_chupinlogo <> 2) and ") + DishSql::WaitingMinutes(d) +
           QStringLiteral(
               " > Meal_time and (consume_return<>'Y' or (Consume_return='Y' and "
               "consume_num<>consume_returnNum and consume_returnNum>0))") +
           QStringLiteral(" and ") + DishSql::kExcludedCategories + QStringLiteral(" and ") +
           DishSql::kPackageExclusion;
}

QString PageCounters(const Dialect& d, int bills) {
    QStringList markers;
    for (int i = 1; i <= bills; ++i) {
        markers << QStringLiteral(":a%1").arg(i);
    }
    // The overdue test moves from the where clause into the sum, so one pass over the bill's
    // counted lines gives all four figures. The join keeps the row count because meal_bh is
    // Meal's key.
    return QStringLiteral(
               "select consume_guest_bh,sum(consume_num) as dcsl,sum(case consume_Chupinlogo "
               "when 4 then (consume_num-consume_returnNum) end) as yscp,sum(case "
               "consume_Chupinlogo when 2 then (consume_num-consume_returnNum) end) as wfzz,") +
           QStringLiteral("sum(case when ") + DishSql::kOverdueStateTest + QStringLiteral(" and ") +
           DishSql::WaitingMinutes(d) + QStringLiteral(" > Meal_time and ") + DishSql::kReturnTest +
           QStringLiteral(
               " then 1 else 0 end) as cscp from consume left join meal on meal_bh = "
               "consume_meal_id where consume_guest_bh in (") +
           markers.join(QLatin1Char(',')) + QStringLiteral(") and ") +
           DishSql::kExcludedCategories + QStringLiteral(" and ") + DishSql::kPackageExclusion +
           QStringLiteral(" group by consume_guest_bh");
}

}  // namespace BoardSql

TableQuery BuildTableQuery(bool typeFilter, const QString& typeId, bool areaFilter,
                           const QString& areaId) {
    TableQuery q;
    q.sql = QStringLiteral(
        "select room_id,room_name,guest_rs,guest_total,guest_bh from room,guest where "
        "guest_table = room_id and ");
    if (typeFilter) {
        q.sql += QStringLiteral("room_type = :a1 and ");
        q.values << typeId;
    }
    if (areaFilter) {
        q.sql += QStringLiteral(" room_area =:a2 and ");
        q.values << areaId;
    }
    q.sql += QStringLiteral("room_state = :a3 and guest_estate=:a4 order by room_name");
    q.values << QStringLiteral("0") << QStringLiteral("true");
    return q;
}

void RegisterBoardStatements(StatementCatalogue& catalogue) {
    const auto fixed = [&](const char* name, const QString& sql) {
        catalogue.add({QString::fromLatin1(name), {}, [sql](const Dialect&, const QSet<QString>&) {
                           return sql;
                       }});
    };
    fixed("BoardAreas", BoardSql::kAreas);
    fixed("BoardTableTypes", BoardSql::kTableTypes);
    fixed("BoardTreeTables", BoardSql::kTreeTables);
    fixed("BoardTableSearch", BoardSql::kTableSearch);
    fixed("BoardTablePick", BoardSql::kTablePick);
    catalogue.add({QStringLiteral("BoardTables"),
                   {QStringLiteral("type"), QStringLiteral("area")},
                   [](const Dialect&, const QSet<QString>& on) {
                       return BuildTableQuery(on.contains(QStringLiteral("type")), QString(),
                                              on.contains(QStringLiteral("area")), QString())
                           .sql;
                   }});
    catalogue.add({QStringLiteral("BoardTileCounters"),
                   {},
                   [](const Dialect&, const QSet<QString>&) { return BoardSql::TileCounters(); }});
    catalogue.add(
        {QStringLiteral("BoardTileOverdueCount"), {}, [](const Dialect& d, const QSet<QString>&) {
             return BoardSql::TileOverdueCount(d);
         }});
    // Shown for one bill; the station sends 1, 2, 4, ... kBillsPerStatement markers.
    catalogue.add(
        {QStringLiteral("BoardPageCounters"), {}, [](const Dialect& d, const QSet<QString>&) {
             return BoardSql::PageCounters(d, 1);
         }});
}
