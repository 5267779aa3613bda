#include <QHeaderView>
#include <QPainter>
#include <QtTest>
#include <functional>
#include <memory>

#include "StationWindow.h"
#include "core/db/SqlHelpers.h"
#include "gui/alerts/ServedNotice.h"
#include "gui/common/DishGridFooter.h"
#include "gui/common/DishGridModel.h"
#include "gui/common/DishGridStyle.h"
#include "gui/dishes/DishArea.h"
#include "gui/dishes/DishFilters.h"
#include "gui/dishes/DishIconView.h"
#include "gui/dishes/DishListDelegate.h"
#include "gui/dishes/DishListView.h"
#include "gui/main/StationSkin.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

// A main window with its dish area on an embedded station database.
struct Station : StationWindow {
    Station() : StationWindow(QDateTime(QDate(2026, 7, 15), QTime(18, 31, 5))) {}
    bool skinned = (ApplyStationSkin(&window), true);  // the look the operator sees
    DishArea& views = parts.dishes();

    QueryObject& list() { return db.dm().ADO_cp; }
    QString currentLine() { return list().asString(QStringLiteral("consume_bh")); }
    void select(const QString& line) {
        QVERIFY(list().locatePrefix(QStringLiteral("consume_bh"), line));
    }
    // Every column of every line, to see that nothing else changed.
    QStringList consume() {
        return db.rows(QStringLiteral("select * from Consume order by consume_bh"));
    }
    QString lineState(const QString& line) {
        return db
            .rows(QStringLiteral("select consume_Chupinlogo, consume_Chupinstate, "
                                 "consume_donetime from Consume where consume_bh = :bh"),
                  {line})
            .value(0);
    }
};

// Three tables; table R1 has a line of every course, R2 one line.
void AddMenu(Station& s) {
    s.db.exec(
        QStringLiteral("insert into room values ('R1','A01','T1','A1','0'),"
                       "('R2','B02','T1','A1','0')"));
    s.db.exec(
        QStringLiteral("insert into SmallType values ('S1','凉菜','B1','N',1),"
                       "('S2','热菜','B1','N',2),('S3','汤','B1','N',3)"));
    s.db.exec(QStringLiteral("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')"));
    s.db.exec(QStringLiteral("insert into SaleSit values ('P1','一楼'),('P2','二楼')"));
}

void AddLine(Station& s, const QString& bh, const QString& table, const QString& type,
             const QVariantMap& more = {}) {
    QVariantMap f{{"consume_bh", bh},
                  {"consume_table", table},
                  {"consume_meal_type", type},
                  {"consume_meal_name", QStringLiteral("菜") + bh}};
    for (auto it = more.begin(); it != more.end(); ++it) {
        f.insert(it.key(), it.value());
    }
    s.db.addLine(f);
}

void OpenAllTables(Station& s) {
    s.ui.RG_xszt->setItemIndex(0);  // runs the scope change: the list of all tables
}

using Command = std::function<void(Station&)>;

}  // namespace

Q_DECLARE_METATYPE(Command)

class DishAreaTest : public QObject {
    Q_OBJECT

private slots:
    void gridColumns();
    void stateCommandWritesOneLine_data();
    void stateCommandWritesOneLine();
    void prefixLongerLineFoundFirst();
    void emptyListChangesNothing();
    void cannotMakeAndServedDoNothingOnOtherTabs_data();
    void cannotMakeAndServedDoNothingOnOtherTabs();
    void servedOnOtherTabsStillAsks();
    void iconTabActsOnTheSelectedIcon();
    void servingOrderQuestion_data();
    void servingOrderQuestion();
    void rowColour_data();
    void rowColour();
    void emphasis();
    void footer();
    void selectionBothWays();
    void scopeAndFilters();
    void tabsStackPages();
    void contextMenu();
    void windowDestroyedFirst();
};

void DishAreaTest::gridColumns() {
    Station s;
    QTableView* grid = s.ui.cxGrid_ct_cp;
    QStringList shown;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (!grid->isColumnHidden(c)) {
            shown << grid->model()->headerData(c, Qt::Horizontal).toString() + "/" +
                         QString::number(grid->columnWidth(c));
        }
    }
    QCOMPARE(shown, QStringList({"餐台名称/104", "菜品名称/145", "菜品状态/83", "等待分钟/79",
                                 "催菜状态/69", "数量/64", "上菜顺序/57", "客户要求/163",
                                 "菜品编码/115", "出品部门/92", "工作站点/99"}));
    QCOMPARE(grid->model()->columnCount(), 14);
    QCOMPARE(grid->horizontalHeader()->height(), 29);
    QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 22);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(grid->horizontalHeader()->defaultAlignment() & Qt::AlignHCenter);
}

