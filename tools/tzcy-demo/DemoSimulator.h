#pragma once

#include <QDateTime>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <functional>

class Connection;

// Plays the ordering terminals and the waiters on a demo database: opens bills, orders,
// hurries, returns and settles. Each action is one short write transaction, so a station
// on the same file only ever waits a moment. It writes the preparation state columns only
// on the lines it inserts (never set), so it never undoes what a station did.
class DemoSimulator {
public:
    DemoSimulator(Connection& connection, quint32 seed, std::function<QDateTime()> clock);

    // One action; returns its description, or "" when nothing could be done. Throws
    // DbError when the database failed (the transaction is rolled back).
    QString step();

    // The single actions, for tests and for step().
    QString openBill();
    QString orderDishes();
    QString hurry();
    QString returnDish();
    QString settle();

private:
    QVector<QVariantList> rows(const QString& sql, const QVariantList& values = {});
    void exec(const QString& sql, const QVariantList& values = {});
    QString inTransaction(const std::function<QString()>& action);
    QString orderFor(const QString& bill, const QString& table, const QString& type, int count);
    QString tableName(const QString& tableId);
    int between(int lo, int hi);
    bool chance(double p) { return rng_.generateDouble() < p; }

    Connection& connection_;
    QSqlDatabase db_;
    QRandomGenerator rng_;
    std::function<QDateTime()> clock_;
};
