#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include "gui/common/ErrorGuard.h"
#include "gui/main/MainWindowContext.h"
#include "gui/tile/ImageList.h"

class DishViews;
class QueryObject;
class Tcypanel;
struct TileFigures;

// The table board on the left of the main window: tiles, filters, paging, selection,
// table search and the five-second refresh. The main window calls the public operations;
// the board connects the signals of its own controls. Every operation may throw DbError;
// the connected handlers run them guarded.
class TableBoard : public QObject {
    Q_OBJECT

public:
    TableBoard(MainWindowContext& ctx, DishViews& dishes, QObject* parent = nullptr);
    ~TableBoard() override;

    // Creation: fill CB_qy and AreaIds from the areas.
    void fillAreaList();

    // Show: the table tree, then the type tabs and the board.
    void LoadTableTree();
    void LoadTableTypeTabs();

    // Rebuilds the board from the first occupied table of the filter.
    void BuildTableBoard(bool byType, const QString& typeId, bool allAreas, const QString& areaId);
    // BuildTableBoard with the arguments every caller passes: from CB_fyxs, Tab_ct and CB_qy.
    void rebuildBoard();
    // Places tiles from the current row of ADO_ct until the page or the rows run out. A
    // build records the capacity and, when the rows run out, gives E_cpmc the focus.
    void FillTablePage(bool fromBuild);
    // Labels, counters and state of a tile from the current row of ADO_ct.
    void FillTableTile(Tcypanel* tile, QueryObject& scratch);

    // Handlers.
    void CB_qyChange();
    void CB_fyxsClick(bool checked);
    void Tab_ctChange();
    void Button_ct_xyyClick();
    void Button_ct_syyClick();
    void Timer3Timer();

    // The five-second refresh; stays stopped after an error in the tick.
    void Timer_sxTimer();
    void RefreshTableCounters();
    int GetCtIndexid(const QString& tableId) const;

    // Selection and search.
    void ctpanelclick(QObject* sender);
    int GetCtIndex(const QString& tableName) const;
    void Button_ct_czClick();
    void Button_ct_qdClick();
    void Button_ct_qxClick();

    QStringList AreaIds;
    QStringList TableTypeIds;
    int PageCapacity = 0;
    QList<Tcypanel*> TableTiles;
    ImageList ImageList1;

private:
    void connectControls();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void freeTiles();
    // The tile area hides while it is rebuilt and shows again through Timer3.
    void hideTileArea();
    int areaIndex() const;
    void applyCounters(Tcypanel* tile, const TileFigures& figures);
    void refreshTick();
    void chooseFoundTable(const QString& typeId, const QString& tableName);

    MainWindowContext& ctx_;
    DishViews& dishes_;
    ErrorGuard guard_;
    // The tiles are its children: when the window goes first, they went with it.
    QPointer<QWidget> tileArea_;
};
