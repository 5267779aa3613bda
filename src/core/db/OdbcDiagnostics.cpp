#include "core/db/OdbcDiagnostics.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>

#ifdef STATION_HAVE_ODBC
#ifdef Q_OS_WIN
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
#endif

namespace {

#ifdef STATION_HAVE_ODBC
// QODBC hands its handles out as a void* in a QVariant (registered as "SQLHANDLE" once).
SQLHANDLE HandleOf(const QVariant& v) {
    if (!v.isValid() || (v.metaType() != QMetaType::fromType<void*>() &&
                         qstrcmp(v.metaType().name(), "SQLHANDLE") != 0)) {
        return SQL_NULL_HANDLE;
    }
    return *static_cast<void* const*>(v.constData());
}

void AppendStates(SQLSMALLINT type, SQLHANDLE handle, QStringList* out) {
    if (handle == SQL_NULL_HANDLE) {
        return;
    }
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        const SQLRETURN r = SQLGetDiagRecA(type, handle, i, state, &native, nullptr, 0, &length);
        if (!SQL_SUCCEEDED(r)) {
            break;
        }
        out->append(QString::fromLatin1(reinterpret_cast<const char*>(state)));
    }
}
#endif

}  // namespace

QStringList OdbcSqlStates(const QSqlQuery& query, const QSqlDatabase& db) {
    QStringList states;
#ifdef STATION_HAVE_ODBC
    if (db.driverName() != QLatin1String("QODBC") || !db.driver()) {
        return states;
    }
    if (const QSqlResult* result = query.result()) {
        AppendStates(SQL_HANDLE_STMT, HandleOf(result->handle()), &states);
    }
    AppendStates(SQL_HANDLE_DBC, HandleOf(db.driver()->handle()), &states);
#else
    Q_UNUSED(query);
    Q_UNUSED(db);
#endif
    return states;
}
