#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "ModalDialog.h"
#include "StationServices.h"
#include "core/db/QueryObject.h"
#include "gui/soldout/TFgqgl.h"
#include "gui/soldout/TFgqsl.h"

namespace {

struct SoldOutFixture {
    StationServices s;
    std::unique_ptr<TFgqgl> w;

    explicit SoldOutFixture(bool open = true) {
        s.db.exec("insert into BigType values ('B2','热菜'),('B1','凉菜')");
        s.db.exec(
            "insert into SmallType values ('S2','炒菜','B2','N',2),('S1','拌菜','B1','N',1),"
            "('S0','卤味','B1','N',1)");
        s.db.exec(
            "insert into Meal (meal_bh,meal_name,meal_code,meal_unit,Meal_type_id,meal_clean,"
            "meal_cleanSl) values ('M1','拍黄瓜','phg','份','S1','N',0),"
            "('M2','卤牛肉','lnr','斤','S0','Y',0),('M3','宫保鸡丁','gbjd','份','S2','Y',3),"
            "('M4','鱼香肉丝','yxrs','份','S2','N',0)");
        if (open) {
            show();
        }
    }
    void show() {
        w = std::make_unique<TFgqgl>(s.db.dm(), s.state, s.boxes, &s.window);
        w->show();
        QApplication::setActiveWindow(w.get());
    }
    QStringList sellable() { return listed(s.db.dm().ADOQcp); }
    QStringList soldOut() { return listed(s.db.dm().ADOQlbxf); }
    static QStringList listed(QueryObject& q) {
        QStringList out;
        if (!q.isOpen()) {
            return {QStringLiteral("<closed>")};
        }
        for (int r = 0; r < q.rowCount(); ++r) {
            out << q.valueAt(r, q.columnIndex(QStringLiteral("meal_bh"))).toString();
        }
        out.sort();
        return out;
    }
    QString meal(const char* bh) {
        return s.db
            .rows("select meal_clean, meal_cleanSl from Meal where meal_bh = :a1",
                  {QString::fromLatin1(bh)})
            .value(0);
    }
    void highlightSellable(const char* bh) {
        QVERIFY(s.db.dm().ADOQcp.locatePrefix("meal_bh", QString::fromLatin1(bh)));
    }
    void highlightSoldOut(const char* bh) {
        QVERIFY(s.db.dm().ADOQlbxf.locatePrefix("meal_bh", QString::fromLatin1(bh)));
    }
    QWidget* control(const QString& name) { return w->findChild<QWidget*>(name); }
};

// Answers the quantity dialog: a text then OK, or empty for cancel.
std::function<void(QWidget*)> Quantity(const QString& typed) {
    return [typed](QWidget* dialog) {
        auto* d = qobject_cast<TFgqsl*>(dialog);
        QVERIFY(d);
        if (typed.isEmpty()) {
            d->BtnCancle->click();
            return;
        }
        d->EtSl->setText(typed);
        d->BtnOK->click();
    };
}

void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    target->setFocus();
    QTest::keyClick(target, key, modifiers);
}

// What a person's double click sends: QTest's own sends the second press only.
void DoubleClick(QTableView* view, int row) {
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

QTreeWidgetItem* NodeNamed(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

}  // namespace

class TFgqglTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTreeAndBothLists();
    void categoriesAndSearchNarrowTheSellableList();
    void adding_data();
    void adding();
    void enterInTheSearchBox();
    void removing_data();
    void removing();
    void clearing_data();
    void clearing();
    void keys_data();
    void keys();
    void writeFailuresAreReported_data();
    void writeFailuresAreReported();
    void vanishedDishIsReportedAndLeavesTheList();
    void readingFailuresAreSilent();
    void openedModallyAndFreed();
};

