#include <QDir>
#include <QFile>
#include <QLayout>
#include <QtTest>

#include "StationWindow.h"
#include "core/db/SqlTrace.h"
#include "gui/alerts/ServedNotice.h"
#include "gui/dishes/DishIconView.h"
#include "gui/dishes/DishListView.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

// The whole window's composition on a small restaurant, shown as after the login: the board
// of area 一楼 (R01, R02; R03 is upstairs and has no tile), the dish list of all tables.
struct Pass : StationWindow {
    TableBoard& board = parts.board();
    DishArea& dishes = parts.dishes();

    Pass() {
        db.exec("insert into roomtype values ('T1','大厅')");
        db.exec("insert into area values ('A1','一楼'), ('A2','二楼')");
        db.exec(
            "insert into room values ('R01','大厅01','T1','A1','0'),('R02','大厅02','T1','A1','0'),"
            "('R03','大厅03','T1','A2','0')");
        db.exec(
            "insert into guest values ('G01','R01',4,100,'true'),('G02','R02',2,80,'true'),"
            "('G03','R03',6,300,'true')");
        db.exec(
            "insert into SmallType values ('S1','凉菜','B1','N',1),('S2','热菜','B1','N',2),"
            "('S3','汤','B1','N',3)");
        db.exec("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')");
        db.exec(
            "insert into Meal (meal_bh, meal_name, meal_code, meal_Barcode, Meal_type_id) "
            "values ('M1','宫保鸡丁','gbjd','6901','S2'),('M2','鸡汤','jt','6903','S3'),"
            "('M3','拍黄瓜','phg','6904','S1')");
        line("101", "01", "M1");  // an earlier course than 102 at R01
        line("102", "01", "M2");
        line("201", "02", "M3");
        line("202", "02", "M2");
        line("2021", "02", "M1", {{"consume_cccs", 1}});  // "202" begins it; hurried
        line("203", "02", "M3", {{"consume_cccs", 2}});
        line("301", "03", "M1");
        line("302", "03", "M2", {{"consume_state", QStringLiteral("已结")}});

        ui.Panel_Left_Client->setFixedSize(337, 422);
        window.resize(1064, 737);
        window.show();
        window.layout()->activate();
        dishes.fillFilterLists();
        board.fillAreaList();
        dishes.showListOfAllStates();
        dishes.setScope(0);
        board.LoadTableTree();
        board.LoadTableTypeTabs();
        board.Timer3Timer();
        ui.CB_qy->setCurrentIndex(ui.CB_qy->findText(QStringLiteral("一楼")));
        emit ui.CB_qy->activated(ui.CB_qy->currentIndex());
        board.Timer3Timer();
        QApplication::setActiveWindow(&window);
        parts.search().takeFocus();
    }

    void line(const QString& bh, const QString& table, const QString& meal,
              const QVariantMap& more = {}) {
        static const QMap<QString, QStringList> meals{{"M1", {"宫保鸡丁", "S2", "K1"}},
                                                      {"M2", {"鸡汤", "S3", "K1"}},
                                                      {"M3", {"拍黄瓜", "S1", "K2"}}};
        QVariantMap f{{"consume_bh", bh},
                      {"consume_guest_bh", "G" + table},
                      {"consume_table", "R" + table},
                      {"consume_meal_id", meal},
                      {"consume_meal_name", meals.value(meal).at(0)},
                      {"consume_meal_type", meals.value(meal).at(1)},
                      {"consume_CPdep", meals.value(meal).at(2)},
                      {"consume_begintime", "2026-07-15 18:20:00"}};
        for (auto it = more.begin(); it != more.end(); ++it) {
            f.insert(it.key(), it.value());
        }
        db.addLine(f);
    }

