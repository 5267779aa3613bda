#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

// The pure rules of the icon view of the dish list: where icons go, which background an
// icon shows, and where the previous page starts.
namespace Icons {

inline constexpr int kIconSize = 78;
// Icons stand 82 pixels apart, 4 pixels from the area's left and top edges.
inline constexpr int kIconPitch = 82;
inline constexpr int kIconMargin = 4;

// The background pictures: 0..4 the states, then these.
inline constexpr int kNoStateBackground = 5;
inline constexpr int kSelectedBackground = 6;
inline constexpr int kBackgroundCount = 7;

// The first build counts a row full one icon earlier than a page turn does: an area of
// exactly 8 x 82 px takes 7 icons a row when built and 8 after a page turn.
enum class Fit { Build, PageTurn };

struct PageLayout {
    QList<QPoint> positions;      // top left of each icon, in row order
    bool stoppedForRoom = false;  // the area filled up before the rows ran out
};

// Lays out up to `rows` icons on an area of width x height pixels.
PageLayout LayOutIconPage(int width, int height, int rows, Fit fit);

// The line's state code, trimmed, as a picture index; 5 when blank or not an integer. A
// number outside the pictures is kept (the icon then shows none).
int BackgroundIndex(const QString& stateCode);

// "mm-dd HH:nn" of the list's "mm-dd HH:nn:ss" order time.
QString OrderTimeText(const QString& listTime);

// Where each page turned to began, so the previous page is the page before, not always the
// first. Forgotten when the icons are built anew.
class PageHistory {
public:
    void clear() { starts_.clear(); }
    // Going to the next page from a page that began with this line.
    void turnedForwardFrom(const QString& firstLine) { starts_.append(firstLine); }
    // The line the previous page began with; empty when there is none (the first page).
    QString takePreviousStart() { return starts_.isEmpty() ? QString() : starts_.takeLast(); }
    int depth() const { return static_cast<int>(starts_.size()); }

private:
    QStringList starts_;
};

}  // namespace Icons
