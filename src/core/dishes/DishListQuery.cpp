#include "core/dishes/DishListQuery.h"

#include "core/db/Dialect.h"
#include "core/db/DishSqlBlocks.h"
#include "core/db/DishState.h"
#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"

namespace {

QString EmptyText() {
    return QStringLiteral("");
}

// Every value is text; a null QString would be bound as NULL, which equals nothing.
QString AsText(const QString& v) {
    return v.isNull() ? EmptyText() : v;
}

}  // namespace

QStringList DishStateFilterItems() {
    return {QStringLiteral("显示所有菜品"), QStringLiteral("显示已上菜品"),
            QStringLiteral("显示未上菜品"), QStringLiteral("开始制作菜品"),
            QStringLiteral("显示加急菜品"), QStringLiteral("无法制作菜品"),
            QStringLiteral("显示完成菜品"), QStringLiteral("显示未做菜品")};
}

std::optional<BoundSql> DishStateFilterFragment(int stateItem) {
    const QString equal = QStringLiteral(" and consume_Chupinlogo =:a1 ");
    switch (stateItem) {
        case 1:
            return BoundSql{equal, {DishStateCode(DishState::Served)}};
        case 2:
            return BoundSql{QStringLiteral(" and consume_Chupinlogo <>:a1 "),
                            {DishStateCode(DishState::Served)}};
        case 3:
        case 4:
        case 5:
        case 6:
            return BoundSql{equal, {QString::number(stateItem - 3)}};
        case 7:
            // Lines no station has touched yet carry the empty code; the empty text, never a
            // null QString, which would reach the database as NULL.
            return BoundSql{QStringLiteral(" and consume_Chupinlogo =:a1"), {EmptyText()}};
        default:
            return std::nullopt;
    }
}

BoundSql BuildDishListStatement(const Dialect& d, const DishListFilter& filter,
                                const QString& tableId) {
    BoundSql s;
    s.text = QStringLiteral("select ") + DishSql::WaitingMinutes(d) +
             QStringLiteral(
                 " as yysj,room_name, sit_name, consume_bh, consume_table, "
                 "consume_guest_bh,consume_meal_id,  consume_num, ") +
             DishSql::ShortTime(d, QStringLiteral("consume_begintime")) +
             QStringLiteral(" as consume_begintime,");
    s.text += QStringLiteral(
        " consume_Chupinstate,consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, kitchen_name,employee_name,consume_Chupinlogo,consume_meal_name,"
        "Consume_return,consume_meal_type,Smalltype_scsx,Consume_tcsign,consume_returnNum from ");
    s.text += QStringLiteral(
        "(((((select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id, "
        "(consume_num-consume_returnNum) as consume_num, consume_begintime, "
        "consume_Chupinstate,");
    s.text += QStringLiteral(
        "consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit,consume_Chupinlogo,consume_meal_name,Consume_return,consume_meal_type,"
        "Consume_tcsign,consume_returnNum ");
    s.text += QStringLiteral(" from Consume left join SaleSit on consume_sit = sit_id) as t ");
    s.text += QStringLiteral(
        "left join Kitchen on consume_CPdep = kitchen_bh) left join room on room_id = "
        "consume_table)");
    s.text += QStringLiteral(
        "left join Employee on consume_chef = employee_id) left join SmallType on "
        "smalltype_id=consume_meal_type)");
    // consume_num is the net quantity here, so "net not 0" is "ordered differs from
    // returned": a line returned in part stays listed, a wholly returned one does not.
    s.text += QStringLiteral(
        " where Consume_num >= 0 and (Consume_return <> :a8 or (Consume_return='Y' and "
        "consume_num<>0 and consume_returnNum>0)) and Consume_state <> :a9 ");
    s.values << kYes << kBillSettled;
    if (const auto state = DishStateFilterFragment(filter.stateItem)) {
        s.text += state->text;
        s.values << state->values;
    }
    if (filter.departmentCode) {
        s.text += QStringLiteral(" and consume_CPdep =:a2");
        s.values << AsText(*filter.departmentCode);
    }
    if (filter.stationCode) {
        s.text += QStringLiteral(" and consume_sit =:a3");
        s.values << AsText(*filter.stationCode);
    }
    if (filter.scopeItem == 1) {
        s.text += QStringLiteral(" and consume_table = :a4");
        s.values << AsText(tableId);
    }
    if (!filter.searchText.trimmed().isEmpty()) {
        s.text += QStringLiteral(
            " and (consume_meal_id like :a5 or consume_meal_name like :a6 or "
            "consume_Chupinstate like :a7 or consume_bh like :bh)");
        const QString pattern = QLatin1Char('%') + filter.searchText + QLatin1Char('%');
        s.values << pattern << pattern << pattern << pattern;
    }
    s.text += QStringLiteral(" and ") + DishSql::ExcludedCategoriesBound(QStringLiteral(":a10"));
    s.values << kYes;
    s.text += QStringLiteral(" and ") + DishSql::kPackageExclusion;
    s.text += QStringLiteral(" order by room_name,Smalltype_scsx");
    return s;
}

void ReadDishList(QueryObject& query, const Dialect& dialect, const DishListFilter& filter,
                  const QString& tableId) {
    const BoundSql s = BuildDishListStatement(dialect, filter, tableId);
    query.setSql(s.text);
    for (const QString& v : s.values) {
        query.addParam(v);
    }
    query.open();
}

bool OpenDishList(QueryObject& query, const Dialect& dialect, const DishListFilter& filter,
                  const QString& tableId) {
    const BoundSql s = BuildDishListStatement(dialect, filter, tableId);
    return OpenSqlParams(query, s.text, s.values);
}
