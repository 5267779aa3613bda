#include "core/session/PasswordChange.h"

#include "core/db/QueryObject.h"
#include "core/db/StatementCatalogue.h"
#include "core/db/TF_dm.h"
#include "core/session/Md5Hex.h"

PasswordCheck CheckPasswordChange(const QString& currentPassword, const QString& oldPassword,
                                  const QString& newPassword, const QString& confirmation) {
    if (oldPassword.isEmpty() && !currentPassword.isEmpty()) {
        return PasswordCheck::OldMissing;
    }
    if (oldPassword != currentPassword) {
        return PasswordCheck::OldWrong;
    }
    if (newPassword != confirmation) {
        return PasswordCheck::Mismatch;
    }
    return PasswordCheck::Accepted;
}

CommandOutcome StoreOperatorPassword(TF_dm& dm, const QString& operatorCode,
                                     const QString& newPassword) {
    QueryObject& update = dm.ADO_Public;
    try {
        update.close();
        if (newPassword.isEmpty()) {
            update.setSql(kClearPasswordSql);
        } else {
            update.setSql(kSetPasswordSql);
            update.setParam(QStringLiteral("a1"), Md5Hex(newPassword));
        }
        update.setParam(QStringLiteral("a2"), operatorCode);
        update.execute();
    } catch (const DbError& e) {
        update.close();
        return {CommandResult::Failed, e.text()};
    }
    if (update.rowsAffected() == 0) {
        return {CommandResult::NoLine, {}};
    }
    return {};
}

void RegisterPasswordStatements(StatementCatalogue& catalogue) {
    for (const auto& [name, sql] : {std::pair{"PasswordClear", &kClearPasswordSql},
                                    std::pair{"PasswordSet", &kSetPasswordSql}}) {
        const QString text = *sql;
        catalogue.add({QString::fromLatin1(name), {}, [text](const Dialect&, const QSet<QString>&) {
                           return text;
                       }});
    }
}
