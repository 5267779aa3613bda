#include <QtTest>

#include "TestStation.h"
#include "core/db/QueryObject.h"
#include "core/db/StatementCatalogue.h"
#include "core/soldout/SoldOutCommands.h"
#include "core/soldout/SoldOutLists.h"

Q_DECLARE_METATYPE(CategoryKind)

namespace {

const QString kSellableHead = QStringLiteral(
    "select * from Meal,SmallType where Meal_type_id=Smalltype_id and "
    "((meal_clean<>:meal_clean) or (meal_clean=:meal_clean2 and meal_cleanSl>0)) ");
const QString kSoldOutHead = QStringLiteral(
    "select * from Meal,SmallType where Meal_type_id=Smalltype_id and meal_clean=:meal_clean ");
const QString kSearch =
    QStringLiteral("and (meal_bh like :a2 or meal_name like :a3 or meal_code like :a4)");

QStringList Values(const NamedSql& s) {
    QStringList out;
    for (const auto& [name, value] : s.values) {
        out << name + QLatin1Char('=') + value.toString();
    }
    out.sort();
    return out;
}

// Two large categories entered out of order, one with a quote in its id; four dishes.
void AddMenu(TestStation& st) {
    st.exec("insert into BigType values ('B2','热菜'),('B1','凉菜'),('B''3','酒''水')");
    st.exec(
        "insert into SmallType values ('S2','炒菜','B2','N',2),('S1','拌菜','B1','N',1),"
        "('S0','卤味','B1','N',1),('S9','白酒','B''3','Y',9)");
    st.exec(
        "insert into Meal (meal_bh,meal_name,meal_code,meal_unit,Meal_type_id,meal_clean,"
        "meal_cleanSl) values ('M1','拍黄瓜','phg','份','S1','N',0),"
        "('M2','卤牛肉','lnr','斤','S0','Y',0),('M3','宫保鸡丁','gbjd','份','S2','Y',5),"
        "('M4','鱼香肉丝','yxrs','份','S2','N',0),('M5','二锅头','egt','瓶','S9',null,0)");
}

QStringList Listed(QueryObject& q) {
    QStringList out;
    for (q.first(); !q.eof(); q.next()) {
        out << q.asString(QStringLiteral("meal_bh"));
    }
    out.sort();
    return out;
}

}  // namespace

class SoldOutListsTest : public QObject {
    Q_OBJECT

private slots:
    void sellableText_data();
    void sellableText();
    void soldOutText();
    void fixedTexts();
    void tree();
    void treeEndsQuietlyOnAnError();
    void lists_data();
    void lists();
    void writes();
    void writeFailuresAndVanishedDish();
};

void SoldOutListsTest::sellableText_data() {
    QTest::addColumn<CategoryKind>("kind");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");
    const QStringList yes{"meal_clean2=Y", "meal_clean=Y"};
    QTest::newRow("all categories") << CategoryKind::All << "AllCplx"
                                    << ""
                                    << "" << yes;
    QTest::newRow("large category")
        << CategoryKind::Large << "B1"
        << ""
        << "and Smalltype_big_id=:a1 " << QStringList{"a1=B1", "meal_clean2=Y", "meal_clean=Y"};
    QTest::newRow("small category")
        << CategoryKind::Small << "S'1"
        << ""
        << "and Smalltype_id=:a1 " << QStringList{"a1=S'1", "meal_clean2=Y", "meal_clean=Y"};
    QTest::newRow("search trimmed for the pattern")
        << CategoryKind::All << "AllCplx"
        << " 鸡 " << kSearch
        << QStringList{"a2=%鸡%", "a3=%鸡%", "a4=%鸡%", "meal_clean2=Y", "meal_clean=Y"};
    QTest::newRow("blanks still search")
        << CategoryKind::Small << "S1"
        << "  "
        << "and Smalltype_id=:a1 " + kSearch
        << QStringList{"a1=S1", "a2=%%", "a3=%%", "a4=%%", "meal_clean2=Y", "meal_clean=Y"};
}

