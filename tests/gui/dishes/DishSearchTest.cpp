#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "StationServices.h"
#include "core/db/Dialect.h"
#include "core/dishes/DishListQuery.h"
#include "gui/common/StationSounds.h"
#include "gui/dishes/DishSearch.h"

namespace {

// The dish search box on an embedded restaurant, with what the main window would do with
// its signals recorded (and the dish list positioned, as the dish area does it).
struct Pass {
    StationServices s;
    QWidget strip{&s.window};
    DishSearch search{s.ctx, &strip, &s.window, QCoreApplication::applicationDirPath()};

    struct Served {
        QString line, table, meal;
    };
    QList<Served> served;
    QStringList notServed;  // "dish|reason"
    QList<QPair<int, QString>> positions;
    int paused = 0;
    int resumed = 0;
    int allTables = 0;
    int firstTableType = 0;
    int listTab = 0;
    int requeries = 0;
    QString searchText;
    bool hourglassWhenServed = false;

    Pass() {
        QObject::connect(&search, &DishSearch::lineServed,
                         [this](const QString& l, const QString& t, const QString& m) {
                             served.append({l, t, m});
                             hourglassWhenServed =
                                 QApplication::overrideCursor() &&
                                 QApplication::overrideCursor()->shape() == Qt::WaitCursor;
                         });
        QObject::connect(&search, &DishSearch::lineNotServed,
                         [this](const QString& m, const QString& r) { notServed << m + "|" + r; });
        QObject::connect(&search, &DishSearch::positionRequested,
                         [this](int tab, const QString& line) {
                             positions.append({tab, line});
                             if (tab == 0) {
                                 list().locatePrefix("consume_bh", line);
                             }
                         });
        QObject::connect(&search, &DishSearch::refreshPaused, [this] { ++paused; });
        QObject::connect(&search, &DishSearch::refreshResumed, [this] { ++resumed; });
        QObject::connect(&search, &DishSearch::allTablesRequested, [this] { ++allTables; });
        QObject::connect(&search, &DishSearch::firstTableTypeRequested,
                         [this] { ++firstTableType; });
        QObject::connect(&search, &DishSearch::listTabRequested, [this] {
            ++listTab;
            search.setCurrentTab(0);
        });
        QObject::connect(&search, &DishSearch::requeryRequested, [this] { ++requeries; });
        QObject::connect(&search, &DishSearch::textChanged,
                         [this](const QString& t) { searchText = t; });
        menu();
        s.window.resize(900, 600);
        s.window.show();
        search.E_cpmc->setFocus();
    }

    void menu() {
        TestStation& db = s.db;
        db.exec("insert into room values ('R1','A01','T1','A1','0'),('R2','B02','T1','A1','0')");
        db.exec(
            "insert into SmallType values ('S1','凉菜','B1','N',1),('S2','热菜','B1','N',2),"
            "('S3','汤','B1','N',3)");
        db.exec(
            "insert into Meal (meal_bh, meal_name, meal_code, meal_Barcode, Meal_type_id) "
            "values ('M1','宫保鸡丁','gbjd','6901','S2'),('M2','清蒸鲈鱼','qzly','6902','S2'),"
            "('M3','鸡汤','jt','6903','S3'),('M4','拍黄瓜','phg','6904','S1'),"
            "('M5','凉拌木耳','lbme','6905','S1')");
        line("1001", "R1", "M4");  // an earlier course still to be served at A01
        line("1002", "R1", "M5");
        line("1003", "R1", "M2");
        line("2001", "R2", "M4");
        line("2002", "R2", "M3");
        line("3001", "R2", "M1", {{"consume_state", QStringLiteral("已结")}});
        line("3002", "R1", "M1",
             {{"consume_Chupinlogo", "4"},
              {"consume_Chupinstate", QStringLiteral("菜品已上")},
              {"consume_donetime", "2026-07-15 18:05:09"}});
        line("12", "R2", "M4");
        line("123", "R2", "M4");
    }
    void line(const QString& bh, const QString& table, const QString& meal,
              const QVariantMap& more = {}) {
        static const QMap<QString, QPair<QString, QString>> meals{{"M1", {"宫保鸡丁", "S2"}},
                                                                  {"M2", {"清蒸鲈鱼", "S2"}},
                                                                  {"M3", {"鸡汤", "S3"}},
                                                                  {"M4", {"拍黄瓜", "S1"}},
                                                                  {"M5", {"凉拌木耳", "S1"}}};
        QVariantMap f{{"consume_bh", bh},
                      {"consume_table", table},
                      {"consume_meal_id", meal},
                      {"consume_meal_name", meals.value(meal).first},
                      {"consume_meal_type", meals.value(meal).second}};
        for (auto it = more.begin(); it != more.end(); ++it) {
            f.insert(it.key(), it.value());
        }
        s.db.addLine(f);
    }