    QStringList consume() { return db.rows("select * from Consume order by consume_bh"); }
    QStringList sounds() const {
        QStringList out;
        for (const QString& path : sound.played) {
            out << QFileInfo(path).completeBaseName();
        }
        return out;
    }
    QString currentLine() { return db.dm().ADO_cp.asString("consume_bh"); }
    QStringList listed() {
        QStringList out;
        QueryObject& q = db.dm().ADO_cp;
        for (int r = 0; r < q.rowCount(); ++r) {
            out << FieldText(q.valueAt(r, q.columnIndex("consume_bh")));
        }
        return out;
    }

    // A scanner: every key 8 ms after the one before, then Enter.
    void scan(const QString& code) {
        ticks.advance(5000);
        for (QChar c : code) {
            ticks.advance(8);
            QTest::keyClick(ui.E_cpmc, c.toLatin1());
        }
        ticks.advance(8);
        QTest::keyClick(ui.E_cpmc, Qt::Key_Return);
    }

    // The statements an action sent: object, then text and values.
    QStringList traced(const std::function<void()>& action) {
        const QString path = QDir(db.folder()).filePath("trace.log");
        QFile::remove(path);
        db.dm().ADOConn.setTrace(SqlTrace(path));
        action();
        db.dm().ADOConn.setTrace(SqlTrace(QString()));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return {};
        }
        QStringList out;
        for (const QString& l : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList field = l.split('\t');
            out << field.value(1) + "\t" + field.value(4) + "\t" + field.value(5);
        }
        return out;
    }
};

QStringList Objects(const QStringList& traced) {
    QStringList out;
    for (const QString& t : traced) {
        out << t.section('\t', 0, 0);
    }
    return out;
}

// The rows of the table that differ, before and after.
QStringList Changed(const QStringList& before, const QStringList& after) {
    QStringList out;
    for (qsizetype i = 0; i < qMax(before.size(), after.size()); ++i) {
        if (before.value(i) != after.value(i)) {
            out << after.value(i).section('|', 0, 0);
        }
    }
    return out;
}

}  // namespace

class MainWindowScanTest : public QObject {
    Q_OBJECT

private slots:
    void scanServesTheLineThroughTheWindow_data();
    void scanServesTheLineThroughTheWindow();
    void refusedScanTellsWhy();
    void typedScanOnTheIconTab();
    void typedScanOnTheHurryTabOnlyPositions();
    void searchButtonRequeriesEveryList();
    void iconClickGivesTheBoxTheFocus();
};

void MainWindowScanTest::scanServesTheLineThroughTheWindow_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("voice");
    QTest::addColumn<bool>("tile");
    QTest::addColumn<bool>("checked");  // a course after the first: the check runs
    QTest::addColumn<QStringList>("listed");
    // The list shows 2021 before 202: the line served is the one the list is put on and
    // emphasised, not the first line its number begins. The serving-order question is asked.
    QTest::newRow("list of all tables")
        << "202"
        << "R02" << 0 << ""
        << "Y" << true << true << QStringList({"201", "203", "2021", "202"});
    QTest::newRow("voice off") << "101"
                               << "R01" << 0 << ""
                               << "N" << true << true << QStringList({"101", "102"});
    // Scanner mode goes to the list tab first.
    QTest::newRow("from the hurry tab")
        << "201"
        << "R02" << 3 << ""
        << "Y" << true << false << QStringList({"201", "203", "2021", "202"});
    // Upstairs: no tile on the board; the views follow the line's table all the same.
    QTest::newRow("table without a tile") << "301"
                                          << "R03" << 0 << ""
                                          << "Y" << false << true << QStringList({"301"});
    // The department filter leaves the line out of the list: still that line is served.
    QTest::newRow("left out by the department")
        << "202"
        << "R02" << 0 << "凉菜间"
        << "Y" << true << true << QStringList({"201", "203"});
}

