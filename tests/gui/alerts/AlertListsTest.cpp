#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableView>
#include <QtTest>

#include "StationServices.h"
#include "core/db/QueryObject.h"
#include "gui/alerts/AlertGrid.h"
#include "gui/alerts/AlertListDelegate.h"
#include "gui/alerts/HurryReturnList.h"
#include "gui/alerts/OverdueList.h"
#include "gui/alerts/OverdueReminder.h"
#include "gui/alerts/ServedList.h"
#include "gui/common/DishGridFooter.h"
#include "gui/common/DishGridStyle.h"

namespace {

// The three lists on their pages and the reminder below a stand-in dish list, side by side
// in one window, on a station whose server clock stands at 18:30:00.
struct Alerts {
    Alerts() {
        auto* row = new QHBoxLayout(&s.window);
        for (QWidget* page : {RzPanel7, RzPl_tccc, RzPl_finished, reminderPlace}) {
            row->addWidget(page);
        }
        s.db.exec("insert into room values ('R1','A01','T1','A1','0'),('R2','B02','T1','A1','0')");
        s.db.exec("insert into SmallType values ('S1','凉菜','B1','N',1),('S2','热菜','B1','N',2)");
        s.db.exec("insert into Meal (meal_bh, meal_name, Meal_time) values ('M10','鸡',10)");
        s.db.exec("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')");
        s.db.exec("insert into SaleSit values ('P1','一楼'),('P2','二楼')");
    }

    void line(const QString& bh, QVariantMap more) {
        more.insert("consume_bh", bh);
        for (auto [key, value] : {std::pair<const char*, QVariant>{"consume_meal_id", "M10"},
                                  {"consume_meal_type", "S2"},
                                  {"consume_CPdep", "K1"},
                                  {"consume_sit", "P1"}}) {
            if (!more.contains(key)) {
                more.insert(key, value);
            }
        }
        s.db.addLine(more);
    }
    void served(const QString& bh, const QString& doneAt, QVariantMap more = {}) {
        more.insert("consume_Chupinlogo", "4");
        more.insert("consume_donetime", "2026-07-15 " + doneAt);
        line(bh, more);
    }

    QTableView* grid(const char* name) {
        return s.window.findChild<QTableView*>(QString::fromLatin1(name));
    }
    QStringList keys(QueryObject& q) {
        QStringList out;
        for (int r = 0; r < q.rowCount(); ++r) {
            out << FieldText(q.valueAt(r, q.columnIndex("consume_bh")));
        }
        return out;
    }

    StationServices s;
    QWidget* RzPanel7 = new QWidget(&s.window);
    QWidget* RzPl_tccc = new QWidget(&s.window);
    QWidget* RzPl_finished = new QWidget(&s.window);
    QWidget* reminderPlace = new QWidget(&s.window);
    OverdueList overdue{s.ctx, RzPanel7};
    HurryReturnList hurry{s.ctx, RzPl_tccc};
    ServedList served_{s.ctx, RzPl_finished};
    OverdueReminder reminder{s.ctx, reminderPlace};
};

DishListFilter Filter(int scope = 0, const QString& search = {}) {
    DishListFilter f;
    f.scopeItem = scope;
    f.searchText = search;
    return f;
}

QImage PaintCell(QTableView* grid, AlertListDelegate* delegate, int row, int column) {
    grid->ensurePolished();
    QStyleOptionViewItem base;
    base.initFrom(grid);
    base.widget = grid;
    base.rect = QRect(0, 0, 160, 22);
    base.font = grid->font();
    base.font.setStyleStrategy(QFont::NoAntialias);  // whole pixels in the pen's colour
    base.state |= QStyle::State_Enabled;
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

using PartOf = std::function<AlertListPart&(Alerts&)>;

}  // namespace

Q_DECLARE_METATYPE(PartOf)

class AlertListsTest : public QObject {
    Q_OBJECT

private slots:
    void gridColumns_data();
    void gridColumns();
    void stretchedGridsFillTheirWidth();
    void footers();
    void listsTakeTheirFilters();
    void hurryRowColours_data();
    void hurryRowColours();
    void servedMinutesInBold();
    void lineKeptAcrossTheTick_data();
    void lineKeptAcrossTheTick();
    void failedReadIsShownAndRetried_data();
    void failedReadIsShownAndRetried();
};

void AlertListsTest::gridColumns_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("columns");  // caption/width, hidden ones in brackets
    const QStringList overdue{"餐台名称/93", "菜品名称/147", "点菜时间/139", "等待分钟/86",
                              "催菜状态/93", "菜品状态/94",  "数量/69",      "上菜顺序/73",
                              "[厨师名称]",  "出品部门/126", "工作站点/150"};
    QTest::newRow("overdue tab") << "cxGrid1" << overdue;
    QTest::newRow("reminder") << "cxGrid4" << overdue;
    QTest::newRow("hurry/return") << "cxGrid2"
                                  << QStringList{"催菜退菜状态/106", "餐台名称/113", "菜品名称/133",
                                                 "点菜时间/146",     "等待分钟/98",  "数量/51",
                                                 "上菜顺序/100",     "[厨师名称]",   "[菜品状态]"};
    QTest::newRow("served") << "cxGrid3"
                            << QStringList{"餐台名称/126", "菜品编号/121", "菜品名称/134",
                                           "上菜时间/145", "已上分钟/113", "数量/63",
                                           "上菜顺序/107", "出品部门/130", "工作站点/132"};
}

