#pragma once

#include <QString>
#include <QVariant>

// The digest the ERP stores for a password: MD5 of its GBK bytes, 32 upper-case hex digits.
QString Md5Hex(const QString& text);

// What users.user_mm holds for a password: its Md5Hex, or a single blank when empty.
QString StoredPasswordText(const QString& password);

// Whether a typed password (already trimmed) matches a stored user_mm. The hex digits
// compare without regard to case (other ERP programs write lower case); a null, empty or
// blank value stands for the empty password.
bool PasswordMatches(const QVariant& storedUserMm, const QString& typed);
