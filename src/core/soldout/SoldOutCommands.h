#pragma once

#include <QString>

#include "core/dishes/DishCommands.h"

class TF_dm;

// The three writes of the sold-out list, on ADO_Public. Each reports Failed with the
// database's text; a dish that is no longer in the catalogue is NoLine.
inline const QString kAddSoldOutSql =
    QStringLiteral("update meal set meal_clean=:a1,meal_cleanSl=:a3 where meal_bh=:a2");
inline const QString kRemoveSoldOutSql =
    QStringLiteral("update meal set meal_clean=:a1 where meal_bh=:a2");
inline const QString kClearSoldOutSql = QStringLiteral("update meal set meal_clean=:a1");

// On the list with the quantity that may still be sold (0: none); adding again replaces it.
CommandOutcome AddSoldOutDish(TF_dm& dm, const QString& mealBh, double sellableQuantity);
// Off the list; the quantity stays as it was.
CommandOutcome RemoveSoldOutDish(TF_dm& dm, const QString& mealBh);
// Every dish of the catalogue off the list; the quantities stay.
CommandOutcome ClearSoldOutList(TF_dm& dm);