void MainWindowScanTest::scanServesTheLineThroughTheWindow() {
    QFETCH(QString, line);
    QFETCH(QString, table);
    QFETCH(int, tab);
    QFETCH(QString, department);
    QFETCH(QString, voice);
    QFETCH(bool, tile);
    QFETCH(bool, checked);
    QFETCH(QStringList, listed);
    Pass s;
    s.settings.SDSR = "N";
    s.settings.YYBC = voice;
    if (!department.isEmpty()) {
        const int item = s.ui.CB_cpbm->findText(department);
        s.ui.CB_cpbm->setCurrentIndex(item);
        emit s.ui.CB_cpbm->activated(item);
    }
    s.ui.TAB_CP->setCurrentIndex(tab);
    const QString dish =
        s.db.scalar("select consume_meal_name from Consume where consume_bh = :a", {line})
            .toString();
    s.boxes.answer(QMessageBox::Yes);  // the serving-order question, if it comes
    const QStringList before = s.consume();

    const QStringList trace = s.traced([&] { s.scan(line); });

    QCOMPARE(Changed(before, s.consume()), QStringList{line});
    QCOMPARE(s.db.rows("select consume_Chupinlogo, consume_Chupinstate, consume_donetime "
                       "from Consume where consume_bh = :a",
                       {line}),
             QStringList{"4|菜品已上|2026-07-15 18:30:00"});
    QCOMPARE(s.sounds(), QStringList{"tm_success"});
    QVERIFY(s.parts.notice().current());
    QCOMPARE(s.parts.notice().current()->dishName(), dish);
    QVERIFY(s.parts.notice().current()->reason().isEmpty());
    QCOMPARE(s.speech.spoken, voice == "Y" ? QStringList{dish + "已上"} : QStringList());

    // The board chose the table, the views show it, the list is on the line served.
    QCOMPARE(s.state.CurrentTableId, table);
    QCOMPARE(s.ui.RG_xszt->itemIndex(), 1);
    QCOMPARE(s.ui.TAB_CP->currentIndex(), 0);
    if (tile) {
        QVERIFY(s.board.TableTiles.at(s.board.GetCtIndexid(table))->BGImageIndex() >= 4);
    } else {
        QCOMPARE(s.board.GetCtIndexid(table), -1);
    }
    QCOMPARE(s.listed(), listed);
    if (listed.contains(line)) {
        QCOMPARE(s.currentLine(), line);
        QVERIFY(s.dishes.emphasisOpen());
    } else {
        QVERIFY(!s.dishes.emphasisOpen());  // no other line stands out as served
    }
    QVERIFY(s.ui.E_cpmc->text().isEmpty());
    QVERIFY(s.ui.E_cpmc->hasFocus());
    QVERIFY(s.ui.Timer_sx->isActive());
    QVERIFY(!QApplication::overrideCursor());
    for (const ScriptedMessageBoxes::Shown& box : s.boxes.shown()) {
        QCOMPARE(box.text,
                 QStringLiteral("未上菜品中有需要优先上菜的菜品！是否继续对该菜品上菜？"));
    }

    // The lookup on every key but the first, the line read by its key, the serving-order
    // check, the served update, then the line's table's list once: no statement twice.
    QStringList expected;
    for (int i = 1; i <= line.size(); ++i) {
        expected << "ADO_Public1";
    }
    expected << "ADO_Public";
    if (checked) {
        expected << "ADO_Public";
    }
    expected << "ADO_Public"
             << "ADO_cp";
    QCOMPARE(Objects(trace), expected);
    QCOMPARE(QSet<QString>(trace.begin(), trace.end()).size(), trace.size());
}

void MainWindowScanTest::refusedScanTellsWhy() {
    Pass s;
    s.settings.SDSR = "N";
    s.settings.YYBC = "Y";
    const QStringList before = s.consume();
    s.scan("302");
    QCOMPARE(s.consume(), before);
    QCOMPARE(s.sounds(), QStringList{"tm_fail"});
    QVERIFY(s.speech.spoken.isEmpty());
    NoticeWindow* notice = s.parts.notice().current();
    QVERIFY(notice);
    QCOMPARE(notice->dishName(), QStringLiteral("鸡汤"));
    QCOMPARE(notice->reason(), QStringLiteral("该桌账单已结账，不能上菜"));
    // Nothing was chosen on the board for a dish that was not served.
    QVERIFY(s.state.CurrentTableId.isEmpty());
    QVERIFY(!s.dishes.emphasisOpen());
    QVERIFY(s.ui.E_cpmc->hasFocus());
}

