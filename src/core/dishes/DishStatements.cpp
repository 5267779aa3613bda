#include "core/db/Registrations.h"
#include "core/db/StatementCatalogue.h"
#include "core/dishes/DishCommands.h"
#include "core/dishes/DishListQuery.h"
#include "core/dishes/ScanStatements.h"

void RegisterDishStatements(StatementCatalogue& catalogue) {
    catalogue.add(
        {QStringLiteral("DishList"),
         {QStringLiteral("state"), QStringLiteral("department"), QStringLiteral("station"),
          QStringLiteral("currentTable"), QStringLiteral("search")},
         [](const Dialect& d, const QSet<QString>& on) {
             DishListFilter f;
             if (on.contains(QStringLiteral("state"))) {
                 f.stateItem = 1;
             }
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
             return BuildDishListStatement(d, f, QStringLiteral("R1")).text;
         }});
    catalogue.add({QStringLiteral("DepartmentList"), {}, [](const Dialect&, const QSet<QString>&) {
                       return kDepartmentListSql;
                   }});
    catalogue.add({QStringLiteral("StationList"), {}, [](const Dialect&, const QSet<QString>&) {
                       return kStationListSql;
                   }});
    catalogue.add({QStringLiteral("DishStateUpdate"), {}, [](const Dialect&, const QSet<QString>&) {
                       return DishStateUpdateSql();
                   }});
    catalogue.add({QStringLiteral("DishServedUpdate"),
                   {},
                   [](const Dialect&, const QSet<QString>&) { return DishServedUpdateSql(); }});
    catalogue.add({QStringLiteral("LineServingOrder"),
                   {},
                   [](const Dialect&, const QSet<QString>&) { return LineServingOrderSql(); }});
    catalogue.add({QStringLiteral("ServingOrderCheck"),
                   {},
                   [](const Dialect&, const QSet<QString>&) { return ServingOrderCheckSql(); }});
    RegisterScanStatements(catalogue);
}
