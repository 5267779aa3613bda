#include "core/dishes/IconLayout.h"

namespace Icons {

PageLayout LayOutIconPage(int width, int height, int rows, Fit fit) {
    const bool build = fit == Fit::Build;
    auto fitsInRow = [&](int column) {
        const int right = (column + 1) * kIconPitch;
        return build ? right < width : right <= width;
    };
    auto areaFull = [&](int row) {
        const int bottom = (row + 1) * kIconPitch;
        return build ? bottom >= height : bottom > height;
    };
    PageLayout layout;
    int column = 0;
    int row = 0;
    for (int i = 0; i < rows; ++i) {
        if (fitsInRow(column)) {
            layout.positions.append(
                QPoint(column * kIconPitch + kIconMargin, row * kIconPitch + kIconMargin));
            ++column;
            continue;
        }
        ++row;
        if (areaFull(row)) {
            layout.stoppedForRoom = true;
            break;
        }
        layout.positions.append(QPoint(kIconMargin, row * kIconPitch + kIconMargin));
        column = 1;
    }
    return layout;
}

int BackgroundIndex(const QString& stateCode) {
    bool ok = false;
    const int n = stateCode.trimmed().toInt(&ok);
    return ok ? n : kNoStateBackground;
}

QString OrderTimeText(const QString& listTime) {
    return listTime.left(11);
}

}  // namespace Icons