void DishAreaTest::stateCommandWritesOneLine_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    auto button = [](QToolButton* WindowControls::*b) {
        return Command([b](Station& s) { (s.ui.*b)->click(); });
    };
    auto item = [](QAction* WindowControls::*a) {
        return Command([a](Station& s) { (s.ui.*a)->trigger(); });
    };
    QTest::newRow("start making") << button(&WindowControls::Button_kszz) << "0"
                                  << "开始制作";
    QTest::newRow("urgent") << button(&WindowControls::Button_jjzz) << "1"
                            << "加急制作";
    QTest::newRow("cannot make") << button(&WindowControls::Button_wfzz) << "2"
                                 << "无法制作";
    QTest::newRow("made") << button(&WindowControls::Button_zzwc) << "3"
                          << "制作完成";
    QTest::newRow("served") << button(&WindowControls::Button_cpys) << "4"
                            << "菜品已上";
    QTest::newRow("menu start making") << item(&WindowControls::N9) << "0"
                                       << "开始制作";
    QTest::newRow("menu urgent") << item(&WindowControls::N10) << "1"
                                 << "加急制作";
    QTest::newRow("menu cannot make") << item(&WindowControls::N1) << "2"
                                      << "无法制作";
    QTest::newRow("menu made") << item(&WindowControls::N2) << "3"
                               << "制作完成";
    QTest::newRow("menu served") << item(&WindowControls::N3) << "4"
                                 << "菜品已上";
    QTest::newRow("F9: served") << Command([](Station& s) { s.views.Button_cpysClick(); }) << "4"
                                << "菜品已上";
    QTest::newRow("double click: served") << Command([](Station& s) {
        QTableView* grid = s.ui.cxGrid_ct_cp;
        const QModelIndex cell = grid->model()->index(s.list().currentRow(), 1);
        emit grid->doubleClicked(cell);
    }) << "4"
                                          << "菜品已上";
}

void DishAreaTest::stateCommandWritesOneLine() {
    QFETCH(Command, command);
    QFETCH(QString, code);
    QFETCH(QString, text);
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1", {{"consume_Chupinlogo", "4"}, {"consume_donetime", "x"}});
    AddLine(s, "L2", "R1", "S2");
    AddLine(s, "L3", "R2", "S3");
    OpenAllTables(s);
    s.select("L2");
    QStringList before = s.consume();

    command(s);

    QVERIFY2(s.boxes.shown().isEmpty(), qPrintable(s.boxes.texts().join(";")));
    const QString done = code == "4" ? "2026-07-15 18:31:05" : "NULL";
    QCOMPARE(s.lineState("L2"), code + "|" + text + "|" + done);
    // Only L2's state columns changed.
    QStringList after = s.consume();
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.at(0), before.at(0));
    QCOMPARE(after.at(2), before.at(2));
    QStringList l2 = after.at(1).split('|');
    QStringList was = before.at(1).split('|');
    const QStringList names = s.db.rows("select name from pragma_table_info('Consume')");
    for (int c = 0; c < names.size(); ++c) {
        if (!QStringList{"consume_Chupinlogo", "consume_Chupinstate", "consume_donetime"}.contains(
                names.at(c))) {
            QCOMPARE(l2.at(c), was.at(c));
        }
    }
    // Re-run, still on the line, the grid with it.
    QCOMPARE(s.list().asString("consume_Chupinstate"), text);
    QCOMPARE(s.currentLine(), QStringLiteral("L2"));
    QCOMPARE(s.ui.cxGrid_ct_cp->selectionModel()->currentIndex().row(), s.list().currentRow());
    QVERIFY(!s.state.ServeRefused);
    QVERIFY(!s.parts.notice().current());
    QVERIFY(s.sound.played.isEmpty());
}

