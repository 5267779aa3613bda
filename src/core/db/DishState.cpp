#include "core/db/DishState.h"

QString DishStateCode(DishState state) {
    return QString::number(static_cast<int>(state));
}

QString DishStateText(DishState state) {
    switch (state) {
        case DishState::StartMaking:
            return QStringLiteral("开始制作");
        case DishState::Urgent:
            return QStringLiteral("加急制作");
        case DishState::CannotMake:
            return QStringLiteral("无法制作");
        case DishState::Made:
            return QStringLiteral("制作完成");
        case DishState::Served:
            return QStringLiteral("菜品已上");
    }
    return QString();
}

std::optional<DishState> DishStateFromCode(const QString& code) {
    const QString t = code.trimmed();
    if (t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('4')) {
        return static_cast<DishState>(t.at(0).unicode() - '0');
    }
    return std::nullopt;
}
