#include "core/dishes/DishCommands.h"

#include "core/common/TimeText.h"
#include "core/db/DishState.h"
#include "core/db/QueryObject.h"
#include "core/db/TF_dm.h"

QString DishStateUpdateSql() {
    return QStringLiteral(
        "update Consume set consume_Chupinstate = :a1,consume_Chupinlogo= :a2 where "
        "consume_bh = :a3");
}

QString DishServedUpdateSql() {
    return QStringLiteral(
        "update Consume set consume_Chupinstate = :a1,consume_Chupinlogo= :a2,"
        "consume_donetime=:a3 where consume_bh = :a4");
}

QString ServingOrderCheckSql() {
    return QStringLiteral(
               "select count(Smalltype_scsx) as sl from consume left join SmallType on "
               "smalltype_id=consume_meal_type where ") +
           QStringLiteral(
               "Consume_num >= 0 and (Consume_return <> 'Y' or (Consume_return='Y' and "
               "consume_num<>consume_returnNum and consume_returnNum>0)) ") +
           QStringLiteral(
               "and (consume_meal_type not in (select smalltype_id from SmallType where "
               "Smalltype_NdyHc='Y')) and (consume_tcsign<>'TC' or consume_tcsign is null) ") +
           QStringLiteral(
               "and Consume_state <> :wc and consume_Chupinlogo<>:wfzz and "
               "consume_Chupinlogo<>:cpys and consume_table=:czh and (Smalltype_scsx is not "
               "null) and Smalltype_scsx<:sx");
}

QString LineServingOrderSql() {
    return QStringLiteral(
        "select Smalltype_scsx from Consume left join SmallType on "
        "smalltype_id=consume_meal_type where consume_bh = :a1");
}

int ReadLineServingOrder(QueryObject& query, const QString& lineNumber) {
    query.close();
    query.setSql(LineServingOrderSql());
    query.addParam(lineNumber);
    query.open();
    return query.isEmpty() ? 0 : ServingOrderOf(query.value(QStringLiteral("Smalltype_scsx")));
}

QString ServedTimeText(const QDateTime& t) {
    return FormatDbTime(t);
}

int ServingOrderOf(const QVariant& value) {
    if (value.isNull()) {
        return 0;
    }
    const QString text = value.toString().trimmed();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok) {
        return n;
    }
    // A numeric column may come back as "2.0".
    const double x = text.toDouble(&ok);
    return ok && x == static_cast<int>(x) ? static_cast<int>(x) : 0;
}

bool ServingOrderNeedsCheck(const QString& mealOrderSetting, int servingOrder) {
    return mealOrderSetting == kYes && servingOrder > 1;
}

bool EarlierCoursePending(QueryObject& query, const QString& tableId, int servingOrder) {
    query.close();
    query.setSql(ServingOrderCheckSql());
    query.setParam(QStringLiteral("wc"), kBillSettled);
    query.setParam(QStringLiteral("wfzz"), DishStateCode(DishState::CannotMake));
    query.setParam(QStringLiteral("cpys"), DishStateCode(DishState::Served));
    query.setParam(QStringLiteral("czh"), tableId);
    query.setParam(QStringLiteral("sx"), servingOrder);
    query.open();
    return query.asInt(QStringLiteral("sl")) > 0;
}

namespace {

CommandOutcome RunLineUpdate(QueryObject& update, const QString& sql, const QStringList& values) {
    try {
        update.setSql(sql);
        for (const QString& v : values) {
            update.addParam(v);
        }
        update.execute();
    } catch (const DbError& e) {
        update.close();
        return {CommandResult::Failed, e.text(), e.failure()};
    }
    // No row changed: the line is gone (another station, a purge); nothing was written here.
    if (update.rowsAffected() == 0) {
        return {CommandResult::NoLine, {}};
    }
    return {};
}

}  // namespace

CommandOutcome SetDishLineState(TF_dm& dm, const QString& lineNumber, DishState state) {
    if (lineNumber.isEmpty()) {
        return {CommandResult::NoLine, {}};
    }
    return RunLineUpdate(dm.ADO_Public, DishStateUpdateSql(),
                         {DishStateText(state), DishStateCode(state), lineNumber});
}

CommandOutcome ServeDishLine(TF_dm& dm, const QString& lineNumber, const QDateTime& servedAt) {
    if (lineNumber.isEmpty()) {
        return {CommandResult::NoLine, {}};
    }
    const DishState served = DishState::Served;
    return RunLineUpdate(
        dm.ADO_Public, DishServedUpdateSql(),
        {DishStateText(served), DishStateCode(served), ServedTimeText(servedAt), lineNumber});
}

QString CommandNotDoneTitle(DishState state) {
    return state == DishState::Served ? QStringLiteral("菜品未上") : QStringLiteral("状态未改");
}

QString CommandNotDoneReason(const CommandOutcome& outcome, DishState state) {
    const bool served = state == DishState::Served;
    if (outcome.result == CommandResult::Failed) {
        const QString lead =
            served ? QString() : QStringLiteral("未设为“%1”：").arg(DishStateText(state));
        return lead + outcome.error;
    }
    return served ? QStringLiteral("数据库没有更新这道菜品，菜品未上")
                  : QStringLiteral("数据库没有更新这道菜品，未设为“%1”").arg(DishStateText(state));
}
