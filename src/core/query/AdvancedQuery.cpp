#include "core/query/AdvancedQuery.h"

#include "core/db/Dialect.h"
#include "core/db/DishSqlBlocks.h"
#include "core/db/DishState.h"
#include "core/db/StatementCatalogue.h"

namespace {

// Every value is text; a null QString would reach the database as NULL, which equals nothing.
QString AsText(const QString& v) {
    return v.isNull() ? QStringLiteral("") : v;
}

QString Pattern(const QString& typed) {
    return QLatin1Char('%') + typed + QLatin1Char('%');
}

// The markers of the optional parts: the two statements number them differently.
struct Markers {
    QString state, department, station, table, name, number, request, start, end;
};

void AddFilters(BoundSql& s, const AdvancedQueryFilter& f, const Markers& m) {
    const QString code = QStringLiteral(" and consume_Chupinlogo ");
    switch (f.stateItem) {
        case 1:
            s.text += code + QStringLiteral("=") + m.state + QLatin1Char(' ');
            s.values << DishStateCode(DishState::Served);
            break;
        case 2:
            s.text += code + QStringLiteral("<>") + m.state + QLatin1Char(' ');
            s.values << DishStateCode(DishState::Served);
            break;
        case 3:
            s.text += code + QStringLiteral("=") + m.state + QLatin1Char(' ');
            s.values << DishStateCode(DishState::CannotMake);
            break;
        case 4:
            // Lines no station has touched carry the empty code.
            s.text += code + QStringLiteral("=") + m.state;
            s.values << QStringLiteral("");
            break;
        default:
            break;
    }
    if (f.departmentCode) {
        s.text += QStringLiteral(" and consume_CPdep =") + m.department;
        s.values << AsText(*f.departmentCode);
    }
    if (f.stationCode) {
        s.text += QStringLiteral(" and consume_sit =") + m.station;
        s.values << AsText(*f.stationCode);
    }
    if (f.currentTableOnly) {
        s.text += QStringLiteral(" and consume_table = ") + m.table;
        s.values << AsText(f.tableId);
    }
    const auto like = [&s](const QString& typed, const char* column, const QString& marker) {
        if (typed.trimmed().isEmpty()) {
            return;
        }
        s.text += QStringLiteral(" and (%1 like %2)").arg(QLatin1String(column), marker);
        s.values << Pattern(typed);
    };
    like(f.dishName, "consume_meal_name", m.name);
    like(f.dishNumber, "consume_meal_id", m.number);
    like(f.request, "consume_taste", m.request);
    if (f.timeRange) {
        s.text += QStringLiteral(" and (consume_begintime between %1 and %2)").arg(m.start, m.end);
        s.values << AsText(f.timeRange->first) << AsText(f.timeRange->second);
    }
}

AdvancedQueryFilter CatalogueFilter(const QSet<QString>& on) {
    AdvancedQueryFilter f;
    const auto has = [&on](const char* part) { return on.contains(QString::fromLatin1(part)); };
    if (has("state")) {
        f.stateItem = 1;
    }
    if (has("department")) {
        f.departmentCode = QStringLiteral("01");
    }
    if (has("station")) {
        f.stationCode = QStringLiteral("01");
    }
    if (has("currentTable")) {
        f.currentTableOnly = true;
        f.tableId = QStringLiteral("R1");
    }
    if (has("dishName")) {
        f.dishName = QStringLiteral("x");
    }
    if (has("dishNumber")) {
        f.dishNumber = QStringLiteral("x");
    }
    if (has("request")) {
        f.request = QStringLiteral("x");
    }
    if (has("timeRange")) {
        f.timeRange = {QStringLiteral("2000-01-01 00:00:00"),
                       QStringLiteral("2000-01-01 23:59:59")};
    }
    return f;
}

}  // namespace

QStringList AdvancedStateItems() {
    return {QStringLiteral("显示所有菜品"), QStringLiteral("显示已上菜品"),
            QStringLiteral("显示未上菜品"), QStringLiteral("无法制作菜品"),
            QStringLiteral("显示未做菜品")};
}