    QueryObject& list() { return s.db.dm().ADO_cp; }
    // The pass has table B02 chosen: the dish list shows its lines only.
    void listTable(const QString& table) {
        DishListFilter f;
        f.scopeItem = 1;
        QVERIFY(OpenDishList(list(), SqliteDialect(), f, table));
        list().first();
    }
    QStringList consume() { return s.db.rows("select * from Consume order by consume_bh"); }
    // Lines served by the station's clock (18:30:00).
    QStringList servedNow() {
        return s.db.rows(
            "select consume_bh from Consume where consume_donetime = "
            "'2026-07-15 18:30:00' order by consume_bh");
    }
    QStringList sounds() {
        QStringList out;
        for (const QString& path : s.sound.played) {
            out << QFileInfo(path).completeBaseName();
        }
        return out;
    }

    void key(int gapMs, QChar c) {
        s.ticks.advance(gapMs);
        QTest::keyClick(search.E_cpmc, c.toLatin1());
    }
    void enter(int gapMs) {
        s.ticks.advance(gapMs);
        QTest::keyClick(search.E_cpmc, Qt::Key_Return);
    }
    // A scanner: the code and Enter, gapMs apart.
    void scan(const QString& code, int gapMs = 20) {
        s.ticks.advance(5000);
        for (QChar c : code) {
            key(gapMs, c);
        }
        enter(gapMs);
    }
    // A person: the text arrives (as an input method puts it), then Enter.
    void type(const QString& text) {
        search.E_cpmc->setText(text);
        enter(300);
    }
};

}  // namespace

class DishSearchTest : public QObject {
    Q_OBJECT

private slots:
    void controls();
    void scanSequence_data();
    void scanSequence();
    void aLateEnterScansNothing();
    void slowKeysInScannerMode();
    void refreshPausedForEveryCharacter();
    void confirmActionPerTab_data();
    void confirmActionPerTab();
    void enterInTheSearchList();
    void typingSearchesAndShowsAllTables();
    void scannerModeTypingSearchesNothing();
    void searchListButton();
    void searchButtonRequeries();
    void downArrowDoesNothing();
    void aFailingLookupIsAFailure();
};

