#include "gui/session/Tfxgmm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/common/StationState.h"
#include "core/session/PasswordChange.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/common/StationWidgets.h"

namespace {

QLineEdit* PasswordBox(const char* name, QWidget* parent) {
    auto* e = Named(new QLineEdit(parent), name);
    MakePasswordBox(e);
    return e;
}

}  // namespace

Tfxgmm::Tfxgmm(TF_dm& dm, StationState& state, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      dm_(dm),
      state_(state),
      boxes_(boxes) {
    setObjectName(QStringLiteral("fxgmm"));
    setWindowTitle(QStringLiteral("修改当前操作员密码"));
    setFixedSize(273, 237);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 8, 10, 10);
    auto* group = Named(new QGroupBox(QStringLiteral("修改操作员密码"), this), "GroupBox1");
    auto* form = new QFormLayout(group);
    form->setVerticalSpacing(10);
    ebh = Named(new QLineEdit(state_.CurrentOperator, group), "ebh");
    ebh->setEnabled(false);
    eold = PasswordBox("eold", group);
    enew = PasswordBox("enew", group);
    enew1 = PasswordBox("enew1", group);
    form->addRow(QStringLiteral("操作员编号"), ebh);
    form->addRow(QStringLiteral("旧密码"), eold);
    form->addRow(QStringLiteral("新密码"), enew);
    form->addRow(QStringLiteral("确认新密码"), enew1);
    page->addWidget(group, 1);

    auto* buttons = new QHBoxLayout;
    butbc = Named(new QPushButton(QStringLiteral("确定 [F5]"), this), "butbc");
    BUTQX = Named(new QPushButton(QStringLiteral("取消 [F4]"), this), "BUTQX");
    buttons->addStretch(1);
    for (QPushButton* b : {butbc, BUTQX}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    page->addLayout(buttons);

    for (QWidget* w : {static_cast<QWidget*>(ebh), static_cast<QWidget*>(eold),
                       static_cast<QWidget*>(enew), static_cast<QWidget*>(enew1),
                       static_cast<QWidget*>(butbc), static_cast<QWidget*>(BUTQX)}) {
        w->installEventFilter(this);
    }
    installEventFilter(this);
    const ErrorGuard guard(boxes_, this);
    connect(butbc, &QPushButton::clicked, this, guard.wrap([this] { butbcClick(); }));
    connect(BUTQX, &QPushButton::clicked, this, guard.wrap([this] { reject(); }));
}

void Tfxgmm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* s = parentWidget() ? parentWidget()->screen() : screen();
    if (s) {
        move(s->availableGeometry().center() - rect().center());
    }
    eold->setFocus();
}

void Tfxgmm::tell(const QString& text) {
    boxes_.show(this, QMessageBox::Information, QStringLiteral("提示信息"), text, QMessageBox::Ok);
}

void Tfxgmm::butbcClick() {
    const QString oldPassword = eold->text().trimmed();
    const QString newPassword = enew->text().trimmed();
    const QString confirmation = enew1->text().trimmed();
    switch (CheckPasswordChange(state_.CurrentPassword, oldPassword, newPassword, confirmation)) {
        case PasswordCheck::OldMissing:
            tell(QStringLiteral("请输入旧密码！"));
            enew->clear();
            enew1->clear();
            eold->setFocus();
            return;
        case PasswordCheck::OldWrong:
            tell(QStringLiteral("您输入的旧密码不正确,请重新输入！"));
            eold->clear();
            enew->clear();
            enew1->clear();
            eold->setFocus();
            return;
        case PasswordCheck::Mismatch:
            tell(QStringLiteral("新密码与确认新密码不一致,请重新输入！"));
            enew->clear();
            enew1->clear();
            enew->setFocus();
            return;
        case PasswordCheck::Accepted:
            break;
    }
    const QString operatorCode = ebh->text().trimmed();
    const CommandOutcome outcome = StoreOperatorPassword(dm_, operatorCode, newPassword);
    switch (outcome.result) {
        case CommandResult::Done:
            break;
        case CommandResult::Failed:
            boxes_.error(this, QStringLiteral("密码修改失败，原密码仍然有效。\n") + outcome.error);
            return;
        default:
            // No row changed: nothing was stored, and the old password still logs in.
            tell(QStringLiteral("密码修改失败：找不到操作员“%1”，原密码仍然有效！")
                     .arg(operatorCode));
            return;
    }
    state_.CurrentPassword = newPassword;
    tell(QStringLiteral("密码修改成功！"));
    accept();
}

bool Tfxgmm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const ErrorGuard guard(boxes_, this);
    switch (key->key()) {
        case Qt::Key_Escape:
        case Qt::Key_F4:
            reject();
            return true;
        case Qt::Key_F5:
            guard.run([this] { butbcClick(); });
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (watched == ebh) {
                eold->setFocus();
            } else if (watched == eold) {
                enew->setFocus();
            } else if (watched == enew) {
                enew1->setFocus();
            } else if (watched == enew1) {
                butbc->setFocus();
            } else if (auto* button = qobject_cast<QPushButton*>(watched)) {
                button->click();
            } else {
                break;
            }
            return true;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void OpenPasswordChange(StationContext& ctx) {
    Tfxgmm window(ctx.dm, ctx.state, ctx.boxes, ctx.window);
    window.exec();
}