void SoldOutListsTest::sellableText() {
    QFETCH(CategoryKind, kind);
    QFETCH(QString, id);
    QFETCH(QString, search);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const NamedSql s = SellableListStatement(kind, id, search);
    QCOMPARE(s.text, kSellableHead + middle);
    QCOMPARE(Values(s), values);
}

void SoldOutListsTest::soldOutText() {
    QCOMPARE(SoldOutListStatement(QString()).text, kSoldOutHead);
    QCOMPARE(Values(SoldOutListStatement(QString())), QStringList{"meal_clean=Y"});
    const NamedSql s = SoldOutListStatement(QStringLiteral("牛 "));
    QCOMPARE(s.text, kSoldOutHead + kSearch);
    QCOMPARE(Values(s), (QStringList{"a2=%牛%", "a3=%牛%", "a4=%牛%", "meal_clean=Y"}));
}

void SoldOutListsTest::fixedTexts() {
    const StatementCatalogue c = BuildStatementCatalogue();
    const std::pair<const char*, const char*> expected[] = {
        {"SoldOutLargeCategories", "select * from BigType order by bigtype_id"},
        {"SoldOutSmallCategories",
         "select * from SmallType where Smalltype_big_id=:a1 order by Smalltype_id"},
        {"SoldOutAdd", "update meal set meal_clean=:a1,meal_cleanSl=:a3 where meal_bh=:a2"},
        {"SoldOutRemove", "update meal set meal_clean=:a1 where meal_bh=:a2"},
        {"SoldOutClear", "update meal set meal_clean=:a1"},
    };
    for (const auto& [name, text] : expected) {
        const CatalogueStatement* s = c.find(QString::fromLatin1(name));
        QVERIFY2(s, name);
        QCOMPARE(s->build(SqlServerDialect(), {}), QString::fromUtf8(text));
    }
    const CatalogueStatement* sellable = c.find(QStringLiteral("SellableDishes"));
    QVERIFY(sellable);
    QCOMPARE(sellable->build(SqlServerDialect(), {QStringLiteral("largeCategory")}),
             kSellableHead + "and Smalltype_big_id=:a1 ");
    QCOMPARE(c.find(QStringLiteral("SoldOutDishes"))->build(SqlServerDialect(), {"search"}),
             kSoldOutHead + kSearch);
}

void SoldOutListsTest::tree() {
    TestStation st;
    AddMenu(st);
    const std::vector<CategoryNode> tree = ReadCategoryTree(st.dm());
    QStringList shape;
    for (const CategoryNode& n : tree) {
        QStringList children;
        for (const CategoryNode& c : n.children) {
            QCOMPARE(c.kind, CategoryKind::Small);
            children << c.id + QLatin1Char(':') + c.text;
        }
        shape << QStringLiteral("%1:%2:%3[%4]")
                     .arg(n.id, n.text)
                     .arg(static_cast<int>(n.kind))
                     .arg(children.join(QLatin1Char(',')));
    }
    // The quote in B'3 is a value: its category is found like any other.
    QCOMPARE(shape, (QStringList{"AllCplx:所有菜类:2[]", "B'3:酒'水:0[S9:白酒]",
                                 "B1:凉菜:0[S0:卤味,S1:拌菜]", "B2:热菜:0[S2:炒菜]"}));
}

void SoldOutListsTest::treeEndsQuietlyOnAnError() {
    TestStation st;
    AddMenu(st);
    st.exec("drop table SmallType");
    const std::vector<CategoryNode> tree = ReadCategoryTree(st.dm());
    QCOMPARE(tree.size(), size_t(2));
    QCOMPARE(tree.at(1).id, QStringLiteral("B'3"));
    QVERIFY(tree.at(1).children.empty());
    st.exec("drop table BigType");
    QCOMPARE(ReadCategoryTree(st.dm()).size(), size_t(1));
}

