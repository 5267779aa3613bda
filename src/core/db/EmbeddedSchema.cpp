#include "core/db/EmbeddedSchema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "core/db/QueryObject.h"

QStringList EmbeddedSchemaStatements() {
    return {
        QStringLiteral("create table area (area_id TEXT primary key, area_name TEXT)"),
        QStringLiteral("create table roomtype (roomt_id TEXT primary key, roomt_name TEXT)"),
        QStringLiteral("create table room (room_id TEXT primary key, room_name TEXT, "
                       "room_type TEXT, room_area TEXT, room_state TEXT)"),
        QStringLiteral("create table guest (guest_bh TEXT primary key, guest_table TEXT, "
                       "guest_rs INTEGER, guest_total REAL, guest_estate TEXT)"),
        QStringLiteral("create table BigType (BigType_id TEXT primary key, BigType_name TEXT)"),
        QStringLiteral("create table SmallType (Smalltype_id TEXT primary key, "
                       "Smalltype_name TEXT, Smalltype_big_id TEXT, Smalltype_NdyHc TEXT, "
                       "Smalltype_scsx INTEGER)"),
        QStringLiteral(
            "create table Meal (meal_bh TEXT primary key, meal_name TEXT, "
            "meal_code TEXT, meal_Barcode TEXT, meal_unit TEXT, Meal_type_id TEXT, "
            "Meal_time INTEGER, meal_clean TEXT default 'N', meal_cleanSl REAL default 0)"),
        QStringLiteral("create table Kitchen (kitchen_bh TEXT primary key, kitchen_name TEXT)"),
        QStringLiteral("create table SaleSit (sit_id TEXT primary key, sit_name TEXT)"),
        QStringLiteral("create table Employee (employee_id TEXT primary key, employee_name TEXT)"),
        QStringLiteral("create table users (user_bh TEXT primary key, user_mm TEXT, "
                       "user_xh INTEGER)"),
        QStringLiteral(
            "create table Consume (consume_bh TEXT primary key, consume_guest_bh TEXT, "
            "consume_table TEXT, consume_meal_id TEXT, consume_meal_name TEXT, "
            "consume_meal_type TEXT, consume_num REAL default 0, consume_returnNum REAL default 0, "
            "consume_return TEXT default 'N', consume_begintime TEXT, consume_donetime TEXT, "
            "consume_Chupinlogo TEXT default '', consume_Chupinstate TEXT, consume_state TEXT, "
            "consume_cccs INTEGER default 0, consume_chef TEXT, consume_CPdep TEXT, "
            "consume_sit TEXT, consume_taste TEXT, consume_tcsign TEXT)"),
        QStringLiteral("create table khdzt (khdzt_id TEXT, khdzt_gzzdmc TEXT, khdzt_gzzdip TEXT, "
                       "khdzt_user TEXT, khdzt_dlsj TEXT, khdzt_zhgxsj TEXT, khdzt_mkmc TEXT)"),
        QStringLiteral("create table logb (logb_id TEXT, Logb_datetime TEXT, Logb_mrzy TEXT, "
                       "Logb_loginfo TEXT, Logb_mkmc TEXT, Logb_user TEXT, Logb_gzzd TEXT, "
                       "logb_xtbl TEXT, Logb_mkjp TEXT)"),
        // For the per-bill counters, the table's lines, the board's open bills.
        QStringLiteral("create index ix_consume_guest on Consume (consume_guest_bh)"),
        QStringLiteral("create index ix_consume_table on Consume (consume_table, consume_state)"),
        QStringLiteral("create index ix_consume_state on Consume (consume_state)"),
        // The recently served list: the latest served lines without a sort of all of them.
        QStringLiteral("create index ix_consume_donetime on Consume (consume_donetime)"),
        QStringLiteral("create index ix_guest_table on guest (guest_table, guest_estate)"),
        QStringLiteral("create index ix_room_state on room (room_state, room_type)"),
        QStringLiteral("create index ix_meal_type on Meal (Meal_type_id)"),
        QStringLiteral("create index ix_khdzt_id on khdzt (khdzt_id)"),
    };
}

void CreateEmbeddedSchema(Connection& connection) {
    QueryObject q(connection, QStringLiteral("Schema"));
    for (const QString& sql : EmbeddedSchemaStatements()) {
        q.setSql(sql);
        q.execute();
    }
}

bool CreateEmbeddedDatabaseFile(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        if (error) {
            *error = QStringLiteral("%1 已经存在。").arg(path);
        }
        return false;
    }
    const QString name = QStringLiteral("tzcy-create-%1").arg(reinterpret_cast<quintptr>(&path));
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            ok = false;
            if (error) {
                *error = db.lastError().text();
            }
        } else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            db.transaction();
            for (const QString& sql : EmbeddedSchemaStatements()) {
                if (!q.exec(sql)) {
                    ok = false;
                    if (error) {
                        *error = q.lastError().text();
                    }
                    break;
                }
            }
            ok ? db.commit() : db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
