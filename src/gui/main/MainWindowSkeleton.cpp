#include "gui/main/MainWindowSkeleton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/common/AppTexts.h"
#include "core/session/SessionRegistry.h"
#include "gui/common/StationWidgets.h"

namespace {

const QColor kBand = kStationBlue;
const QColor kBandLight = kStationLightBlue;

QPixmap PaintTopBackground() {
    QPixmap pix(1600, 72);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, 72);
    g.setColorAt(0, kBandLight);
    g.setColorAt(1, kBand);
    p.fillRect(pix.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 40), 2));
    for (int x = -72; x < pix.width(); x += 36) {
        p.drawLine(x, 72, x + 72, 0);
    }
    return pix;
}

QPixmap PaintLogo() {
    QPixmap pix(260, 60);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xf5, 0xa6, 0x23));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(4, 8, 44, 44));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(15, 30);
    tick.lineTo(23, 39);
    tick.lineTo(38, 20);
    p.drawPath(tick);
    QFont f;
    f.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("宋体")});
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(56, 0, 204, 60), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("檀舟出品划菜"));
    return pix;
}

QWidget* Place(const char* name, QWidget* parent) {
    auto* w = Named(new QWidget(parent), name);
    return w;
}

QHBoxLayout* Row(QWidget* w, int spacing) {
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    return row;
}

void BuildTopBar(MainWindowSkeleton& ui, QWidget* window, QWidget* top) {
    top->setFixedHeight(72);
    ui.Image_content = Named(new QLabel(top), "Image_content");
    ui.Image_content->setProperty("tag", 99);
    ui.Image_content->setPixmap(PaintTopBackground());
    ui.Image_content->setScaledContents(true);
    ui.Image_content->setGeometry(0, 0, 4000, 72);

    ui.Image1 = Named(new QLabel(top), "Image1");
    ui.Image1->setPixmap(PaintLogo());
    ui.Image1->setFixedSize(260, 60);
    ui.Image1->move(window->width() - 260 - 30, 6);

    // Hidden controls keep their values; the place holds them where they would be shown.
    ui.stateFilterPlace = Place("Place_cpzt", top);
    ui.stateFilterPlace->setGeometry(12, 24, 212, 24);
    ui.stateFilterPlace->hide();

    // Over the top bar, where the pass looks first, and taking no room of the lists: when it
    // comes and goes, no row moves from under the mouse.
    ui.healthBandPlace = Place("Place_health", top);
    Row(ui.healthBandPlace, 0);
    ui.healthBandPlace->setGeometry(8, 14, 700, 44);
    ui.healthBandPlace->hide();
}

void BuildSearchStrip(MainWindowSkeleton& ui, QWidget* strip) {
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(4);
    ui.searchPlace = Place("Place_cpmc", strip);
    Row(ui.searchPlace, 4);
    row->addWidget(ui.searchPlace, 1);
    ui.ImgBtn10 = PictureButton("ImgBtn10", QStringLiteral("高级查询"), Glyph::Query, kBand,
                                QStringLiteral("高级查询"), strip);
    ui.ImgBtn12 = PictureButton("ImgBtn12", QStringLiteral("设置"), Glyph::Settings, kBand,
                                QStringLiteral("设置"), strip);
    row->addWidget(ui.ImgBtn10);
    row->addWidget(ui.ImgBtn12);

    // Hidden controls take no room.
    ui.hiddenFilterPlace = Place("Place_cp_filters", strip);
    Row(ui.hiddenFilterPlace, 4);
    ui.hiddenFilterPlace->hide();
    ui.Button1 = Named(new QPushButton(QStringLiteral("设置"), strip), "Button1");
    ui.Button2 = Named(new QPushButton(QStringLiteral("高级查询"), strip), "Button2");
    ui.Button3 = Named(new QPushButton(QStringLiteral("沽清管理"), strip), "Button3");
    for (QWidget* w : {static_cast<QWidget*>(ui.Button1), static_cast<QWidget*>(ui.Button2),
                       static_cast<QWidget*>(ui.Button3)}) {
        w->hide();
    }
}

void BuildStatusBar(MainWindowSkeleton& ui, QWidget* bar) {
    bar->setFixedHeight(41);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(6);
    ui.commandPlace = Place("Place_commands", bar);
    Row(ui.commandPlace, 6);
    ui.iconPagingPlace = Place("Place_cp_paging", bar);
    Row(ui.iconPagingPlace, 6);
    row->addWidget(ui.commandPlace);
    row->addStretch(1);
    row->addWidget(ui.iconPagingPlace);
}

void BuildBottomBar(MainWindowSkeleton& ui, QWidget* bar) {
    bar->setFixedHeight(28);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 2, 8, 2);
    row->setSpacing(24);
    ui.Label_title =
        Named(new QLabel(QStringLiteral("檀舟餐饮ERP - 出品划菜"), bar), "Label_title");
    ui.Label_shortcuts = Named(
        new QLabel(QStringLiteral("快捷键：F1 修改密码  F2 锁屏  F5 无法制作   F9(或双击当前菜品) "
                                  "菜品已上  F6 沽清管理"),
                   bar),
        "Label_shortcuts");
    ui.Label_operator = Named(new QLabel(QStringLiteral("当前操作员："), bar), "Label_operator");
    row->addWidget(ui.Label_title);
    row->addWidget(ui.Label_shortcuts, 1);
    row->addWidget(ui.Label_operator);
}

}  // namespace

MainWindowSkeleton BuildMainWindowSkeleton(QWidget* window) {
    MainWindowSkeleton ui;
    ui.window = window;
    window->setWindowTitle(kApplicationTitle);
    QFont font;
    font.setFamilies(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(12);
    window->setFont(font);
    window->resize(1064, 737);

    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* top = Named(new QWidget(window), "Panel_top");
    BuildTopBar(ui, window, top);
    outer->addWidget(top);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(2);
    ui.boardPlace = Named(new QFrame(window), "Panel_Left");
    ui.boardPlace->setFixedWidth(359);
    middle->addWidget(ui.boardPlace);

    auto* right = Named(new QFrame(window), "Panel_Right");
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 4, 0);
    rightColumn->setSpacing(2);
    auto* strip = Named(new QFrame(right), "Panel_cp_search");
    BuildSearchStrip(ui, strip);
    rightColumn->addWidget(strip);
    ui.dishPlace = Place("Panel_cp_area", right);
    ui.dishPlace->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    rightColumn->addWidget(ui.dishPlace, 1);
    auto* status = Named(new QFrame(right), "Panel_status");
    BuildStatusBar(ui, status);
    rightColumn->addWidget(status);
    middle->addWidget(right, 1);
    outer->addLayout(middle, 1);

    auto* bottom = Named(new QFrame(window), "Panel_bottom");
    BuildBottomBar(ui, bottom);
    outer->addWidget(bottom);

    ui.Timer2 = NamedTimer("Timer2", 1000, true, window);
    ui.Timer_updatezt = NamedTimer("Timer_updatezt", kHeartbeatMs, false, window);
    return ui;
}