// Widths as designed; the stretched grids scale theirs to their width (the next test).
void AlertListsTest::gridColumns() {
    QFETCH(QString, grid);
    QFETCH(QStringList, columns);
    Alerts a;
    QTableView* view = a.grid(grid.toLatin1().constData());
    QVERIFY(view);
    const bool stretched = grid == "cxGrid2" || grid == "cxGrid3";
    QStringList shown;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const QString caption = view->model()->headerData(c, Qt::Horizontal).toString();
        shown << (view->isColumnHidden(c)
                      ? "[" + caption + "]"
                      : caption + "/" + QString::number(view->horizontalHeader()->sectionSize(c)));
    }
    if (stretched) {
        static const QRegularExpression width(QStringLiteral("/\\d+$"));
        shown.replaceInStrings(width, QString());
        columns.replaceInStrings(width, QString());
    }
    QCOMPARE(shown, columns);
    QCOMPARE(view->horizontalHeader()->height(), 29);
    QCOMPARE(view->verticalHeader()->defaultSectionSize(), 22);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->palette().color(QPalette::AlternateBase), DishGridStyle::kContentOdd);
    QCOMPARE(view->palette().color(QPalette::Highlight), DishGridStyle::kSelection);
}

void AlertListsTest::stretchedGridsFillTheirWidth() {
    Alerts a;
    a.s.window.resize(2400, 500);
    a.s.window.show();
    // Two visible columns and their design widths: 餐台名称 against 菜品名称.
    const QList<std::tuple<const char*, QWidget*, int, int, double>> grids{
        {"cxGrid2", a.RzPl_tccc, 1, 2, 113.0 / 133},
        {"cxGrid3", a.RzPl_finished, 0, 2, 126.0 / 134}};
    for (const auto& [name, page, left, right, design] : grids) {
        QTableView* view = a.grid(name);
        QHeaderView* header = view->horizontalHeader();
        for (int width : {1100, 500}) {
            page->setFixedWidth(width);
            a.s.window.layout()->activate();
            int total = 0;
            for (int c = 0; c < header->count(); ++c) {
                total += view->isColumnHidden(c) ? 0 : header->sectionSize(c);
            }
            QCOMPARE(total, view->viewport()->width());
            const double measured = double(header->sectionSize(left)) / header->sectionSize(right);
            QVERIFY2(qAbs(measured - design) < 0.03, name);
        }
    }
}

void AlertListsTest::footers() {
    Alerts a;
    a.s.window.show();
    a.line("o1", {{"consume_num", 2}});
    a.line("o2", {{"consume_num", 1.5}, {"consume_table", "R2"}});
    a.served("s1", "18:20:00");
    a.overdue.refresh("", Filter());
    a.hurry.refresh("", Filter());
    a.served_.refresh("", Filter());
    a.reminder.Timer_cstxTimer();
    struct Expected {
        AlertGrid& grid;
        QMap<int, QString> cells;
    };
    const QList<Expected> expected{
        {a.overdue.grid(), {{0, "共2笔记录"}, {6, "3.5"}}},
        {a.reminder.grid(), {{0, "共2笔记录"}, {6, "3.5"}}},
        {a.hurry.grid(), {{1, "共2笔记录"}}},
        {a.served_.grid(), {{0, "共1笔记录"}}},
    };
    for (const Expected& e : expected) {
        for (int c = 0; c < e.grid.model()->columnCount(); ++c) {
            QCOMPARE(e.grid.footer()->cellText(c), e.cells.value(c));
        }
    }
    // An empty list counts 0 and sums nothing.
    a.overdue.refresh("R9", Filter(1));
    QCOMPARE(a.overdue.grid().footer()->cellText(0), QStringLiteral("共0笔记录"));
    QCOMPARE(a.overdue.grid().footer()->cellText(6), QString());
}