BoundSql BuildAdvancedDishListStatement(const Dialect&, const AdvancedQueryFilter& filter) {
    BoundSql s;
    s.text = QStringLiteral(
        "select room_name, sit_name, consume_bh, consume_table, consume_guest_bh,consume_meal_id,  "
        "consume_num, consume_begintime, consume_Chupinstate,");
    s.text += QStringLiteral(
        "consume_chef, consume_CPdep, consume_state, consume_Taste, consume_sit, "
        "kitchen_name,employee_name,consume_Chupinlogo,consume_meal_name,Consume_return from ");
    s.text += QStringLiteral(
        "((((select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id, "
        "consume_num, consume_begintime, consume_Chupinstate,");
    s.text += QStringLiteral(
        "consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit,consume_Chupinlogo,consume_meal_name,Consume_return ");
    s.text += QStringLiteral(" from Consume left join SaleSit on consume_sit = sit_id) as t ");
    s.text += QStringLiteral(
        "left join Kitchen on consume_CPdep = kitchen_bh) left join room on room_id = "
        "consume_table)");
    s.text += QStringLiteral("left join Employee on consume_chef = employee_id)");
    s.text +=
        QStringLiteral(" where Consume_num > 0 and Consume_return <> :a8 and Consume_state <> :a9");
    s.values << kYes << kBillSettled;
    AddFilters(s, filter,
               {QStringLiteral(":a1"), QStringLiteral(":a2"), QStringLiteral(":a3"),
                QStringLiteral(":a4"), QStringLiteral(":a5"), QStringLiteral(":a6"),
                QStringLiteral(":a7"), QStringLiteral(":a8"), QStringLiteral(":a9")});
    s.text += QStringLiteral(" order by consume_bh");
    return s;
}

BoundSql BuildAdvancedHurryListStatement(const Dialect& d, const AdvancedQueryFilter& filter) {
    BoundSql s;
    s.text = QStringLiteral("select ") + DishSql::HurryColumn(d) +
             QStringLiteral(",consume_bh, room_name, sit_name, consume_meal_id, consume_num, ");
    s.text +=
        DishSql::ShortTime(d, QStringLiteral("consume_begintime")) +
        QStringLiteral(" as consume_begintime, consume_Chupinstate,consume_state,consume_Taste,");
    s.text += QStringLiteral(
                  "consume_sit, kitchen_name, employee_name, consume_Chupinlogo, "
                  "consume_meal_name, Meal_time, ") +
              DishSql::WaitingMinutes(d) + QStringLiteral(" as sc_time,Consume_return");
    s.text += QStringLiteral(" from ");
    for (int i = 0; i < 4; ++i) {
        s.text += QStringLiteral("(select * from ");
    }
    s.text += QStringLiteral(
        "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  "
        "consume_num, consume_begintime,consume_cccs,Consume_return,");
    s.text += QStringLiteral(
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name");
    s.text += QStringLiteral(" from Consume left join SaleSit on consume_sit = sit_id");
    s.text += QStringLiteral(") as t left join Kitchen on consume_CPdep = kitchen_bh");
    s.text += QStringLiteral(") as tt left join room on room_id = consume_table");
    s.text += QStringLiteral(") as ttt left join Employee on consume_chef = employee_id");
    s.text += QStringLiteral(") as tttt left join Meal on meal_bh = consume_meal_id");
    s.text += QStringLiteral(") as ttttt");
    s.text += QStringLiteral(
        " where (Consume_state <> :a1) and ((Consume_num > 0 and consume_return<>:a2 ");
    s.values << kBillSettled << kYes;
    s.text += QStringLiteral(" and consume_Chupinlogo <>:a3 ");
    s.values << DishStateCode(DishState::Served);
    s.text += QStringLiteral(" and consume_Chupinlogo <>:a4) ");
    s.values << DishStateCode(DishState::CannotMake);
    s.text += QStringLiteral(" or (consume_return=:a5 and Consume_num<0)) ");
    s.values << kYes;
    AddFilters(s, filter,
               {QStringLiteral(":a6"), QStringLiteral(":a7"), QStringLiteral(":a8"),
                QStringLiteral(":a9"), QStringLiteral(":a10"), QStringLiteral(":a11"),
                QStringLiteral(":a12"), QStringLiteral(":a13"), QStringLiteral(":a14")});
    s.text += QStringLiteral(" order by cctc,room_name");
    return s;
}

void RegisterQueryStatements(StatementCatalogue& catalogue) {
    const QStringList parts{QStringLiteral("state"),    QStringLiteral("department"),
                            QStringLiteral("station"),  QStringLiteral("currentTable"),
                            QStringLiteral("dishName"), QStringLiteral("dishNumber"),
                            QStringLiteral("request"),  QStringLiteral("timeRange")};
    catalogue.add(
        {QStringLiteral("AdvancedDishList"), parts, [](const Dialect& d, const QSet<QString>& on) {
             return BuildAdvancedDishListStatement(d, CatalogueFilter(on)).text;
         }});
    catalogue.add({QStringLiteral("AdvancedHurryReturnList"), parts,
                   [](const Dialect& d, const QSet<QString>& on) {
                       return BuildAdvancedHurryListStatement(d, CatalogueFilter(on)).text;
                   }});
}