void DishAreaTest::prefixLongerLineFoundFirst() {
    Station s;
    AddMenu(s);
    AddLine(s, "123", "R1", "S1");
    AddLine(s, "12", "R1", "S2");
    OpenAllTables(s);
    s.select("12");
    QCOMPARE(s.currentLine(), QStringLiteral("123"));  // the locate is by prefix
    s.list().setCurrentRow(1);
    QCOMPARE(s.currentLine(), QStringLiteral("12"));
    s.views.Button_zzwcClick();
    QCOMPARE(s.lineState("12"), QStringLiteral("3|制作完成|NULL"));
    QCOMPARE(s.lineState("123"), QStringLiteral("|NULL|NULL"));
    // Put back on the first line that begins with the number, standing earlier.
    QCOMPARE(s.currentLine(), QStringLiteral("123"));
}

void DishAreaTest::emptyListChangesNothing() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1");
    s.state.CurrentTableId = "R2";
    s.ui.RG_xszt->setItemIndex(1);  // table R2 has no lines
    QVERIFY(s.list().isOpen());
    QCOMPARE(s.list().rowCount(), 0);
    const QStringList before = s.consume();
    s.views.Button_kszzClick();
    s.views.Button_jjzzClick();
    s.views.Button_wfzzClick();
    s.views.Button_zzwcClick();
    QVERIFY(!s.state.ServeRefused);
    s.views.Button_cpysClick();
    QVERIFY(s.state.ServeRefused);
    QCOMPARE(s.consume(), before);
    QVERIFY(s.boxes.shown().isEmpty());
}

void DishAreaTest::cannotMakeAndServedDoNothingOnOtherTabs_data() {
    QTest::addColumn<int>("tab");
    QTest::newRow("icons") << 1;
    QTest::newRow("overdue") << 2;
    QTest::newRow("hurry and return") << 3;
    QTest::newRow("last served") << 4;
}

void DishAreaTest::cannotMakeAndServedDoNothingOnOtherTabs() {
    QFETCH(int, tab);
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1");
    AddLine(s, "L2", "R1", "S3");
    OpenAllTables(s);
    s.ui.TAB_CP->setCurrentIndex(tab);
    const QStringList before = s.consume();
    s.views.Button_wfzzClick();     // F5
    s.views.Button_cpysClick();     // F9
    QVERIFY(s.state.ServeRefused);  // nothing served: a scan must not report it
    // No icon view is selected on any of them, so the other commands do nothing either.
    s.views.Button_kszzClick();
    s.views.Button_jjzzClick();
    s.views.Button_zzwcClick();
    QCOMPARE(s.consume(), before);
    QVERIFY(s.boxes.shown().isEmpty());
}

// F9 on tabs 2-4 serves nothing, but the serving-order check reads the list's current row
// first, so the question comes; either answer leaves the database as it was.
void DishAreaTest::servedOnOtherTabsStillAsks() {
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        Station s;
        AddMenu(s);
        AddLine(s, "L1", "R1", "S1", {{"consume_Chupinlogo", "0"}});
        AddLine(s, "L3", "R1", "S3");
        OpenAllTables(s);
        s.ui.TAB_CP->setCurrentIndex(2);
        s.select("L3");
        s.boxes.answer(answer);
        const QStringList before = s.consume();
        s.views.Button_cpysClick();
        QCOMPARE(s.boxes.shown().size(), 1);
        QVERIFY(s.state.ServeRefused);
        QCOMPARE(s.consume(), before);
    }
}

