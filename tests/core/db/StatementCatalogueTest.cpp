#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include "TestStation.h"
#include "core/db/ClockSync.h"
#include "core/db/Dialect.h"
#include "core/db/MarkerScanner.h"
#include "core/db/StatementCatalogue.h"

namespace {

// Every variant an administrator may meet: all parts off, each part alone, all parts on.
QList<QSet<QString>> Variants(const CatalogueStatement& s) {
    QList<QSet<QString>> out{QSet<QString>()};
    for (const QString& part : s.optionalParts) {
        out << QSet<QString>{part};
    }
    if (s.optionalParts.size() > 1) {
        out << QSet<QString>(s.optionalParts.begin(), s.optionalParts.end());
    }
    return out;
}

QString Describe(const CatalogueStatement& s, const QSet<QString>& parts) {
    QStringList on(parts.begin(), parts.end());
    on.sort();
    return s.name + QStringLiteral(" [") + on.join(QLatin1Char(',')) + QLatin1Char(']');
}

}  // namespace

// Registered statements are checked generically, so every statement a subsystem adds later
// is held to the same rules.
class StatementCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void serverTimeStatement();
    void renderListsEveryStatement_data();
    void renderListsEveryStatement();
    void namesAreUnique();
    void everyStatementRendersInBothDialects();
    void everyStatementPreparesOnTheEmbeddedDatabase();
};

void StatementCatalogueTest::serverTimeStatement() {
    const StatementCatalogue c = BuildStatementCatalogue();
    const CatalogueStatement* s = c.find(QStringLiteral("ServerTime"));
    QVERIFY(s);
    QCOMPARE(s->build(SqlServerDialect(), {}), QStringLiteral("select GetDate() as DBTime"));
    QCOMPARE(s->build(SqlServerDialect(), {}), kServerTimeSql);
    QVERIFY(c.render(SqlServerDialect())
                .contains(QStringLiteral("ServerTime\tbase\tselect GetDate() as DBTime")));
    QVERIFY(!c.find(QStringLiteral("NoSuchStatement")));
}

void StatementCatalogueTest::renderListsEveryStatement_data() {
    QTest::addColumn<bool>("sqlite");
    QTest::newRow("mssql") << false;
    QTest::newRow("sqlite") << true;
}

void StatementCatalogueTest::renderListsEveryStatement() {
    QFETCH(bool, sqlite);
    const Dialect& d = sqlite ? SqliteDialect() : SqlServerDialect();
    const StatementCatalogue c = BuildStatementCatalogue();
    const QStringList lines = c.render(d);
    int expected = 0;
    for (const CatalogueStatement& s : c.statements()) {
        expected += s.optionalParts.isEmpty() ? 1 : 2;
        QVERIFY2(lines.contains(s.name + QStringLiteral("\tbase\t") +
                                s.build(d, {})
                                    .replace(QLatin1Char('\r'), QLatin1Char(' '))
                                    .replace(QLatin1Char('\n'), QLatin1Char(' '))),
                 qPrintable(s.name));
    }
    QCOMPARE(lines.size(), expected);
    for (const QString& line : lines) {
        QCOMPARE(line.split(QLatin1Char('\t')).size(), 3);
        QVERIFY2(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')),
                 qPrintable(line));
    }
}

void StatementCatalogueTest::namesAreUnique() {
    QSet<QString> seen;
    const StatementCatalogue catalogue = BuildStatementCatalogue();
    for (const CatalogueStatement& s : catalogue.statements()) {
        QVERIFY2(!s.name.isEmpty(), "a statement without a name");
        QVERIFY2(!seen.contains(s.name), qPrintable(s.name));
        seen.insert(s.name);
    }
}

void StatementCatalogueTest::everyStatementRendersInBothDialects() {
    const StatementCatalogue catalogue = BuildStatementCatalogue();
    for (const CatalogueStatement& s : catalogue.statements()) {
        for (const QSet<QString>& parts : Variants(s)) {
            const QString mssql = s.build(SqlServerDialect(), parts);
            const QString sqlite = s.build(SqliteDialect(), parts);
            QVERIFY2(!mssql.trimmed().isEmpty(), qPrintable(Describe(s, parts)));
            QVERIFY2(!sqlite.trimmed().isEmpty(), qPrintable(Describe(s, parts)));
            // The embedded engine's own functions never reach SQL Server.
            QVERIFY2(!mssql.contains(QLatin1String("tzcy_"), Qt::CaseInsensitive),
                     qPrintable(Describe(s, parts) + QStringLiteral(": ") + mssql));
        }
    }
}

void StatementCatalogueTest::everyStatementPreparesOnTheEmbeddedDatabase() {
    TestStation st;
    const QSqlDatabase db = st.dm().ADOConn.database();
    int prepared = 0;
    const StatementCatalogue catalogue = BuildStatementCatalogue();
    for (const CatalogueStatement& s : catalogue.statements()) {
        for (const QSet<QString>& parts : Variants(s)) {
            const QString sql = s.build(SqliteDialect(), parts);
            QSqlQuery q(db);
            QVERIFY2(q.prepare(ScanSqlMarkers(sql).positional),
                     qPrintable(Describe(s, parts) + QStringLiteral(": ") + q.lastError().text() +
                                QStringLiteral("\n") + sql));
            ++prepared;
        }
    }
    QVERIFY(prepared > 0);
}

QTEST_GUILESS_MAIN(StatementCatalogueTest)
#include "StatementCatalogueTest.moc"
