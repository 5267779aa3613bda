#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// The pure rules of the table board: where tiles go, what state a bill is in, and what the
// five-second refresh does.
namespace Board {

inline constexpr int kTileSize = 80;
// Tiles stand 82 pixels apart; a row's tiles are counted with the tile width alone.
inline constexpr int kTilePitch = 82;
// The board refreshes every five seconds (longer after failures, see FeedHealth).
inline constexpr int kRefreshMs = 5000;
// The previous-page button goes back this many tables, whatever fits on a page.
inline constexpr int kPreviousPageStep = 22;

struct PageLayout {
    QList<QPoint> positions;      // top left of each placed tile, in table order
    bool stoppedForRoom = false;  // the page filled up before the tables ran out
};

// Lays out up to `tables` tiles on an area of width x height pixels.
PageLayout LayOutTablePage(int width, int height, int tables);

// The background picture of a bill, 0 to 3: nothing served; serving; serving with an
// overdue dish; all served or cannot be made.
int TableState(double served, double ordered, double cannotMake, int overdue);

// "2.0/5.0"
QString CounterText(double served, double ordered);
// The counter shows red until the served quantity equals the ordered one.
bool CounterComplete(double served, double ordered);

enum class RefreshPath { CountersInPlace, Rebuild };

// tablesNow: occupied tables the re-run found; tilesOnBoard: tiles now shown.
RefreshPath DecideRefresh(int pageCapacity, int tablesNow, int tilesOnBoard);

}  // namespace Board