void TFgqglTest::opensWithTreeAndBothLists() {
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    QCOMPARE(w.windowTitle(), QStringLiteral("菜品沽清管理"));
    QCOMPARE(w.size(), QSize(891, 618));
    QStringList tree;
    for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* top = w.TreeView1->topLevelItem(i);
        QStringList children;
        for (int c = 0; c < top->childCount(); ++c) {
            children << top->child(c)->text(0);
        }
        QVERIFY(top->childCount() == 0 || top->isExpanded());
        tree << top->text(0) + QLatin1Char('[') + children.join(QLatin1Char(',')) +
                    QLatin1Char(']');
    }
    QCOMPARE(tree, (QStringList{"所有菜类[]", "凉菜[卤味,拌菜]", "热菜[炒菜]"}));
    QCOMPARE(w.TreeView1->currentItem(), w.TreeView1->topLevelItem(0));
    QCOMPARE(w.LblCplx->text(), QStringLiteral("所选菜类：所有菜类"));
    // A dish on the list with a quantity left (M3) shows on both sides.
    QCOMPARE(f.sellable(), (QStringList{"M1", "M3", "M4"}));
    QCOMPARE(f.soldOut(), (QStringList{"M2", "M3"}));
    QCOMPARE(w.cxGridDBTableView3->model()->rowCount(), 3);
    QCOMPARE(w.cxGridDBTableView1->model()->rowCount(), 2);

    const auto captions = [](QTableView* v) {
        QStringList out;
        for (int c = 0; c < v->model()->columnCount(); ++c) {
            out << v->model()->headerData(c, Qt::Horizontal).toString();
        }
        return out;
    };
    QCOMPARE(captions(w.cxGridDBTableView3), (QStringList{"项目编码", "项目名称", "单位"}));
    QCOMPARE(captions(w.cxGridDBTableView1),
             (QStringList{"项目编码", "项目名称", "单位", "菜品类型", "可销售数量"}));
    QCOMPARE(w.cxGridDBTableView3->horizontalHeader()->height(), 29);
    QCOMPARE(w.cxGridDBTableView1->horizontalHeader()->height(), 22);
    // The columns fill the grid, in the proportions of their widths (93 : 150 : 51).
    QHeaderView* h = w.cxGridDBTableView3->horizontalHeader();
    QCOMPARE(h->sectionSize(0) + h->sectionSize(1) + h->sectionSize(2),
             w.cxGridDBTableView3->viewport()->width());
    QVERIFY(qAbs(h->sectionSize(1) * 93 - h->sectionSize(0) * 150) < 300);
    f.highlightSoldOut("M3");
    QCOMPARE(w.cxGridDBTableView1->model()
                 ->index(f.s.db.dm().ADOQlbxf.currentRow(), 4)
                 .data()
                 .toString(),
             QStringLiteral("3"));
    QVERIFY(w.Label6->text().startsWith(QStringLiteral("注：菜品沽清管理是对酒店当前无法供应")));
    QCOMPARE(w.Label4->text(), QStringLiteral("菜品沽清单"));

    // Alt+Q and Alt+S put the focus in the search boxes.
    QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(w.focusWidget(), w.EtFind2);
    QTest::keyClick(&w, Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(w.focusWidget(), w.EtFind);
}

void TFgqglTest::categoriesAndSearchNarrowTheSellableList() {
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    w.TreeView1->setCurrentItem(NodeNamed(w.TreeView1, "凉菜"));
    QCOMPARE(w.LblCplx->text(), QStringLiteral("所选菜类：凉菜"));
    QCOMPARE(f.sellable(), QStringList{"M1"});
    w.TreeView1->setCurrentItem(NodeNamed(w.TreeView1, "炒菜"));
    QCOMPARE(f.sellable(), (QStringList{"M3", "M4"}));
    // Every keystroke re-reads the list of the chosen category.
    QTest::keyClicks(w.EtFind, "y");
    QCOMPARE(f.sellable(), QStringList{"M4"});
    QTest::keyClick(w.EtFind, Qt::Key_Backspace);
    QCOMPARE(f.sellable(), (QStringList{"M3", "M4"}));
    // A click on the node that is already chosen reads it again.
    const quint64 runs = f.s.db.dm().ADOQcp.runCount();
    QTreeWidgetItem* chosen = w.TreeView1->currentItem();
    QTest::mouseClick(w.TreeView1->viewport(), Qt::LeftButton, {},
                      w.TreeView1->visualItemRect(chosen).center());
    QCOMPARE(f.s.db.dm().ADOQcp.runCount(), runs + 1);
    // The sold-out list ignores the tree and follows its own box.
    QCOMPARE(f.soldOut(), (QStringList{"M2", "M3"}));
    QTest::keyClicks(w.EtFind2, "lnr");
    QCOMPARE(f.soldOut(), QStringList{"M2"});
}

