#pragma once

#include <QString>
#include <QStringList>

#include "core/db/ConnectionSettings.h"

// The few constructs in which SQL Server and the embedded engine differ. For SQL Server each
// returns exactly the text the station's statements have always had.
class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;

    // Minute boundaries crossed from `from` to `to`: DATEDIFF(mi, from, to).
    virtual QString minutesBetween(const QString& from, const QString& to) const = 0;
    // "MM-DD hh:mm:ss" of a time column: the last 14 characters of the style-20 text.
    virtual QString shortTimeText(const QString& column) const = 0;
    // String concatenation of SQL expressions.
    virtual QString concat(const QStringList& parts) const = 0;
    // "select top N " on SQL Server, "select " elsewhere; pair it with limitClause.
    virtual QString selectTop(int n) const = 0;
    virtual QString limitClause(int n) const = 0;

    // The server's clock; the embedded engine registers getdate() itself.
    QString serverNow() const { return QStringLiteral("getdate()"); }
    QString minutesSince(const QString& column) const {
        return minutesBetween(column, serverNow());
    }
};

const Dialect& SqlServerDialect();
const Dialect& SqliteDialect();
const Dialect& DialectFor(Engine engine);
