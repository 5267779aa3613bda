#include "core/alerts/AlertStatements.h"

#include "core/db/Dialect.h"
#include "core/db/DishSqlBlocks.h"
#include "core/db/DishState.h"
#include "core/db/QueryObject.h"

namespace {

const QString kBeginTime = QStringLiteral("consume_begintime");
const QString kDoneTime = QStringLiteral("consume_donetime");

QString Nest() {
    return QStringLiteral("(select * from ").repeated(5);
}

// From the innermost select's table on, one left join per nesting level; the statements
// spell the last join's condition in two ways.
QString Joins(const QString& smallTypeCondition) {
    return QStringLiteral(
               " from Consume left join SaleSit on consume_sit = sit_id"
               ") as t left join Kitchen on consume_CPdep = kitchen_bh"
               ") as tt left join room on room_id = consume_table"
               ") as ttt left join Employee on consume_chef = employee_id"
               ") as tttt left join Meal on meal_bh = consume_meal_id"
               ") as ttttt left join SmallType on ") +
           smallTypeCondition;
}

// consume_num is the net quantity on the derived table, so "net not 0" is "ordered differs
// from returned": a line returned in part is kept, a wholly returned one is not.
const QString kNetReturnTest = QStringLiteral(
    "(consume_return<>'Y' or (Consume_return='Y' and consume_num<>0 and consume_returnNum>0))");

const QString kOverdueStates = QStringLiteral(
    ") as tttttt where (consume_chupinlogo <> 4) and (consume_chupinlogo <> 3) and "
    "(consume_chupinlogo <> 2)");

QString SearchPattern(const QString& text) {
    return QLatin1Char('%') + text + QLatin1Char('%');
}

bool Searching(const QString& text) {
    return !text.trimmed().isEmpty();
}

// Every value is text; a null QString would be bound as NULL, which equals nothing.
QString AsText(const QString& v) {
    return v.isNull() ? QStringLiteral("") : v;
}

// The overdue statements up to their return test; `head` is the first fragment, `innerTail`
// the second line of the innermost select list, `states` the state test.
QString OverdueBody(const Dialect& d, const QString& head, const QString& innerTail,
                    const QString& states) {
    QString s = head + DishSql::ShortTime(d, kBeginTime) +
                QStringLiteral(
                    " as consume_begintime, consume_Chupinstate,consume_return,consume_meal_type,"
                    "consume_returnNum,");
    s += QStringLiteral(
             "consume_state, consume_Taste, consume_sit, kitchen_name, employee_name, "
             "consume_Chupinlogo, consume_meal_name, Meal_time, ") +
         DishSql::WaitingMinutes(d) + QStringLiteral(" as sc_time,Smalltype_scsx,consume_tcsign");
    s += QStringLiteral(" from ") + Nest();
    s += QStringLiteral(
             "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  ") +
         DishSql::kNetQuantity +
         QStringLiteral(" as consume_num, consume_begintime,consume_return,consume_meal_type,");
    s += innerTail;
    s += Joins(QStringLiteral("smalltype_id=consume_meal_type"));
    s += states;
    // A settled bill's guests have left: its lines are no longer late, and no list of the
    // station could mark them any more, so they would be reminded of for ever.
    s += QStringLiteral(" and (Consume_state <> :a9)");
    s += QStringLiteral(" and ") + DishSql::WaitingMinutes(d) +
         QStringLiteral(" > Meal_time and ") + kNetReturnTest;
    return s;
}

const QString kOverdueOrder = QStringLiteral(" order by sc_time,room_name,Smalltype_scsx");

}  // namespace

BoundSql BuildOverdueReminderStatement(const Dialect& d) {
    BoundSql s;
    s.text = OverdueBody(
        d, QStringLiteral("select room_name, sit_name, consume_meal_id, consume_num, "),
        QStringLiteral(
            " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
            "consume_sit, consume_Chupinlogo,consume_meal_name,consume_tcsign,consume_returnNum"),
        kOverdueStates + QLatin1Char(' '));
    s.values << kBillSettled;
    s.text += QStringLiteral(" and ") + DishSql::kExcludedCategories;
    s.text += QStringLiteral(" and ") + DishSql::kPackageExclusion;
    s.text += kOverdueOrder;
    return s;
}