void TFgqglTest::adding_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("sellable");
    QTest::addColumn<QStringList>("soldOut");
    const QStringList before{"M1", "M3", "M4"};
    const QStringList listBefore{"M2", "M3"};
    QTest::newRow("button, nothing left")
        << "button"
        << "0"
        << "Y|0" << QStringList{"M3", "M4"} << QStringList{"M1", "M2", "M3"};
    QTest::newRow("F5, five left") << "F5"
                                   << "5"
                                   << "Y|5" << before << QStringList{"M1", "M2", "M3"};
    QTest::newRow("Enter in the list") << "enter"
                                       << "2.5"
                                       << "Y|2.5" << before << QStringList{"M1", "M2", "M3"};
    QTest::newRow("double click") << "double"
                                  << "0"
                                  << "Y|0" << QStringList{"M3", "M4"}
                                  << QStringList{"M1", "M2", "M3"};
    QTest::newRow("cancelled") << "button"
                               << ""
                               << "N|0" << before << listBefore;
}

void TFgqglTest::adding() {
    QFETCH(QString, how);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QStringList, sellable);
    QFETCH(QStringList, soldOut);
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    w.EtFind->setText(QStringLiteral("M"));
    f.highlightSellable("M1");
    const ModalDialogRun run = RunModalDialog(
        [&] {
            if (how == "button") {
                w.BtnZj->click();
            } else if (how == "F5") {
                Press(w.TreeView1, Qt::Key_F5);
            } else if (how == "enter") {
                Press(w.cxGridDBTableView3, Qt::Key_Return);
            } else {
                DoubleClick(w.cxGridDBTableView3, f.s.db.dm().ADOQcp.currentRow());
            }
        },
        [&](QWidget* dialog) {
            auto* d = qobject_cast<TFgqsl*>(dialog);
            QVERIFY(d);
            QCOMPARE(d->LblXmmc->text(), QStringLiteral("拍黄瓜"));
            QCOMPARE(d->Label2->text(), QStringLiteral("份"));
            QCOMPARE(d->EtSl->text(), QStringLiteral("0"));
            Quantity(typed)(dialog);
        });
    QVERIFY(run.shown);
    QCOMPARE(run.title, QStringLiteral("沽清设置"));
    QCOMPARE(f.meal("M1"), stored);
    QCOMPARE(f.sellable(), sellable);
    QCOMPARE(f.soldOut(), soldOut);
    QVERIFY(f.s.boxes.shown().isEmpty());
    // After an add the search box starts afresh; a cancel leaves it as it was.
    QCOMPARE(w.EtFind->text(), typed.isEmpty() ? QStringLiteral("M") : QString());
    if (!typed.isEmpty()) {
        QCOMPARE(w.focusWidget(), w.EtFind);
    }
}

void TFgqglTest::enterInTheSearchBox() {
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    // Exactly one dish: Enter adds it.
    w.EtFind->setText(QStringLiteral("phg"));
    const ModalDialogRun run =
        RunModalDialog([&] { Press(w.EtFind, Qt::Key_Return); }, Quantity(QStringLiteral("1")));
    QVERIFY(run.shown);
    QCOMPARE(f.meal("M1"), QStringLiteral("Y|1"));
    // Several: the focus goes to the list.
    w.EtFind->setText(QStringLiteral("M"));
    Press(w.EtFind, Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.cxGridDBTableView3);
    // None: the text is selected for typing over.
    w.EtFind->setText(QStringLiteral("无此菜"));
    w.EtFind->deselect();
    Press(w.EtFind, Qt::Key_Enter);
    QCOMPARE(w.EtFind->selectedText(), QStringLiteral("无此菜"));
    QCOMPARE(w.focusWidget(), w.EtFind);
}

void TFgqglTest::removing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("Delete in the list") << "delete";
    QTest::newRow("double click") << "double";
}

void TFgqglTest::removing() {
    QFETCH(QString, how);
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    w.EtFind2->setText(QStringLiteral("M"));
    f.highlightSoldOut("M3");
    if (how == "button") {
        w.BtnDel->click();
    } else if (how == "delete") {
        Press(w.cxGridDBTableView1, Qt::Key_Delete);
    } else {
        DoubleClick(w.cxGridDBTableView1, f.s.db.dm().ADOQlbxf.currentRow());
    }
    // No question; the quantity stays for a later add to replace.
    QVERIFY(f.s.boxes.shown().isEmpty());
    QCOMPARE(f.meal("M3"), QStringLiteral("N|3"));
    QCOMPARE(f.meal("M2"), QStringLiteral("Y|0"));
    QCOMPARE(f.soldOut(), QStringList{"M2"});
    QCOMPARE(f.sellable(), (QStringList{"M1", "M3", "M4"}));
    QVERIFY(w.EtFind2->text().isEmpty());
    QCOMPARE(w.focusWidget(), w.EtFind2);
}

