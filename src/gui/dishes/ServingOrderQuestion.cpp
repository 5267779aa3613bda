#include "gui/dishes/ServingOrderQuestion.h"

#include "core/dishes/DishCommands.h"

bool MayServeBeforeEarlierCourses(StationContext& ctx, const DishLineRef& line) {
    if (!ServingOrderNeedsCheck(ctx.settings.MEAL_ORDER, line.servingOrder)) {
        return true;
    }
    if (!EarlierCoursePending(ctx.dm.ADO_Public, line.tableId, line.servingOrder)) {
        return true;
    }
    return ctx.boxes.askYesNo(
        ctx.window, QStringLiteral("系统提示"),
        QStringLiteral("未上菜品中有需要优先上菜的菜品！是否继续对该菜品上菜？"));
}
