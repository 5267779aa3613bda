#include "gui/soldout/TFgqsl.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

#include "core/common/StationState.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/StationWidgets.h"

TFgqsl::TFgqsl(StationState& state, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      state_(state),
      boxes_(boxes) {
    setObjectName(QStringLiteral("Fgqsl"));
    setWindowTitle(QStringLiteral("沽清设置"));
    setFixedSize(312, 196);

    GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
    GroupBox1->setGeometry(10, 8, 292, 124);
    Label3 = Named(new QLabel(QStringLiteral("菜品名称："), GroupBox1), "Label3");
    Label3->setGeometry(16, 24, 84, 24);
    LblXmmc = Named(new QLabel(QStringLiteral("无"), GroupBox1), "LblXmmc");
    LblXmmc->setGeometry(100, 24, 180, 24);
    LblXmmc->setStyleSheet(QStringLiteral("color: red;"));
    Label1 = Named(new QLabel(QStringLiteral("可销售数量："), GroupBox1), "Label1");
    Label1->setGeometry(16, 70, 84, 26);
    EtSl = Named(new QLineEdit(QStringLiteral("0"), GroupBox1), "EtSl");
    EtSl->setGeometry(100, 70, 120, 26);
    // Digits and the point only, whichever way the text comes in (keys, paste, input method);
    // two points still get through and are refused on OK.
    EtSl->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), EtSl));
    Label2 = Named(new QLabel(QStringLiteral("单位"), GroupBox1), "Label2");
    Label2->setGeometry(228, 70, 56, 26);
    Label2->setStyleSheet(QStringLiteral("color: blue;"));

    BtnOK = Named(new QPushButton(QStringLiteral("确定[F5]"), this), "BtnOK");
    BtnOK->setGeometry(62, 148, 88, 30);
    BtnCancle = Named(new QPushButton(QStringLiteral("取消[F4]"), this), "BtnCancle");
    BtnCancle->setGeometry(162, 148, 88, 30);
    for (QPushButton* b : {BtnOK, BtnCancle}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    for (QWidget* w : {static_cast<QWidget*>(EtSl), static_cast<QWidget*>(BtnOK),
                       static_cast<QWidget*>(BtnCancle)}) {
        w->installEventFilter(this);
    }

    const ErrorGuard guard(boxes_, this);
    connect(BtnOK, &QPushButton::clicked, this, guard.wrap([this] { BtnOKClick(); }));
    connect(BtnCancle, &QPushButton::clicked, this, guard.wrap([this] { BtnCancleClick(); }));
}

void TFgqsl::setDish(const QString& name, const QString& unit) {
    LblXmmc->setText(name);
    Label2->setText(unit);
}

void TFgqsl::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    EtSl->setFocus();
    EtSl->selectAll();
}

void TFgqsl::BtnOKClick() {
    bool ok = false;
    const double quantity = QLocale::c().toDouble(EtSl->text(), &ok);
    if (!ok) {
        boxes_.show(this, QMessageBox::Information, QStringLiteral("系统提示"),
                    QStringLiteral("数量有误,请重新输入！"), QMessageBox::Ok);
        EtSl->setFocus();
        EtSl->selectAll();
        return;
    }
    state_.SellableQuantity = quantity;
    accept();
}

void TFgqsl::BtnCancleClick() {
    reject();
}

void TFgqsl::reject() {
    state_.SellableQuantity = -1;
    QDialog::reject();
}

bool TFgqsl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const ErrorGuard guard(boxes_, this);
    switch (key->key()) {
        case Qt::Key_F5:
            guard.run([this] { BtnOKClick(); });
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (watched == EtSl) {
                guard.run([this] { BtnOKClick(); });
                return true;
            }
            if (auto* button = qobject_cast<QPushButton*>(watched)) {
                button->click();
                return true;
            }
            break;
        case Qt::Key_F4:
        case Qt::Key_Escape:
            guard.run([this] { BtnCancleClick(); });
            return true;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}
