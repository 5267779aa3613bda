#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <functional>
#include <memory>

#include "ModalDialog.h"
#include "StationServices.h"
#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"
#include "gui/query/TFgjcx.h"

using Setup = std::function<void(TFgjcx&)>;
Q_DECLARE_METATYPE(Setup)

namespace {

struct QueryFixture {
    StationServices s;  // PC clock 2026-07-15 18:30:00

    QueryFixture() {
        s.db.exec("insert into room values ('R1','A01','T1','A1','0'),('R2','B02','T1','A1','0')");
        s.db.exec("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')");
        s.db.exec("insert into SaleSit values ('P1','一楼'),('P2','二楼')");
        const auto line = [this](const char* bh, QVariantMap more) {
            more.insert(QStringLiteral("consume_bh"), QString::fromLatin1(bh));
            for (const auto& [key, value] :
                 {std::pair{"consume_CPdep", "K1"}, std::pair{"consume_sit", "P1"}}) {
                if (!more.contains(QString::fromLatin1(key))) {
                    more.insert(QString::fromLatin1(key), QString::fromLatin1(value));
                }
            }
            s.db.addLine(more);
        };
        const QString at = QStringLiteral("consume_begintime");
        line("01", {{at, "2026-07-15 17:45:00"}, {"consume_meal_name", "清蒸鲈鱼"}});
        line("02",
             {{at, "2026-07-15 11:00:00"}, {"consume_CPdep", "K2"}, {"consume_Chupinlogo", "4"}});
        line("03", {{at, "2026-07-14 20:00:00"},
                    {"consume_meal_name", "鱼香肉丝"},
                    {"consume_sit", "P2"},
                    {"consume_Chupinlogo", "2"}});
        line("04", {{at, "2026-07-15 18:20:00"},
                    {"consume_table", "R2"},
                    {"consume_taste", "少辣"},
                    {"consume_cccs", 2}});
        line("x-record", {{"consume_return", "Y"}, {"consume_num", -1}, {"consume_state", "已退"}});
    }

    std::unique_ptr<TFgjcx> window(int showMode = 0, const QString& table = {}, int tab = 0) {
        auto w =
            std::make_unique<TFgjcx>(s.db.dm(), s.clock, s.boxes, showMode, table, tab, &s.window);
        w->show();
        QApplication::setActiveWindow(w.get());
        return w;
    }
    static QStringList listed(QueryObject& q) {
        if (!q.isOpen()) {
            return {QStringLiteral("<not run>")};
        }
        QStringList out;
        for (int r = 0; r < q.rowCount(); ++r) {
            out << q.valueAt(r, q.columnIndex(QStringLiteral("consume_bh"))).toString();
        }
        return out;
    }
};

QString Range(const TFgjcx& w) {
    return w.Date1->date().toString(Qt::ISODate) + QLatin1Char(' ') +
           w.Time1->time().toString(Qt::ISODate) + QStringLiteral(" - ") +
           w.Date2->date().toString(Qt::ISODate) + QLatin1Char(' ') +
           w.Time2->time().toString(Qt::ISODate);
}

QStringList Items(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->itemText(i) + QLatin1Char('=') + list->itemData(i).toString();
    }
    return out;
}

}  // namespace

class TFgjcxTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithListsAndDefaults();
    void checkBoxesEnableTheirControls();
    void presetMenu_data();
    void presetMenu();
    void presetButtonOpensTheMenu();
    void query_data();
    void query();
    void cancelRunsNothing();
    void queryErrorsAreSilent();
    void openedModallyAndFreed();
};

void TFgjcxTest::opensWithListsAndDefaults() {
    QueryFixture f;
    auto w = f.window();
    QCOMPARE(w->windowTitle(), QStringLiteral("高级查询"));
    QCOMPARE(w->size(), QSize(513, 194));
    QCOMPARE(Items(w->CB_cpbm), (QStringList{"所有部门=", "热菜间=K1", "凉菜间=K2"}));
    QCOMPARE(Items(w->CB_gzzd), (QStringList{"所有站点=", "一楼=P1", "二楼=P2"}));
    QCOMPARE(Items(w->CB_cpzt), (QStringList{"显示所有菜品=", "显示已上菜品=", "显示未上菜品=",
                                             "无法制作菜品=", "显示未做菜品="}));
    for (const QComboBox* list : {w->CB_cpbm, w->CB_gzzd, w->CB_cpzt}) {
        QCOMPARE(list->currentIndex(), 0);
    }
    // The last hour by the station's clock.
    QCOMPARE(Range(*w), QStringLiteral("2026-07-15 17:30:00 - 2026-07-15 18:30:00"));
    for (QCheckBox* box : w->findChildren<QCheckBox*>()) {
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    }
    QStringList captions;
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                             "CheckBox6", "CheckBox7"}) {
        captions << w->findChild<QCheckBox*>(QString::fromLatin1(name))->text();
    }
    QCOMPARE(captions, (QStringList{"出品部门", "工作站点", "点菜时间", "菜品名称", "菜品状态",
                                    "菜品编号", "客户要求"}));
    QCOMPARE(w->Button1->text(), QStringLiteral("确定"));
    QCOMPARE(w->Button2->text(), QStringLiteral("取消"));
}

