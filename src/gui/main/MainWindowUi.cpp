#include "gui/main/MainWindowUi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

#include "core/common/AppTexts.h"
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

void BuildTopBar(MainWindowUi& ui, QWidget* window, QWidget* top) {
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

    ui.L_cpzt = Named(new QLabel(QStringLiteral("菜品状态:"), top), "L_cpzt");
    ui.L_cpzt->setGeometry(12, 24, 70, 24);
    ui.L_cpzt->hide();
    ui.CB_cpzt = Named(new QComboBox(top), "CB_cpzt");
    ui.CB_cpzt->addItems({QStringLiteral("显示所有菜品"), QStringLiteral("显示已上菜品"),
                          QStringLiteral("显示未上菜品"), QStringLiteral("开始制作菜品"),
                          QStringLiteral("显示加急菜品"), QStringLiteral("无法制作菜品"),
                          QStringLiteral("显示完成菜品"), QStringLiteral("显示未做菜品")});
    ui.CB_cpzt->setGeometry(84, 24, 140, 24);
    ui.CB_cpzt->hide();
}

void BuildLeftColumn(MainWindowUi& ui, QWidget* left) {
    left->setFixedWidth(359);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(4, 4, 4, 0);
    column->setSpacing(4);

    auto* filters = Named(new QFrame(left), "Panel_ct_filter");
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->addWidget(Caption(QStringLiteral("选择区域:"), filters), 0, 0);
    ui.CB_qy = Named(new QComboBox(filters), "CB_qy");
    grid->addWidget(ui.CB_qy, 0, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("餐台名称:"), filters), 1, 0);
    ui.E_cth = Named(new QLineEdit(filters), "E_cth");
    grid->addWidget(ui.E_cth, 1, 1);
    ui.Button_ct_cz = Named(new QPushButton(QStringLiteral("查找"), filters), "Button_ct_cz");
    ui.Button_ct_cz->setFixedWidth(60);
    grid->addWidget(ui.Button_ct_cz, 1, 2);
    ui.CB_fyxs = Named(new QCheckBox(QStringLiteral("按餐台类型分页显示"), filters), "CB_fyxs");
    grid->addWidget(ui.CB_fyxs, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    column->addWidget(filters);

    ui.Tab_ct = Named(new QTabBar(left), "Tab_ct");
    ui.Tab_ct->setExpanding(false);
    ui.Tab_ct->setUsesScrollButtons(true);
    ui.Tab_ct->setDrawBase(false);
    ui.Tab_ct->hide();
    column->addWidget(ui.Tab_ct);

    ui.Panel_Left_Client = Named(new QWidget(left), "Panel_Left_Client");
    ui.Panel_Left_Client->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    column->addWidget(ui.Panel_Left_Client, 1);

    auto* paging = Named(new QFrame(left), "Panel_ct_paging");
    paging->setFixedHeight(41);
    auto* row = new QHBoxLayout(paging);
    row->setContentsMargins(4, 4, 4, 4);
    ui.Button_ct_syy = Named(new QPushButton(QStringLiteral("上一页"), paging), "Button_ct_syy");
    ui.Button_ct_syy->setIcon(PaintGlyph(Glyph::Previous, kBand));
    ui.Button_ct_xyy = Named(new QPushButton(QStringLiteral("下一页"), paging), "Button_ct_xyy");
    ui.Button_ct_xyy->setIcon(PaintGlyph(Glyph::Next, kBand));
    row->addStretch(1);
    row->addWidget(ui.Button_ct_syy);
    row->addSpacing(16);
    row->addWidget(ui.Button_ct_xyy);
    row->addStretch(1);
    column->addWidget(paging);
}

