#pragma once

#include "gui/common/StationContext.h"

struct DishLineRef;

// Before a line is served: with MEAL_ORDER on and a dish of a later course, asks whether to
// serve it although an earlier course of its table is still pending. True when it may be
// served. A failing check query throws DbError.
bool MayServeBeforeEarlierCourses(StationContext& ctx, const DishLineRef& line);
