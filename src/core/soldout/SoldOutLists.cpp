#include "core/soldout/SoldOutLists.h"

#include "core/db/DishState.h"
#include "core/db/QueryObject.h"
#include "core/db/StatementCatalogue.h"
#include "core/db/TF_dm.h"
#include "core/soldout/SoldOutCommands.h"

namespace {

const QString kSearchClause =
    QStringLiteral("and (meal_bh like :a2 or meal_name like :a3 or meal_code like :a4)");

// The text as typed decides whether the clause is there; the pattern is the trimmed text, so
// a search of blanks only matches every dish.
void AddSearch(NamedSql& s, const QString& searchText) {
    if (searchText.isEmpty()) {
        return;
    }
    s.text += kSearchClause;
    const QString pattern = QLatin1Char('%') + searchText.trimmed() + QLatin1Char('%');
    for (const char* marker : {"a2", "a3", "a4"}) {
        s.values.append({QString::fromLatin1(marker), pattern});
    }
}

}  // namespace

std::vector<CategoryNode> ReadCategoryTree(TF_dm& dm) {
    std::vector<CategoryNode> tree;
    tree.push_back({kAllCategoriesText, kAllCategoriesId, CategoryKind::All, {}});
    try {
        QueryObject& large = dm.ADO_Public;
        large.setSql(kLargeCategoriesSql);
        large.open();
        QueryObject& small = dm.ADO_Public2;
        for (int r = 0; r < large.rowCount(); ++r) {
            large.setCurrentRow(r);
            CategoryNode node{large.asString(QStringLiteral("BigType_name")),
                              large.asString(QStringLiteral("BigType_id")),
                              CategoryKind::Large,
                              {}};
            tree.push_back(node);
            small.setSql(kSmallCategoriesSql);
            small.setParam(QStringLiteral("a1"), node.id);
            small.open();
            for (int s = 0; s < small.rowCount(); ++s) {
                small.setCurrentRow(s);
                tree.back().children.push_back({small.asString(QStringLiteral("Smalltype_name")),
                                                small.asString(QStringLiteral("Smalltype_id")),
                                                CategoryKind::Small,
                                                {}});
            }
        }
    } catch (const DbError&) {
        // The tree keeps what was read; reading failures of this window are silent.
    }
    return tree;
}

NamedSql SellableListStatement(CategoryKind kind, const QString& id, const QString& searchText) {
    NamedSql s;
    s.text = QStringLiteral(
        "select * from Meal,SmallType where Meal_type_id=Smalltype_id and "
        "((meal_clean<>:meal_clean) or (meal_clean=:meal_clean2 and meal_cleanSl>0)) ");
    switch (kind) {
        case CategoryKind::Large:
            s.text += QStringLiteral("and Smalltype_big_id=:a1 ");
            s.values.append({QStringLiteral("a1"), id});
            break;
        case CategoryKind::Small:
            s.text += QStringLiteral("and Smalltype_id=:a1 ");
            s.values.append({QStringLiteral("a1"), id});
            break;
        case CategoryKind::All:
            break;
    }
    AddSearch(s, searchText);
    s.values.append({QStringLiteral("meal_clean"), kYes});
    s.values.append({QStringLiteral("meal_clean2"), kYes});
    return s;
}

NamedSql SoldOutListStatement(const QString& searchText) {
    NamedSql s;
    s.text = QStringLiteral(
        "select * from Meal,SmallType where Meal_type_id=Smalltype_id and "
        "meal_clean=:meal_clean ");
    AddSearch(s, searchText);
    s.values.append({QStringLiteral("meal_clean"), kYes});
    return s;
}

bool OpenNamedSql(QueryObject& query, const NamedSql& statement) {
    try {
        query.setSql(statement.text);
        for (const auto& [name, value] : statement.values) {
            query.setParam(name, value);
        }
        query.open();
        return true;
    } catch (const DbError&) {
        query.close();
        return false;
    }
}

void RegisterSoldOutStatements(StatementCatalogue& catalogue) {
    const auto fixed = [&catalogue](const char* name, const QString& text) {
        catalogue.add({QString::fromLatin1(name), {}, [text](const Dialect&, const QSet<QString>&) {
                           return text;
                       }});
    };
    fixed("SoldOutLargeCategories", kLargeCategoriesSql);
    fixed("SoldOutSmallCategories", kSmallCategoriesSql);
    catalogue.add({QStringLiteral("SellableDishes"),
                   {QStringLiteral("largeCategory"), QStringLiteral("smallCategory"),
                    QStringLiteral("search")},
                   [](const Dialect&, const QSet<QString>& on) {
                       // One category at a time: a small category wins when both are asked.
                       CategoryKind kind = CategoryKind::All;
                       if (on.contains(QStringLiteral("smallCategory"))) {
                           kind = CategoryKind::Small;
                       } else if (on.contains(QStringLiteral("largeCategory"))) {
                           kind = CategoryKind::Large;
                       }
                       const QString search =
                           on.contains(QStringLiteral("search")) ? QStringLiteral("x") : QString();
                       return SellableListStatement(kind, QStringLiteral("01"), search).text;
                   }});
    catalogue.add({QStringLiteral("SoldOutDishes"),
                   {QStringLiteral("search")},
                   [](const Dialect&, const QSet<QString>& on) {
                       return SoldOutListStatement(on.contains(QStringLiteral("search"))
                                                       ? QStringLiteral("x")
                                                       : QString())
                           .text;
                   }});
    fixed("SoldOutAdd", kAddSoldOutSql);
    fixed("SoldOutRemove", kRemoveSoldOutSql);
    fixed("SoldOutClear", kClearSoldOutSql);
}