void BuildSearchStrip(MainWindowUi& ui, QWidget* strip) {
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(4);
    row->addWidget(Caption(QStringLiteral("菜品信息:"), strip));
    ui.E_cpmc = Named(new QLineEdit(strip), "E_cpmc");
    ui.E_cpmc->setToolTip(QStringLiteral("输入菜品名称、编号、状态或条码查询菜品"));
    ui.E_cpmc->setMinimumWidth(220);
    row->addWidget(ui.E_cpmc, 1);
    ui.SpeedButton1 = Named(new QToolButton(strip), "SpeedButton1");
    ui.SpeedButton1->setText(QStringLiteral(">>"));
    ui.SpeedButton1->setToolTip(QStringLiteral("菜品列表"));
    ui.SpeedButton1->setMinimumHeight(30);
    row->addWidget(ui.SpeedButton1);
    ui.ImgBtn9 = PictureButton("ImgBtn9", QStringLiteral("查询"), Glyph::Search, kBand,
                               QStringLiteral("查询菜品"), strip);
    ui.ImgBtn10 = PictureButton("ImgBtn10", QStringLiteral("高级查询"), Glyph::Query, kBand,
                                QStringLiteral("高级查询"), strip);
    ui.ImgBtn12 = PictureButton("ImgBtn12", QStringLiteral("设置"), Glyph::Settings, kBand,
                                QStringLiteral("设置"), strip);
    row->addWidget(ui.ImgBtn9);
    row->addWidget(ui.ImgBtn10);
    row->addWidget(ui.ImgBtn12);

    // Hidden controls keep their values for the dish filters; they take no room.
    ui.L_gzzd = Named(new QLabel(QStringLiteral("工作站点:"), strip), "L_gzzd");
    ui.CB_gzzd = Named(new QComboBox(strip), "CB_gzzd");
    ui.L_cpbm = Named(new QLabel(QStringLiteral("出品部门:"), strip), "L_cpbm");
    ui.CB_cpbm = Named(new QComboBox(strip), "CB_cpbm");
    ui.Button_cp_cz = Named(new QPushButton(QStringLiteral("查找"), strip), "Button_cp_cz");
    ui.RG_xszt = Named(
        new RadioGroup(QString(),
                       {QStringLiteral("显示所有餐台菜品"), QStringLiteral("显示当前餐台菜品")}, 2,
                       strip),
        "RG_xszt");
    ui.Button1 = Named(new QPushButton(QStringLiteral("设置"), strip), "Button1");
    ui.Button2 = Named(new QPushButton(QStringLiteral("高级查询"), strip), "Button2");
    ui.Button3 = Named(new QPushButton(QStringLiteral("沽清管理"), strip), "Button3");
    for (QWidget* w : {static_cast<QWidget*>(ui.L_gzzd), static_cast<QWidget*>(ui.CB_gzzd),
                       static_cast<QWidget*>(ui.L_cpbm), static_cast<QWidget*>(ui.CB_cpbm),
                       static_cast<QWidget*>(ui.Button_cp_cz), static_cast<QWidget*>(ui.RG_xszt),
                       static_cast<QWidget*>(ui.Button1), static_cast<QWidget*>(ui.Button2),
                       static_cast<QWidget*>(ui.Button3)}) {
        w->hide();
    }
}

void BuildPages(MainWindowUi& ui, QWidget* right, QVBoxLayout* column) {
    ui.TAB_CP = Named(new QTabBar(right), "TAB_CP");
    for (const char* caption :
         {"列表方式显示", "图标方式显示", "超时菜品信息", "催菜退菜信息", "最后出品菜品"}) {
        ui.TAB_CP->addTab(QString::fromUtf8(caption));
    }
    ui.TAB_CP->setExpanding(false);
    ui.TAB_CP->setDrawBase(true);
    column->addWidget(ui.TAB_CP);

    // All five pages share one cell: the dish views show the page of the chosen tab and
    // hide the others, and a hidden page takes no room.
    auto* pages = Named(new QWidget(right), "Panel_cp_pages");
    auto* cell = new QGridLayout(pages);
    cell->setContentsMargins(0, 0, 0, 0);
    ui.RzPanel5 = PlainPage("RzPanel5", pages);
    auto* list = new QVBoxLayout(ui.RzPanel5);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(0);
    ui.cxGrid_ct_cp = Named(new QTableView(ui.RzPanel5), "cxGrid_ct_cp");
    list->addWidget(ui.cxGrid_ct_cp, 1);
    ui.RzPl_cstx = PlainPage("RzPl_cstx", ui.RzPanel5);
    ui.RzPl_cstx->setFixedHeight(240);
    ui.RzPl_cstx->setFrameShape(QFrame::StyledPanel);
    ui.RzPl_cstx->hide();
    list->addWidget(ui.RzPl_cstx);

    ui.RzPanel10 = PlainPage("RzPanel10", pages);
    auto* icons = new QVBoxLayout(ui.RzPanel10);
    icons->setContentsMargins(0, 0, 0, 0);
    ui.Panel_client_client = Named(new QWidget(ui.RzPanel10), "Panel_client_client");
    ui.Panel_client_client->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    icons->addWidget(ui.Panel_client_client, 1);

    ui.RzPanel7 = PlainPage("RzPanel7", pages);
    ui.RzPl_tccc = PlainPage("RzPl_tccc", pages);
    ui.RzPl_finished = PlainPage("RzPl_finished", pages);
    for (QFrame* page : {ui.RzPanel5, ui.RzPanel10, ui.RzPanel7, ui.RzPl_tccc, ui.RzPl_finished}) {
        page->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        cell->addWidget(page, 0, 0);
        if (page != ui.RzPanel5) {
            page->hide();
        }
    }
    column->addWidget(pages, 1);
}

