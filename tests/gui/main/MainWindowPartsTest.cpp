#include <QTest>

#include "StationWindow.h"

// Tests, the settings file and the operator find the controls by name wherever their part put
// them, and rely on the start-up state.
class MainWindowPartsTest : public QObject {
    Q_OBJECT

private slots:
    void everyNameIsFoundOnce();
    void timersHaveTheirIntervals_data();
    void timersHaveTheirIntervals();
    void hiddenControlsStartHidden();
    void captionsAndHints();
};

void MainWindowPartsTest::everyNameIsFoundOnce() {
    StationWindow s;
    const WindowControls& ui = s.ui;
    const QList<QObject*> members = {ui.Image_content,
                                     ui.Image1,
                                     ui.L_cpzt,
                                     ui.CB_cpzt,
                                     ui.CB_qy,
                                     ui.E_cth,
                                     ui.Button_ct_cz,
                                     ui.CB_fyxs,
                                     ui.Tab_ct,
                                     ui.Panel_Left_Client,
                                     ui.Button_ct_syy,
                                     ui.Button_ct_xyy,
                                     ui.Panel_ct,
                                     ui.TreeView_ct_ct,
                                     ui.Button_ct_qd,
                                     ui.Button_ct_qx,
                                     ui.E_cpmc,
                                     ui.SpeedButton1,
                                     ui.ImgBtn9,
                                     ui.ImgBtn10,
                                     ui.ImgBtn12,
                                     ui.L_gzzd,
                                     ui.CB_gzzd,
                                     ui.L_cpbm,
                                     ui.CB_cpbm,
                                     ui.Button_cp_cz,
                                     ui.RG_xszt,
                                     ui.Button1,
                                     ui.Button2,
                                     ui.Button3,
                                     ui.Panel_cp,
                                     ui.TAB_CP,
                                     ui.RzPanel5,
                                     ui.RzPl_cstx,
                                     ui.cxGrid_ct_cp,
                                     ui.RzPanel10,
                                     ui.Panel_client_client,
                                     ui.RzPanel7,
                                     ui.RzPl_tccc,
                                     ui.RzPl_finished,
                                     ui.Button_cpys,
                                     ui.Button_wfzz,
                                     ui.ImgBtn11,
                                     ui.Button_zzwc,
                                     ui.Button_kszz,
                                     ui.Button_jjzz,
                                     ui.Button_cp_xyy,
                                     ui.Button_cp_syy,
                                     ui.Label_title,
                                     ui.Label_shortcuts,
                                     ui.Label_operator,
                                     ui.PopupMenu3,
                                     ui.N9,
                                     ui.N10,
                                     ui.N1,
                                     ui.N2,
                                     ui.N3,
                                     ui.N4,
                                     ui.N5,
                                     ui.Timer2,
                                     ui.Timer_sx,
                                     ui.Timer_updatezt,
                                     ui.Timer_cstx,
                                     ui.Timer5,
                                     ui.Timer1,
                                     ui.Timer3,
                                     ui.Timer4};
    QSet<QString> names;
    for (QObject* o : members) {
        QVERIFY(o != nullptr);
        QVERIFY2(!o->objectName().isEmpty(), "unnamed member");
        names.insert(o->objectName());
        // One object of each name in the window and its parts: no part shadows another's.
        qsizetype found = 0;
        for (const QObject* root : s.parts.objects()) {
            found += root->findChildren<QObject*>(o->objectName()).size();
        }
        QVERIFY2(found == 1, qPrintable(o->objectName()));
        // Controls lie in the window; a menu is a window of its own, owned by it.
        if (o->isWidgetType() && !static_cast<QWidget*>(o)->isWindow()) {
            QVERIFY(s.window.isAncestorOf(static_cast<QWidget*>(o)));
        }
    }
    QCOMPARE(names.size(), members.size());
    QCOMPARE(ui.Image_content->property("tag").toInt(), 99);
    QVERIFY(ui.Panel_Left_Client->layout() == nullptr);
    QVERIFY(ui.Panel_client_client->layout() == nullptr);
}

void MainWindowPartsTest::timersHaveTheirIntervals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("singleShot");
    QTest::newRow("Timer2") << "Timer2" << 1000 << true;
    QTest::newRow("Timer_sx") << "Timer_sx" << 5000 << false;
    QTest::newRow("Timer_updatezt") << "Timer_updatezt" << 300000 << false;
    QTest::newRow("Timer5") << "Timer5" << 1000 << false;
    QTest::newRow("Timer1") << "Timer1" << 100 << true;
    QTest::newRow("Timer3") << "Timer3" << 100 << true;
    QTest::newRow("Timer4") << "Timer4" << 70 << true;
}

void MainWindowPartsTest::timersHaveTheirIntervals() {
    QFETCH(QString, name);
    QFETCH(int, interval);
    QFETCH(bool, singleShot);
    StationWindow s;
    QTimer* timer = nullptr;
    for (const QObject* root : s.parts.objects()) {
        timer = timer ? timer : root->findChild<QTimer*>(name);
    }
    QVERIFY(timer);
    QCOMPARE(timer->interval(), interval);
    QCOMPARE(timer->isSingleShot(), singleShot);
    QVERIFY(!timer->isActive());
}

