#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

class QueryObject;
class StatementCatalogue;
class TF_dm;

// What a node of the category tree stands for; the numbers are the ones the tree has always
// carried.
enum class CategoryKind { Large = 0, Small = 1, All = 2 };

inline const QString kAllCategoriesId = QStringLiteral("AllCplx");
inline const QString kAllCategoriesText = QStringLiteral("所有菜类");

struct CategoryNode {
    QString text;
    QString id;
    CategoryKind kind = CategoryKind::All;
    std::vector<CategoryNode> children;
};

inline const QString kLargeCategoriesSql =
    QStringLiteral("select * from BigType order by bigtype_id");
// The large category's id is a value, never part of the text: an id with a quote in it
// would break the statement (or change it).
inline const QString kSmallCategoriesSql =
    QStringLiteral("select * from SmallType where Smalltype_big_id=:a1 order by Smalltype_id");

// "所有菜类" first, then every large category in id order, each with its small categories.
// A failing read ends the tree quietly with the nodes read so far. Runs the large categories
// on ADO_Public and the small ones on ADO_Public2.
std::vector<CategoryNode> ReadCategoryTree(TF_dm& dm);

// A statement whose values are bound by marker name (every marker of a name gets its value).
struct NamedSql {
    QString text;
    QList<std::pair<QString, QVariant>> values;
};

// The dishes that can still be sold: not on the sold-out list, or on it with a quantity left.
// kind and id narrow it to a category; a non-empty search text (trimmed for the pattern)
// matches the code, the name or the quick-search code.
NamedSql SellableListStatement(CategoryKind kind, const QString& id, const QString& searchText);
// The sold-out list, whatever category is chosen.
NamedSql SoldOutListStatement(const QString& searchText);

// Opens the statement; a database error leaves the object closed and returns false.
bool OpenNamedSql(QueryObject& query, const NamedSql& statement);

void RegisterSoldOutStatements(StatementCatalogue& catalogue);