void SoldOutListsTest::lists_data() {
    QTest::addColumn<CategoryKind>("kind");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("sellable");
    QTest::addColumn<QStringList>("soldOut");
    // M2 is sold out with nothing left, M3 with 5 left (both sides); M5's null flag is no "N".
    QTest::newRow("all") << CategoryKind::All << "AllCplx"
                         << "" << QStringList{"M1", "M3", "M4"} << QStringList{"M2", "M3"};
    QTest::newRow("large") << CategoryKind::Large << "B1"
                           << "" << QStringList{"M1"} << QStringList{"M2", "M3"};
    QTest::newRow("small") << CategoryKind::Small << "S2"
                           << "" << QStringList{"M3", "M4"} << QStringList{"M2", "M3"};
    QTest::newRow("by quick code") << CategoryKind::All << "AllCplx"
                                   << "YXRS" << QStringList{"M4"} << QStringList{};
    QTest::newRow("by name, trimmed") << CategoryKind::All << "AllCplx"
                                      << " 牛肉 " << QStringList{} << QStringList{"M2"};
    QTest::newRow("by code") << CategoryKind::All << "AllCplx"
                             << "M3" << QStringList{"M3"} << QStringList{"M3"};
    QTest::newRow("quote and percent are values") << CategoryKind::Large << "B'3"
                                                  << "'%" << QStringList{} << QStringList{};
}

void SoldOutListsTest::lists() {
    QFETCH(CategoryKind, kind);
    QFETCH(QString, id);
    QFETCH(QString, search);
    QFETCH(QStringList, sellable);
    QFETCH(QStringList, soldOut);
    TestStation st;
    AddMenu(st);
    QVERIFY(OpenNamedSql(st.dm().ADOQcp, SellableListStatement(kind, id, search)));
    QCOMPARE(Listed(st.dm().ADOQcp), sellable);
    QVERIFY(OpenNamedSql(st.dm().ADOQlbxf, SoldOutListStatement(search)));
    QCOMPARE(Listed(st.dm().ADOQlbxf), soldOut);
}

void SoldOutListsTest::writes() {
    TestStation st;
    AddMenu(st);
    const auto meal = [&st](const char* bh) {
        return st.rows("select meal_clean, meal_cleanSl from Meal where meal_bh = :a1",
                       {QString::fromLatin1(bh)});
    };
    QVERIFY(AddSoldOutDish(st.dm(), "M1", 2.5).done());
    QCOMPARE(meal("M1"), QStringList{"Y|2.5"});
    QVERIFY(AddSoldOutDish(st.dm(), "M1", 0).done());
    QCOMPARE(meal("M1"), QStringList{"Y|0"});
    QVERIFY(RemoveSoldOutDish(st.dm(), "M3").done());
    QCOMPARE(meal("M3"), QStringList{"N|5"});
    QVERIFY(ClearSoldOutList(st.dm()).done());
    QCOMPARE(st.rows("select meal_bh, meal_clean, meal_cleanSl from Meal order by meal_bh"),
             (QStringList{"M1|N|0", "M2|N|0", "M3|N|5", "M4|N|0", "M5|N|0"}));
}

void SoldOutListsTest::writeFailuresAndVanishedDish() {
    TestStation st;
    AddMenu(st);
    QCOMPARE(AddSoldOutDish(st.dm(), "M9", 1).result, CommandResult::NoLine);
    QCOMPARE(RemoveSoldOutDish(st.dm(), "M9").result, CommandResult::NoLine);
    QCOMPARE(AddSoldOutDish(st.dm(), QString(), 1).result, CommandResult::NoLine);
    // Another program holds the catalogue: every write is refused with the database's text.
    st.exec("create trigger locked before update on Meal begin select raise(abort, 'held'); end");
    for (const CommandOutcome& o : {AddSoldOutDish(st.dm(), "M1", 1),
                                    RemoveSoldOutDish(st.dm(), "M2"), ClearSoldOutList(st.dm())}) {
        QCOMPARE(o.result, CommandResult::Failed);
        QVERIFY2(o.error.contains(QLatin1String("held")), qPrintable(o.error));
    }
    QCOMPARE(st.scalar("select count(*) from Meal where meal_clean = 'Y'").toInt(), 2);
}

QTEST_GUILESS_MAIN(SoldOutListsTest)
#include "SoldOutListsTest.moc"
