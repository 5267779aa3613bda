#include "core/dishes/ScanServe.h"

#include "core/db/DishState.h"
#include "core/db/QueryObject.h"
#include "core/db/TF_dm.h"
#include "core/dishes/DishCommands.h"
#include "core/dishes/ScanStatements.h"

namespace {

ScanServeOutcome Outcome(ScanServeResult result, const ScannedLine& line, QString error = {}) {
    return {result, line.lineNumber, line.mealName, line.servedAt, std::move(error)};
}

}  // namespace

std::optional<ScannedLine> ReadScannedLine(TF_dm& dm, const QString& lineNumber) {
    QueryObject& q = dm.ADO_Public;
    q.setSql(ScannedLineSql(dm.ADOConn.dialect()));
    q.addParam(lineNumber);
    q.open();
    if (q.isEmpty()) {
        q.close();
        return std::nullopt;
    }
    ScannedLine line;
    line.lineNumber = q.asString(QStringLiteral("consume_bh"));
    line.tableId = q.asString(QStringLiteral("consume_table"));
    line.mealName = q.asString(QStringLiteral("consume_meal_name"));
    line.stateCode = q.asString(QStringLiteral("consume_Chupinlogo")).trimmed();
    line.billMark = q.asString(QStringLiteral("consume_state"));
    line.servedAt = q.asString(QStringLiteral("consume_donetime"));
    line.servingOrder = ServingOrderOf(q.value(QStringLiteral("Smalltype_scsx")));
    q.close();
    return line;
}

std::optional<ScanServeOutcome> ScanRefusal(const ScannedLine& line) {
    if (line.billMark == kBillSettled) {
        return Outcome(ScanServeResult::BillSettled, line);
    }
    if (line.stateCode == DishStateCode(DishState::Served)) {
        return Outcome(ScanServeResult::AlreadyServed, line);
    }
    return std::nullopt;
}

ScanServeOutcome ServeScannedLine(TF_dm& dm, const ScannedLine& line, const QDateTime& servedAt) {
    const DishState served = DishState::Served;
    QueryObject& update = dm.ADO_Public;
    try {
        update.setSql(ScanServedUpdateSql());
        for (const QString& v :
             {DishStateText(served), DishStateCode(served), ServedTimeText(servedAt),
              line.lineNumber, DishStateCode(served), kBillSettled}) {
            update.addParam(v);
        }
        update.execute();
    } catch (const DbError& e) {
        update.close();
        return Outcome(ScanServeResult::Failed, line, e.text());
    }
    if (update.rowsAffected() > 0) {
        ScanServeOutcome done = Outcome(ScanServeResult::Served, line);
        done.servedAt = ServedTimeText(servedAt);
        return done;
    }
    // Nothing changed: tell the operator why, from what the line is now.
    try {
        const std::optional<ScannedLine> now = ReadScannedLine(dm, line.lineNumber);
        if (!now) {
            return Outcome(ScanServeResult::NoLine, line);
        }
        if (std::optional<ScanServeOutcome> refusal = ScanRefusal(*now)) {
            return *refusal;
        }
        return Outcome(ScanServeResult::NotServed, *now);
    } catch (const DbError& e) {
        return Outcome(ScanServeResult::NotServed, line, e.text());
    }
}

QString ScanRefusalReason(const ScanServeOutcome& outcome) {
    switch (outcome.result) {
        case ScanServeResult::Served:
            return {};
        case ScanServeResult::BillSettled:
            return QStringLiteral("该桌账单已结账，不能上菜");
        case ScanServeResult::AlreadyServed: {
            // The lists' short form: month-day hours:minutes:seconds.
            const QString at = outcome.servedAt.trimmed();
            if (at.isEmpty()) {
                return QStringLiteral("该菜品已上过，不再重复上菜");
            }
            return QStringLiteral("该菜品已于 %1 上过，不再重复上菜")
                .arg(at.size() > 14 ? at.right(14) : at);
        }
        case ScanServeResult::NoLine:
            return QStringLiteral("找不到这道菜品，菜品未上");
        case ScanServeResult::NotServed:
            return QStringLiteral("数据库没有更新这道菜品，菜品未上");
        case ScanServeResult::Failed:
            return outcome.error.isEmpty()
                       ? QStringLiteral("数据库出错，菜品未上")
                       : QStringLiteral("数据库出错，菜品未上：") + outcome.error;
    }
    return {};
}