void DishSearchTest::controls() {
    Pass p;
    DishSearch& d = p.search;
    QCOMPARE(d.E_cpmc->objectName(), QStringLiteral("E_cpmc"));
    QCOMPARE(d.E_cpmc->font().pixelSize(), 24);
    QCOMPARE(d.E_cpmc->toolTip(), QStringLiteral("输入菜品名称、编号、状态或条码查询菜品"));
    QCOMPARE(d.L_cpmc->text(), QStringLiteral("菜品信息:"));
    QCOMPARE(d.SpeedButton1->text(), QStringLiteral(">>"));
    QCOMPARE(d.SpeedButton1->toolTip(), QStringLiteral("菜品列表"));
    QCOMPARE(d.ImgBtn9->objectName(), QStringLiteral("ImgBtn9"));
    QCOMPARE(d.Panel_cp->parentWidget(), &p.s.window);
    QCOMPARE(d.Panel_cp->geometry(), QRect(425, 133, 289, 235));
    QVERIFY(!d.Panel_cp->isVisible());
    QCOMPARE(d.Label2->text(), QStringLiteral("录入菜品编号、菜品名称或菜品状态等信息模糊查找"));
    QCOMPARE(d.Button_cp_qd->text(), QStringLiteral("确定"));
    QCOMPARE(d.Button_cp_qx->text(), QStringLiteral("取消"));
    QStringList captions;
    for (int c = 0; c < d.cxGrid_cp->model()->columnCount(); ++c) {
        captions << d.cxGrid_cp->model()->headerData(c, Qt::Horizontal).toString();
    }
    QCOMPARE(captions, (QStringList{"餐台名称", "菜品编号", "菜品名称", "菜品状态"}));
    QCOMPARE(d.cxGrid_cp->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    QCOMPARE(d.cxGrid_cp->selectionBehavior(), QAbstractItemView::SelectRows);
    for (const char* name : {"E_cpmc", "SpeedButton1", "ImgBtn9", "Panel_cp", "Label2", "cxGrid_cp",
                             "Button_cp_qd", "Button_cp_qx"}) {
        QVERIFY2(p.s.window.findChild<QWidget*>(name), name);
    }
}

void DishSearchTest::scanSequence_data() {
    QTest::addColumn<QString>("sdsr");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("listAt");     // the dish list's line before the scan
    QTest::addColumn<QString>("meanwhile");  // another program's doing before the scan
    QTest::addColumn<bool>("answerNo");
    QTest::addColumn<bool>("asked");  // the serving-order question came up
    QTest::addColumn<QStringList>("served");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QString>("notServed");
    QTest::addColumn<bool>("panel");
    QTest::addColumn<QString>("box");

    const QStringList none;
    const QStringList ok{"tm_success"};
    const QStringList fail{"tm_fail"};
    QTest::newRow("scanner: one line, served")
        << "N" << 0 << "1002"
        << ""
        << "" << false << false << QStringList{"1002"} << ok << "" << false << "";
    QTest::newRow("scanner: no line")
        << "N" << 0 << "9999"
        << ""
        << "" << false << false << none << fail << "" << true << "9999";
    QTest::newRow("typing: two lines found")
        << "Y" << 0 << "黄瓜"
        << ""
        << "" << false << false << none << fail << "" << true << "黄瓜";
    QTest::newRow("typing: a name of one line serves it")
        << "Y" << 0 << "木耳"
        << ""
        << "" << false << false << QStringList{"1002"} << ok << "" << false << "";
    QTest::newRow("typing on the hurry/return tab: only finds the line")
        << "Y" << 3 << "1002"
        << ""
        << "" << false << false << none << none << "" << false << "";
    QTest::newRow("scanner on the hurry/return tab: the list comes forward, served")
        << "N" << 3 << "1002"
        << ""
        << "" << false << false << QStringList{"1002"} << ok << "" << false << "";
    QTest::newRow("scanner on the icon tab: the scanned line, not a selected icon")
        << "N" << 1 << "1002"
        << ""
        << "" << false << false << QStringList{"1002"} << ok << "" << false << "";
    QTest::newRow("an earlier course pending, answered No: box empty, no sound")
        << "N" << 0 << "1003"
        << ""
        << "" << true << true << none << none << "" << false << "";
    QTest::newRow("an earlier course pending, answered Yes")
        << "N" << 0 << "1003"
        << ""
        << "" << false << true << QStringList{"1003"} << ok << "" << false << "";
    QTest::newRow("the check runs on the scanned line, not on the list's")
        << "N" << 0 << "1002"
        << "2002"
        << "" << false << false << QStringList{"1002"} << ok << "" << false << "";
    QTest::newRow("a line of a settled bill is not served")
        << "N" << 0 << "3001"
        << ""
        << "" << false << false << none << fail << "宫保鸡丁|该桌账单已结账，不能上菜" << false
        << "";
    QTest::newRow("a line served before is not served again")
        << "N" << 0 << "3002"
        << ""
        << "" << false << false << none << fail
        << "宫保鸡丁|该菜品已于 07-15 18:05:09 上过，不再重复上菜" << false << "";
    QTest::newRow("an update the database refuses")
        << "N" << 0 << "1002"
        << ""
        << "create trigger refuse before update on Consume begin select raise(abort, 'locked'); "
           "end"
        << false << false << none << fail
        << "凉拌木耳|数据库出错，菜品未上：数据库语句执行失败（locked）" << false << "";
    QTest::newRow("an update that changes no row")
        << "N" << 0 << "1002"
        << ""
        << "create trigger skip before update on Consume begin select raise(ignore); end" << false
        << false << none << fail << "凉拌木耳|数据库没有更新这道菜品，菜品未上" << false << "";
    QTest::newRow("a database error while the line is read")
        << "N" << 0 << "1002"
        << ""
        << "alter table SmallType rename to SmallType_gone" << false << false << none << fail
        << "凉拌木耳|数据库出错，菜品未上：" << false << "";
    QTest::newRow("a line number that begins another: the exact line")
        << "N" << 0 << "12"
        << ""
        << "" << false << false << QStringList{"12"} << ok << "" << false << "";
    QTest::newRow("the longer of the two")
        << "N" << 0 << "123"
        << ""
        << "" << false << false << QStringList{"123"} << ok << "" << false << "";
}

void DishSearchTest::scanSequence() {
    QFETCH(QString, sdsr);
    QFETCH(int, tab);
    QFETCH(QString, input);
    QFETCH(QString, listAt);
    QFETCH(QString, meanwhile);
    QFETCH(bool, answerNo);
    QFETCH(QStringList, served);
    QFETCH(QString, notServed);
    Pass p;
    p.s.settings.SDSR = sdsr;
    p.search.setCurrentTab(tab);
    p.listTable("R2");  // the list shows another table's lines
    if (!listAt.isEmpty()) {
        QVERIFY(p.list().locatePrefix("consume_bh", listAt));
    }
    const QString listLine = p.list().asString("consume_bh");
    if (!meanwhile.isEmpty()) {
        p.s.db.exec(meanwhile);
    }
    if (answerNo) {
        p.s.boxes.answer(QMessageBox::No);
    }
    const QStringList before = p.consume();

    sdsr == "N" ? p.scan(input) : p.type(input);

    QCOMPARE(p.servedNow(), served);
    if (served.isEmpty() && meanwhile.isEmpty()) {
        QCOMPARE(p.consume(), before);  // nothing written at all
    }
    QTEST(p.sounds(), "sounds");
    QTEST(!p.s.boxes.shown().isEmpty(), "asked");
    if (!p.s.boxes.shown().isEmpty()) {
        const ScriptedMessageBoxes::Shown& q = p.s.boxes.shown().first();
        QCOMPARE(q.caption, QStringLiteral("系统提示"));
        QCOMPARE(q.text, QStringLiteral("未上菜品中有需要优先上菜的菜品！是否继续对该菜品上菜？"));
        QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No);
    }
    QCOMPARE(p.notServed.size(), notServed.isEmpty() ? 0 : 1);
    if (!notServed.isEmpty()) {
        QVERIFY2(p.notServed.first().startsWith(notServed), qPrintable(p.notServed.first()));
    }
    QCOMPARE(p.served.size(), served.size());
    if (!served.isEmpty()) {
        QCOMPARE(p.served.first().line, served.first());
        QCOMPARE(
            p.served.first().table,
            p.s.db.scalar("select consume_table from Consume where consume_bh=:b", {served.first()})
                .toString());
        QVERIFY(p.hourglassWhenServed);
    }
    // Refused, as the served command says it; an error thrown on the way leaves it unset.
    const bool thrown = meanwhile.startsWith("alter");
    QCOMPARE(p.s.state.ServeRefused,
             served.isEmpty() && !thrown && (answerNo || !notServed.isEmpty()));
    QTEST(p.search.Panel_cp->isVisible(), "panel");
    QTEST(p.search.E_cpmc->text(), "box");
    if (p.search.Panel_cp->isVisible() && p.s.db.dm().ADO_Public1.isEmpty()) {
        QCOMPARE(p.search.E_cpmc->selectedText(), p.search.E_cpmc->text());  // replaced next
    }
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(p.paused, p.resumed);
    // The list was put on the line it shows; which line was written never came from it.
    const bool found = !p.search.Panel_cp->isVisible();
    QCOMPARE(p.positions.size(), found ? 1 : 0);
    if (found) {
        QCOMPARE(p.positions.first().second, input == "木耳" ? "1002" : input);
        QCOMPARE(p.positions.first().first, sdsr == "N" ? 0 : tab);
        if (!p.list().locatePrefix("consume_bh", p.positions.first().second)) {
            QCOMPARE(p.list().asString("consume_bh"), listLine);
        }
    }
    QCOMPARE(p.s.speech.spoken, QStringList());  // the voice is the window's to start
}

