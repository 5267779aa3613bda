#pragma once

#include <QString>
#include <optional>

#include "core/dishes/DishListRules.h"

// The first column of the hurry/return list as the statement computes it: "催菜(n)" for a
// line hurried n > 0 times, its consume_state otherwise ("即起", "叫起", "已退", ...).
QString HurryReturnLabel(int hurryCount, const QString& consumeState);

// The text colour of a whole hurry/return row by its label (blanks removed): "已退" dark red,
// "即起" black, any label with "催菜" red, "叫起" dark blue. Nothing keeps the grid's colour.
std::optional<RgbColour> HurryReturnRowColour(const QString& label);
