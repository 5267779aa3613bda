#include "core/db/QueryObject.h"

#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/common/TimeText.h"
#include "core/db/Connection.h"

QueryObject::QueryObject(Connection& connection, QString name, QObject* parent)
    : QObject(parent), connection_(connection), name_(std::move(name)) {
    setObjectName(name_);
}

void QueryObject::setSql(const QString& sql) {
    if (!keepsRows_) {
        close();
    }
    sql_ = sql;
    scanned_ = ScanSqlMarkers(sql);
    values_.clear();
}

void QueryObject::clearParams() {
    values_.clear();
}

void QueryObject::addParam(const QVariant& value) {
    values_.append(value);
}

void QueryObject::setParam(const QString& name, const QVariant& value) {
    bool found = false;
    while (values_.size() < markerCount()) {
        values_.append(QVariant());
    }
    for (int i = 0; i < markerCount(); ++i) {
        if (scanned_.markers[static_cast<size_t>(i)].name.compare(name, Qt::CaseInsensitive) == 0) {
            values_[i] = value;
            found = true;
        }
    }
    if (!found) {
        throw DbError(QStringLiteral("语句中没有参数 %1。").arg(name));
    }
}

void QueryObject::open() {
    run(true);
}

void QueryObject::execute() {
    run(false);
}

void QueryObject::close() {
    const bool had = open_ || !rows_.isEmpty();
    open_ = false;
    stale_ = false;
    rows_.clear();
    columns_.clear();
    current_ = 0;
    eof_ = bof_ = false;
    if (had) {
        emit rowsReset();
    }
}

void QueryObject::run(bool returnsRows) {
    const bool keep =
        keepsRows_ && returnsRows && open_ && sql_ == shownSql_ && values_ == shownValues_;
    if (!keep) {
        close();
    }
    QElapsedTimer timer;
    timer.start();
    const SqlTrace& trace = connection_.trace();
    auto fail = [&](const DbError& error) {
        trace.record(name_, sql_, values_, timer.nsecsElapsed() / 1000, -1, error.text());
        stale_ = keep;
        throw error;
    };
    if (values_.size() != markerCount()) {
        fail(DbError(QStringLiteral("语句有 %1 个参数，却给了 %2 个值。")
                         .arg(markerCount())
                         .arg(values_.size())));
    }
    try {
        connection_.beforeStatement(name_, sql_, !returnsRows);
    } catch (const DbError& e) {
        fail(e);
    }
    QSqlDatabase db = connection_.database();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(scanned_.positional)) {
        fail(connection_.statementFailed(q));
    }
    for (int i = 0; i < values_.size(); ++i) {
        q.bindValue(i, values_.at(i));
    }
    if (!q.exec()) {
        fail(connection_.statementFailed(q));
    }
    if (!returnsRows) {
        rowsAffected_ = q.numRowsAffected();
        connection_.statementSucceeded();
        trace.record(name_, sql_, values_, timer.nsecsElapsed() / 1000, -1, QString());
        return;
    }
    const QSqlRecord record = q.record();
    QStringList columns;
    for (int c = 0; c < record.count(); ++c) {
        columns << record.fieldName(c);
    }
    QVector<QVector<QVariant>> rows;
    while (q.next()) {
        QVector<QVariant> row(record.count());
        for (int c = 0; c < record.count(); ++c) {
            row[c] = q.value(c);
        }
        rows.append(std::move(row));
    }
    if (q.lastError().isValid()) {
        fail(connection_.statementFailed(q));
    }
    connection_.statementSucceeded();
    columns_ = columns;
    rows_ = std::move(rows);
    open_ = true;
    stale_ = false;
    eof_ = bof_ = false;
    shownSql_ = sql_;
    shownValues_ = values_;
    current_ = 0;
    ++runCount_;
    trace.record(name_, sql_, values_, timer.nsecsElapsed() / 1000, rowCount(), QString());
    emit rowsReset();
    emit currentRowChanged(currentRow());
}

void QueryObject::setCurrentRow(int row) {
    if (rows_.isEmpty()) {
        return;
    }
    row = std::clamp(row, 0, rowCount() - 1);
    eof_ = bof_ = false;
    if (row != current_) {
        current_ = row;
        emit currentRowChanged(current_);
    }
}

void QueryObject::first() {
    setCurrentRow(0);
}

void QueryObject::last() {
    setCurrentRow(rowCount() - 1);
}

void QueryObject::next() {
    if (rows_.isEmpty()) {
        return;
    }
    if (current_ + 1 >= rowCount()) {
        eof_ = true;
        return;
    }
    setCurrentRow(current_ + 1);
}

void QueryObject::prior() {
    if (rows_.isEmpty()) {
        return;
    }
    if (current_ == 0) {
        bof_ = true;
        return;
    }
    setCurrentRow(current_ - 1);
}

bool QueryObject::locatePrefix(const QString& column, const QString& prefix) {
    if (!open_) {
        return false;
    }
    const int c = requireColumn(column);
    for (int r = 0; r < rowCount(); ++r) {
        if (rows_.at(r).at(c).toString().startsWith(prefix, Qt::CaseSensitive)) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

int QueryObject::columnIndex(const QString& column) const {
    for (int c = 0; c < columns_.size(); ++c) {
        if (columns_.at(c).compare(column, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    return -1;
}

int QueryObject::requireColumn(const QString& column) const {
    if (!open_) {
        throw DbError(QStringLiteral("%1：查询未打开，无法读取字段 %2。").arg(name_, column));
    }
    const int c = columnIndex(column);
    if (c < 0) {
        throw DbError(QStringLiteral("%1：找不到字段 %2。").arg(name_, column));
    }
    return c;
}

QVariant QueryObject::value(const QString& column) const {
    const int c = requireColumn(column);
    if (rows_.isEmpty()) {
        return QVariant();
    }
    return rows_.at(current_).at(c);
}

QString FieldText(const QVariant& v) {
    if (v.isNull()) {
        return QString();
    }
    switch (v.typeId()) {
        case QMetaType::Double:
            // 3.0 reads as "3", as the ERP's own programs show numbers.
            return QString::number(v.toDouble(), 'g', 15);
        case QMetaType::QDateTime:
            // SQL Server hands out date-times, the embedded engine their text: one form.
            return FormatDbTime(v.toDateTime());
        case QMetaType::QDate:
            return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        case QMetaType::QTime:
            return v.toTime().toString(QStringLiteral("HH:mm:ss"));
        default:
            return v.toString();
    }
}

QString QueryObject::asString(const QString& column) const {
    return FieldText(value(column));
}

int QueryObject::asInt(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) {
        return 0;
    }
    bool ok = false;
    const int i = v.toInt(&ok);
    if (ok) {
        return i;
    }
    const double d = v.toString().trimmed().toDouble(&ok);
    if (ok && d == static_cast<int>(d)) {
        return static_cast<int>(d);
    }
    throw DbError(QStringLiteral("“%1”不是有效的整数。").arg(v.toString()));
}

double QueryObject::asDouble(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) {
        return 0;
    }
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok) {
        throw DbError(QStringLiteral("“%1”不是有效的数值。").arg(v.toString()));
    }
    return d;
}

QDateTime QueryObject::asDateTime(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) {
        return QDateTime();
    }
    if (v.typeId() == QMetaType::QDateTime) {
        return v.toDateTime();
    }
    const QDateTime t = ParseDbTime(v.toString());
    if (!t.isValid()) {
        throw DbError(QStringLiteral("“%1”不是有效的日期时间。").arg(v.toString()));
    }
    return t;
}
