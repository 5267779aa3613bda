#pragma once

class QLabel;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;

// The main window's frame: the bars and areas, the window's own controls, and the empty places
// the parts build their controls into. Each place has a layout of its own (or none where the
// part places its controls by position); nothing else of a part is known here.
struct MainWindowSkeleton {
    // The window's own controls.
    QLabel* Image_content = nullptr;  // top bar background picture, tag 99
    QLabel* Image1 = nullptr;         // logo, kept 30 px from the right edge
    QToolButton* ImgBtn10 = nullptr;  // advanced query
    QToolButton* ImgBtn12 = nullptr;  // settings
    QPushButton* Button1 = nullptr;   // hidden "设置"
    QPushButton* Button2 = nullptr;   // hidden "高级查询"
    QPushButton* Button3 = nullptr;   // hidden "沽清管理"
    QLabel* Label_title = nullptr;
    QLabel* Label_shortcuts = nullptr;
    QLabel* Label_operator = nullptr;
    QTimer* Timer2 = nullptr;          // once after creation
    QTimer* Timer_updatezt = nullptr;  // session heartbeat

    // Places.
    QWidget* stateFilterPlace = nullptr;   // top bar, hidden: the dish state filter
    QWidget* boardPlace = nullptr;         // the left column: filters, tiles, paging
    QWidget* searchPlace = nullptr;        // search strip: the dish search box
    QWidget* hiddenFilterPlace = nullptr;  // search strip, hidden: the other dish filters
    QWidget* dishPlace = nullptr;          // right area: the dish tabs and their pages
    QWidget* commandPlace = nullptr;       // status bar: the state commands, sold-out
    QWidget* iconPagingPlace = nullptr;    // status bar, right: the icon page buttons
    QWidget* healthBandPlace = nullptr;    // over the top bar, left of the logo, hidden: the band
    QWidget* window = nullptr;             // floating panels lie over the window
};

// Builds the frame on the window, with its design size and font.
MainWindowSkeleton BuildMainWindowSkeleton(QWidget* window);