// Each part reads its own query object with the filters that apply to it.
void AlertListsTest::listsTakeTheirFilters() {
    Alerts a;
    a.line("a", {{"consume_table", "R1"}, {"consume_cccs", 1}});
    a.line("b", {{"consume_table", "R2"}, {"consume_CPdep", "K2"}, {"consume_meal_name", "鱼"}});
    a.served("c", "18:10:00", {{"consume_table", "R1"}});
    a.served("d", "18:20:00", {{"consume_table", "R2"}, {"consume_meal_name", "鱼"}});
    DishListFilter f = Filter(1);
    f.departmentCode = QStringLiteral("K2");
    f.stateItem = 1;
    a.overdue.refresh("R1", f);  // table only
    QCOMPARE(a.keys(a.s.db.dm().ADO_cstx1), QStringList({"a"}));
    a.hurry.refresh("R2", f);  // table and department
    QCOMPARE(a.keys(a.s.db.dm().ADO_cctc), QStringList({"b"}));
    a.hurry.refresh("R1", f);
    QCOMPARE(a.keys(a.s.db.dm().ADO_cctc), QStringList());
    a.served_.refresh("R1", f);  // any table
    QCOMPARE(a.keys(a.s.db.dm().ADOQ_finished), QStringList({"d", "c"}));
    a.served_.QueryServedList(QStringLiteral("鱼"));
    QCOMPARE(a.keys(a.s.db.dm().ADOQ_finished), QStringList({"d"}));
    a.overdue.refresh("", Filter(0, "鱼"));
    QCOMPARE(a.keys(a.s.db.dm().ADO_cstx1), QStringList({"b"}));
    QVERIFY(a.s.boxes.shown().isEmpty());
}

void AlertListsTest::hurryRowColours_data() {
    QTest::addColumn<QVariantMap>("line");
    QTest::addColumn<uint>("colour");
    QTest::newRow("hurried, whatever the state")
        << QVariantMap{{"consume_cccs", 3}, {"consume_state", "已退"}} << 0xff0000u;
    QTest::newRow("returned") << QVariantMap{{"consume_num", -1},
                                             {"consume_return", "Y"},
                                             {"consume_state", "已退"}}
                              << 0x800000u;
    QTest::newRow("at once") << QVariantMap{{"consume_state", "即起"}} << 0x000000u;
    QTest::newRow("when called") << QVariantMap{{"consume_state", "叫起"}} << 0x000080u;
    QTest::newRow("other keeps the grid's blue")
        << QVariantMap{{"consume_state", "加单"}} << 0x0000ffu;
}

void AlertListsTest::hurryRowColours() {
    QFETCH(QVariantMap, line);
    QFETCH(uint, colour);
    Alerts a;
    a.line("L1", line);
    a.hurry.refresh("", Filter());
    QTableView* grid = a.grid("cxGrid2");
    QCOMPARE(grid->model()->rowCount(), 1);
    const QSet<QRgb> all{0xff0000, 0x800000, 0x000000, 0x000080, 0x0000ff};
    for (int column : {0, 1, 2, 5}) {  // label, table, dish, quantity alike
        const QSet<QRgb> painted = Colours(PaintCell(grid, a.hurry.delegate(), 0, column));
        QCOMPARE(QSet<QRgb>(all).intersect(painted), QSet<QRgb>{colour});
    }
}

void AlertListsTest::servedMinutesInBold() {
    Alerts a;
    a.served("L1", "18:20:00");
    a.served_.refresh("", Filter());
    QTableView* grid = a.grid("cxGrid3");
    QStyleOptionViewItem base;
    base.initFrom(grid);
    base.font = grid->font();
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const QStyleOptionViewItem o =
            a.served_.delegate()->cellOption(base, grid->model()->index(0, c));
        QCOMPARE(o.font.bold(), c == 4);  // 已上分钟
    }
    QCOMPARE(grid->model()->index(0, 4).data().toString(), QStringLiteral("10"));
}

void AlertListsTest::lineKeptAcrossTheTick_data() {
    QTest::addColumn<PartOf>("part");
    QTest::newRow("overdue") << PartOf([](Alerts& a) -> AlertListPart& { return a.overdue; });
    QTest::newRow("hurry/return") << PartOf([](Alerts& a) -> AlertListPart& { return a.hurry; });
    QTest::newRow("served") << PartOf([](Alerts& a) -> AlertListPart& { return a.served_; });
}

