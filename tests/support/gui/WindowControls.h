#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/common/RadioGroup.h"

// The named controls and timers of a main window, found by their object names wherever the
// part that owns them put them: what a test reads and drives as the operator would. A name
// that is not found fails the test at once.
struct WindowControls {
    QLabel* Image_content = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* L_cpzt = nullptr;
    QComboBox* CB_cpzt = nullptr;
    QComboBox* CB_qy = nullptr;
    QLineEdit* E_cth = nullptr;
    QPushButton* Button_ct_cz = nullptr;
    QCheckBox* CB_fyxs = nullptr;
    QTabBar* Tab_ct = nullptr;
    QWidget* Panel_Left_Client = nullptr;
    QPushButton* Button_ct_syy = nullptr;
    QPushButton* Button_ct_xyy = nullptr;
    QFrame* Panel_ct = nullptr;
    QTreeWidget* TreeView_ct_ct = nullptr;
    QPushButton* Button_ct_qd = nullptr;
    QPushButton* Button_ct_qx = nullptr;
    QLineEdit* E_cpmc = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* ImgBtn9 = nullptr;
    QToolButton* ImgBtn10 = nullptr;
    QToolButton* ImgBtn12 = nullptr;
    QLabel* L_gzzd = nullptr;
    QComboBox* CB_gzzd = nullptr;
    QLabel* L_cpbm = nullptr;
    QComboBox* CB_cpbm = nullptr;
    QPushButton* Button_cp_cz = nullptr;
    RadioGroup* RG_xszt = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QFrame* Panel_cp = nullptr;
    QTabBar* TAB_CP = nullptr;
    QFrame* RzPanel5 = nullptr;
    QFrame* RzPl_cstx = nullptr;
    QTableView* cxGrid_ct_cp = nullptr;
    QFrame* RzPanel10 = nullptr;
    QWidget* Panel_client_client = nullptr;
    QFrame* RzPanel7 = nullptr;
    QFrame* RzPl_tccc = nullptr;
    QFrame* RzPl_finished = nullptr;
    QToolButton* Button_cpys = nullptr;
    QToolButton* Button_wfzz = nullptr;
    QToolButton* ImgBtn11 = nullptr;
    QToolButton* Button_zzwc = nullptr;
    QToolButton* Button_kszz = nullptr;
    QToolButton* Button_jjzz = nullptr;
    QToolButton* Button_cp_xyy = nullptr;
    QToolButton* Button_cp_syy = nullptr;
    QLabel* Label_title = nullptr;
    QLabel* Label_shortcuts = nullptr;
    QLabel* Label_operator = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* N9 = nullptr;
    QAction* N10 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer_sx = nullptr;
    QTimer* Timer_updatezt = nullptr;
    QTimer* Timer_cstx = nullptr;
    QTimer* Timer5 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
};

// Looks every control up below the roots (the window and the parts that own timers).
WindowControls FindWindowControls(const QList<const QObject*>& roots);
