#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "ModalDialog.h"
#include "ScriptedMessageBoxes.h"
#include "core/common/StationState.h"
#include "gui/soldout/TFgqsl.h"

using Answer = std::function<void(TFgqsl&)>;
Q_DECLARE_METATYPE(Answer)

namespace {

struct Run {
    double quantity = 0;
    bool leftOpen = false;
    QStringList boxes;
};

// Shows the dialog as the sold-out window does (quantity preset to 0) and answers it.
Run Ask(const Answer& answer) {
    StationState state;
    ScriptedMessageBoxes boxes;
    TFgqsl dialog(state, boxes);
    dialog.setDish(QStringLiteral("宫保鸡丁"), QStringLiteral("份"));
    state.SellableQuantity = 0;
    Run run;
    run.leftOpen = RunModalDialog([&] { dialog.exec(); },
                                  [&](QWidget*) {
                                      QApplication::setActiveWindow(&dialog);
                                      answer(dialog);
                                      run.boxes = boxes.texts();
                                  })
                       .leftOpen;
    run.quantity = state.SellableQuantity;
    return run;
}

void Type(TFgqsl& d, const QString& text) {
    d.EtSl->setFocus();
    d.EtSl->selectAll();
    QTest::keyClicks(d.EtSl, text);
}

}  // namespace

class TFgqslTest : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void answers_data();
    void answers();
    void refusedNumberKeepsTheDialog_data();
    void refusedNumberKeepsTheDialog();
};

void TFgqslTest::layout() {
    Ask([](TFgqsl& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("沽清设置"));
        QCOMPARE(d.size(), QSize(312, 196));
        QCOMPARE(d.LblXmmc->text(), QStringLiteral("宫保鸡丁"));
        QCOMPARE(d.Label2->text(), QStringLiteral("份"));
        QCOMPARE(d.Label3->text(), QStringLiteral("菜品名称："));
        QCOMPARE(d.Label1->text(), QStringLiteral("可销售数量："));
        QCOMPARE(d.BtnOK->text(), QStringLiteral("确定[F5]"));
        QCOMPARE(d.BtnCancle->text(), QStringLiteral("取消[F4]"));
        // Typing replaces the preset "0".
        QCOMPARE(d.focusWidget(), d.EtSl);
        QCOMPARE(d.EtSl->selectedText(), QStringLiteral("0"));
        d.BtnCancle->click();
    });
}

void TFgqslTest::answers_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<double>("quantity");
    QTest::newRow("default 0, OK") << Answer([](TFgqsl& d) { d.BtnOK->click(); }) << 0.0;
    QTest::newRow("typed over the 0, Enter") << Answer([](TFgqsl& d) {
        QTest::keyClicks(d.EtSl, "2.5");
        QTest::keyClick(d.EtSl, Qt::Key_Return);
    }) << 2.5;
    QTest::newRow("F5 from the cancel button") << Answer([](TFgqsl& d) {
        Type(d, "5");
        d.BtnCancle->setFocus();
        QTest::keyClick(d.BtnCancle, Qt::Key_F5);
    }) << 5.0;
    QTest::newRow("letters, minus and comma are dropped") << Answer([](TFgqsl& d) {
        Type(d, "a-1,2x.5e");
        QCOMPARE(d.EtSl->text(), QStringLiteral("12.5"));
        d.BtnOK->click();
    }) << 12.5;
    QTest::newRow("a pasted letter never gets in") << Answer([](TFgqsl& d) {
        d.EtSl->selectAll();
        d.EtSl->insert(QStringLiteral("7x"));
        QCOMPARE(d.EtSl->text(), QStringLiteral("0"));
        d.BtnOK->click();
    }) << 0.0;
    QTest::newRow("cancel button") << Answer([](TFgqsl& d) {
        Type(d, "3");
        d.BtnCancle->click();
    }) << -1.0;
    QTest::newRow("F4") << Answer([](TFgqsl& d) {
        Type(d, "3");
        QTest::keyClick(d.EtSl, Qt::Key_F4);
    }) << -1.0;
    QTest::newRow("Esc") << Answer([](TFgqsl& d) { QTest::keyClick(d.EtSl, Qt::Key_Escape); })
                         << -1.0;
    // The close box cancels too: dismissing the dialog must not sell the dish out.
    QTest::newRow("close box") << Answer([](TFgqsl& d) {
        Type(d, "3");
        d.close();
    }) << -1.0;
}

void TFgqslTest::answers() {
    QFETCH(Answer, answer);
    QFETCH(double, quantity);
    const Run run = Ask(answer);
    QVERIFY(!run.leftOpen);
    QVERIFY(run.boxes.isEmpty());
    QCOMPARE(run.quantity, quantity);
}

void TFgqslTest::refusedNumberKeepsTheDialog_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("empty") << "";
    QTest::newRow("a point alone") << ".";
}

void TFgqslTest::refusedNumberKeepsTheDialog() {
    QFETCH(QString, typed);
    StationState state;
    ScriptedMessageBoxes boxes;
    TFgqsl dialog(state, boxes);
    RunModalDialog([&] { dialog.exec(); },
                   [&](QWidget*) {
                       dialog.EtSl->setText(typed);
                       dialog.BtnOK->setFocus();
                       QTest::keyClick(dialog.BtnOK, Qt::Key_F5);
                       QVERIFY(dialog.isVisible());
                       QCOMPARE(boxes.shown().size(), 1);
                       QCOMPARE(boxes.shown().at(0).caption, QStringLiteral("系统提示"));
                       QCOMPARE(boxes.shown().at(0).text, QStringLiteral("数量有误,请重新输入！"));
                       QCOMPARE(boxes.shown().at(0).icon, QMessageBox::Information);
                       QCOMPARE(dialog.focusWidget(), dialog.EtSl);
                       QCOMPARE(dialog.EtSl->selectedText(), typed);
                       QCOMPARE(state.SellableQuantity, 0.0);
                       Type(dialog, "4");
                       dialog.BtnOK->click();
                   });
    QCOMPARE(state.SellableQuantity, 4.0);
}

QTEST_MAIN(TFgqslTest)
#include "TFgqslTest.moc"
