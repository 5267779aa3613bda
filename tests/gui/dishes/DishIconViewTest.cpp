#include <QBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

#include "StationServices.h"
#include "core/db/Dialect.h"
#include "core/dishes/DishListQuery.h"
#include "gui/dishes/DishIconView.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

const QColor kBrown(133, 75, 0);

// The icon page of a given size on an embedded restaurant, with the page buttons under it.
struct IconPage {
    StationServices s;
    QWidget page;
    QWidget buttons;
    QMenu menu;
    DishIconView view{s.ctx, &page, &buttons, &menu};
    int focusRequests = 0;

    explicit IconPage(QSize area = QSize(669, 438)) : page(&s.window), buttons(&s.window) {
        auto* column = new QVBoxLayout(&s.window);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(&page);
        column->addWidget(&buttons);
        page.setFixedSize(area);
        QObject::connect(&view, &DishIconView::focusSearchBox, [this] { ++focusRequests; });
        s.db.exec("insert into SmallType values ('S1','凉菜','B1','N',1),('S2','热菜','B1','N',2)");
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    }

    // One table per line, so the list's order (table name) is the order of the lines given.
    void lines(const QStringList& numbers, const QStringList& states = {}) {
        for (int i = 0; i < numbers.size(); ++i) {
            const QString room = QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0'));
            s.db.exec("insert into room values (:a,:b,'T1','A1','0')",
                      {room, QStringLiteral("T%1").arg(i, 3, 10, QLatin1Char('0'))});
            s.db.addLine({{"consume_bh", numbers.at(i)},
                          {"consume_table", room},
                          {"consume_guest_bh", "G" + numbers.at(i)},
                          {"consume_meal_type", i % 2 ? "S2" : "S1"},
                          {"consume_meal_name", "菜" + numbers.at(i)},
                          {"consume_Chupinlogo", states.value(i)},
                          {"consume_Chupinstate", states.value(i) == "4" ? "菜品已上" : ""}});
        }
    }
    void numbered(int count) {
        QStringList n;
        for (int i = 1; i <= count; ++i) {
            n << QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0'));
        }
        lines(n);
    }
    QueryObject& list() { return s.db.dm().ADO_cp; }
    void runList() {
        QVERIFY(OpenDishList(list(), SqliteDialect(), DishListFilter{}, QString()));
        view.refresh(QString(), DishListFilter{});
        view.Timer1Timer();
    }
    Tcypanel* icon(int i) { return view.icons().at(i); }
    QStringList shown() {
        QStringList out;
        for (Tcypanel* t : view.icons()) {
            out << t->Label6()->Caption();
        }
        return out;
    }
    QList<int> backgrounds() {
        QList<int> out;
        for (Tcypanel* t : view.icons()) {
            out << t->BGImageIndex();
        }
        return out;
    }
    int perRow() {
        int n = 0;
        for (Tcypanel* t : view.icons()) {
            n += t->y() == 4 ? 1 : 0;
        }
        return n;
    }
};

}  // namespace

class DishIconViewTest : public QObject {
    Q_OBJECT

private slots:
    void iconsOfTheList();
    void pictures();
    void firstBuildAndPageTurnsFitDifferently_data();
    void firstBuildAndPageTurnsFitDifferently();
    void pageTurns();
    void nextPageByTheExactLine();
    void nextPageAfterTheLastIconLeftTheList();
    void oneIconAPage();
    void selectionBackgrounds();
    void stateCommandsOnTheIconTab();
    void listPathCommandKeepsOneHighlight();
    void scanAndSearchHooks();
    void rebuildHidesTheAreaAndClearsTheSelection();
    void noLinesNoIcons();
    void laidOutAgainWhenTheAreaChangesSize();
    void popupMenuOnEveryIcon();
};

