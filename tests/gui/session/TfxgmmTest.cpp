#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ModalDialog.h"
#include "StationServices.h"
#include "core/session/Md5Hex.h"
#include "core/session/SessionRegistry.h"
#include "gui/session/Tfxgmm.h"

namespace {

struct PasswordFixture {
    StationServices s;

    explicit PasswordFixture(const QString& current) {
        s.state.CurrentOperator = QStringLiteral("001");
        s.state.CurrentPassword = current;
        s.db.exec("insert into users values (:a1,:a2,:a3)",
                  {"001", current.isEmpty() ? QStringLiteral(" ") : Md5Hex(current), 1});
        s.db.exec("insert into users values ('002', 'other', 2)");
    }
    QString stored() {
        return s.db.scalar("select user_mm from users where user_bh = '001'").toString();
    }
    // Opens the window as F1 does; drive fills and presses; the window is closed at the end.
    ModalDialogRun run(const std::function<void(Tfxgmm&)>& drive) {
        return RunModalDialog([&] { OpenPasswordChange(s.ctx); },
                              [&](QWidget* dialog) {
                                  auto* w = qobject_cast<Tfxgmm*>(dialog);
                                  QVERIFY(w);
                                  QApplication::setActiveWindow(w);
                                  drive(*w);
                              });
    }
};

void Fill(Tfxgmm& w, const QString& old, const QString& neu, const QString& confirm) {
    w.eold->setText(old);
    w.enew->setText(neu);
    w.enew1->setText(confirm);
}

}  // namespace

class TfxgmmTest : public QObject {
    Q_OBJECT

private slots:
    void looks();
    void save_data();
    void save();
    void enterMovesAndWindowKeys();
    void goneOperatorKeepsThePassword();
    void databaseErrorKeepsThePassword();
};

void TfxgmmTest::looks() {
    PasswordFixture f(QStringLiteral("123"));
    const ModalDialogRun run = f.run([&](Tfxgmm& w) {
        QCOMPARE(w.size(), QSize(273, 237));
        QCOMPARE(w.findChild<QGroupBox*>()->title(), QStringLiteral("修改操作员密码"));
        QCOMPARE(w.ebh->text(), QStringLiteral("001"));
        QVERIFY(!w.ebh->isEnabled());
        for (QLineEdit* e : {w.eold, w.enew, w.enew1}) {
            QCOMPARE(e->echoMode(), QLineEdit::Password);
            e->setText(QStringLiteral("a1"));
            QCOMPARE(e->displayText(), QStringLiteral("**"));
            e->clear();
        }
        QCOMPARE(w.focusWidget(), w.eold);
        QCOMPARE(w.butbc->text(), QStringLiteral("确定 [F5]"));
        QCOMPARE(w.BUTQX->text(), QStringLiteral("取消 [F4]"));
        w.BUTQX->click();
    });
    QCOMPARE(run.title, QStringLiteral("修改当前操作员密码"));
    QVERIFY(!run.leftOpen);
}

void TfxgmmTest::save_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("neu");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fieldsAfter");  // old|new|confirm, and where the focus is
    QTest::addColumn<QString>("passwordAfter");
    QTest::addColumn<QString>("storedAfter");  // empty: as before
    const QString saved = QStringLiteral("密码修改成功！");
    QTest::newRow("changed") << "123"
                             << "123"
                             << "456"
                             << "456" << saved << ""
                             << "456"
                             << "250CF8B51C773F3F8DC8B4BE867A9A02";
    QTest::newRow("blanks around ignored") << "123"
                                           << " 123 "
                                           << " 456"
                                           << "456  " << saved << ""
                                           << "456"
                                           << "250CF8B51C773F3F8DC8B4BE867A9A02";
    QTest::newRow("letters: upper-case hex") << "123"
                                             << "123"
                                             << "abc"
                                             << "abc" << saved << ""
                                             << "abc"
                                             << "900150983CD24FB0D6963F7D28E17F72";
    QTest::newRow("no password yet: old left empty") << ""
                                                     << ""
                                                     << "9"
                                                     << "9" << saved << ""
                                                     << "9"
                                                     << "45C48CCE2E2D7FBDEA1AFC51C7C6AD26";
    QTest::newRow("empty new password: a blank") << "123"
                                                 << "123"
                                                 << ""
                                                 << "  " << saved << ""
                                                 << ""
                                                 << " ";
    QTest::newRow("old missing") << "123"
                                 << ""
                                 << "4"
                                 << "4"
                                 << "请输入旧密码！"
                                 << "||@eold"
                                 << "123"
                                 << "";
    QTest::newRow("old wrong") << "123"
                               << "12"
                               << "4"
                               << "4"
                               << "您输入的旧密码不正确,请重新输入！"
                               << "||@eold"
                               << "123"
                               << "";
    QTest::newRow("letter case counts") << "Abc"
                                        << "abc"
                                        << "4"
                                        << "4"
                                        << "您输入的旧密码不正确,请重新输入！"
                                        << "||@eold"
                                        << "Abc"
                                        << "";
    QTest::newRow("something typed, none set") << ""
                                               << "x"
                                               << "4"
                                               << "4"
                                               << "您输入的旧密码不正确,请重新输入！"
                                               << "||@eold"
                                               << ""
                                               << "";
    QTest::newRow("confirmation differs") << "123"
                                          << "123"
                                          << "4"
                                          << "5"
                                          << "新密码与确认新密码不一致,请重新输入！"
                                          << "123||@enew"
                                          << "123"
                                          << "";
}

