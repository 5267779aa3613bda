#pragma once

class QTableView;

// Keeps a grid's visible columns filling its width, each in proportion to the width it was
// given (a column without one weighs the header's default), as the grid is resized.
void StretchColumnsToWidth(QTableView* view);