void BuildStatusBar(MainWindowUi& ui, QWidget* bar) {
    bar->setFixedHeight(41);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(6);
    const QColor green(0x2e, 0x8b, 0x57);
    const QColor red(0xc0, 0x39, 0x2b);
    ui.Button_kszz = PictureButton("Button_kszz", QStringLiteral("开始制作"), Glyph::Plain, kBand,
                                   QStringLiteral("快捷方式：Ctrl+K"), bar);
    ui.Button_jjzz = PictureButton("Button_jjzz", QStringLiteral("加急制作"), Glyph::Plain, red,
                                   QStringLiteral("快捷方式：Ctrl+J"), bar);
    ui.Button_zzwc = PictureButton("Button_zzwc", QStringLiteral("制作完成"), Glyph::Served, kBand,
                                   QStringLiteral("快捷方式：Ctrl+C"), bar);
    ui.Button_wfzz = PictureButton("Button_wfzz", QStringLiteral("无法制作"), Glyph::Refused, red,
                                   QStringLiteral("快捷方式：F5"), bar);
    ui.Button_cpys = PictureButton("Button_cpys", QStringLiteral("菜品已上"), Glyph::Served, green,
                                   QStringLiteral("快捷方式：F9"), bar);
    ui.ImgBtn11 = PictureButton("ImgBtn11", QStringLiteral("沽清管理"), Glyph::SoldOut, red,
                                QStringLiteral("快捷方式：F6"), bar);
    ui.Button_cp_syy = PictureButton("Button_cp_syy", QStringLiteral("上一页"), Glyph::Previous,
                                     kBand, QString(), bar);
    ui.Button_cp_xyy = PictureButton("Button_cp_xyy", QStringLiteral("下一页"), Glyph::Next, kBand,
                                     QString(), bar);
    for (QToolButton* b :
         {ui.Button_kszz, ui.Button_jjzz, ui.Button_zzwc, ui.Button_cp_syy, ui.Button_cp_xyy}) {
        b->hide();
    }
    row->addWidget(ui.Button_kszz);
    row->addWidget(ui.Button_jjzz);
    row->addWidget(ui.Button_zzwc);
    row->addWidget(ui.Button_wfzz);
    row->addWidget(ui.Button_cpys);
    row->addWidget(ui.ImgBtn11);
    row->addStretch(1);
    row->addWidget(ui.Button_cp_syy);
    row->addWidget(ui.Button_cp_xyy);
}

