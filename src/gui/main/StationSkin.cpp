#include "gui/main/StationSkin.h"

#include <QWidget>

QString StationSkinStyleSheet() {
    return QStringLiteral(R"(
#Panel_Left, #Panel_Right { background: #eef3f8; }
#Panel_ct_filter, #Panel_cp_search { background: #e2eaf3; border: 1px solid #c3d2e2; border-radius: 3px; }
#Panel_ct_paging, #Panel_status { background: #dde7f1; border-top: 1px solid #c3d2e2; }
#Panel_bottom { background: #1f5f9f; }
#Panel_bottom QLabel { color: white; }
#Panel_ct, #Panel_cp, #RzPl_cstx { background: #fbfcfe; border: 1px solid #7f9db9; }
QPushButton, QToolButton {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfefe, stop:1 #dbe5ef);
    border: 1px solid #8fa8c2; border-radius: 3px; padding: 3px 8px; color: #1b2b3b;
}
QPushButton:hover, QToolButton:hover { background: #eaf2fb; border-color: #3c7fc0; }
QPushButton:pressed, QToolButton:pressed { background: #c9dbee; }
QPushButton:disabled, QToolButton:disabled { color: #8a96a3; background: #eceff2; }
QLineEdit, QComboBox {
    background: white; border: 1px solid #8fa8c2; border-radius: 2px; padding: 2px 4px;
    min-height: 20px; selection-background-color: #3c7fc0;
}
QLineEdit:focus, QComboBox:focus { border-color: #2f6fb0; }
QCheckBox, QRadioButton { color: #1b2b3b; spacing: 4px; }
QGroupBox { border: 1px solid #c3d2e2; border-radius: 3px; margin-top: 8px; }
QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }
QTabBar::tab {
    background: #dbe5ef; border: 1px solid #a9bdd2; border-bottom: none;
    padding: 5px 12px; margin-right: 2px; border-top-left-radius: 3px; border-top-right-radius: 3px;
}
QTabBar::tab:selected { background: white; color: #1f5f9f; font-weight: bold; }
QTabBar::tab:hover:!selected { background: #eaf2fb; }
QTableView, QTreeView, QTreeWidget, QListView {
    background: white; alternate-background-color: #f4f8fc; gridline-color: #d5dfea;
    selection-background-color: #3c7fc0; selection-color: white; border: 1px solid #a9bdd2;
}
QHeaderView::section { background: #e2eaf3; border: 1px solid #c3d2e2; padding: 3px; }
QScrollBar:vertical { width: 14px; background: #eef3f8; }
QScrollBar:horizontal { height: 14px; background: #eef3f8; }
QScrollBar::handle { background: #b7c8da; border-radius: 4px; min-height: 20px; min-width: 20px; }
QSlider::groove:horizontal { height: 4px; background: #b7c8da; }
QSlider::handle:horizontal { width: 12px; margin: -5px 0; background: #3c7fc0; border-radius: 3px; }
QSlider::handle:horizontal:disabled { background: #c8d2dc; }
QSlider::groove:horizontal:disabled { background: #dde3e9; }
QMenu { background: white; border: 1px solid #8fa8c2; }
QMenu::item { padding: 4px 20px; }
QMenu::item:selected { background: #3c7fc0; color: white; }
)");
}

void ApplyStationSkin(QWidget* window) {
    window->setStyleSheet(StationSkinStyleSheet());
}
