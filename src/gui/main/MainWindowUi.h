#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/common/RadioGroup.h"

// Every named control and timer of the main window. The main window builds them
// (BuildMainWindowUi); each part of the window (board, dish views, reminder, ...) is handed
// this and works on the controls of its own area. Each pointer's objectName() is its
// member name, so tests find the widgets by name.
struct MainWindowUi {
    // top bar
    QLabel* Image_content = nullptr;  // background picture, tag 99
    QLabel* Image1 = nullptr;         // logo, kept 30 px from the right edge
    QLabel* L_cpzt = nullptr;         // hidden "菜品状态:"
    QComboBox* CB_cpzt = nullptr;     // hidden dish state filter, eight items

    // left column: filter strip, board, paging bar, table picker
    QComboBox* CB_qy = nullptr;
    QLineEdit* E_cth = nullptr;
    QPushButton* Button_ct_cz = nullptr;
    QCheckBox* CB_fyxs = nullptr;
    QTabBar* Tab_ct = nullptr;
    QWidget* Panel_Left_Client = nullptr;  // tile area: tiles placed by position, no layout
    QPushButton* Button_ct_syy = nullptr;
    QPushButton* Button_ct_xyy = nullptr;
    QFrame* Panel_ct = nullptr;  // floating table picker, hidden at start
    QTreeWidget* TreeView_ct_ct = nullptr;
    QPushButton* Button_ct_qd = nullptr;
    QPushButton* Button_ct_qx = nullptr;

    // right area: search strip
    QLineEdit* E_cpmc = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* ImgBtn9 = nullptr;       // search
    QToolButton* ImgBtn10 = nullptr;      // advanced query
    QToolButton* ImgBtn12 = nullptr;      // settings
    QLabel* L_gzzd = nullptr;             // hidden
    QComboBox* CB_gzzd = nullptr;         // hidden
    QLabel* L_cpbm = nullptr;             // hidden
    QComboBox* CB_cpbm = nullptr;         // hidden
    QPushButton* Button_cp_cz = nullptr;  // hidden
    RadioGroup* RG_xszt = nullptr;        // hidden
    QPushButton* Button1 = nullptr;       // hidden "设置"
    QPushButton* Button2 = nullptr;       // hidden "高级查询"
    QPushButton* Button3 = nullptr;       // hidden "沽清管理"
    QFrame* Panel_cp = nullptr;           // floating dish search result panel, hidden

    // right area: dish tabs and their pages (stacked, one visible)
    QTabBar* TAB_CP = nullptr;
    QFrame* RzPanel5 = nullptr;  // list page: grid, reminder panel below it
    QTableView* cxGrid_ct_cp = nullptr;
    QFrame* RzPl_cstx = nullptr;             // overdue reminder panel, hidden until needed
    QFrame* RzPanel10 = nullptr;             // icon page
    QWidget* Panel_client_client = nullptr;  // icon area: icons placed by position
    QFrame* RzPanel7 = nullptr;              // overdue list page
    QFrame* RzPl_tccc = nullptr;             // hurry / return list page
    QFrame* RzPl_finished = nullptr;         // recently served list page

    // right area: status bar
    QToolButton* Button_cpys = nullptr;
    QToolButton* Button_wfzz = nullptr;
    QToolButton* ImgBtn11 = nullptr;
    QToolButton* Button_zzwc = nullptr;    // hidden
    QToolButton* Button_kszz = nullptr;    // hidden
    QToolButton* Button_jjzz = nullptr;    // hidden
    QToolButton* Button_cp_xyy = nullptr;  // icon paging, shown on the icon tab only
    QToolButton* Button_cp_syy = nullptr;

    // bottom bar
    QLabel* Label_title = nullptr;
    QLabel* Label_shortcuts = nullptr;
    QLabel* Label_operator = nullptr;

    // context menu of the dish list and the dish icons
    QMenu* PopupMenu3 = nullptr;
    QAction* N9 = nullptr;   // 开始制作, hidden
    QAction* N10 = nullptr;  // 加急制作, hidden
    QAction* N1 = nullptr;   // 无法制作
    QAction* N2 = nullptr;   // 制作完成, hidden
    QAction* N3 = nullptr;   // 菜品已上
    QAction* N4 = nullptr;   // separator, hidden
    QAction* N5 = nullptr;   // 菜品沽清, hidden

    // timers (all single-threaded, on the window)
    QTimer* Timer2 = nullptr;
    QTimer* Timer_sx = nullptr;
    QTimer* Timer_updatezt = nullptr;
    QTimer* Timer_cstx = nullptr;
    QTimer* Timer5 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
};

// Creates every control above on the window, laid out as the station shows them.
MainWindowUi BuildMainWindowUi(QWidget* window);
