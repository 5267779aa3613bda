#pragma once

#include <QString>
#include <QVariantList>

// Appends every statement to a file, for administrators and benchmarks. Off when the path
// is empty. The program entry takes the path from TZCY_SQL_TRACE.
class SqlTrace {
public:
    explicit SqlTrace(QString path) : path_(std::move(path)) {}
    bool enabled() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }

    // rows is -1 for a statement that returns none.
    void record(const QString& object, const QString& sql, const QVariantList& values,
                qint64 micros, int rows, const QString& error) const;

private:
    QString path_;
};
