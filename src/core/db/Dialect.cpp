#include "core/db/Dialect.h"

namespace {

class SqlServer final : public Dialect {
public:
    Engine engine() const override { return Engine::SqlServer; }
    QString minutesBetween(const QString& from, const QString& to) const override {
        return QStringLiteral("DATEDIFF(mi, %1, %2)").arg(from, to);
    }
    QString shortTimeText(const QString& column) const override {
        return QStringLiteral("right(CONVERT(varchar(100), %1, 20),14)").arg(column);
    }
    QString concat(const QStringList& parts) const override { return parts.join(QLatin1Char('+')); }
    QString selectTop(int n) const override { return QStringLiteral("select top %1 ").arg(n); }
    QString limitClause(int) const override { return QString(); }
};

class Sqlite final : public Dialect {
public:
    Engine engine() const override { return Engine::Sqlite; }
    QString minutesBetween(const QString& from, const QString& to) const override {
        return QStringLiteral("tzcy_datediff_mi(%1, %2)").arg(from, to);
    }
    QString shortTimeText(const QString& column) const override {
        // A time bound as a date-time value is stored in the ISO form, with "T".
        return QStringLiteral("replace(substr(%1, 6, 14), 'T', ' ')").arg(column);
    }
    QString concat(const QStringList& parts) const override {
        return parts.join(QLatin1String("||"));
    }
    QString selectTop(int) const override { return QStringLiteral("select "); }
    QString limitClause(int n) const override { return QStringLiteral(" limit %1").arg(n); }
};

}  // namespace

const Dialect& SqlServerDialect() {
    static const SqlServer d;
    return d;
}

const Dialect& SqliteDialect() {
    static const Sqlite d;
    return d;
}

const Dialect& DialectFor(Engine engine) {
    return engine == Engine::Sqlite ? SqliteDialect() : SqlServerDialect();
}
