#include "core/board/BoardRules.h"

#include <cmath>

namespace Board {

PageLayout LayOutTablePage(int width, int height, int tables) {
    PageLayout layout;
    int c = 0;
    int r = 0;
    for (int i = 0; i < tables; ++i) {
        if ((c + 1) * kTileSize > width) {
            ++r;
            c = 0;
            if ((r + 1) * kTilePitch > height) {
                layout.stoppedForRoom = true;
                break;
            }
        }
        layout.positions.append(QPoint(c * kTilePitch, r * kTilePitch));
        ++c;
    }
    return layout;
}

int TableState(double served, double ordered, double cannotMake, int overdue) {
    if (served <= 0) {
        return 0;
    }
    if (served + cannotMake >= ordered) {
        return 3;
    }
    return overdue != 0 ? 2 : 1;
}

namespace {

// "0.0": halves round away from zero, as the ERP's other programs print quantities.
QString OneDecimal(double value) {
    double rounded = std::round(value * 10.0) / 10.0;
    if (rounded == 0.0) {
        rounded = 0.0;  // no "-0.0"
    }
    return QString::number(rounded, 'f', 1);
}

}  // namespace

QString CounterText(double served, double ordered) {
    return OneDecimal(served) + QLatin1Char('/') + OneDecimal(ordered);
}

bool CounterComplete(double served, double ordered) {
    return served == ordered;
}

RefreshPath DecideRefresh(int pageCapacity, int tablesNow, int tilesOnBoard) {
    if (pageCapacity > 0 && tablesNow > pageCapacity && tilesOnBoard == pageCapacity) {
        return RefreshPath::CountersInPlace;
    }
    if (tablesNow == tilesOnBoard) {
        return RefreshPath::CountersInPlace;
    }
    return RefreshPath::Rebuild;
}

}  // namespace Board
