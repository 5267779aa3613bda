#include "TestStation.h"

#include <QDir>
#include <stdexcept>

#include "core/db/ConnectionSettings.h"
#include "core/db/EmbeddedSchema.h"
#include "core/db/QueryObject.h"

TestStation::TestStation(const QDateTime& serverTime) : serverClock(serverTime) {
    if (!dir_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    QString error;
    if (!CreateEmbeddedDatabaseFile(databasePath(), &error)) {
        throw std::runtime_error(error.toStdString());
    }
    ConnectionSettings settings;
    settings.engine = Engine::Sqlite;
    settings.sqliteFile = QStringLiteral("tzcyerp.db");
    WriteConnectionSettings(QDir(folder()).filePath(kConnectionFileName), settings);
    dm_ = std::make_unique<TF_dm>([this] { return serverClock.now(); });
    if (!OpenConnection(dm_->ADOConn, settings, folder())) {
        throw std::runtime_error(dm_->ADOConn.lastError().toStdString());
    }
}

QString TestStation::databasePath() const {
    return QDir(folder()).filePath(QStringLiteral("tzcyerp.db"));
}

void TestStation::exec(const QString& sql, const QVariantList& values) {
    QueryObject q(dm_->ADOConn, QStringLiteral("Fixture"));
    q.setSql(sql);
    for (const QVariant& v : values) {
        q.addParam(v);
    }
    q.execute();
}

QVariant TestStation::scalar(const QString& sql, const QVariantList& values) {
    QueryObject q(dm_->ADOConn, QStringLiteral("Fixture"));
    q.setSql(sql);
    for (const QVariant& v : values) {
        q.addParam(v);
    }
    q.open();
    return q.isEmpty() ? QVariant() : q.valueAt(0, 0);
}

QStringList TestStation::rows(const QString& sql, const QVariantList& values) {
    QueryObject q(dm_->ADOConn, QStringLiteral("Fixture"));
    q.setSql(sql);
    for (const QVariant& v : values) {
        q.addParam(v);
    }
    q.open();
    QStringList out;
    for (int r = 0; r < q.rowCount(); ++r) {
        QStringList cols;
        for (int c = 0; c < q.columnNames().size(); ++c) {
            const QVariant v = q.valueAt(r, c);
            cols << (v.isNull() ? QStringLiteral("NULL") : v.toString());
        }
        out << cols.join(QLatin1Char('|'));
    }
    return out;
}

void TestStation::addLine(const QVariantMap& fields) {
    QVariantMap row{
        {QStringLiteral("consume_bh"), QStringLiteral("L1")},
        {QStringLiteral("consume_guest_bh"), QStringLiteral("G1")},
        {QStringLiteral("consume_table"), QStringLiteral("R1")},
        {QStringLiteral("consume_meal_id"), QStringLiteral("M1")},
        {QStringLiteral("consume_meal_name"), QStringLiteral("宫保鸡丁")},
        {QStringLiteral("consume_meal_type"), QStringLiteral("S1")},
        {QStringLiteral("consume_num"), 1},
        {QStringLiteral("consume_returnNum"), 0},
        {QStringLiteral("consume_return"), QStringLiteral("N")},
        {QStringLiteral("consume_begintime"), QStringLiteral("2026-07-15 18:00:00")},
        {QStringLiteral("consume_Chupinlogo"), QStringLiteral("")},
        {QStringLiteral("consume_state"), QStringLiteral("即起")},
        {QStringLiteral("consume_cccs"), 0},
    };
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        row.insert(it.key(), it.value());
    }
    QStringList marks;
    QVariantList values;
    for (auto it = row.begin(); it != row.end(); ++it) {
        marks << QStringLiteral(":v");
        values << it.value();
    }
    exec(QStringLiteral("insert into Consume (%1) values (%2)")
             .arg(row.keys().join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
         values);
}