// On the icon tab the commands act on the selected icon's line, and the serving-order check
// is that line's own, whatever row the list is on.
void DishAreaTest::iconTabActsOnTheSelectedIcon() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1", {{"consume_Chupinlogo", "0"}});  // course 1 pending at R1
    AddLine(s, "L2", "R2", "S1");
    AddLine(s, "L3", "R1", "S3");
    s.window.resize(1064, 737);
    s.window.show();
    OpenAllTables(s);
    s.ui.TAB_CP->setCurrentIndex(1);
    DishIconView& icons = s.views.icons();
    icons.Timer1Timer();
    auto click = [&](const QString& line) {
        QTest::mouseClick(icons.icons().at(icons.getcpindex(line)), Qt::LeftButton);
    };
    s.select("L2");  // a line of course 1: by the list's row nothing would be asked
    click("L3");
    const QStringList before = s.consume();
    s.boxes.answer(QMessageBox::No);
    s.views.Button_cpysClick();
    QCOMPARE(s.boxes.shown().size(), 1);
    QVERIFY(s.state.ServeRefused);
    QCOMPARE(s.consume(), before);

    s.boxes.answer(QMessageBox::Yes);
    s.views.Button_cpysClick();
    QVERIFY(!s.state.ServeRefused);
    QCOMPARE(s.lineState("L3"), QStringLiteral("4|菜品已上|2026-07-15 18:31:05"));
    QCOMPARE(s.lineState("L2"), QStringLiteral("|NULL|NULL"));
    QCOMPARE(icons.selectedIconBackground(), 4);  // served, once the selection moves on

    s.views.Button_kszzClick();
    QCOMPARE(s.lineState("L3"), QStringLiteral("0|开始制作|2026-07-15 18:31:05"));
    QCOMPARE(s.lineState("L2"), QStringLiteral("|NULL|NULL"));

    // A command on the list's line selects that line's icon; L3 shows its own state again.
    s.ui.TAB_CP->setCurrentIndex(0);
    s.select("L2");
    s.views.Button_zzwcClick();
    QCOMPARE(s.lineState("L2"), QStringLiteral("3|制作完成|NULL"));
    QCOMPARE(icons.selectedLine()->lineNumber, QStringLiteral("L2"));
    QCOMPARE(icons.icons().at(icons.getcpindex("L3"))->BGImageIndex(), 0);

    // No icon selected (the icons were built again): nothing is asked, nothing served.
    s.ui.TAB_CP->setCurrentIndex(1);
    s.views.RefreshDishViews(QString());
    const QStringList now = s.consume();
    s.boxes.clear();
    s.views.Button_cpysClick();
    QVERIFY(s.state.ServeRefused);
    QVERIFY(s.boxes.shown().isEmpty());
    QCOMPARE(s.consume(), now);
}

void DishAreaTest::servingOrderQuestion_data() {
    QTest::addColumn<QString>("mealOrder");
    QTest::addColumn<QString>("serve");  // line served; L1 is course 1, pending
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("served");
    QTest::newRow("earlier course pending, No") << "Y"
                                                << "L3" << int(QMessageBox::No) << true << false;
    QTest::newRow("earlier course pending, Yes") << "Y"
                                                 << "L3" << int(QMessageBox::Yes) << true << true;
    QTest::newRow("course 1 is never checked") << "Y"
                                               << "L1" << 0 << false << true;
    QTest::newRow("MEAL_ORDER N") << "N"
                                  << "L3" << 0 << false << true;
    // A list that carries no serving order (the advanced query's): the line's own is read.
    QTest::newRow("bare list, No") << "Y"
                                   << "L3!" << int(QMessageBox::No) << true << false;
    QTest::newRow("bare list, course 1") << "Y"
                                         << "L1!" << 0 << false << true;
}

void DishAreaTest::servingOrderQuestion() {
    QFETCH(QString, mealOrder);
    QFETCH(QString, serve);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, served);
    Station s;
    s.settings.MEAL_ORDER = mealOrder;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1", {{"consume_Chupinlogo", "0"}});
    AddLine(s, "L3", "R1", "S3");
    OpenAllTables(s);
    if (serve.endsWith('!')) {
        serve.chop(1);
        QVERIFY(OpenSqlParams(s.list(), "select consume_bh, consume_table from Consume", {}));
    }
    s.select(serve);
    if (answer) {
        s.boxes.answer(QMessageBox::StandardButton(answer));
    }
    const QStringList before = s.consume();
    s.ui.Button_cpys->click();

    QCOMPARE(s.boxes.shown().size(), asked ? 1 : 0);
    if (asked) {
        const auto& box = s.boxes.shown().first();
        QCOMPARE(box.caption, QStringLiteral("系统提示"));
        QCOMPARE(box.text,
                 QStringLiteral("未上菜品中有需要优先上菜的菜品！是否继续对该菜品上菜？"));
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
    }
    QCOMPARE(s.state.ServeRefused, !served);
    if (served) {
        QCOMPARE(s.lineState(serve), "4|菜品已上|2026-07-15 18:31:05");
    } else {
        QCOMPARE(s.consume(), before);
    }
}

