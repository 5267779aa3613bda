#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QtTest>
#include <memory>

#include "StationWindow.h"
#include "core/db/SqlTrace.h"
#include "gui/board/TableBoard.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

// A main window with its board and dish views on an embedded station database; the tile
// area has the design size, 4 x 5 tiles.
struct Station : StationWindow {
    TableBoard& board = parts.board();

    Station() {
        db.exec("insert into roomtype values ('T1','大厅'), ('T2','包间')");
        db.exec("insert into area values ('A1','一楼'), ('A2','二楼')");
        db.exec("insert into SmallType (Smalltype_id, Smalltype_NdyHc) values ('S1','N')");
        db.exec("insert into Meal (meal_bh, meal_name, Meal_time) values ('M1','宫保鸡丁',10)");
        ui.Panel_Left_Client->setFixedSize(337, 422);
        window.show();
        window.layout()->activate();
    }

    // Table n: room "R<nn>", named "大厅<nn>" (type T1, area A1) or "包间<nn>" (T2, A2).
    void addTable(int n, bool hall = true, bool openBill = true) {
        const QString id = QStringLiteral("R%1").arg(n, 2, 10, QLatin1Char('0'));
        const QString name = (hall ? QStringLiteral("大厅") : QStringLiteral("包间")) + id.mid(1);
        db.exec("insert into room values (:a, :b, :c, :d, '0')",
                {id, name, hall ? "T1" : "T2", hall ? "A1" : "A2"});
        if (openBill) {
            db.exec("insert into guest values (:a, :b, 4, 268.5, 'true')", {"G" + id.mid(1), id});
        }
    }
    void addTables(int count) {
        for (int n = 1; n <= count; ++n) {
            addTable(n);
        }
    }
    void closeBill(int n) {
        db.exec("update guest set guest_estate = 'false' where guest_table = :a",
                {QStringLiteral("R%1").arg(n, 2, 10, QLatin1Char('0'))});
    }
    void addLine(const QString& bh, int table, const QVariantMap& more = {}) {
        const QString t = QString::number(table).rightJustified(2, QLatin1Char('0'));
        // Ordered five minutes ago: not overdue unless a test says so.
        QVariantMap f{{"consume_bh", bh},
                      {"consume_guest_bh", "G" + t},
                      {"consume_table", "R" + t},
                      {"consume_begintime", "2026-07-15 18:25:00"}};
        for (auto it = more.begin(); it != more.end(); ++it) {
            f.insert(it.key(), it.value());
        }
        db.addLine(f);
    }
    void show() {
        board.fillAreaList();
        board.LoadTableTree();
        board.LoadTableTypeTabs();
        board.Timer3Timer();
    }
    QStringList tileIds() const {
        QStringList ids;
        for (Tcypanel* t : board.TableTiles) {
            ids << t->Label5()->Caption();
        }
        return ids;
    }
    QString firstTile() const { return tileIds().value(0); }
    Tcypanel* tile(const QString& id) {
        const int i = board.GetCtIndexid(id);
        return i < 0 ? nullptr : board.TableTiles.at(i);
    }
    void tick() {
        ui.Timer_sx->start();
        board.Timer_sxTimer();
    }
    void search(const QString& text) {
        ui.E_cth->setText(text);
        ui.Button_ct_cz->click();
    }
};

}  // namespace

class TableBoardTest : public QObject {
    Q_OBJECT

private slots:
    void tilesShowTheBills();
    void failedBuildIsShownNotBoxed();
    void tileAreaGoneFirst();
    void pageCapacityAndFocus_data();
    void pageCapacityAndFocus();
    void filters();
    void paging();
    void refreshPaths();
    void tickSendsEachStatementOnce_data();
    void tickSendsEachStatementOnce();
    void refreshReturnsToTheFirstTab();
    void failedTickIsRetriedWithBackOff();
    void failedBuildIsDoneAgainByTheTick();
    void nextPageAfterASettledBoundaryTable();
    void fullPageFollowsItsTables();
    void pageLaidOutOnTheSettledSize();
    void selectionMarksOneTile();
    void refreshKeepsSelectionAndLine();
    void searchPaths();
    void picker();
    void backgroundImages();
};

