#include "core/common/TimeText.h"

QString FormatDbTime(const QDateTime& t) {
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString FormatDbTimeMs(const QDateTime& t) {
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QDateTime ParseDbTime(const QString& text) {
    QString s = text.trimmed();
    if (s.size() >= 11 && s.at(10) == QLatin1Char('T')) {
        s[10] = QLatin1Char(' ');
    }
    for (const auto* format :
         {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime t = QDateTime::fromString(s, QLatin1String(format));
        if (t.isValid()) {
            return t;
        }
    }
    // Fractions of other lengths (".1", ".123456") as other programs may write them.
    const int dot = s.indexOf(QLatin1Char('.'));
    if (dot == 19) {
        QDateTime t = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (t.isValid()) {
            const QString frac = (s.mid(20) + QStringLiteral("000")).left(3);
            bool ok = false;
            const int ms = frac.toInt(&ok);
            return ok ? t.addMSecs(ms) : QDateTime();
        }
    }
    return QDateTime();
}
