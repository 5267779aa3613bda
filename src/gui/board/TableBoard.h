#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QStringList>

#include "gui/common/DishView.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/tile/ImageList.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTimer;
class QTreeWidget;
class QueryObject;
class Tcypanel;
class Ttzcypanel;
struct TileFigures;

// The table board on the left of the main window: its filters, the tiles, paging, the
// selection of a table, the table search and picker, and the five-second refresh. It builds
// its controls into the left column it is handed (the picker floats over the window) and
// tells the rest of the window what happened through its signals. Every operation may throw
// DbError; the connected handlers run them guarded, and a read that fails there is reported
// to the feed's health (the band) rather than in a box that would take the scanner's keys.
class TableBoard : public QObject {
    Q_OBJECT

public:
    TableBoard(StationContext& ctx, QWidget* column, QWidget* floating, QObject* parent = nullptr);
    ~TableBoard() override;

    // Creation: fill CB_qy and AreaIds from the areas, then select the stored area.
    void fillAreaList();
    void selectStoredArea(int position);
    // What the close writes back.
    int areaPosition() const;
    bool pagingByType() const;
    // Show: the stored paging choice (runs the check box's handler when it changes).
    void setPagingByType(bool byType);

    // Show: the table tree, then the type tabs and the board.
    void LoadTableTree();
    void LoadTableTypeTabs();

    // Rebuilds the board from the first occupied table of the filter. The tiles stay until
    // the new page is read: a failed read of what the board shows keeps them, a failed read
    // of another filter clears them and says so on the tile area.
    void BuildTableBoard(bool byType, const QString& typeId, bool allAreas, const QString& areaId);
    // BuildTableBoard with the arguments every caller passes: from CB_fyxs, Tab_ct and CB_qy.
    void rebuildBoard();
    // Places tiles from the current row of ADO_ct until the page or the rows run out, with the
    // counters of all of them read in one statement (the old tiles go once it is read). A build
    // records the capacity and, when the rows run out, asks for the dish search focus.
    void FillTablePage(bool fromBuild);
    // Labels of a tile from the current row of ADO_ct, its counters and state from figures.
    void FillTableTile(Tcypanel* tile, const TileFigures& figures);

    // Handlers.
    void CB_qyChange();
    void CB_fyxsClick(bool checked);
    void Tab_ctChange();
    void Button_ct_xyyClick();
    void Button_ct_syyClick();
    void Timer3Timer();

    // The five-second refresh. A tick that fails is reported (Feed::Board) and tried again at
    // the back-off; the refresh never stops for good. A build that failed is done again.
    void Timer_sxTimer();
    // The page again on the tile area's settled size, when the size lets more or fewer
    // tiles fit than the page was laid out for (after a resize, a tab bar shown or hidden).
    void relayoutPage();
    void RefreshTableCounters();
    int GetCtIndexid(const QString& tableId) const;
    void startRefresh();
    void stopRefresh();

    // Selection and search.
    void ctpanelclick(QObject* sender);
    int GetCtIndex(const QString& tableName) const;
    void Button_ct_czClick();
    void Button_ct_qdClick();
    void Button_ct_qxClick();
    bool tableSearchHasFocus() const;
    // The line a scan served: its table's tile is chosen as a click on it; false when the
    // board shows no tile for it.
    bool chooseTable(const QString& tableId);
    // The dish search box is typed into: the first table-type tab (rebuilds the board when
    // that changes the tab).
    void showFirstTableType();

    QStringList AreaIds;
    QStringList TableTypeIds;
    int PageCapacity = 0;
    QList<Tcypanel*> TableTiles;
    ImageList ImageList1;

signals:
    // A table was chosen (a tile, the search, the picker): the dish views follow it.
    void tableChosen(const QString& tableId);
    // The tick re-selected tableId (empty: the current table has no tile on the board): the
    // dish views re-run and keep their lines. A receiver that fails says so in the report.
    void dishViewsRefreshDue(const QString& tableId, RefreshReport* report);
    // A build placed the last occupied table: the dish search box takes the keyboard.
    void dishSearchFocusWanted();

private:
    // What a tick does again because it failed: the type tabs, or the board of the filter.
    enum class PendingBuild { None, TypeTabs, Board };

    void buildControls(QWidget* column, QWidget* floating);
    // A handler that reads: its failure goes to the band, any other error to the error box.
    template <class F>
    auto reading(F handler);
    void loadTableTypeTabs();
    void fillPage(bool recordCapacity, bool wantFocus);
    void showReadFailure(const DbError* error);
    // Paging and the tick's page checks, by exact room_id (a prefix would find "R10" for "R1").
    int rowOfTable(const QString& roomId) const;
    int rowAfterPage() const;
    int rowBeforePage() const;
    // Where the page shown would start in the re-run ADO_ct; -1 when none of its tables is left.
    int pageStartNow() const;
    bool pageTablesChanged(int start) const;
    void rebuildPageInPlace(int start);
    void connectControls();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void freeTiles();
    // The tile area hides while it is rebuilt and shows again through Timer3.
    void hideTileArea();
    int areaIndex() const;
    void applyCounters(Tcypanel* tile, const TileFigures& figures);
    void refreshTick();
    // Marks the tile as the current table's; false when sender is no tile.
    bool markSelected(QObject* sender);
    void chooseFoundTable(const QString& typeId, const QString& tableName);
    void showPicker();

    StationContext& ctx_;
    ErrorGuard guard_;

    QComboBox* CB_qy = nullptr;
    QLineEdit* E_cth = nullptr;
    QPushButton* Button_ct_cz = nullptr;
    QCheckBox* CB_fyxs = nullptr;
    QTabBar* Tab_ct = nullptr;
    QWidget* Panel_Left_Client = nullptr;  // tiles placed by position, no layout
    QPushButton* Button_ct_syy = nullptr;
    QPushButton* Button_ct_xyy = nullptr;
    QFrame* Panel_ct = nullptr;  // floating table picker, hidden at start
    QTreeWidget* TreeView_ct_ct = nullptr;
    QPushButton* Button_ct_qd = nullptr;
    QPushButton* Button_ct_qx = nullptr;
    QTimer* Timer_sx = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer_ct_layout = nullptr;  // the page again once the tile area's size settled
    QLabel* Label_ct_error = nullptr;   // on the tile area: its tables could not be read

    PendingBuild pending_ = PendingBuild::None;
    bool firstPage_ = true;  // the page starts at the first table
    QSize laidOutFor_;       // the tile area's size the page was laid out on

    // The tiles are children of the tile area: when the window goes first, they went with it.
    QPointer<QWidget> tileArea_;
};
