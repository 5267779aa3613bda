#pragma once

#include <QString>
#include <QVector>

// The fixed part of the demo restaurant: areas, table types, menu, departments, stations,
// cooks. The generator and the simulator share it, so prices and departments agree.
namespace demo {

struct Area {
    const char* id;
    const char* name;
};

struct TableType {
    const char* id;
    const char* name;
};

struct BigCategory {
    const char* id;
    const char* name;
};

struct Category {
    const char* id;
    const char* name;
    const char* bigId;
    bool excluded;        // Smalltype_NdyHc "Y": never dispatched (drinks)
    int servingOrder;     // Smalltype_scsx; 0 stores null
    const char* kitchen;  // department that makes its dishes
};

struct Dish {
    const char* id;
    const char* name;
    const char* code;  // quick-search initials
    const char* unit;
    const char* category;
    int minutes;  // Meal_time; 0 stores null
    double price;
};

struct Cook {
    const char* id;
    const char* name;
    const char* kitchen;
};

const QVector<Area>& Areas();
const QVector<TableType>& TableTypes();
const QVector<BigCategory>& BigCategories();
const QVector<Category>& Categories();
const QVector<Dish>& Menu();
const QVector<Area>& Kitchens();  // id + name, same shape
const QVector<Area>& Stations();
const QVector<Cook>& Cooks();
const QVector<const char*>& TasteNotes();

const Category* FindCategory(const QString& id);
const Dish* FindDish(const QString& id);

// The package (套餐) headers and the dishes each one is made of.
struct Package {
    const char* dishId;
    QVector<const char*> parts;
};
const QVector<Package>& Packages();
bool IsPackageHeader(const Dish& dish);

// One dining table of a generated restaurant of n tables: the layout repeats every ten tables.
struct TablePlan {
    QString id;
    QString name;
    QString typeId;
    QString areaId;
    int minGuests = 2;
    int maxGuests = 4;
};
QVector<TablePlan> PlanTables(int count);

// Operators of the demo and their plain passwords.
struct Operator {
    const char* code;
    const char* password;
    int order;
};
const QVector<Operator>& Operators();

// users.user_mm: the upper-case hex MD5 of the password's GBK bytes, a single blank when empty.
QString StoredPassword(const QString& plain);

}  // namespace demo