namespace {

// Paints one cell as the grid does and returns the picture.
QImage PaintCell(Station& s, int row, int column, bool selected) {
    QTableView* grid = s.ui.cxGrid_ct_cp;
    auto* delegate = s.views.listDelegate();
    grid->ensurePolished();
    QStyleOptionViewItem base;
    base.initFrom(grid);
    base.widget = grid;  // painted with the grid's style, under the window's skin
    base.rect = QRect(0, 0, 160, 22);
    base.font = grid->font();
    base.font.setStyleStrategy(QFont::NoAntialias);  // whole pixels in the pen's colour
    base.state |= QStyle::State_Enabled;
    if (selected) {
        base.state |= QStyle::State_Selected;
    }
    QImage img(base.rect.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    delegate->paint(&p, base, grid->model()->index(row, column));
    return img;
}

QSet<QRgb> Colours(const QImage& img) {
    QSet<QRgb> out;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            out.insert(img.pixel(x, y) & 0xffffff);
        }
    }
    return out;
}

const QRgb kBlack = 0x000000, kGreen = 0x008000, kRed = 0xff0000, kNavy = 0x000080,
           kMaroon = 0x800000, kPurple = 0x800080, kBlue = 0x0000ff, kWhite = 0xffffff;

}  // namespace

void DishAreaTest::rowColour_data() {
    QTest::addColumn<QVariant>("state");
    QTest::addColumn<uint>("colour");
    QTest::newRow("untouched") << QVariant("") << uint(kBlack);
    QTest::newRow("blank") << QVariant(" ") << uint(kBlack);
    QTest::newRow("started") << QVariant("0") << uint(kGreen);
    QTest::newRow("urgent") << QVariant("1") << uint(kRed);
    QTest::newRow("cannot make") << QVariant("2") << uint(kNavy);
    QTest::newRow("made") << QVariant("3") << uint(kMaroon);
    QTest::newRow("served") << QVariant(" 4 ") << uint(kPurple);
    QTest::newRow("unknown keeps the grid's blue") << QVariant("9") << uint(kBlue);
}

void DishAreaTest::rowColour() {
    QFETCH(QVariant, state);
    QFETCH(uint, colour);
    Station s;
    AddMenu(s);
    AddLine(s, "L0", "R1", "S1");
    AddLine(s, "L1", "R1", "S2", {{"consume_Chupinlogo", state}, {"consume_Chupinstate", "状态"}});
    OpenAllTables(s);
    QCOMPARE(s.currentLine(), QStringLiteral("L0"));  // L1 is not the selected row
    const QSet<QRgb> all{kBlack, kGreen, kRed, kNavy, kMaroon, kPurple, kBlue};
    for (int column : {0, 1, 2}) {  // table, dish and state cells alike
        const QSet<QRgb> painted = Colours(PaintCell(s, 1, column, false));
        QVERIFY2(painted.contains(colour), qPrintable(QString::number(column)));
        QCOMPARE(QSet<QRgb>(all).intersect(painted), QSet<QRgb>{colour});
    }
    // The selected row keeps the rule's colour on the selection background; without a rule
    // it shows the selection's white.
    s.list().setCurrentRow(1);
    const QSet<QRgb> selected = Colours(PaintCell(s, 1, 1, true));
    QVERIFY(selected.contains(colour == kBlue ? kWhite : colour));
    QVERIFY(selected.contains(DishGridStyle::kSelection.rgb() & 0xffffff));
}

void DishAreaTest::emphasis() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1",
            {{"consume_Chupinlogo", "4"}, {"consume_Chupinstate", "菜品已上"}});
    AddLine(s, "L2", "R1", "S2",
            {{"consume_Chupinlogo", "4"}, {"consume_Chupinstate", "菜品已上"}});
    OpenAllTables(s);
    QCOMPARE(s.currentLine(), QStringLiteral("L1"));
    DishListDelegate* d = s.views.listDelegate();
    QStyleOptionViewItem base;
    base.initFrom(s.ui.cxGrid_ct_cp);
    base.font = s.ui.cxGrid_ct_cp->font();
    QAbstractItemModel* m = s.ui.cxGrid_ct_cp->model();
    const int stateColumn = 2;

    // Closed: state cells regular, 9 points; every cell purple.
    QVERIFY(!s.views.emphasisOpen());
    QStyleOptionViewItem o = d->cellOption(base, m->index(0, stateColumn));
    QCOMPARE(o.font.pointSize(), 9);
    QVERIFY(!o.font.bold());
    QVERIFY(Colours(PaintCell(s, 0, stateColumn, true)).contains(kPurple));

    s.views.startEmphasis();
    QVERIFY(s.views.emphasisOpen());
    // The selected line's state in red, bold, 11 points; none of its cells purple.
    o = d->cellOption(base, m->index(0, stateColumn));
    QCOMPARE(o.font.pointSize(), 11);
    QVERIFY(o.font.bold());
    QSet<QRgb> painted = Colours(PaintCell(s, 0, stateColumn, true));
    QVERIFY(painted.contains(kRed));
    QVERIFY(!painted.contains(kPurple));
    painted = Colours(PaintCell(s, 0, 1, true));
    QVERIFY(!painted.contains(kPurple));
    QVERIFY(painted.contains(kWhite));  // the selection's text
    // Other rows unchanged: purple, the state cell's font as it was.
    QVERIFY(Colours(PaintCell(s, 1, stateColumn, false)).contains(kPurple));
    o = d->cellOption(base, m->index(1, stateColumn));
    QCOMPARE(o.font.pixelSize(), base.font.pixelSize());

    s.views.list().Timer4Timer();
    QVERIFY(!s.views.emphasisOpen());
    QVERIFY(Colours(PaintCell(s, 0, stateColumn, true)).contains(kPurple));
}

