#include "core/session/Md5Hex.h"

#include <QCryptographicHash>

#include "core/db/IniFile.h"

QString Md5Hex(const QString& text) {
    return QString::fromLatin1(
        QCryptographicHash::hash(EncodeGbk(text), QCryptographicHash::Md5).toHex().toUpper());
}

QString StoredPasswordText(const QString& password) {
    return password.isEmpty() ? QStringLiteral(" ") : Md5Hex(password);
}

bool PasswordMatches(const QVariant& storedUserMm, const QString& typed) {
    const QString stored = storedUserMm.isNull() ? QString() : storedUserMm.toString().trimmed();
    if (stored.isEmpty()) {
        return typed.isEmpty();
    }
    return stored.compare(Md5Hex(typed), Qt::CaseInsensitive) == 0;
}
