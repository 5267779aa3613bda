#pragma once

#include <QString>

#include "core/dishes/DishCommands.h"

class StatementCatalogue;
class TF_dm;

// user_mm of one operator: a single blank for the empty password, else its Md5Hex. Both bind
// by marker name.
inline const QString kClearPasswordSql =
    QStringLiteral("update users set user_mm=' ' where user_bh=:a2");
inline const QString kSetPasswordSql =
    QStringLiteral("update users set user_mm=:a1 where user_bh=:a2");

// Why a password change is refused before anything is written. All texts already trimmed.
enum class PasswordCheck {
    Accepted,
    OldMissing,  // nothing typed as the old password, and the operator has one
    OldWrong,    // the old password is not the current one (letter case counts)
    Mismatch,    // the new password and its confirmation differ
};
PasswordCheck CheckPasswordChange(const QString& currentPassword, const QString& oldPassword,
                                  const QString& newPassword, const QString& confirmation);

// Stores the new password of the operator on ADO_Public. NoLine when no row changed (the
// operator's row is gone): nothing was stored and the old password still holds.
CommandOutcome StoreOperatorPassword(TF_dm& dm, const QString& operatorCode,
                                     const QString& newPassword);

void RegisterPasswordStatements(StatementCatalogue& catalogue);
