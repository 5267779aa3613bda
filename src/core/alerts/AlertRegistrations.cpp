#include "core/alerts/AlertStatements.h"
#include "core/db/Registrations.h"
#include "core/db/StatementCatalogue.h"

namespace {

DishListFilter FilterOf(const QSet<QString>& on) {
    DishListFilter f;
    if (on.contains(QStringLiteral("department"))) {
        f.departmentCode = QStringLiteral("01");
    }
    if (on.contains(QStringLiteral("station"))) {
        f.stationCode = QStringLiteral("01");
    }
    if (on.contains(QStringLiteral("currentTable"))) {
        f.scopeItem = 1;
    }
    if (on.contains(QStringLiteral("search"))) {
        f.searchText = QStringLiteral("x");
    }
    return f;
}

}  // namespace

void RegisterAlertStatements(StatementCatalogue& catalogue) {
    catalogue.add(
        {QStringLiteral("OverdueReminder"), {}, [](const Dialect& d, const QSet<QString>&) {
             return BuildOverdueReminderStatement(d).text;
         }});
    catalogue.add({QStringLiteral("OverdueList"),
                   {QStringLiteral("currentTable"), QStringLiteral("search")},
                   [](const Dialect& d, const QSet<QString>& on) {
                       return BuildOverdueListStatement(d, FilterOf(on), QStringLiteral("R1")).text;
                   }});
    catalogue.add({QStringLiteral("HurryReturnList"),
                   {QStringLiteral("department"), QStringLiteral("station"),
                    QStringLiteral("currentTable"), QStringLiteral("search")},
                   [](const Dialect& d, const QSet<QString>& on) {
                       return BuildHurryReturnStatement(d, FilterOf(on), QStringLiteral("R1")).text;
                   }});
    catalogue.add({QStringLiteral("ServedList"),
                   {QStringLiteral("search")},
                   [](const Dialect& d, const QSet<QString>& on) {
                       return BuildServedListStatement(d, FilterOf(on).searchText).text;
                   }});
}