void DishSearchTest::aLateEnterScansNothing() {
    Pass p;
    p.s.settings.SDSR = "N";
    const QStringList before = p.consume();
    p.s.ticks.advance(5000);
    for (QChar c : QStringLiteral("1002")) {
        p.key(20, c);
    }
    QCOMPARE(p.search.E_cpmc->text(), QStringLiteral("1002"));
    p.enter(150);
    QCOMPARE(p.search.E_cpmc->text(), QString());
    QCOMPARE(p.consume(), before);
    QVERIFY(p.sounds().isEmpty());
    QVERIFY(!p.search.Panel_cp->isVisible());
}

void DishSearchTest::slowKeysInScannerMode() {
    Pass p;
    p.s.settings.SDSR = "N";
    int longest = 0;
    for (QChar c : QStringLiteral("100200")) {
        p.key(300, c);
        longest = qMax(longest, static_cast<int>(p.search.E_cpmc->text().size()));
    }
    QCOMPARE(longest, 2);
    QCOMPARE(p.s.state.LastScanKeyTick, 0);  // the last slow key closed its run
}

void DishSearchTest::refreshPausedForEveryCharacter() {
    Pass p;
    p.s.settings.SDSR = "N";
    p.scan("1002");
    QCOMPARE(p.paused, 5);
    QCOMPARE(p.resumed, 5);
    QVERIFY(p.firstTableType >= 5);
    QVERIFY(p.allTables >= 5);
    // The box empty again: the dish views' filter follows it.
    QCOMPARE(p.searchText, QString());
}

