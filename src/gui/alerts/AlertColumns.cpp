#include "gui/alerts/AlertColumns.h"

QVector<DishGridColumn> OverdueColumns() {
    return {
        {QStringLiteral("餐台名称"), QStringLiteral("room_name"), 93, true},
        {QStringLiteral("菜品名称"), QStringLiteral("consume_meal_name"), 147, true},
        {QStringLiteral("点菜时间"), QStringLiteral("consume_begintime"), 139, true},
        {QStringLiteral("等待分钟"), QStringLiteral("sc_time"), 86, true},
        {QStringLiteral("催菜状态"), QStringLiteral("consume_state"), 93, true},
        {QStringLiteral("菜品状态"), QStringLiteral("consume_Chupinstate"), 94, true},
        {QStringLiteral("数量"), QStringLiteral("consume_num"), 69, true},
        {QStringLiteral("上菜顺序"), QStringLiteral("Smalltype_scsx"), 73, true},
        {QStringLiteral("厨师名称"), QStringLiteral("employee_name"), 132, false},
        {QStringLiteral("出品部门"), QStringLiteral("kitchen_name"), 126, true},
        {QStringLiteral("工作站点"), QStringLiteral("sit_name"), 150, true},
    };
}

QVector<DishGridColumn> HurryReturnColumns() {
    return {
        {QStringLiteral("催菜退菜状态"), QStringLiteral("cctc"), 106, true},
        {QStringLiteral("餐台名称"), QStringLiteral("room_name"), 113, true},
        {QStringLiteral("菜品名称"), QStringLiteral("consume_meal_name"), 133, true},
        {QStringLiteral("点菜时间"), QStringLiteral("consume_begintime"), 146, true},
        {QStringLiteral("等待分钟"), QStringLiteral("sc_time"), 98, true},
        {QStringLiteral("数量"), QStringLiteral("consume_num"), 51, true},
        {QStringLiteral("上菜顺序"), QStringLiteral("Smalltype_scsx"), 0, true},
        {QStringLiteral("厨师名称"), QStringLiteral("employee_name"), 132, false},
        {QStringLiteral("菜品状态"), QStringLiteral("consume_Chupinstate"), 110, false},
    };
}

QVector<DishGridColumn> ServedColumns() {
    return {
        {QStringLiteral("餐台名称"), QStringLiteral("room_name"), 126, true},
        {QStringLiteral("菜品编号"), QStringLiteral("consume_meal_id"), 121, true},
        {QStringLiteral("菜品名称"), QStringLiteral("consume_meal_name"), 134, true},
        {QStringLiteral("上菜时间"), QStringLiteral("consume_donetime"), 145, true},
        {QStringLiteral("已上分钟"), QStringLiteral("sc_time"), 113, true},
        {QStringLiteral("数量"), QStringLiteral("consume_num"), 63, true},
        {QStringLiteral("上菜顺序"), QStringLiteral("Smalltype_scsx"), 107, true},
        {QStringLiteral("出品部门"), QStringLiteral("kitchen_name"), 130, true},
        {QStringLiteral("工作站点"), QStringLiteral("sit_name"), 132, true},
    };
}