void DishIconViewTest::iconsOfTheList() {
    IconPage p;
    p.lines({"A1", "A2", "A3", "A4"}, {"", "4", "0", "x"});
    QVERIFY(OpenDishList(p.list(), SqliteDialect(), DishListFilter{}, QString()));
    p.list().setCurrentRow(1);
    p.view.BuildDishIcons();
    QCOMPARE(p.list().currentRow(), 1);  // the icons leave the list on its line
    QCOMPARE(p.shown(), (QStringList{"A1", "A2", "A3", "A4"}));
    QCOMPARE(p.backgrounds(), (QList<int>{5, 4, 0, 5}));
    QCOMPARE(p.icon(0)->geometry(), QRect(4, 4, 78, 78));
    QCOMPARE(p.icon(1)->geometry(), QRect(86, 4, 78, 78));
    QCOMPARE(p.icon(0)->parentWidget(), p.view.Panel_client_client);

    p.view.Timer1Timer();  // shown: the looks survive the tile's own re-layout
    Tcypanel* t = p.icon(1);
    QCOMPARE(t->Label3()->Caption(), QStringLiteral("T001"));
    QCOMPARE(t->Label4()->Caption(), QStringLiteral("菜A2"));
    QCOMPARE(t->Label1()->Caption(), QStringLiteral("07-15 18:00"));
    QCOMPARE(t->Label2()->Caption(), QStringLiteral("菜品已上"));
    QCOMPARE(t->Label5()->Caption(), QStringLiteral("GA2"));
    QCOMPARE(t->Label6()->Caption(), QStringLiteral("A2"));
    QVERIFY(!t->Label5()->Visible() && !t->Label6()->Visible());
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(t->Label(k)->FontColor(), kBrown);
    }
    QCOMPARE(t->Label3()->Alignment(), Qt::AlignHCenter);
    QVERIFY(!t->Label3()->font().bold());
    QCOMPARE(t->Label4()->Alignment(), Qt::AlignHCenter);
    QCOMPARE(t->Label1()->Alignment(), Qt::AlignHCenter);
    QCOMPARE(t->Label2()->Alignment(), Qt::AlignLeft);
    QCOMPARE(t->Label2()->y(), t->Label1()->geometry().bottom() + 1 + 5);
    Tcypanel plain;
    QCOMPARE(t->Label4()->y(), plain.Label4()->y() + 8);
    QCOMPARE(t->BGImages(), &p.view.images());
    QCOMPARE(t->PopupMenu(), &p.menu);
}

void DishIconViewTest::pictures() {
    IconPage p;
    ImageList& images = p.view.images();
    QCOMPARE(images.count(), 7);
    QCOMPARE(images.size(), QSize(78, 78));
    auto band = [&](int i) { return images.image(i).toImage().pixelColor(3, 3); };
    auto bright = [&](int i) { return images.image(i).toImage().pixelColor(39, 60); };
    QVERIFY(band(0).red() > 180 && band(0).green() < 90);                          // red
    QVERIFY(band(1).green() > band(1).red() && band(1).green() > band(1).blue());  // green
    QVERIFY(qAbs(band(2).red() - band(2).blue()) < 10 && band(2).red() < 200);     // grey
    QVERIFY(band(3).blue() > band(3).red() && band(3).blue() > band(3).green());   // blue
    QVERIFY(band(4).red() > band(4).green() && band(4).green() > band(4).blue() &&
            band(4).red() < 200);                                                  // brown
    QVERIFY(band(5).red() > 220 && band(5).blue() > band(5).green());              // pink
    QVERIFY(band(6).red() > 220 && band(6).green() > 180 && band(6).blue() < 80);  // yellow
    QVERIFY(bright(0).lightness() > 200);  // the words are written on a light face
}

void DishIconViewTest::firstBuildAndPageTurnsFitDifferently_data() {
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("built");
    QTest::addColumn<int>("builtPerRow");
    QTest::addColumn<int>("turned");
    QTest::addColumn<int>("turnedPerRow");
    QTest::newRow("669 x 438") << QSize(669, 438) << 40 << 8 << 40 << 8;
    QTest::newRow("656 x 438") << QSize(656, 438) << 35 << 7 << 40 << 8;
    QTest::newRow("669 x 410") << QSize(669, 410) << 32 << 8 << 40 << 8;
}

