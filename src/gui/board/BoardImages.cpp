#include "gui/board/BoardImages.h"

#include "gui/tile/BandPicture.h"
#include "gui/tile/ImageList.h"

void PaintTableBoardImages(ImageList& list) {
    const QColor yellow(255, 214, 0);
    const BandLook looks[] = {
        {QColor(210, 170, 110), QStringLiteral("未上菜品"), false},
        {QColor(40, 160, 70), QStringLiteral("上菜中[正常]"), false},
        {QColor(215, 40, 40), QStringLiteral("上菜中[超时]"), false},
        {QColor(140, 140, 140), QStringLiteral("上菜完成"), false},
        {yellow, QStringLiteral("未上菜品"), true},
        {yellow, QStringLiteral("上菜正常"), true},
        {yellow, QStringLiteral("上菜超时"), true},
        {yellow, QStringLiteral("上菜完成"), true},
    };
    list.clear();
    for (const BandLook& look : looks) {
        list.add(PaintBandPicture(80, 17, look));
    }
}