void MainWindowPartsTest::hiddenControlsStartHidden() {
    StationWindow s;
    const WindowControls& ui = s.ui;
    QWidget& window = s.window;
    window.show();
    for (QWidget* w :
         {static_cast<QWidget*>(ui.L_cpzt),        static_cast<QWidget*>(ui.CB_cpzt),
          static_cast<QWidget*>(ui.Tab_ct),        static_cast<QWidget*>(ui.Panel_ct),
          static_cast<QWidget*>(ui.L_gzzd),        static_cast<QWidget*>(ui.CB_gzzd),
          static_cast<QWidget*>(ui.L_cpbm),        static_cast<QWidget*>(ui.CB_cpbm),
          static_cast<QWidget*>(ui.Button_cp_cz),  static_cast<QWidget*>(ui.RG_xszt),
          static_cast<QWidget*>(ui.Button1),       static_cast<QWidget*>(ui.Button2),
          static_cast<QWidget*>(ui.Button3),       static_cast<QWidget*>(ui.Panel_cp),
          static_cast<QWidget*>(ui.RzPl_cstx),     static_cast<QWidget*>(ui.RzPanel10),
          static_cast<QWidget*>(ui.RzPanel7),      static_cast<QWidget*>(ui.RzPl_tccc),
          static_cast<QWidget*>(ui.RzPl_finished), static_cast<QWidget*>(ui.Button_zzwc),
          static_cast<QWidget*>(ui.Button_kszz),   static_cast<QWidget*>(ui.Button_jjzz),
          static_cast<QWidget*>(ui.Button_cp_xyy), static_cast<QWidget*>(ui.Button_cp_syy)}) {
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
    for (QWidget* w :
         {static_cast<QWidget*>(ui.E_cpmc), static_cast<QWidget*>(ui.RzPanel5),
          static_cast<QWidget*>(ui.cxGrid_ct_cp), static_cast<QWidget*>(ui.Panel_Left_Client),
          static_cast<QWidget*>(ui.Button_cpys), static_cast<QWidget*>(ui.ImgBtn11),
          static_cast<QWidget*>(ui.Label_operator)}) {
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    }
    QCOMPARE(ui.Panel_ct->size(), QSize(265, 250));
    QCOMPARE(ui.Panel_Left_Client->parentWidget()->width(), 359);
    QCOMPARE(ui.Image_content->parentWidget()->height(), 72);
    QCOMPARE(ui.Button_ct_syy->parentWidget()->height(), 41);
    auto* status = window.findChild<QWidget*>("Panel_status");
    QCOMPARE(status->height(), 41);
    QVERIFY(status->isAncestorOf(ui.Button_cpys));
    QVERIFY(status->isAncestorOf(ui.Button_cp_xyy));
    QCOMPARE(ui.Label_operator->parentWidget()->height(), 28);
    QCOMPARE(ui.Label_operator->parentWidget()->width(), window.width());
    // The pages stack in one place; only the list page shows at start.
    QCOMPARE(ui.RzPanel10->parentWidget(), ui.RzPanel5->parentWidget());
    QCOMPARE(ui.RzPl_finished->parentWidget(), ui.RzPanel5->parentWidget());
    QList<bool> menuVisible;
    for (QAction* a : ui.PopupMenu3->actions()) {
        menuVisible << a->isVisible();
    }
    QCOMPARE(menuVisible, (QList<bool>{false, false, true, false, true, false, false}));
    QVERIFY(ui.N4->isSeparator());
}

void MainWindowPartsTest::captionsAndHints() {
    StationWindow s;
    const WindowControls& ui = s.ui;
    QWidget& window = s.window;
    QCOMPARE(ui.CB_cpzt->count(), 8);
    QCOMPARE(ui.CB_cpzt->itemText(7), QStringLiteral("显示未做菜品"));
    QCOMPARE(ui.TAB_CP->count(), 5);
    QCOMPARE(ui.TAB_CP->tabText(4), QStringLiteral("最后出品菜品"));
    QCOMPARE(ui.RG_xszt->count(), 2);
    QCOMPARE(ui.RG_xszt->itemIndex(), -1);
    QCOMPARE(ui.Button_cpys->toolTip(), QStringLiteral("快捷方式：F9"));
    QCOMPARE(ui.Button_wfzz->toolTip(), QStringLiteral("快捷方式：F5"));
    QCOMPARE(ui.ImgBtn11->toolTip(), QStringLiteral("快捷方式：F6"));
    QCOMPARE(ui.E_cpmc->toolTip(), QStringLiteral("输入菜品名称、编号、状态或条码查询菜品"));
    QCOMPARE(ui.SpeedButton1->toolTip(), QStringLiteral("菜品列表"));
    QCOMPARE(ui.CB_fyxs->text(), QStringLiteral("按餐台类型分页显示"));
    QCOMPARE(window.font().pixelSize(), 12);
}

QTEST_MAIN(MainWindowPartsTest)
#include "MainWindowPartsTest.moc"