void DishIconViewTest::firstBuildAndPageTurnsFitDifferently() {
    QFETCH(QSize, area);
    IconPage p(area);
    QCOMPARE(p.view.Panel_client_client->size(), area);
    p.numbered(100);
    p.runList();
    QTEST(static_cast<int>(p.view.icons().size()), "built");
    QTEST(p.perRow(), "builtPerRow");
    p.view.Button_cp_xyy->click();
    QTEST(static_cast<int>(p.view.icons().size()), "turned");
    QTEST(p.perRow(), "turnedPerRow");
}

void DishIconViewTest::pageTurns() {
    IconPage p(QSize(656, 438));
    p.numbered(100);
    p.runList();
    QCOMPARE(p.shown().first(), QStringLiteral("L001"));
    QCOMPARE(p.shown().last(), QStringLiteral("L035"));
    p.view.Button_cp_xyyClick();
    QCOMPARE(p.shown().first(), QStringLiteral("L036"));
    QCOMPARE(p.shown().last(), QStringLiteral("L075"));
    p.view.Button_cp_xyyClick();
    QCOMPARE(p.shown().first(), QStringLiteral("L076"));
    QCOMPARE(p.shown().last(), QStringLiteral("L100"));
    const QStringList last = p.shown();
    p.view.Button_cp_xyyClick();  // the last page: the icons stay
    QCOMPARE(p.shown(), last);

    // Back to where each page began, not to the first page.
    p.view.Button_cp_syyClick();
    QCOMPARE(p.shown().first(), QStringLiteral("L036"));
    QCOMPARE(p.shown().size(), 40);
    p.view.Button_cp_syyClick();
    QCOMPARE(p.shown().first(), QStringLiteral("L001"));
    QCOMPARE(p.shown().size(), 40);  // laid out as a page turn lays out
    p.view.Button_cp_syyClick();     // on the first page: the first page
    QCOMPARE(p.shown().first(), QStringLiteral("L001"));

    // A rebuild starts over: the previous page is the first.
    p.view.Button_cp_xyyClick();
    p.runList();
    p.view.Button_cp_xyyClick();
    p.view.Button_cp_syyClick();
    QCOMPARE(p.shown().first(), QStringLiteral("L001"));
}

void DishIconViewTest::nextPageByTheExactLine() {
    IconPage p(QSize(170, 85));  // two icons a page
    p.lines({"51", "5", "6", "7"});
    p.runList();
    QCOMPARE(p.shown(), (QStringList{"51", "5"}));
    p.view.Button_cp_xyyClick();
    // "5" begins "51", which comes first: by prefix the page would show "5" again.
    QCOMPARE(p.shown(), (QStringList{"6", "7"}));
    QCOMPARE(p.view.getcpindex("5"), -1);
    p.view.Button_cp_syyClick();
    QCOMPARE(p.shown(), (QStringList{"51", "5"}));
    QCOMPARE(p.view.getcpindex("5"), 1);
}

void DishIconViewTest::nextPageAfterTheLastIconLeftTheList() {
    IconPage p(QSize(170, 85));
    p.lines({"A1", "A2", "A3", "A4", "A5"});
    p.runList();
    QCOMPARE(p.shown(), (QStringList{"A1", "A2"}));
    // Another station settles A2's bill: the list no longer holds it.
    p.s.db.exec("update Consume set consume_state='已结' where consume_bh='A2'");
    p.view.Button_cp_xyyClick();
    QCOMPARE(p.shown(), (QStringList{"A3", "A4"}));  // after A1, not the list's second line
}

void DishIconViewTest::oneIconAPage() {
    IconPage p(QSize(85, 85));
    p.lines({"A1", "A2", "A3"});
    p.runList();
    QCOMPARE(p.shown(), QStringList{"A1"});
    p.view.Button_cp_xyyClick();
    QCOMPARE(p.shown(), QStringList{"A2"});
}