void BuildBottomBar(MainWindowUi& ui, QWidget* bar) {
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

void BuildFloatingPanels(MainWindowUi& ui, QWidget* window) {
    ui.Panel_ct = Named(new QFrame(window), "Panel_ct");
    ui.Panel_ct->setFrameShape(QFrame::Box);
    ui.Panel_ct->setAutoFillBackground(true);
    ui.Panel_ct->setGeometry(50, 150, 265, 250);
    auto* tree = new QVBoxLayout(ui.Panel_ct);
    tree->setContentsMargins(4, 4, 4, 4);
    ui.TreeView_ct_ct = Named(new QTreeWidget(ui.Panel_ct), "TreeView_ct_ct");
    ui.TreeView_ct_ct->setHeaderHidden(true);
    ui.TreeView_ct_ct->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont treeFont = ui.TreeView_ct_ct->font();
    treeFont.setPixelSize(15);
    ui.TreeView_ct_ct->setFont(treeFont);
    tree->addWidget(ui.TreeView_ct_ct, 1);
    auto* buttons = new QHBoxLayout;
    ui.Button_ct_qd = Named(new QPushButton(QStringLiteral("确定"), ui.Panel_ct), "Button_ct_qd");
    ui.Button_ct_qx = Named(new QPushButton(QStringLiteral("取消"), ui.Panel_ct), "Button_ct_qx");
    buttons->addStretch(1);
    buttons->addWidget(ui.Button_ct_qd);
    buttons->addWidget(ui.Button_ct_qx);
    tree->addLayout(buttons);
    ui.Panel_ct->hide();

    ui.Panel_cp = Named(new QFrame(window), "Panel_cp");
    ui.Panel_cp->setFrameShape(QFrame::Box);
    ui.Panel_cp->setAutoFillBackground(true);
    ui.Panel_cp->setGeometry(425, 133, 289, 235);
    ui.Panel_cp->hide();
}

void BuildPopupMenu(MainWindowUi& ui, QWidget* window) {
    ui.PopupMenu3 = Named(new QMenu(window), "PopupMenu3");
    ui.N9 = MenuItem(ui.PopupMenu3, "N9", QStringLiteral("开始制作"), false);
    ui.N10 = MenuItem(ui.PopupMenu3, "N10", QStringLiteral("加急制作"), false);
    ui.N1 = MenuItem(ui.PopupMenu3, "N1", QStringLiteral("无法制作"), true);
    ui.N2 = MenuItem(ui.PopupMenu3, "N2", QStringLiteral("制作完成"), false);
    ui.N3 = MenuItem(ui.PopupMenu3, "N3", QStringLiteral("菜品已上"), true);
    ui.N4 = Named(ui.PopupMenu3->addSeparator(), "N4");
    ui.N4->setVisible(false);
    ui.N5 = MenuItem(ui.PopupMenu3, "N5", QStringLiteral("菜品沽清"), false);
}

}  // namespace

MainWindowUi BuildMainWindowUi(QWidget* window) {
    MainWindowUi ui;
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
    auto* left = Named(new QFrame(window), "Panel_Left");
    BuildLeftColumn(ui, left);
    middle->addWidget(left);

    auto* right = Named(new QFrame(window), "Panel_Right");
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 4, 0);
    rightColumn->setSpacing(2);
    auto* strip = Named(new QFrame(right), "Panel_cp_search");
    BuildSearchStrip(ui, strip);
    rightColumn->addWidget(strip);
    BuildPages(ui, right, rightColumn);
    auto* status = Named(new QFrame(right), "Panel_status");
    BuildStatusBar(ui, status);
    rightColumn->addWidget(status);
    middle->addWidget(right, 1);
    outer->addLayout(middle, 1);

    auto* bottom = Named(new QFrame(window), "Panel_bottom");
    BuildBottomBar(ui, bottom);
    outer->addWidget(bottom);

    BuildFloatingPanels(ui, window);
    BuildPopupMenu(ui, window);

    ui.Timer2 = NamedTimer("Timer2", 1000, true, window);
    ui.Timer_sx = NamedTimer("Timer_sx", 5000, false, window);
    ui.Timer_updatezt = NamedTimer("Timer_updatezt", 300000, false, window);
    ui.Timer_cstx = NamedTimer("Timer_cstx", 5 * 60000, false, window);
    ui.Timer5 = NamedTimer("Timer5", 1000, false, window);
    ui.Timer1 = NamedTimer("Timer1", 100, true, window);
    ui.Timer3 = NamedTimer("Timer3", 100, true, window);
    ui.Timer4 = NamedTimer("Timer4", 70, true, window);
    return ui;
}