void DishAreaTest::footer() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1", {{"consume_num", 2}});
    AddLine(s, "L2", "R1", "S2", {{"consume_num", 1.5}});
    AddLine(s, "L3", "R2", "S3",
            {{"consume_num", 3}, {"consume_returnNum", 1}, {"consume_return", "Y"}});
    AddLine(s, "L4", "R2", "S3", {{"consume_state", "已结"}});
    s.window.resize(1064, 737);
    s.window.show();
    OpenAllTables(s);
    QCoreApplication::processEvents();
    DishGridFooter* f = s.views.listFooter();
    QTableView* grid = s.ui.cxGrid_ct_cp;
    QCOMPARE(f->cellText(1), QStringLiteral("菜品记录数3"));
    QCOMPARE(f->cellText(6), QStringLiteral("5.5"));  // net quantities
    QVERIFY(f->isVisible());
    QVERIFY(f->geometry().top() >= grid->geometry().bottom());

    // Under its column, also after the columns before it are resized.
    auto columnX = [&](int c) {
        return grid->viewport()->mapTo(&s.window, QPoint(grid->columnViewportPosition(c), 0)).x();
    };
    auto footerX = [&](int c) { return f->mapTo(&s.window, f->cellRect(c).topLeft()).x(); };
    QCOMPARE(footerX(1), columnX(1));
    QCOMPARE(footerX(6), columnX(6));
    grid->setColumnWidth(0, 200);
    QCOMPARE(footerX(1), columnX(1));
    QCOMPARE(f->cellRect(6).width(), 64);

    s.state.CurrentTableId = "R9";
    s.ui.RG_xszt->setItemIndex(1);
    QCOMPARE(f->cellText(1), QStringLiteral("菜品记录数0"));
    QCOMPARE(f->cellText(6), QString());
}

void DishAreaTest::selectionBothWays() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1");
    AddLine(s, "L2", "R1", "S2");
    AddLine(s, "L3", "R2", "S3");
    s.window.resize(1064, 737);
    s.window.show();
    OpenAllTables(s);
    QCoreApplication::processEvents();
    QTableView* grid = s.ui.cxGrid_ct_cp;
    QCOMPARE(grid->selectionModel()->selectedRows(), QModelIndexList{grid->model()->index(0, 0)});

    // Grid -> query: a click.
    const QRect cell = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(s.list().currentRow(), 2);
    QCOMPARE(s.currentLine(), QStringLiteral("L3"));
    // ... and a key.
    QTest::keyClick(grid, Qt::Key_Up);
    QCOMPARE(s.currentLine(), QStringLiteral("L2"));

    // Query -> grid: a locate, a re-run.
    s.select("L3");
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid->selectionModel()->selectedRows().first().row(), 2);
    s.list().rerun();
    QCOMPARE(grid->selectionModel()->currentIndex().row(), 0);
    QCOMPARE(grid->model()->rowCount(), 3);
    s.list().close();
    QCOMPARE(grid->model()->rowCount(), 0);
    QVERIFY(grid->selectionModel()->selectedRows().isEmpty());
}