void DishIconViewTest::selectionBackgrounds() {
    IconPage p;
    p.lines({"A", "B", "C"}, {"0", "3", ""});
    p.runList();
    QTest::mouseClick(p.icon(0), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(p.backgrounds(), (QList<int>{6, 3, 5}));
    QCOMPARE(p.view.selectedIcon(), 0);
    QCOMPARE(p.focusRequests, 1);
    QTest::mousePress(p.icon(1), Qt::RightButton, {}, QPoint(40, 40));
    QTest::mouseRelease(p.icon(1), Qt::RightButton, {}, QPoint(40, 40));
    p.menu.hide();
    QCOMPARE(p.backgrounds(), (QList<int>{0, 6, 5}));
    QCOMPARE(p.focusRequests, 1);  // the right button leaves the focus where it is
    QTest::mouseClick(p.icon(2), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(p.backgrounds(), (QList<int>{0, 3, 6}));
    QTest::mouseClick(p.icon(2), Qt::LeftButton, {}, QPoint(40, 40));  // again: still its own
    QTest::mouseClick(p.icon(0), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(p.backgrounds(), (QList<int>{6, 3, 5}));
    QTest::mouseClick(p.icon(1), Qt::MiddleButton, {}, QPoint(40, 40));  // nothing
    QCOMPARE(p.view.selectedIcon(), 0);
}

void DishIconViewTest::stateCommandsOnTheIconTab() {
    IconPage p;
    p.lines({"A", "B"}, {"0", ""});
    p.runList();
    QVERIFY(!p.view.hasSelectedIcon());
    QVERIFY(!p.view.selectedLine());
    p.view.markSelectedIcon(DishState::Made);  // nothing selected: nothing changes
    QCOMPARE(p.backgrounds(), (QList<int>{0, 5}));

    p.view.DishIconClick(p.icon(1));
    const std::optional<DishLineRef> line = p.view.selectedLine();
    QVERIFY(line);
    QCOMPARE(line->lineNumber, QStringLiteral("B"));
    QCOMPARE(line->tableId, QStringLiteral("R001"));
    QCOMPARE(line->servingOrder, 2);
    p.view.markSelectedIcon(DishState::Made);
    QCOMPARE(p.icon(1)->Label2()->Caption(), QStringLiteral("制作完成"));
    QCOMPARE(p.view.selectedIconBackground(), 3);
    QCOMPARE(p.icon(1)->BGImageIndex(), 6);
    p.view.DishIconClick(p.icon(0));
    QCOMPARE(p.backgrounds(), (QList<int>{6, 3}));

    // After a page turn no icon is selected.
    p.view.Button_cp_syyClick();
    QVERIFY(!p.view.hasSelectedIcon());
}

void DishIconViewTest::listPathCommandKeepsOneHighlight() {
    IconPage p;
    p.lines({"A", "B", "C"}, {"0", "", "3"});
    p.runList();
    p.view.DishIconClick(p.icon(0));
    p.view.selectIconOfLine("B", DishState::Urgent);  // a command on the list's line B
    QCOMPARE(p.backgrounds(), (QList<int>{0, 6, 3}));
    QCOMPARE(p.view.selectedIcon(), 1);
    QCOMPARE(p.icon(1)->Label2()->Caption(), QStringLiteral("加急制作"));
    p.view.DishIconClick(p.icon(2));
    QCOMPARE(p.backgrounds(), (QList<int>{0, 1, 6}));

    p.view.selectIconOfLine("not shown", DishState::Made);
    QCOMPARE(p.backgrounds(), (QList<int>{0, 1, 3}));
    QVERIFY(!p.view.hasSelectedIcon());
}

void DishIconViewTest::scanAndSearchHooks() {
    IconPage p;
    p.lines({"12", "123", "7"}, {"", "", "0"});
    p.runList();
    QCOMPARE(p.view.getcpindex("12"), 0);
    QCOMPARE(p.view.getcpindex("123"), 1);
    QCOMPARE(p.view.getcpindex("1"), -1);
    QVERIFY(p.view.clickIconOfLine("123"));
    QCOMPARE(p.view.selectedIcon(), 1);
    QCOMPARE(p.focusRequests, 1);
    QVERIFY(!p.view.clickIconOfLine("999"));
    QCOMPARE(p.view.selectedIcon(), 1);

    p.view.showLineState("7", DishState::Served);  // not the selected icon: shows it at once
    QCOMPARE(p.icon(2)->BGImageIndex(), 4);
    QCOMPARE(p.icon(2)->Label2()->Caption(), QStringLiteral("菜品已上"));
    p.view.showLineState("123", DishState::Served);  // the selected one: once deselected
    QCOMPARE(p.icon(1)->BGImageIndex(), 6);
    p.view.DishIconClick(p.icon(0));
    QCOMPARE(p.icon(1)->BGImageIndex(), 4);
}

void DishIconViewTest::rebuildHidesTheAreaAndClearsTheSelection() {
    IconPage p;
    p.lines({"A", "B"});
    p.runList();
    p.view.DishIconClick(p.icon(1));
    p.view.refresh(QString(), DishListFilter{});
    QVERIFY(!p.view.Panel_client_client->isVisible());
    QVERIFY(p.view.Timer1->isActive());
    QCOMPARE(p.view.Timer1->interval(), 100);
    QVERIFY(p.view.Timer1->isSingleShot());
    QVERIFY(!p.view.hasSelectedIcon());
    QCOMPARE(p.view.icons().size(), 2);
    p.view.Timer1Timer();
    QVERIFY(p.view.Panel_client_client->isVisible());
    QVERIFY(!p.view.Timer1->isActive());

    QVERIFY(!p.view.Button_cp_xyy->isVisible());  // with the icon tab only
    p.view.showPageButtons(true);
    QVERIFY(p.view.Button_cp_syy->isVisible() && p.view.Button_cp_xyy->isVisible());
    QCOMPARE(p.view.Button_cp_syy->parentWidget(), &p.buttons);
}

void DishIconViewTest::noLinesNoIcons() {
    IconPage p;
    p.view.BuildDishIcons();  // the list never opened
    QVERIFY(p.view.icons().isEmpty());
    p.runList();  // open, empty
    QVERIFY(p.view.icons().isEmpty());
    p.view.Button_cp_xyyClick();
    p.view.Button_cp_syyClick();
    QVERIFY(p.view.icons().isEmpty());
    QVERIFY(p.s.boxes.shown().isEmpty());
}

void DishIconViewTest::laidOutAgainWhenTheAreaChangesSize() {
    IconPage p(QSize(170, 85));
    p.numbered(20);
    p.runList();
    QCOMPARE(p.view.icons().size(), 2);
    p.view.DishIconClick(p.icon(1));
    p.page.setFixedSize(669, 438);
    QTRY_COMPARE(p.view.icons().size(), 20);
    QCOMPARE(p.view.selectedIcon(), 1);  // the selection stays on its line
    QCOMPARE(p.backgrounds().at(1), 6);
    QCOMPARE(p.view.selectedIconBackground(), 5);
}

void DishIconViewTest::popupMenuOnEveryIcon() {
    IconPage p;
    p.lines({"A", "B"});
    p.runList();
    QAction* served = p.menu.addAction("菜品已上");
    QString actedOn;
    QObject::connect(served, &QAction::triggered, [&] {
        actedOn = p.view.selectedLine() ? p.view.selectedLine()->lineNumber : QString();
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(40, 40),
                           p.icon(1)->mapToGlobal(QPoint(40, 40)));
    QTest::mousePress(p.icon(1), Qt::RightButton, {}, QPoint(40, 40));
    QCoreApplication::sendEvent(p.icon(1), &menu);
    QTRY_VERIFY(p.menu.isVisible());
    served->trigger();
    p.menu.hide();
    QCOMPARE(actedOn, QStringLiteral("B"));  // the menu acts on the icon it opened on
}

QTEST_MAIN(DishIconViewTest)
#include "DishIconViewTest.moc"