void TFgqglTest::clearing_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("yes") << QMessageBox::Yes;
    QTest::newRow("no") << QMessageBox::No;
}

void TFgqglTest::clearing() {
    QFETCH(QMessageBox::StandardButton, answer);
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    f.s.boxes.answer(answer);
    w.Button1->click();
    QCOMPARE(f.s.boxes.shown().size(), 1);
    const auto& asked = f.s.boxes.shown().at(0);
    QCOMPARE(asked.caption, QStringLiteral("系统提示"));
    QCOMPARE(asked.text, QStringLiteral("确定要清空菜品沽清单吗?"));
    QCOMPARE(asked.icon, QMessageBox::Information);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No) {
        QCOMPARE(f.soldOut(), (QStringList{"M2", "M3"}));
        QCOMPARE(f.meal("M2"), QStringLiteral("Y|0"));
        return;
    }
    QCOMPARE(f.s.db.rows("select meal_clean, meal_cleanSl from Meal order by meal_bh"),
             (QStringList{"N|0", "N|0", "N|3", "N|0"}));
    QCOMPARE(f.soldOut(), QStringList{});
    QCOMPARE(f.sellable(), (QStringList{"M1", "M2", "M3", "M4"}));
    // An empty list asks nothing.
    w.Button1->click();
    QCOMPARE(f.s.boxes.shown().size(), 1);
}

void TFgqglTest::keys_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    QTest::newRow("F5 in the search box") << "EtFind" << int(Qt::Key_F5) << "adds";
    QTest::newRow("F5 in the sold-out list") << "cxGridDBTableView1" << int(Qt::Key_F5) << "adds";
    QTest::newRow("Enter in the sellable list")
        << "cxGridDBTableView3" << int(Qt::Key_Return) << "adds";
    QTest::newRow("Enter in the sold-out list")
        << "cxGridDBTableView1" << int(Qt::Key_Return) << "nothing";
    QTest::newRow("Delete in the tree") << "TreeView1" << int(Qt::Key_Delete) << "removes";
    QTest::newRow("Delete in the sellable list")
        << "cxGridDBTableView3" << int(Qt::Key_Delete) << "removes";
    QTest::newRow("Delete on a button") << "BtnZj" << int(Qt::Key_Delete) << "removes";
    // A search box keeps its Delete: editing a search never puts a dish back on sale.
    QTest::newRow("Delete in the search box") << "EtFind" << int(Qt::Key_Delete) << "edits";
    QTest::newRow("Delete in the list's search box") << "EtFind2" << int(Qt::Key_Delete) << "edits";
    QTest::newRow("F4") << "EtFind2" << int(Qt::Key_F4) << "closes";
    QTest::newRow("Esc") << "cxGridDBTableView3" << int(Qt::Key_Escape) << "closes";
    QTest::newRow("Enter on a button presses it") << "BtnDel" << int(Qt::Key_Return) << "removes";
}

void TFgqglTest::keys() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, effect);
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    auto* box = qobject_cast<QLineEdit*>(f.control(focus));
    if (box) {
        // Both texts keep M2 on its list and highlighted, so a removal would show.
        box->setText(box == w.EtFind2 ? QStringLiteral("卤牛") : QStringLiteral("M1"));
        box->setCursorPosition(0);
    }
    f.highlightSoldOut("M2");
    const ModalDialogRun run = RunModalDialog(
        [&] { Press(f.control(focus), static_cast<Qt::Key>(key)); }, Quantity(QString()));
    QCOMPARE(run.shown, effect == "adds");
    QCOMPARE(f.meal("M2"), effect == "removes" ? QStringLiteral("N|0") : QStringLiteral("Y|0"));
    QCOMPARE(w.isVisible(), effect != "closes");
    if (effect == "edits") {
        QCOMPARE(box->text(), box == w.EtFind2 ? QStringLiteral("牛") : QStringLiteral("1"));
        QCOMPARE(f.soldOut(), (box == w.EtFind2 ? QStringList{"M2"} : QStringList{"M2", "M3"}));
    }
    QVERIFY(f.s.boxes.shown().isEmpty());
}