BoundSql BuildOverdueListStatement(const Dialect& d, const DishListFilter& filter,
                                   const QString& tableId) {
    BoundSql s;
    s.text = OverdueBody(
        d, QStringLiteral("select consume_bh, room_name, sit_name, consume_meal_id, consume_num, "),
        QStringLiteral(
            " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
            "consume_sit, consume_Chupinlogo,consume_meal_name, consume_tcsign, "
            "consume_returnNum"),
        kOverdueStates);
    s.values << kBillSettled;
    if (filter.scopeItem == 1) {
        s.text += QStringLiteral(" and (consume_table = :a1)");
        s.values << AsText(tableId);
    }
    if (Searching(filter.searchText)) {
        s.text += QStringLiteral(
            " and (consume_meal_id like :a2 or consume_meal_name like :a3 or "
            "consume_Chupinstate like :a4)");
        const QString p = SearchPattern(filter.searchText);
        s.values << p << p << p;
    }
    s.text += QStringLiteral(" and ") + DishSql::ExcludedCategoriesBound(QStringLiteral(":a5"));
    s.values << kYes;
    s.text += QStringLiteral(" and ") + DishSql::kPackageExclusion;
    s.text += kOverdueOrder;
    return s;
}

BoundSql BuildHurryReturnStatement(const Dialect& d, const DishListFilter& filter,
                                   const QString& tableId) {
    BoundSql s;
    s.text = QStringLiteral("select ") + DishSql::HurryColumn(d) +
             QStringLiteral(",consume_bh, room_name, sit_name, consume_meal_id, consume_num, ");
    s.text += DishSql::ShortTime(d, kBeginTime) +
              QStringLiteral(
                  " as consume_begintime, consume_Chupinstate,consume_state,consume_Taste,"
                  "consume_meal_type,Smalltype_scsx,");
    s.text += QStringLiteral(
                  "consume_sit, kitchen_name, employee_name, consume_Chupinlogo, "
                  "consume_meal_name, Meal_time, ") +
              DishSql::WaitingMinutes(d) +
              QStringLiteral(" as sc_time,Consume_return,consume_tcsign");
    s.text += QStringLiteral(" from ") + Nest();
    s.text += QStringLiteral(
        "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  "
        "consume_num, consume_begintime,consume_cccs,Consume_return,");
    s.text += QStringLiteral(
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name,consume_meal_type,consume_tcsign");
    s.text += Joins(QStringLiteral("smalltype_id = consume_meal_type"));
    s.text += QStringLiteral(") as tttttt");
    // The marker names are out of order and :a11 stands twice: values go in text order.
    s.text += QStringLiteral(
        " where (Consume_state <> :a9) and ((Consume_num >= 0 and "
        "consume_return<>:a10 ");
    s.values << kBillSettled << kYes;
    s.text += QStringLiteral(" and consume_Chupinlogo <>:a1 ");
    s.values << DishStateCode(DishState::Served);
    s.text += QStringLiteral(" and consume_Chupinlogo <>:a2) ");
    s.values << DishStateCode(DishState::CannotMake);
    s.text += QStringLiteral(" or (consume_return=:a11 and Consume_num<0)) ");
    s.values << kYes;
    if (filter.departmentCode) {
        s.text += QStringLiteral(" and consume_CPdep =:a3");
        s.values << AsText(*filter.departmentCode);
    }
    if (filter.stationCode) {
        s.text += QStringLiteral(" and consume_sit =:a4");
        s.values << AsText(*filter.stationCode);
    }
    if (filter.scopeItem == 1) {
        s.text += QStringLiteral(" and consume_table = :a5");
        s.values << AsText(tableId);
    }
    if (Searching(filter.searchText)) {
        s.text += QStringLiteral(
            " and (consume_meal_id like :a6 or consume_meal_name like :a7 or "
            "consume_Chupinstate like :a8)");
        const QString p = SearchPattern(filter.searchText);
        s.values << p << p << p;
    }
    s.text += QStringLiteral(" and ") + DishSql::ExcludedCategoriesBound(QStringLiteral(":a11"));
    s.values << kYes;
    s.text += QStringLiteral(" and ") + DishSql::kPackageExclusion;
    s.text += QStringLiteral(" order by cctc,room_name,Smalltype_scsx");
    return s;
}

BoundSql BuildServedListStatement(const Dialect& d, const QString& searchText) {
    BoundSql s;
    s.text = d.selectTop(kServedListSize) +
             QStringLiteral("consume_bh, room_name, sit_name, consume_meal_id, consume_num, ") +
             DishSql::ShortTime(d, kDoneTime) +
             QStringLiteral(
                 " as consume_donetime, consume_Chupinstate,consume_return,consume_meal_type,"
                 "consume_returnNum,");
    s.text += QStringLiteral(
                  "consume_state, consume_Taste, consume_sit, kitchen_name, employee_name, "
                  "consume_Chupinlogo, consume_meal_name, Meal_time, ") +
              d.minutesSince(kDoneTime) +
              QStringLiteral(" as sc_time,Smalltype_scsx,consume_tcsign");
    s.text += QStringLiteral(" from ") + Nest();
    s.text += QStringLiteral(
                  "(select sit_name, consume_bh, consume_table, consume_guest_bh, "
                  "consume_meal_id, ") +
              DishSql::kNetQuantity +
              QStringLiteral(" as consume_num, consume_donetime,consume_return,consume_meal_type,");
    s.text += QStringLiteral(
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name, consume_tcsign, consume_returnNum");
    s.text += Joins(QStringLiteral("smalltype_id=consume_meal_type"));
    s.text += QStringLiteral(") as tttttt where (consume_chupinlogo=4)");
    s.text += QStringLiteral(" and ") + kNetReturnTest;
    if (Searching(searchText)) {
        s.text += QStringLiteral(
            " and (consume_meal_id like :a2 or consume_meal_name like :a3 or "
            "consume_Chupinstate like :a4)");
        const QString p = SearchPattern(searchText);
        s.values << p << p << p;
    }
    s.text += QStringLiteral(" and ") + DishSql::ExcludedCategoriesBound(QStringLiteral(":a5"));
    s.values << kYes;
    s.text += QStringLiteral(" and ") + DishSql::kPackageExclusion;
    // Latest first is fewest minutes first; ordered by the time itself, an index on it gives the
    // 30 lines at once, where ordering by the minutes works out and sorts every line ever served.
    s.text +=
        QStringLiteral(" order by tttttt.consume_donetime desc") + d.limitClause(kServedListSize);
    return s;
}

ListRead ReadList(QueryObject& query, const BoundSql& statement) {
    try {
        query.setSql(statement.text);
        for (const QString& v : statement.values) {
            query.addParam(v);
        }
        query.open();
        return {true, QString(), DbFailure::Statement};
    } catch (const DbError& e) {
        query.close();
        return {false, e.text(), e.failure()};
    }
}

ListRead OpenOverdueReminder(QueryObject& ADO_cstx, const Dialect& dialect) {
    return ReadList(ADO_cstx, BuildOverdueReminderStatement(dialect));
}

ListRead OpenOverdueList(QueryObject& ADO_cstx1, const Dialect& dialect,
                         const DishListFilter& filter, const QString& tableId) {
    return ReadList(ADO_cstx1, BuildOverdueListStatement(dialect, filter, tableId));
}

ListRead OpenHurryReturnList(QueryObject& ADO_cctc, const Dialect& dialect,
                             const DishListFilter& filter, const QString& tableId) {
    return ReadList(ADO_cctc, BuildHurryReturnStatement(dialect, filter, tableId));
}

ListRead OpenServedList(QueryObject& ADOQ_finished, const Dialect& dialect,
                        const QString& searchText) {
    return ReadList(ADOQ_finished, BuildServedListStatement(dialect, searchText));
}