void DishSearchTest::confirmActionPerTab_data() {
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < 5; ++tab) {
        QTest::addRow("tab %d", tab) << tab;
    }
}

void DishSearchTest::confirmActionPerTab() {
    QFETCH(int, tab);
    Pass p;
    p.listTable("R2");
    p.search.setCurrentTab(tab);
    p.search.E_cpmc->setText("黄瓜");  // typing: searches
    p.search.SpeedButton1->click();    // ... and the list of what was found
    QVERIFY(p.search.Panel_cp->isVisible());
    QueryObject& found = p.s.db.dm().ADO_Public1;
    QVERIFY(found.locatePrefix("consume_bh", "2001"));
    p.search.Button_cp_qd->click();
    QCOMPARE(p.positions.size(), 1);
    QCOMPARE(p.positions.first().first, tab);
    QCOMPARE(p.positions.first().second, QStringLiteral("2001"));
    QVERIFY(!p.search.Panel_cp->isVisible());
    QCOMPARE(p.search.E_cpmc->text(), QString());
    QVERIFY(p.sounds().isEmpty());
    QCOMPARE(p.servedNow(), QStringList());  // confirming a search serves nothing
}

void DishSearchTest::enterInTheSearchList() {
    Pass p;
    p.listTable("R2");
    p.search.E_cpmc->setText("鸡汤");
    p.search.SpeedButton1->click();
    QTest::keyClick(p.search.cxGrid_cp, Qt::Key_Return);
    QCOMPARE(p.positions, (QList<QPair<int, QString>>{{0, "2002"}}));
    QVERIFY(!p.search.Panel_cp->isVisible());

    // Nothing found: Enter is the grid's own.
    p.positions.clear();
    p.search.E_cpmc->setText("没有的菜");
    QTest::keyClick(p.search.cxGrid_cp, Qt::Key_Return);
    QVERIFY(p.positions.isEmpty());
}