void TFgqglTest::writeFailuresAreReported_data() {
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("message");
    QTest::newRow("add") << "add"
                         << "增加沽清菜品失败,请重试";
    QTest::newRow("remove") << "remove"
                            << "删除沽清菜品失败,请重试";
    QTest::newRow("clear") << "clear"
                           << "清空菜品沽清单失败,请重试";
}

void TFgqglTest::writeFailuresAreReported() {
    QFETCH(QString, write);
    QFETCH(QString, message);
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    w.EtFind->setText(QStringLiteral("M"));
    w.EtFind2->setText(QStringLiteral("M"));
    // Another program holds the dish catalogue.
    f.s.db.exec("create trigger held before update on Meal begin select raise(abort, 'held'); end");
    const quint64 sellableRuns = f.s.db.dm().ADOQcp.runCount();
    const quint64 soldOutRuns = f.s.db.dm().ADOQlbxf.runCount();
    if (write == "add") {
        RunModalDialog([&] { w.BtnZj->click(); }, Quantity(QStringLiteral("1")));
    } else if (write == "remove") {
        w.BtnDel->click();
    } else {
        f.s.boxes.answer(QMessageBox::Yes);
        w.Button1->click();
    }
    const auto& shown = f.s.boxes.shown();
    QCOMPARE(shown.size(), write == "clear" ? 2 : 1);
    QCOMPARE(shown.last().caption, QStringLiteral("系统信息"));
    QCOMPARE(shown.last().text, message);
    QCOMPARE(shown.last().icon, QMessageBox::Information);
    // Nothing changes on the screen: no list re-read, the search texts kept.
    QCOMPARE(f.s.db.dm().ADOQcp.runCount(), sellableRuns);
    QCOMPARE(f.s.db.dm().ADOQlbxf.runCount(), soldOutRuns);
    QCOMPARE(w.EtFind->text(), QStringLiteral("M"));
    QCOMPARE(w.EtFind2->text(), QStringLiteral("M"));
    QCOMPARE(f.s.db.scalar("select count(*) from Meal where meal_clean = 'Y'").toInt(), 2);
}

void TFgqglTest::vanishedDishIsReportedAndLeavesTheList() {
    SoldOutFixture f;
    TFgqgl& w = *f.w;
    f.highlightSoldOut("M2");
    f.s.db.exec("delete from Meal where meal_bh = 'M2'");
    w.BtnDel->click();
    QCOMPARE(f.s.boxes.texts(), QStringList{"删除沽清菜品失败,请重试"});
    // The operator tries again and gets the same; the list at least stops offering the dish.
    QCOMPARE(f.soldOut(), QStringList{"M3"});
}

void TFgqglTest::readingFailuresAreSilent() {
    SoldOutFixture f(false);
    f.s.db.exec("drop table SmallType");
    f.show();
    QVERIFY(f.s.boxes.shown().isEmpty());
    QCOMPARE(f.w->TreeView1->topLevelItemCount(), 2);
    QCOMPARE(f.sellable(), QStringList{"<closed>"});
    QCOMPARE(f.w->cxGridDBTableView3->model()->rowCount(), 0);
    QCOMPARE(f.w->cxGridDBTableView1->model()->rowCount(), 0);
    // Nothing to act on: no dialog, no write, no box.
    const ModalDialogRun run = RunModalDialog([&] { f.w->BtnZj->click(); }, Quantity(QString()));
    QVERIFY(!run.shown);
    f.w->BtnDel->click();
    f.w->Button1->click();
    QVERIFY(f.s.boxes.shown().isEmpty());
}

void TFgqglTest::openedModallyAndFreed() {
    SoldOutFixture f(false);
    QPointer<QWidget> opened;
    const ModalDialogRun run = RunModalDialog([&] { OpenSoldOutWindow(f.s.ctx); },
                                              [&](QWidget* window) {
                                                  opened = window;
                                                  QCOMPARE(window->parentWidget(), &f.s.window);
                                                  QTest::keyClick(window, Qt::Key_F4);
                                              });
    QVERIFY(run.shown);
    QVERIFY(!run.leftOpen);
    QCOMPARE(run.title, QStringLiteral("菜品沽清管理"));
    QVERIFY(opened.isNull());
}

QTEST_MAIN(TFgqglTest)
#include "TFgqglTest.moc"
