#include "core/dishes/DishListRules.h"

#include "core/db/DishState.h"

std::optional<RgbColour> DishRowFontColour(const QString& stateCode, bool selectedRow,
                                           bool emphasisOpen) {
    const QString code = stateCode.trimmed();
    if (code.isEmpty()) {
        return RgbColour{0, 0, 0};
    }
    const auto state = DishStateFromCode(code);
    if (!state) {
        return std::nullopt;
    }
    switch (*state) {
        case DishState::StartMaking:
            return RgbColour{0, 128, 0};
        case DishState::Urgent:
            return RgbColour{255, 0, 0};
        case DishState::CannotMake:
            return RgbColour{0, 0, 128};
        case DishState::Made:
            return RgbColour{128, 0, 0};
        case DishState::Served:
            if (selectedRow && emphasisOpen) {
                return std::nullopt;
            }
            return RgbColour{128, 0, 128};
    }
    return std::nullopt;
}

StateCellFont DishStateCellFont(bool selectedRow, bool emphasisOpen) {
    if (!emphasisOpen) {
        return {std::nullopt, false, 9};
    }
    if (selectedRow) {
        return {RgbColour{255, 0, 0}, true, 11};
    }
    return {};
}

DishCellLook DishListCellLook(const QString& stateCode, bool stateColumn, bool selectedRow,
                              bool emphasisOpen) {
    DishCellLook look;
    if (stateColumn) {
        const StateCellFont f = DishStateCellFont(selectedRow, emphasisOpen);
        look.colour = f.colour;
        look.bold = f.bold;
        look.pointSize = f.pointSize;
    }
    if (const auto c = DishRowFontColour(stateCode, selectedRow, emphasisOpen)) {
        look.colour = c;
    }
    return look;
}