void TFgjcxTest::checkBoxesEnableTheirControls() {
    QueryFixture f;
    auto w = f.window();
    const std::pair<QCheckBox*, QList<QWidget*>> ties[] = {
        {w->CheckBox1, {w->CB_cpbm}},
        {w->CheckBox2, {w->CB_gzzd}},
        {w->CheckBox3, {w->Date1, w->Time1, w->Date2, w->Time2, w->SpeedButton16}},
        {w->CheckBox4, {w->Edtmc}},
        {w->CheckBox5, {w->CB_cpzt}},
        {w->CheckBox6, {w->Edtbh}},
        {w->CheckBox7, {w->Edtyq}},
    };
    for (const auto& [box, controls] : ties) {
        for (QWidget* c : controls) {
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        }
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QVERIFY(box->isChecked());
        for (QWidget* c : controls) {
            QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
        }
        QCOMPARE(w->focusWidget(), controls.first());
        box->click();
        for (QWidget* c : controls) {
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        }
    }
}

void TFgjcxTest::presetMenu_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("range");
    const QDateTime evening(QDate(2026, 7, 15), QTime(18, 30, 0));
    QTest::newRow("15 minutes") << evening << "N7"
                                << "2026-07-15 18:15:00 - 2026-07-15 18:30:00";
    QTest::newRow("half hour") << evening << "N1"
                               << "2026-07-15 18:00:00 - 2026-07-15 18:30:00";
    QTest::newRow("one hour") << evening << "N2"
                              << "2026-07-15 17:30:00 - 2026-07-15 18:30:00";
    QTest::newRow("two hours") << evening << "N3"
                               << "2026-07-15 16:30:00 - 2026-07-15 18:30:00";
    QTest::newRow("today") << evening << "N5"
                           << "2026-07-15 00:00:00 - 2026-07-15 18:30:00";
    QTest::newRow("yesterday") << evening << "N6"
                               << "2026-07-14 00:00:00 - 2026-07-14 23:59:59";
    QTest::newRow("all time") << evening << "N12"
                              << "2000-01-01 00:00:00 - 2026-07-15 18:30:00";
    QTest::newRow("one hour just after midnight")
        << QDateTime(QDate(2026, 7, 15), QTime(0, 20, 5)) << "N2"
        << "2026-07-15 00:00:00 - 2026-07-15 00:20:05";
}

void TFgjcxTest::presetMenu() {
    QFETCH(QDateTime, now);
    QFETCH(QString, item);
    QFETCH(QString, range);
    QueryFixture f;
    f.s.pcTime.set(now.addSecs(-3600 * 5));
    auto w = f.window();
    f.s.pcTime.set(now);
    w->CheckBox3->click();
    w->findChild<QAction*>(item)->trigger();
    QCOMPARE(Range(*w), range);
}