void MainWindowScanTest::typedScanOnTheIconTab() {
    Pass s;
    s.settings.SDSR = "Y";
    s.ui.TAB_CP->setCurrentIndex(1);
    s.dishes.icons().Timer1Timer();
    DishIconView& icons = s.dishes.icons();
    QVERIFY(icons.getcpindex("102") >= 0);
    // An icon selected before the scan is not what the scan serves.
    icons.DishIconClick(icons.icons().at(icons.getcpindex("201")));
    s.boxes.answer(QMessageBox::Yes);
    const QStringList before = s.consume();
    QTest::keyClicks(s.ui.E_cpmc, "102");
    QTest::keyClick(s.ui.E_cpmc, Qt::Key_Return);
    QCOMPARE(Changed(before, s.consume()), QStringList{"102"});
    QCOMPARE(s.sounds(), QStringList{"tm_success"});
    QCOMPARE(s.ui.TAB_CP->currentIndex(), 1);
    QCOMPARE(s.state.CurrentTableId, QStringLiteral("R01"));
    // The icons of R01; the served line's icon selected, to show served once left.
    QCOMPARE(icons.icons().size(), 2);
    QCOMPARE(icons.selectedLine()->lineNumber, QStringLiteral("102"));
    QCOMPARE(icons.selectedIconBackground(), 4);
}

void MainWindowScanTest::typedScanOnTheHurryTabOnlyPositions() {
    Pass s;
    s.settings.SDSR = "Y";
    s.ui.TAB_CP->setCurrentIndex(3);
    QueryObject& hurried = s.db.dm().ADO_cctc;
    QVERIFY(hurried.locatePrefix("consume_bh", "203"));
    const QStringList before = s.consume();
    QTest::keyClicks(s.ui.E_cpmc, "2021");
    QTest::keyClick(s.ui.E_cpmc, Qt::Key_Return);
    QCOMPARE(s.consume(), before);
    QVERIFY(s.sounds().isEmpty());
    QVERIFY(!s.parts.notice().current());
    QCOMPARE(hurried.asString("consume_bh"), QStringLiteral("2021"));
    auto* grid = s.window.findChild<QTableView*>("cxGrid2");
    QVERIFY(grid && grid->hasFocus());
    QVERIFY(s.ui.E_cpmc->text().isEmpty());
}

void MainWindowScanTest::searchButtonRequeriesEveryList() {
    Pass s;
    s.ui.E_cpmc->setText("鸡汤");
    const QStringList trace = s.traced([&] { s.ui.ImgBtn9->click(); });
    // The list first; the alert lists, where they are live, after it, none twice.
    QCOMPARE(Objects(trace).value(0), QStringLiteral("ADO_cp"));
    QCOMPARE(QSet<QString>(trace.begin(), trace.end()).size(), trace.size());
    QCOMPARE(s.listed(), QStringList({"102", "202"}));
}

void MainWindowScanTest::iconClickGivesTheBoxTheFocus() {
    Pass s;
    s.ui.TAB_CP->setCurrentIndex(1);
    s.dishes.icons().Timer1Timer();
    s.ui.cxGrid_ct_cp->setFocus();
    DishIconView& icons = s.dishes.icons();
    QTest::mouseClick(icons.icons().at(0), Qt::LeftButton);
    QVERIFY(s.ui.E_cpmc->hasFocus());
    QVERIFY(s.ui.Button_cp_xyy->isVisible());
    s.ui.TAB_CP->setCurrentIndex(0);
    QVERIFY(!s.ui.Button_cp_xyy->isVisible());
}

QTEST_MAIN(MainWindowScanTest)
#include "MainWindowScanTest.moc"