void DishAreaTest::scopeAndFilters() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1", {{"consume_CPdep", "K1"}, {"consume_sit", "P1"}});
    AddLine(s, "L2", "R2", "S2", {{"consume_CPdep", "K2"}, {"consume_sit", "P2"}});
    s.views.fillFilterLists();
    QCOMPARE(s.ui.CB_cpbm->count(), 3);
    QCOMPARE(s.ui.CB_cpbm->itemText(0), QStringLiteral("所有部门"));
    QCOMPARE(s.views.filters().DepartmentCodes, QStringList({"", "K1", "K2"}));
    QCOMPARE(s.ui.CB_gzzd->itemText(2), QStringLiteral("二楼"));
    QCOMPARE(s.views.filters().StationCodes, QStringList({"", "P1", "P2"}));

    s.state.CurrentTableId = "R2";
    s.ui.RG_xszt->setItemIndex(0);
    QCOMPARE(s.list().rowCount(), 2);
    s.ui.RG_xszt->setItemIndex(1);
    QCOMPARE(s.list().rowCount(), 1);
    QCOMPARE(s.currentLine(), QStringLiteral("L2"));
    s.db.exec("delete from Consume");
    s.ui.RG_xszt->setItemIndex(1);  // the same item: nothing runs
    QCOMPARE(s.list().rowCount(), 1);

    // A drop-down changed from code runs nothing; the operator's choice re-runs the list.
    AddLine(s, "L1", "R2", "S1", {{"consume_CPdep", "K1"}});
    s.ui.CB_cpbm->setCurrentIndex(1);
    QCOMPARE(s.currentLine(), QStringLiteral("L2"));
    emit s.ui.CB_cpbm->activated(1);
    QCOMPARE(s.list().rowCount(), 1);
    QCOMPARE(s.currentLine(), QStringLiteral("L1"));
    // No item selected counts as "all", and the handler selects item 0.
    s.ui.CB_cpbm->setCurrentIndex(-1);
    emit s.ui.CB_cpbm->activated(-1);
    QCOMPARE(s.ui.CB_cpbm->currentIndex(), 0);
    QCOMPARE(s.list().rowCount(), 1);  // table R2 has only L1 now
    QVERIFY(s.boxes.shown().isEmpty());
}

void DishAreaTest::tabsStackPages() {
    Station s;
    s.window.resize(1064, 737);
    s.window.show();
    QWidget* pages[] = {s.ui.RzPanel5, s.ui.RzPanel10, s.ui.RzPanel7, s.ui.RzPl_tccc,
                        s.ui.RzPl_finished};
    for (int tab : {1, 2, 3, 4, 0}) {
        s.ui.TAB_CP->setCurrentIndex(tab);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(pages[i]->isVisible(), i == tab);
        }
        QCOMPARE(s.ui.Button_cp_syy->isVisible(), tab == 1);
        QCOMPARE(s.ui.Button_cp_xyy->isVisible(), tab == 1);
    }
    QVERIFY(!QApplication::overrideCursor());

    // The refresh hides the icon area while it is rebuilt; Timer1 shows it again.
    s.ui.TAB_CP->setCurrentIndex(1);
    s.views.RefreshDishViews(QString());
    QVERIFY(s.ui.RzPanel10->isVisible());
    QVERIFY(!s.ui.Panel_client_client->isVisible());
    QVERIFY(s.ui.Timer1->isActive());
    s.views.icons().Timer1Timer();
    QVERIFY(s.ui.Panel_client_client->isVisible());
    QVERIFY(!s.ui.Timer1->isActive());
    s.ui.TAB_CP->setCurrentIndex(0);
    QWidget* cell = s.ui.RzPanel5->parentWidget();
    QWidget* top = cell->childAt(s.ui.RzPanel5->geometry().center());
    QVERIFY(top == s.ui.RzPanel5 || s.ui.RzPanel5->isAncestorOf(top));
}

void DishAreaTest::contextMenu() {
    Station s;
    QCOMPARE(s.ui.cxGrid_ct_cp->contextMenuPolicy(), Qt::CustomContextMenu);
    QStringList visible;
    for (QAction* a : s.ui.PopupMenu3->actions()) {
        if (a->isVisible()) {
            visible << a->text();
        }
    }
    QCOMPARE(visible, QStringList({"无法制作", "菜品已上"}));
}

void DishAreaTest::windowDestroyedFirst() {
    StationServices s;
    auto* window = new QWidget;
    auto parts = std::make_unique<MainWindowParts>(s.ctx, window, QString());
    delete window;
    // The list goes on living in the data module; nothing of the window may be touched.
    QVERIFY(OpenSqlParams(s.db.dm().ADO_cp, "select 1 as consume_num", {}));
    parts.reset();
}

QTEST_MAIN(DishAreaTest)
#include "DishAreaTest.moc"