void TFgjcxTest::presetButtonOpensTheMenu() {
    QueryFixture f;
    auto w = f.window();
    w->CheckBox3->click();
    w->SpeedButton16->click();
    QVERIFY(w->PopupMenu1->isVisible());
    QCOMPARE(w->PopupMenu1->pos(),
             w->SpeedButton16->mapToGlobal(QPoint(0, w->SpeedButton16->height())));
    QStringList menu;
    for (const QAction* a : w->PopupMenu1->actions()) {
        menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    QCOMPARE(menu, (QStringList{"最近15分钟", "最近半小时", "最近一小时", "最近两小时", "-", "今天",
                                "昨天", "-", "所有时间"}));
    w->PopupMenu1->hide();
}

void TFgjcxTest::query_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("showMode");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("dishList");
    QTest::addColumn<QStringList>("hurryList");
    const QStringList none{"<not run>"};
    const Setup nothing = [](TFgjcx&) {};
    QTest::newRow("nothing ticked")
        << 0 << 0 << nothing << QStringList{"01", "02", "03", "04"} << none;
    QTest::newRow("name and today") << 0 << 0 << Setup([](TFgjcx& w) {
        w.CheckBox4->click();
        w.Edtmc->setText(QStringLiteral("鱼"));
        w.CheckBox3->click();
        w.N5->trigger();
    }) << QStringList{"01"} << none;
    QTest::newRow("ticked, left on entry 0") << 0 << 0 << Setup([](TFgjcx& w) {
        w.CheckBox1->click();
        w.CheckBox2->click();
        w.CheckBox5->click();
    }) << QStringList{"01", "02", "03", "04"} << none;
    QTest::newRow("ticked with blanks only") << 0 << 0 << Setup([](TFgjcx& w) {
        for (QCheckBox* b : {w.CheckBox4, w.CheckBox6, w.CheckBox7}) {
            b->click();
        }
        w.Edtmc->setText(QStringLiteral("  "));
    }) << QStringList{"01", "02", "03", "04"} << none;
    QTest::newRow("text without its tick") << 0 << 0 << Setup([](TFgjcx& w) {
        w.Edtmc->setText(QStringLiteral("鲈"));
        w.CB_cpbm->setCurrentIndex(2);
    }) << QStringList{"01", "02", "03", "04"}
                                           << none;
    QTest::newRow("department and station") << 0 << 0 << Setup([](TFgjcx& w) {
        w.CheckBox1->click();
        w.CB_cpbm->setCurrentIndex(1);
        w.CheckBox2->click();
        w.CB_gzzd->setCurrentIndex(2);
    }) << QStringList{"03"} << none;
    QTest::newRow("not served") << 0 << 0 << Setup([](TFgjcx& w) {
        w.CheckBox5->click();
        w.CB_cpzt->setCurrentIndex(2);
    }) << QStringList{"01", "03", "04"}
                                << none;
    QTest::newRow("one table shown") << 0 << 1 << nothing << QStringList{"04"} << none;
    QTest::newRow("yesterday") << 0 << 0 << Setup([](TFgjcx& w) {
        w.CheckBox3->click();
        w.N6->trigger();
    }) << QStringList{"03"} << none;
    QTest::newRow("hurry/return tab")
        << 3 << 0 << nothing << none << QStringList{"04", "01", "x-record"};
    QTest::newRow("hurry/return tab, request") << 3 << 0 << Setup([](TFgjcx& w) {
        w.CheckBox7->click();
        w.Edtyq->setText(QStringLiteral("辣"));
    }) << none << QStringList{"04"};
    QTest::newRow("icon tab") << 1 << 0 << nothing << none << none;
    QTest::newRow("overdue tab") << 2 << 0 << nothing << none << none;
    QTest::newRow("served tab") << 4 << 0 << nothing << none << none;
}

void TFgjcxTest::query() {
    QFETCH(int, tab);
    QFETCH(int, showMode);
    QFETCH(Setup, setup);
    QFETCH(QStringList, dishList);
    QFETCH(QStringList, hurryList);
    QueryFixture f;
    auto w = f.window(showMode, QStringLiteral("R2"), tab);
    setup(*w);
    w->Button1->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Accepted));
    QCOMPARE(QueryFixture::listed(f.s.db.dm().ADO_cp), dishList);
    QCOMPARE(QueryFixture::listed(f.s.db.dm().ADO_cctc), hurryList);
    QVERIFY(f.s.boxes.shown().isEmpty());
}

void TFgjcxTest::cancelRunsNothing() {
    QueryFixture f;
    auto w = f.window();
    w->CheckBox4->click();
    w->Edtmc->setText(QStringLiteral("鱼"));
    w->Button2->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(QueryFixture::listed(f.s.db.dm().ADO_cp), QStringList{"<not run>"});
}

void TFgjcxTest::queryErrorsAreSilent() {
    QueryFixture f;
    f.s.db.exec("insert into Kitchen values ('K3', '面点间')");
    OpenSql(f.s.db.dm().ADO_cp, QStringLiteral("select * from Consume"));
    f.s.db.exec("drop table Consume");
    // Lists that cannot be read leave only their first entry.
    f.s.db.exec("drop table SaleSit");
    auto w = f.window();
    QCOMPARE(w->CB_gzzd->count(), 1);
    QCOMPARE(w->CB_cpbm->count(), 4);
    w->Button1->click();
    QVERIFY(f.s.boxes.shown().isEmpty());
    QVERIFY(!w->isVisible());
    QCOMPARE(QueryFixture::listed(f.s.db.dm().ADO_cp), QStringList{"<not run>"});
}

void TFgjcxTest::openedModallyAndFreed() {
    QueryFixture f;
    f.s.state.CurrentTableId = QStringLiteral("R2");
    QPointer<QWidget> opened;
    const ModalDialogRun run =
        RunModalDialog([&] { OpenAdvancedQueryWindow(f.s.ctx, 1, 0); },
                       [&](QWidget* window) {
                           opened = window;
                           window->findChild<QPushButton*>("Button1")->click();
                       });
    QVERIFY(run.shown && !run.leftOpen);
    QCOMPARE(run.title, QStringLiteral("高级查询"));
    QVERIFY(opened.isNull());
    // The table and the display scope came from the main window.
    QCOMPARE(QueryFixture::listed(f.s.db.dm().ADO_cp), QStringList{"04"});
}

QTEST_MAIN(TFgjcxTest)
#include "TFgjcxTest.moc"
