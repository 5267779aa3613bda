#include "core/alerts/AlertRules.h"

#include "core/db/DishState.h"

QString HurryReturnLabel(int hurryCount, const QString& consumeState) {
    if (hurryCount > 0) {
        return QStringLiteral("催菜(%1)").arg(hurryCount);
    }
    return consumeState;
}

std::optional<RgbColour> HurryReturnRowColour(const QString& label) {
    const QString l = label.trimmed();
    // In this order, a later match winning.
    std::optional<RgbColour> colour;
    if (l == kLineReturned) {
        colour = RgbColour{128, 0, 0};
    }
    if (l == kStartAtOnce) {
        colour = RgbColour{0, 0, 0};
    }
    if (l.contains(QStringLiteral("催菜"))) {
        colour = RgbColour{255, 0, 0};
    }
    if (l == kStartWhenCalled) {
        colour = RgbColour{0, 0, 128};
    }
    return colour;
}