void DishSearchTest::typingSearchesAndShowsAllTables() {
    Pass p;
    p.search.E_cpmc->setText("鸡");
    QCOMPARE(p.searchText, QStringLiteral("鸡"));
    QCOMPARE(p.allTables, 1);
    QueryObject& found = p.s.db.dm().ADO_Public1;
    QVERIFY(found.isOpen());
    QCOMPARE(found.rowCount(), 3);             // 宫保鸡丁 twice, 鸡汤
    QVERIFY(!p.search.Panel_cp->isVisible());  // typing shows no list by itself

    p.search.E_cpmc->setText("  ");
    QCOMPARE(p.allTables, 2);
    QCOMPARE(found.rowCount(), 3);  // blanks search nothing
}

void DishSearchTest::scannerModeTypingSearchesNothing() {
    Pass p;
    p.s.settings.SDSR = "N";
    p.search.E_cpmc->setText("鸡");
    QCOMPARE(p.searchText, QStringLiteral("鸡"));
    QCOMPARE(p.allTables, 0);
    QVERIFY(!p.s.db.dm().ADO_Public1.isOpen());
}

void DishSearchTest::searchListButton() {
    Pass p;
    p.search.SpeedButton1->click();  // an empty dish list: nothing
    QVERIFY(!p.search.Panel_cp->isVisible());

    p.listTable("R2");
    p.search.SpeedButton1->click();
    QVERIFY(p.search.Panel_cp->isVisible());
    QCOMPARE(p.s.db.dm().ADO_Public1.rowCount(), 9);  // every line with a known dish and table
    QCOMPARE(p.search.cxGrid_cp->model()->rowCount(), 9);
    p.search.Button_cp_qx->click();
    QVERIFY(!p.search.Panel_cp->isVisible());

    p.search.E_cpmc->setText(" 鸡汤  ");
    p.search.E_cpmc->setCursorPosition(0);
    p.search.SpeedButton1->click();
    QCOMPARE(p.search.E_cpmc->cursorPosition(), 2);
    QCOMPARE(p.s.db.dm().ADO_Public1.rowCount(), 0);  // the blanks are part of the text
}

void DishSearchTest::searchButtonRequeries() {
    Pass p;
    p.search.ImgBtn9->click();
    QCOMPARE(p.requeries, 1);
    QVERIFY(!p.search.Button_cp_cz->isVisible());
    p.search.Button_cp_cz->click();
    QCOMPARE(p.requeries, 2);
}

void DishSearchTest::downArrowDoesNothing() {
    Pass p;
    p.s.settings.SDSR = "N";
    p.s.ticks.advance(5000);
    p.key(20, '1');
    p.key(20, '0');
    p.key(20, '0');
    p.key(20, '2');
    p.s.ticks.advance(20);
    QTest::keyClick(p.search.E_cpmc, Qt::Key_Down);
    QCOMPARE(p.search.E_cpmc->text(), QStringLiteral("1002"));
    QCOMPARE(p.servedNow(), QStringList());
    QVERIFY(p.sounds().isEmpty());
}

void DishSearchTest::aFailingLookupIsAFailure() {
    Pass p;
    p.s.settings.SDSR = "N";
    p.s.db.exec("alter table Meal rename to Meal_gone");  // the lookup's statement fails
    p.scan("1002");
    QCOMPARE(p.sounds(), QStringList{"tm_fail"});
    QCOMPARE(p.notServed, QStringList{"1002|查询菜品时数据库出错，菜品未上"});
    QCOMPARE(p.servedNow(), QStringList());
    QCOMPARE(p.paused, p.resumed);
}

QTEST_MAIN(DishSearchTest)
#include "DishSearchTest.moc"