void TableBoardTest::tilesShowTheBills() {
    Station s;
    s.addTables(3);
    s.addLine("1", 2, {{"consume_num", 2}, {"consume_Chupinlogo", "4"}});
    s.addLine("2", 2, {{"consume_num", 3}, {"consume_begintime", "2026-07-15 18:00:00"}});
    s.addLine("3", 3, {{"consume_Chupinlogo", "4"}});
    s.show();
    QCOMPARE(s.tileIds(), QStringList({"R01", "R02", "R03"}));
    Tcypanel* t = s.tile("R02");
    QCOMPARE(t->parentWidget(), s.ui.Panel_Left_Client);
    QCOMPARE(t->geometry(), QRect(82, 0, 80, 80));
    // Name and counter stay centred once the tile area is shown again.
    s.board.Timer3Timer();
    QCOMPARE(t->Label3()->Alignment(), Qt::AlignHCenter);
    QCOMPARE(t->Label4()->Alignment(), Qt::AlignHCenter);
    QCOMPARE(t->property("tag").toInt(), 99);
    QCOMPARE(t->BGImages(), &s.board.ImageList1);
    QCOMPARE(t->Label1()->Caption(), QStringLiteral("4人"));
    QCOMPARE(t->Label2()->Caption(), QStringLiteral("268.5  "));
    QCOMPARE(t->Label3()->Caption(), QStringLiteral("大厅02"));
    QVERIFY(!t->Label3()->font().bold());
    QCOMPARE(t->Label3()->FontColor(), QColor(133, 75, 0));
    QCOMPARE(t->Label4()->Caption(), QStringLiteral("2.0/5.0"));
    QCOMPARE(t->Label4()->FontColor(), QColor(255, 0, 0));
    QVERIFY(!t->Label5()->Visible());
    QCOMPARE(t->BGImageIndex(), 2);  // serving, the second line waited 30 minutes
    QCOMPARE(s.tile("R01")->BGImageIndex(), 0);
    QCOMPARE(s.tile("R01")->Label4()->Caption(), QStringLiteral("0.0/0.0"));
    QCOMPARE(s.tile("R03")->BGImageIndex(), 3);
    QCOMPARE(s.tile("R03")->Label4()->FontColor(), QColor(255, 0, 255));
    QVERIFY(!s.ui.Panel_Left_Client->isHidden());
}

void TableBoardTest::failedBuildIsShownNotBoxed() {
    Station s;
    s.addTables(3);
    s.show();
    s.db.exec("alter table Consume rename to Consume_gone");
    // The same tables read again: the board keeps them.
    QVERIFY_THROWS_EXCEPTION(DbError, s.board.rebuildBoard());
    QCOMPARE(s.board.TableTiles.size(), 3);
    // Another area: no tile of the old filter stays under the new choice, and no tile that
    // would show a table with nothing ordered; the tile area says why, and no box takes the
    // keyboard from the scanner.
    s.ui.CB_qy->setCurrentIndex(1);
    emit s.ui.CB_qy->activated(1);
    QCOMPARE(s.board.TableTiles.size(), 0);
    auto* notice = s.ui.Panel_Left_Client->findChild<QLabel*>("Label_ct_error");
    QVERIFY(notice && !notice->isHidden());
    QVERIFY(notice->text().contains(QStringLiteral("餐台读取失败")));
    QVERIFY(s.boxes.shown().isEmpty());
    QVERIFY(s.health.failing(Feed::Board));
    // The board read at its build is what the band names, before any tick ran.
    QVERIFY2(s.health.bandText().contains(QStringLiteral("显示的是 18:30:00 的数据")),
             qPrintable(s.health.bandText()));
    QVERIFY(s.ui.Timer3->isActive());  // the area still comes back
}

