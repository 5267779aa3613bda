#pragma once

#include <QString>
#include <optional>

// Preparation state of a dish line: the code in consume_Chupinlogo and the text in
// consume_Chupinstate, always written together. A code that is blank counts as not set.
enum class DishState { StartMaking = 0, Urgent = 1, CannotMake = 2, Made = 3, Served = 4 };

QString DishStateCode(DishState state);
QString DishStateText(DishState state);
// "0".."4" after trimming; nothing for blank or any other text.
std::optional<DishState> DishStateFromCode(const QString& code);

// consume_state values the station tests.
inline const QString kBillSettled = QStringLiteral("已结");
inline const QString kLineReturned = QStringLiteral("已退");
inline const QString kStartAtOnce = QStringLiteral("即起");
inline const QString kStartWhenCalled = QStringLiteral("叫起");
// consume_tcsign of a package line; consume_return and Smalltype_NdyHc flag value.
inline const QString kPackageLine = QStringLiteral("TC");
inline const QString kYes = QStringLiteral("Y");
