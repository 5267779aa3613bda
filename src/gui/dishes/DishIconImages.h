#pragma once

class ImageList;

// The seven 78 x 78 backgrounds of the dish icons (ImageList3), a coloured band across the
// top naming the state: 0 开始制作 red, 1 加急制作 green, 2 无法制作 grey, 3 制作完成 blue,
// 4 菜品已上 brown, 5 pink without words (no state yet), 6 选中 yellow (the selected icon).
void PaintDishIconImages(ImageList& list);