void TableBoardTest::tileAreaGoneFirst() {
    auto s = std::make_unique<Station>();
    s->addTables(2);
    s->show();
    delete s->ui.Panel_Left_Client;  // with the tiles
    s.reset();                       // the board does not free them again
}

void TableBoardTest::pageCapacityAndFocus_data() {
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("tiles");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<bool>("focusToDishBox");
    QTest::newRow("none: nothing changes") << 0 << 0 << 0 << false;
    QTest::newRow("exactly as many as fit") << 20 << 20 << 0 << true;
    QTest::newRow("one more stops for room") << 21 << 20 << 20 << false;
}

void TableBoardTest::pageCapacityAndFocus() {
    QFETCH(int, tables);
    QFETCH(int, tiles);
    QFETCH(int, capacity);
    QFETCH(bool, focusToDishBox);
    Station s;
    QApplication::setActiveWindow(&s.window);
    s.addTables(tables);
    s.ui.E_cth->setFocus();
    s.show();
    QCOMPARE(s.board.TableTiles.size(), tiles);
    QCOMPARE(s.board.PageCapacity, capacity);
    QCOMPARE(QApplication::focusWidget() == s.ui.E_cpmc, focusToDishBox);
}

void TableBoardTest::filters() {
    Station s;
    s.addTables(3);
    s.addTable(4, false);
    s.addTable(5, false);
    s.show();
    QCOMPARE(s.ui.CB_qy->count(), 3);
    QCOMPARE(s.ui.E_cth->font().pixelSize(), 24);
    QCOMPARE(s.board.AreaIds, QStringList({"", "A1", "A2"}));
    QCOMPARE(s.board.TableTypeIds, QStringList({"", "T1", "T2", ""}));
    QCOMPARE(s.ui.Tab_ct->tabText(0), QStringLiteral("所有餐台"));
    QCOMPARE(s.tileIds().size(), 5);

    s.ui.CB_qy->setCurrentIndex(2);
    emit s.ui.CB_qy->activated(2);
    QVERIFY(s.ui.Panel_Left_Client->isHidden());
    QVERIFY(s.ui.Timer3->isActive());
    s.board.Timer3Timer();
    QCOMPARE(s.tileIds(), QStringList({"R04", "R05"}));

    // A type tab filters only while paging by type is on.
    s.ui.CB_qy->setCurrentIndex(0);
    emit s.ui.CB_qy->activated(0);
    s.ui.Tab_ct->setCurrentIndex(1);
    QCOMPARE(s.tileIds().size(), 5);
    s.ui.CB_fyxs->setChecked(true);
    QVERIFY(!s.ui.Tab_ct->isHidden());
    QCOMPARE(s.ui.Tab_ct->currentIndex(), 0);  // toggling returns to tab 0
    s.ui.Tab_ct->setCurrentIndex(2);
    QCOMPARE(s.tileIds(), QStringList({"R04", "R05"}));
    s.ui.CB_fyxs->setChecked(false);
    QVERIFY(s.ui.Tab_ct->isHidden());
    QCOMPARE(s.ui.Tab_ct->currentIndex(), 0);
    QCOMPARE(s.tileIds().size(), 5);

    // Enter in the area list goes on to the next control.
    QApplication::setActiveWindow(&s.window);
    s.ui.CB_qy->setFocus();
    QTest::keyClick(s.ui.CB_qy, Qt::Key_Return);
    // The table search box, not the caption between them.
    QCOMPARE(QApplication::focusWidget(), s.ui.E_cth);
}

