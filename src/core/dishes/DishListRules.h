#pragma once

#include <QString>
#include <optional>

// A font colour as the list's drawing rules name it, free of any widget library.
struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// The row colour rule: the font colour of every cell of a row by the row's state code
// (blanks removed). Nothing means "keep the grid's colour". A served row that is the
// selected row while the emphasis window is open keeps it too, so the emphasis shows.
std::optional<RgbColour> DishRowFontColour(const QString& stateCode, bool selectedRow,
                                           bool emphasisOpen);

// The state cell rule's font: what it sets, nothing where it leaves the cell alone.
struct StateCellFont {
    std::optional<RgbColour> colour;
    std::optional<bool> bold;
    std::optional<int> pointSize;
};
StateCellFont DishStateCellFont(bool selectedRow, bool emphasisOpen);

// Both rules for one cell, the state cell rule first: the final colour, boldness and size.
struct DishCellLook {
    std::optional<RgbColour> colour;
    std::optional<bool> bold;
    std::optional<int> pointSize;
};
DishCellLook DishListCellLook(const QString& stateCode, bool stateColumn, bool selectedRow,
                              bool emphasisOpen);
