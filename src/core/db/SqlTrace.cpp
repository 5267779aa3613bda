#include "core/db/SqlTrace.h"

#include <QDateTime>
#include <QFile>

void SqlTrace::record(const QString& object, const QString& sql, const QVariantList& values,
                      qint64 micros, int rows, const QString& error) const {
    if (!enabled()) {
        return;
    }
    QFile file(path_);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        return;
    }
    // One line per statement, whatever the text or a value holds.
    auto oneLine = [](QString s) {
        return s.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    QStringList shown;
    for (const QVariant& v : values) {
        shown << (v.isNull() ? QStringLiteral("NULL")
                             : QLatin1Char('\'') + oneLine(v.toString()) + QLatin1Char('\''));
    }
    const QString flat = oneLine(sql);
    QString outcome =
        error.isEmpty() ? (rows >= 0 ? QStringLiteral("rows=%1").arg(rows) : QStringLiteral("done"))
                        : QStringLiteral("error=") +
                              QString(error).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = QStringLiteral("%1\t%2\t%3ms\t%4\t%5\t[%6]\n")
                             .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), object,
                                  QString::number(micros / 1000.0, 'f', 3), outcome, flat,
                                  shown.join(QStringLiteral(", ")));
    file.write(line.toUtf8());
}