void TableBoardTest::paging() {
    Station s;
    s.addTables(45);
    s.show();
    QCOMPARE(s.board.PageCapacity, 20);
    s.board.Button_ct_syyClick();  // previous on the first page: blinks only
    QVERIFY(s.ui.Panel_Left_Client->isHidden());
    s.board.Timer3Timer();
    QCOMPARE(s.firstTile(), "R01");
    QCOMPARE(s.board.TableTiles.size(), 20);

    s.ui.Button_ct_xyy->click();
    QCOMPARE(s.firstTile(), "R21");
    s.ui.Button_ct_xyy->click();
    QCOMPARE(s.firstTile(), "R41");
    QCOMPARE(s.board.TableTiles.size(), 5);
    QCOMPARE(s.board.PageCapacity, 20);  // paging does not record it
    Tcypanel* last = s.board.TableTiles.first();
    s.ui.Button_ct_xyy->click();  // next on the last page: unchanged
    QCOMPARE(s.board.TableTiles.first(), last);
    QCOMPARE(s.firstTile(), "R41");

    // Previous goes back 22 tables, whatever fits.
    s.ui.Button_ct_syy->click();
    QCOMPARE(s.firstTile(), "R19");
    QCOMPARE(s.board.TableTiles.size(), 20);
    s.ui.Button_ct_syy->click();
    QCOMPARE(s.firstTile(), "R01");
}

void TableBoardTest::refreshPaths() {
    Station s;
    s.show();
    QVERIFY(s.board.TableTiles.isEmpty());
    // A bill opened on an empty board: the next tick rebuilds.
    s.addTables(1);
    s.tick();
    QCOMPARE(s.tileIds(), QStringList({"R01"}));
    QVERIFY(s.ui.Timer_sx->isActive());

    // Equal counts: the tiles stay and show the new counters.
    for (int n = 2; n <= 25; ++n) {
        s.addTable(n);
    }
    s.closeBill(1);
    s.show();
    QCOMPARE(s.board.TableTiles.size(), 20);
    Tcypanel* second = s.tile("R03");
    s.addLine("9", 3, {{"consume_Chupinlogo", "4"}});
    // A full page with more tables, the same tables: counters in place.
    s.tick();
    QCOMPARE(s.tile("R03"), second);
    QCOMPARE(second->Label4()->Caption(), QStringLiteral("1.0/1.0"));
    QCOMPARE(second->BGImageIndex(), 3);
    // A bill of the page closed: the page shows the tables that are open.
    s.closeBill(5);
    s.tick();
    QVERIFY(!s.tile("R05"));
    QCOMPARE(s.tileIds().first(), "R02");
    QCOMPARE(s.tileIds().last(), "R22");

    // A partial last page, reached with next: a bill closed rebuilds from the first page.
    s.ui.Button_ct_xyy->click();
    QCOMPARE(s.firstTile(), "R23");
    s.closeBill(25);
    s.tick();
    QCOMPARE(s.firstTile(), "R02");
}

void TableBoardTest::tickSendsEachStatementOnce_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("objects");
    // The occupied tables, the counters of the whole page in one statement, then the dish
    // views in the order the shown tab asks for; the lists it did not re-run are re-run to
    // keep their line. Six at the most, none twice.
    QTest::newRow("list tab") << 0 << QStringList{"ADO_ct",    "ADO_Public", "ADO_cp",
                                                  "ADO_cstx1", "ADO_cctc",   "ADOQ_finished"};
    QTest::newRow("served tab") << 4 << QStringList{"ADO_ct",   "ADO_Public", "ADOQ_finished",
                                                    "ADO_cctc", "ADO_cstx1",  "ADO_cp"};
}

