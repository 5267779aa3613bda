#include "core/soldout/SoldOutCommands.h"

#include <QVariant>
#include <initializer_list>
#include <utility>

#include "core/db/DishState.h"
#include "core/db/QueryObject.h"
#include "core/db/TF_dm.h"

namespace {

CommandOutcome RunUpdate(QueryObject& update, const QString& sql,
                         std::initializer_list<std::pair<const char*, QVariant>> values,
                         bool oneRow) {
    try {
        update.setSql(sql);
        for (const auto& [marker, value] : values) {
            update.setParam(QString::fromLatin1(marker), value);
        }
        update.execute();
    } catch (const DbError& e) {
        update.close();
        return {CommandResult::Failed, e.text()};
    }
    // Another terminal may have taken the dish out of the catalogue meanwhile.
    if (oneRow && update.rowsAffected() == 0) {
        return {CommandResult::NoLine, {}};
    }
    return {};
}

}  // namespace

CommandOutcome AddSoldOutDish(TF_dm& dm, const QString& mealBh, double sellableQuantity) {
    if (mealBh.isEmpty()) {
        return {CommandResult::NoLine, {}};
    }
    return RunUpdate(dm.ADO_Public, kAddSoldOutSql,
                     {{"a1", kYes}, {"a2", mealBh}, {"a3", sellableQuantity}}, true);
}

CommandOutcome RemoveSoldOutDish(TF_dm& dm, const QString& mealBh) {
    if (mealBh.isEmpty()) {
        return {CommandResult::NoLine, {}};
    }
    return RunUpdate(dm.ADO_Public, kRemoveSoldOutSql,
                     {{"a1", QStringLiteral("N")}, {"a2", mealBh}}, true);
}

CommandOutcome ClearSoldOutList(TF_dm& dm) {
    return RunUpdate(dm.ADO_Public, kClearSoldOutSql, {{"a1", QStringLiteral("N")}}, false);
}
