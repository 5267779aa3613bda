#pragma once

class ImageList;

// The eight 80 x 80 backgrounds of the table tiles: 0 nothing served, 1 serving, 2 serving
// with an overdue dish, 3 all out; 4 to 7 the same states of the selected table.
void PaintTableBoardImages(ImageList& list);