void TableBoardTest::tickSendsEachStatementOnce() {
    QFETCH(int, tab);
    QFETCH(QStringList, objects);
    Station s;
    s.addTables(25);
    for (int n = 1; n <= 25; ++n) {
        // Each table has a hurried line, an overdue line and one served a minute ago.
        s.addLine(QString::number(n), n,
                  {{"consume_state", "催菜"}, {"consume_begintime", "2026-07-15 18:00:00"}});
        s.addLine(QString::number(100 + n), n,
                  {{"consume_Chupinlogo", "4"}, {"consume_donetime", "2026-07-15 18:29:00"}});
    }
    s.show();
    QCOMPARE(s.board.TableTiles.size(), 20);
    // Every list shows lines: chosen on the served tab, which runs all of them.
    s.ui.TAB_CP->setCurrentIndex(4);
    QTest::mouseClick(s.tile("R02"), Qt::LeftButton);
    s.ui.TAB_CP->setCurrentIndex(tab);
    for (QueryObject* q :
         {&s.db.dm().ADO_cp, &s.db.dm().ADO_cstx1, &s.db.dm().ADO_cctc, &s.db.dm().ADOQ_finished}) {
        QVERIFY2(q->isOpen() && !q->isEmpty(), qPrintable(q->name()));
    }
    const QString path = QDir(s.db.folder()).filePath("trace.log");
    s.db.dm().ADOConn.setTrace(SqlTrace(path));
    s.tick();
    s.db.dm().ADOConn.setTrace(SqlTrace(QString()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList sent;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList field = line.split('\t');
        QVERIFY2(!field.value(3).startsWith("error"), qPrintable(line));
        sent << field.value(1);
    }
    QCOMPARE(sent, objects);
    QCOMPARE(s.tile("R02")->Label4()->Caption(), QStringLiteral("1.0/2.0"));
}

void TableBoardTest::refreshReturnsToTheFirstTab() {
    Station s;
    s.addTables(3);
    s.addTable(4, false);
    s.show();
    s.ui.CB_fyxs->setChecked(true);
    s.ui.Tab_ct->setCurrentIndex(1);
    QCOMPARE(s.tileIds().size(), 3);
    s.tick();  // nothing changed: the tab stays
    QCOMPARE(s.ui.Tab_ct->currentIndex(), 1);
    s.addTable(6);  // a bill opened at a table of the selected type
    s.tick();
    QCOMPARE(s.ui.Tab_ct->currentIndex(), 0);
    QCOMPARE(s.tileIds().size(), 5);
    QVERIFY(s.ui.Timer_sx->isActive());
}

void TableBoardTest::failedTickIsRetriedWithBackOff() {
    {
        // Never built (no table types yet): no tables, and the refresh goes on.
        Station empty;
        empty.db.exec("delete from roomtype");
        empty.show();
        empty.tick();
        QVERIFY(empty.ui.Timer_sx->isActive());
    }
    Station s;
    s.addTables(2);
    s.show();
    s.tick();
    QCOMPARE(s.ui.Timer_sx->interval(), 5000);
    s.db.exec("alter table guest rename to guest_gone");
    // Retried, later and later while it fails, never stopped; the tiles stay, no box.
    for (int interval : {5000, 10000, 20000, 30000, 30000}) {
        s.tick();
        QVERIFY(s.ui.Timer_sx->isActive());
        QCOMPARE(s.ui.Timer_sx->interval(), interval);
        QCOMPARE(s.board.TableTiles.size(), 2);
    }
    QVERIFY(s.health.failing(Feed::Board));
    QVERIFY(s.boxes.shown().isEmpty());
    // The scan pauses and resumes the refresh as before, at the interval of the moment.
    s.board.stopRefresh();
    QVERIFY(!s.ui.Timer_sx->isActive());
    s.board.startRefresh();
    QVERIFY(s.ui.Timer_sx->isActive());
    QCOMPARE(s.ui.Timer_sx->interval(), 30000);

    s.db.exec("alter table guest_gone rename to guest");
    s.addTable(3);
    s.board.Timer_sxTimer();
    QVERIFY(s.health.current());
    QCOMPARE(s.ui.Timer_sx->interval(), 5000);
    QCOMPARE(s.tileIds(), QStringList({"R01", "R02", "R03"}));
}

void TableBoardTest::failedBuildIsDoneAgainByTheTick() {
    Station s;
    s.addTables(3);
    s.db.exec("alter table roomtype rename to roomtype_gone");
    s.board.fillAreaList();
    QVERIFY_THROWS_EXCEPTION(DbError, s.board.LoadTableTypeTabs());
    QVERIFY(s.board.TableTiles.isEmpty());
    QVERIFY(!s.ui.Panel_Left_Client->findChild<QLabel*>("Label_ct_error")->isHidden());
    s.tick();  // still failing: nothing that looks like an empty restaurant
    QVERIFY(s.board.TableTiles.isEmpty());
    s.db.exec("alter table roomtype_gone rename to roomtype");
    s.tick();
    QCOMPARE(s.tileIds(), QStringList({"R01", "R02", "R03"}));
    QVERIFY(s.ui.Panel_Left_Client->findChild<QLabel*>("Label_ct_error")->isHidden());
    QCOMPARE(s.ui.Tab_ct->count(), 3);
}

void TableBoardTest::nextPageAfterASettledBoundaryTable() {
    Station s;
    s.addTables(45);
    s.show();
    QCOMPARE(s.tileIds().last(), "R20");
    // The last tile's bill is settled: the next page goes on after it, not from the second.
    s.closeBill(20);
    s.ui.Button_ct_xyy->click();
    QCOMPARE(s.firstTile(), "R21");
    // The first tile's bill is settled: the previous page is still reached.
    s.closeBill(21);
    s.ui.Button_ct_syy->click();
    QCOMPARE(s.firstTile(), "R01");
    // A boundary table whose id is the start of another's ("R1" and "R10") is found exactly.
    s.db.exec("insert into room values ('R1', '大厅19半', 'T1', 'A1', '0')");
    s.db.exec("insert into guest values ('G1', 'R1', 2, 10, 'true')");
    s.show();
    QCOMPARE(s.tileIds().mid(18), QStringList({"R19", "R1"}));
    s.ui.Button_ct_xyy->click();
    QCOMPARE(s.firstTile(), "R22");
}

void TableBoardTest::fullPageFollowsItsTables() {
    Station s;
    s.addTables(45);
    s.show();
    s.ui.CB_fyxs->setChecked(true);
    s.ui.Tab_ct->setCurrentIndex(1);  // 大厅: all of them
    QCOMPARE(s.board.TableTiles.size(), 20);
    QTest::mouseClick(s.tile("R05"), Qt::LeftButton);
    Tcypanel* kept = s.tile("R10");
    s.tick();  // nothing changed: the tiles stay
    QCOMPARE(s.tile("R10"), kept);

    // A table opens that sorts into the page, another's bill on it is settled: the same page,
    // on the same tab, shows the tables as they are, the selected one still marked.
    s.db.exec("insert into room values ('R90', '大厅02半', 'T1', 'A1', '0')");
    s.db.exec("insert into guest values ('G90', 'R90', 2, 10, 'true')");
    s.closeBill(8);
    s.tick();
    QCOMPARE(s.ui.Tab_ct->currentIndex(), 1);
    QStringList expected{"R01", "R02", "R90"};
    for (int n : {3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}) {
        expected << QStringLiteral("R%1").arg(n, 2, 10, QLatin1Char('0'));
    }
    QCOMPARE(s.tileIds(), expected);
    QCOMPARE(s.tile("R05")->BGImageIndex(), 4);
    QCOMPARE(s.state.CurrentTableId, "R05");
    QCOMPARE(s.board.PageCapacity, 20);

    // On the second page too: it starts where it started.
    s.ui.Button_ct_xyy->click();
    QCOMPARE(s.firstTile(), "R21");
    s.closeBill(22);
    s.tick();
    QCOMPARE(s.firstTile(), "R21");
    QCOMPARE(s.tileIds().mid(1, 2), QStringList({"R23", "R24"}));
    QCOMPARE(s.tileIds().last(), "R41");
}

void TableBoardTest::pageLaidOutOnTheSettledSize() {
    StationWindow s;
    TableBoard& board = s.parts.board();
    s.db.exec("insert into roomtype values ('T1','大厅')");
    s.db.exec("insert into area values ('A1','一楼')");
    for (int n = 1; n <= 40; ++n) {
        const QString id = QStringLiteral("R%1").arg(n, 2, 10, QLatin1Char('0'));
        s.db.exec("insert into room values (:a, :b, 'T1', 'A1', '0')", {id, "大厅" + id.mid(1)});
        s.db.exec("insert into guest values (:a, :b, 4, 10, 'true')", {"G" + id.mid(1), id});
    }
    s.window.show();
    s.window.layout()->activate();
    // A window where the tile area, without the tab bar, holds five rows and a little.
    QWidget* area = s.ui.Panel_Left_Client;
    s.window.resize(s.window.width(), s.window.height() + 5 * 82 + 5 - area->height());
    s.window.layout()->activate();
    QCOMPARE(area->height(), 5 * 82 + 5);
    board.fillAreaList();
    board.LoadTableTypeTabs();
    QCOMPARE(board.TableTiles.size(), 20);  // four across, five down

    s.ui.CB_fyxs->setChecked(true);  // the tab bar takes a row's room
    QCOMPARE(board.TableTiles.size(), 16);
    s.ui.CB_fyxs->setChecked(false);  // laid out on the height it has now, not the old one
    QCOMPARE(board.TableTiles.size(), 20);
    QCOMPARE(board.PageCapacity, 20);

    // The window grows by a row: once the layout settled, the page is laid out again.
    s.window.resize(s.window.width(), s.window.height() + 82);
    s.window.layout()->activate();
    QTimer* relayout = board.findChild<QTimer*>("Timer_ct_layout");
    QVERIFY(relayout->isActive());
    board.relayoutPage();
    QCOMPARE(board.TableTiles.size(), 24);
    QCOMPARE(board.PageCapacity, 24);
    QCOMPARE(board.TableTiles.last()->geometry().bottom() < area->height(), true);
}

void TableBoardTest::selectionMarksOneTile() {
    Station s;
    s.addTables(3);
    s.addLine("1", 1, {{"consume_Chupinlogo", "4"}});
    s.addLine("2", 1);
    s.addLine("3", 2);
    s.show();
    Tcypanel* a = s.tile("R01");
    Tcypanel* b = s.tile("R02");
    QCOMPARE(a->BGImageIndex(), 1);
    QTest::mouseClick(a, Qt::LeftButton);
    QCOMPARE(s.state.CurrentTableId, "R01");
    QCOMPARE(s.state.CurrentTableName, QStringLiteral("大厅01"));
    QCOMPARE(s.state.SelectedBaseIndex, 1);
    QCOMPARE(a->BGImageIndex(), 5);
    QCOMPARE(s.ui.RG_xszt->itemIndex(), 1);
    QCOMPARE(s.db.dm().ADO_cp.rowCount(), 2);

    // A click on a label of another tile selects that tile.
    QTest::mouseClick(b->Label3(), Qt::LeftButton);
    QCOMPARE(a->BGImageIndex(), 1);
    QCOMPARE(b->BGImageIndex(), 4);
    QCOMPARE(s.state.CurrentTableId, "R02");
    QCOMPARE(s.db.dm().ADO_cp.rowCount(), 1);
    QCOMPARE(s.db.dm().ADO_cp.asString("consume_bh"), "3");

    // The selected tile again: unmarked and marked again.
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(b->BGImageIndex(), 4);
    QCOMPARE(s.state.SelectedBaseIndex, 0);
}

void TableBoardTest::refreshKeepsSelectionAndLine() {
    Station s;
    s.addTables(3);
    s.addLine("1", 2);
    s.addLine("2", 2);
    s.addLine("3", 2);
    s.show();
    QTest::mouseClick(s.tile("R02"), Qt::LeftButton);
    QueryObject& list = s.db.dm().ADO_cp;
    QVERIFY(list.locatePrefix("consume_bh", "2"));
    s.db.exec("update Consume set consume_Chupinlogo = '4' where consume_bh = '1'");
    const quint64 runs = list.runCount();
    s.tick();
    QCOMPARE(list.runCount(), runs + 1);         // the re-selection's run is the tick's only one
    QCOMPARE(s.tile("R02")->BGImageIndex(), 5);  // serving now, still marked
    QCOMPARE(s.state.SelectedBaseIndex, 1);
    QCOMPARE(list.asString("consume_bh"), "2");

    // A rebuild that also finds a new state: the new tile is marked in that state, not in
    // the one remembered from the old tile.
    s.db.exec("update Consume set consume_Chupinlogo = '4'");
    s.addTable(4);
    s.tick();
    QCOMPARE(s.tileIds().size(), 4);
    QCOMPARE(s.tile("R02")->BGImageIndex(), 7);
    QCOMPARE(s.state.SelectedBaseIndex, 3);
    QCOMPARE(list.asString("consume_bh"), "2");

    // A selected table that is not on the board: no marking, the lists still keep their line.
    s.closeBill(2);
    s.tick();
    QVERIFY(!s.tile("R02"));
    QCOMPARE(s.state.CurrentTableId, "R02");
    QCOMPARE(list.asString("consume_bh"), "2");
}

void TableBoardTest::searchPaths() {
    Station s;
    s.addTables(3);
    s.addTable(4, false);
    s.addTable(5, false, false);  // a table without an open bill
    s.show();

    s.search("   ");  // blanks only: the tree
    QVERIFY(!s.ui.Panel_ct->isHidden());
    QTreeWidget* tree = s.ui.TreeView_ct_ct;
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("大厅"));
    QCOMPARE(tree->topLevelItem(1)->childCount(), 2);  // with and without a bill

    // A table without an open bill: the picker stays open, nothing is selected.
    s.search("包间05");
    QVERIFY(!s.ui.Panel_ct->isHidden());
    QVERIFY(s.state.CurrentTableId.isEmpty());

    // One match selects it and closes the picker.
    s.search("大厅03");
    QVERIFY(s.ui.Panel_ct->isHidden());
    QCOMPARE(s.state.CurrentTableId, "R03");
    QCOMPARE(s.tile("R03")->BGImageIndex(), 4);

    // Blanks stay in the pattern: nothing found, nothing changes.
    s.search(" 大厅01");
    QVERIFY(s.ui.Panel_ct->isHidden());
    QCOMPARE(s.state.CurrentTableId, "R03");

    // Several matches: the tree on the first node containing the text, here the type.
    s.search("大厅");
    QVERIFY(!s.ui.Panel_ct->isHidden());
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("大厅"));
    s.search("间0");
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("包间04"));
    QCOMPARE(s.state.CurrentTableId, "R03");

    // One match of another type while paging by type: the tab follows and the board is
    // rebuilt for that type.
    s.ui.CB_fyxs->setChecked(true);
    s.search("包间04");
    QCOMPARE(s.ui.Tab_ct->currentIndex(), 2);
    QCOMPARE(s.tileIds(), QStringList({"R04"}));
    QCOMPARE(s.state.CurrentTableId, "R04");
    QCOMPARE(s.tile("R04")->BGImageIndex(), 4);
}

