#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

// The look of a tile's background picture: a coloured band across the top with its words, a
// light body, and for the selected look a check mark and a thicker edge.
struct BandLook {
    QColor band;
    QString words;
    bool selected = false;
};

// Painted at start-up rather than shipped as files: a square picture of `size` pixels whose
// band is `bandHeight` pixels high.
QPixmap PaintBandPicture(int size, int bandHeight, const BandLook& look);
