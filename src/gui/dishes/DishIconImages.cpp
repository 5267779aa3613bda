#include "gui/dishes/DishIconImages.h"

#include "core/dishes/IconLayout.h"
#include "gui/tile/BandPicture.h"
#include "gui/tile/ImageList.h"

void PaintDishIconImages(ImageList& list) {
    const BandLook bands[Icons::kBackgroundCount] = {
        {QColor(215, 40, 40), QStringLiteral("开始制作")},
        {QColor(40, 160, 70), QStringLiteral("加急制作")},
        {QColor(140, 140, 140), QStringLiteral("无法制作")},
        {QColor(40, 90, 200), QStringLiteral("制作完成")},
        {QColor(150, 90, 40), QStringLiteral("菜品已上")},
        {QColor(245, 170, 200), QString()},
        {QColor(255, 214, 0), QStringLiteral("选中"), true},
    };
    list.clear();
    for (const BandLook& band : bands) {
        list.add(PaintBandPicture(Icons::kIconSize, 16, band));
    }
}