void TfxgmmTest::save() {
    QFETCH(QString, current);
    QFETCH(QString, old);
    QFETCH(QString, neu);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(QString, fieldsAfter);
    QFETCH(QString, passwordAfter);
    QFETCH(QString, storedAfter);
    PasswordFixture f(current);
    const QString storedBefore = f.stored();
    const bool saves = fieldsAfter.isEmpty();
    f.run([&](Tfxgmm& w) {
        Fill(w, old, neu, confirm);
        w.butbc->click();
        QCOMPARE(f.s.boxes.texts(), QStringList{message});
        QCOMPARE(f.s.boxes.shown().at(0).caption, QStringLiteral("提示信息"));
        QCOMPARE(f.s.boxes.shown().at(0).icon, QMessageBox::Information);
        QCOMPARE(w.isVisible(), !saves);
        if (!saves) {
            QCOMPARE(w.eold->text() + "|" + w.enew->text() + "|" + w.enew1->text() + "@" +
                         w.focusWidget()->objectName(),
                     fieldsAfter);
            w.BUTQX->click();
        }
    });
    QCOMPARE(f.s.state.CurrentPassword, passwordAfter);
    QCOMPARE(f.stored(), saves ? storedAfter : storedBefore);
    QCOMPARE(f.s.db.scalar("select user_mm from users where user_bh = '002'").toString(),
             QStringLiteral("other"));
    // The next login takes the new password and no longer the old one.
    QVERIFY(VerifyOperatorPassword(f.s.db.dm(), "001", passwordAfter));
    if (saves && passwordAfter != current) {
        QVERIFY(!VerifyOperatorPassword(f.s.db.dm(), "001", current));
    }
}

void TfxgmmTest::enterMovesAndWindowKeys() {
    PasswordFixture f(QStringLiteral("123"));
    f.run([&](Tfxgmm& w) {
        Fill(w, "123", "7", "7");
        w.eold->setFocus();
        QTest::keyClick(w.eold, Qt::Key_Return);
        QCOMPARE(w.focusWidget(), w.enew);
        QTest::keyClick(w.enew, Qt::Key_Enter);
        QCOMPARE(w.focusWidget(), w.enew1);
        QTest::keyClick(w.enew1, Qt::Key_Return);
        QCOMPARE(w.focusWidget(), w.butbc);
        QVERIFY(f.s.boxes.shown().isEmpty());  // reached, not pressed
        QTest::keyClick(w.butbc, Qt::Key_Return);
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(f.s.state.CurrentPassword, QStringLiteral("7"));

    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F4}) {
        PasswordFixture g(QStringLiteral("123"));
        g.run([&](Tfxgmm& w) {
            Fill(w, "123", "8", "8");
            QTest::keyClick(w.enew1, key);
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(g.s.state.CurrentPassword, QStringLiteral("123"));
        QCOMPARE(g.stored(), Md5Hex("123"));
        QVERIFY(g.s.boxes.shown().isEmpty());
    }

    PasswordFixture h(QStringLiteral("123"));
    h.run([&](Tfxgmm& w) {
        Fill(w, "123", "9", "9");
        QTest::keyClick(w.eold, Qt::Key_F5);
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(h.s.state.CurrentPassword, QStringLiteral("9"));
}

void TfxgmmTest::goneOperatorKeepsThePassword() {
    PasswordFixture f(QStringLiteral("123"));
    f.s.db.exec("delete from users where user_bh = '001'");
    f.run([&](Tfxgmm& w) {
        Fill(w, "123", "456", "456");
        w.butbc->click();
        QVERIFY(w.isVisible());
        QCOMPARE(f.s.boxes.shown().size(), 1);
        QVERIFY(f.s.boxes.shown().at(0).text.contains(QStringLiteral("找不到操作员“001”")));
        QVERIFY(!f.s.boxes.texts().contains(QStringLiteral("密码修改成功！")));
        w.BUTQX->click();
    });
    QCOMPARE(f.s.state.CurrentPassword, QStringLiteral("123"));
}

void TfxgmmTest::databaseErrorKeepsThePassword() {
    PasswordFixture f(QStringLiteral("123"));
    f.s.db.exec(
        "create trigger held before update on users begin select raise(abort, 'held'); end");
    f.run([&](Tfxgmm& w) {
        Fill(w, "123", "456", "456");
        w.butbc->click();
        QVERIFY(w.isVisible());
        QCOMPARE(f.s.boxes.shown().size(), 1);
        QCOMPARE(f.s.boxes.shown().at(0).icon, QMessageBox::Critical);
        QVERIFY(f.s.boxes.shown().at(0).text.contains(QLatin1String("held")));
        w.BUTQX->click();
    });
    QCOMPARE(f.s.state.CurrentPassword, QStringLiteral("123"));
    QCOMPARE(f.stored(), Md5Hex("123"));
}

QTEST_MAIN(TfxgmmTest)
#include "TfxgmmTest.moc"
