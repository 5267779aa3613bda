#include "core/db/SqlHelpers.h"

#include "core/db/QueryObject.h"

namespace {

bool Run(QueryObject& query, const QString& sql, const QStringList& values, bool returnsRows) {
    try {
        query.setSql(sql);
        for (const QString& v : values) {
            query.addParam(v);
        }
        if (returnsRows) {
            query.open();
        } else {
            query.execute();
        }
        return true;
    } catch (const DbError&) {
        query.close();
        return false;
    }
}

}  // namespace

void OpenSql(QueryObject& query, const QString& sql) {
    Run(query, sql, {}, true);
}

bool OpenSqlParams(QueryObject& query, const QString& sql, const QStringList& values) {
    return Run(query, sql, values, true);
}

bool ExecSqlParams(QueryObject& query, const QString& sql, const QStringList& values) {
    return Run(query, sql, values, false);
}