void AlertListsTest::lineKeptAcrossTheTick() {
    QFETCH(PartOf, part);
    Alerts a;
    AlertListPart& list = part(a);
    QueryObject& q = list.list();
    // Three lines in each list, in the order L1, L2, L3 by wait / table / served time.
    const bool servedList = &list == &a.served_;
    for (int i = 1; i <= 3; ++i) {
        const QString bh = QStringLiteral("L%1").arg(i);
        const QString at = QStringLiteral("18:0%1:00").arg(4 - i);
        if (servedList) {
            a.served(bh, "18:2" + QString::number(4 - i) + ":00");
        } else {
            a.line(bh, {{"consume_table", i == 1 ? "R1" : "R2"},
                        {"consume_begintime", "2026-07-15 " + at},
                        {"consume_meal_type", i == 3 ? "S2" : "S1"}});
        }
    }
    list.refresh("", Filter());
    QCOMPARE(a.keys(q), QStringList({"L1", "L2", "L3"}));
    q.setCurrentRow(1);

    // The tick: remember, the line's neighbours change, put back on the line.
    list.rememberLine();
    a.s.db.exec("update Consume set consume_bh = 'L0' where consume_bh = 'L3'");
    const quint64 runs = q.runCount();
    list.returnToLine();
    QCOMPARE(q.runCount(), runs + 1);
    QCOMPARE(q.asString("consume_bh"), QStringLiteral("L2"));
    QCOMPARE(list.grid().view()->selectionModel()->currentIndex().row(), q.currentRow());

    // A refresh between the two (the re-selection) is not followed by a second run.
    list.rememberLine();
    list.refresh("", Filter());
    list.returnToLine();
    QCOMPARE(q.runCount(), runs + 2);
    QCOMPARE(q.asString("consume_bh"), QStringLiteral("L2"));

    // The line is gone: the list stays where the re-run left it.
    list.rememberLine();
    a.s.db.exec("delete from Consume where consume_bh = 'L2'");
    list.returnToLine();
    QCOMPARE(q.currentRow(), 0);

    // An empty list is not re-run.
    a.s.db.exec("delete from Consume");
    list.refresh("", Filter());
    list.rememberLine();
    if (servedList) {
        a.served("L9", "18:25:00");
    } else {
        a.line("L9", {});
    }
    list.returnToLine();
    QCOMPARE(q.rowCount(), 0);
    list.refresh("", Filter());
    QCOMPARE(q.rowCount(), 1);
}

void AlertListsTest::failedReadIsShownAndRetried_data() {
    lineKeptAcrossTheTick_data();
}

// An empty grid after a failed read would say "nothing pending": the page says the list is
// not current, the tick tries again, and the first good read clears it.
void AlertListsTest::failedReadIsShownAndRetried() {
    QFETCH(PartOf, part);
    Alerts a;
    a.s.window.show();
    AlertListPart& list = part(a);
    const Feed feed = &list == &a.overdue ? Feed::Reminder : Feed::AlertLists;
    FeedHealth& health = a.s.health;
    a.line("L1", {});
    a.served("L2", "18:20:00");
    list.refresh("", Filter());
    QCOMPARE(list.list().rowCount(), 1);
    QVERIFY(health.current());
    QLabel* notice = list.grid().notice();
    QVERIFY(!notice->isVisible());

    a.s.db.dm().ADOConn.setFault(DbFailure::Busy);  // another program holds the file
    a.s.pcTime.set(QDateTime(QDate(2026, 7, 15), QTime(18, 31, 2)));
    list.refresh("", Filter());
    QVERIFY(notice->isVisible());
    QVERIFY2(
        notice->text().startsWith(QStringLiteral("读取失败（18:31:02），此列表不是当前数据：")),
        qPrintable(notice->text()));
    QVERIFY(notice->text().contains(QStringLiteral("锁定")));
    QCOMPARE(list.grid().view()->model()->rowCount(), 0);
    const int countColumn = &list == &a.hurry ? 1 : 0;
    QCOMPARE(list.grid().footer()->cellText(countColumn), QString());
    // The window's band says so too.
    QVERIFY(health.failing(feed));
    QCOMPARE(health.failures(feed), 1);
    QCOMPARE(health.lastFailure(), DbFailure::Busy);
    QVERIFY(!health.bandText().isEmpty());
    QVERIFY(a.s.boxes.shown().isEmpty());  // the lists never open a box

    // The tick's re-run fails too: shown, and thrown on to the tick.
    list.rememberLine();
    QVERIFY_THROWS_EXCEPTION(DbError, list.returnToLine());
    QCOMPARE(health.failures(feed), 2);
    QVERIFY(notice->isVisible());

    a.s.db.dm().ADOConn.setFault(std::nullopt);
    list.rememberLine();
    list.returnToLine();
    QVERIFY(health.current());
    QVERIFY(!notice->isVisible());
    QCOMPARE(list.list().rowCount(), 1);
    QCOMPARE(list.grid().footer()->cellText(countColumn), QStringLiteral("共1笔记录"));
}

QTEST_MAIN(AlertListsTest)
#include "AlertListsTest.moc"