void TableBoardTest::picker() {
    Station s;
    s.addTables(2);
    s.show();
    s.search("");
    QTreeWidget* tree = s.ui.TreeView_ct_ct;
    tree->setCurrentItem(tree->topLevelItem(0));
    s.ui.Button_ct_qd->click();  // a type: nothing
    QVERIFY(!s.ui.Panel_ct->isHidden());
    QVERIFY(s.state.CurrentTableId.isEmpty());
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    s.ui.Button_ct_qd->click();
    QVERIFY(s.ui.Panel_ct->isHidden());
    QCOMPARE(s.state.CurrentTableId, "R02");
    s.search("");
    s.ui.Button_ct_qx->click();
    QVERIFY(s.ui.Panel_ct->isHidden());
}

void TableBoardTest::backgroundImages() {
    Station s;
    QCOMPARE(s.board.ImageList1.count(), 8);
    QCOMPARE(s.board.ImageList1.size(), QSize(80, 80));
    // Each state has its own band colour; the selected ones share yellow.
    const auto band = [&](int i) { return s.board.ImageList1.image(i).toImage().pixel(60, 2); };
    QSet<QRgb> plain{band(0), band(1), band(2), band(3)};
    QCOMPARE(plain.size(), 4);
    QCOMPARE(band(4), band(7));
    QVERIFY(!plain.contains(band(4)));
}

QTEST_MAIN(TableBoardTest)
#include "TableBoardTest.moc"
