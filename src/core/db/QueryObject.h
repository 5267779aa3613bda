#pragma once

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "core/db/DbError.h"
#include "core/db/MarkerScanner.h"

class Connection;

// A named, reusable holder of one SQL text, its parameter values and, once opened, a
// materialised result with a current row. Grids follow it through its signals and move
// its current row, so a grid's selection and the current row are one thing.
class QueryObject : public QObject {
    Q_OBJECT

public:
    QueryObject(Connection& connection, QString name, QObject* parent = nullptr);

    const QString& name() const { return name_; }
    Connection& connection() const { return connection_; }

    // Replacing the text closes the object and drops every parameter value (a list that
    // keeps its rows closes at the next run instead).
    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }
    int markerCount() const { return static_cast<int>(scanned_.markers.size()); }

    void clearParams();
    // The next value in marker order.
    void addParam(const QVariant& value);
    // Every marker of that name (names compare without regard to case).
    void setParam(const QString& name, const QVariant& value);
    const QVariantList& params() const { return values_; }

    // Run a statement that returns rows / that returns none. Throw DbError.
    void open();
    void execute();
    // The same text with the same values again; the current row goes to the first row.
    void rerun() { open(); }
    void close();
    int rowsAffected() const { return rowsAffected_; }
    // How many results the object has had: tells a caller whether a list was re-run meanwhile.
    quint64 runCount() const { return runCount_; }

    // A list on screen: when a read of the statement it shows, with the same values, fails,
    // its rows and current row stay (stale() until a read succeeds) and the error is thrown
    // as ever. Any other statement that fails leaves it closed. Off unless set.
    void setKeepsRowsOnFailedRerun(bool keep) { keepsRows_ = keep; }
    bool stale() const { return stale_; }

    bool isOpen() const { return open_; }
    bool isEmpty() const { return rows_.isEmpty(); }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool eof() const { return eof_ || rows_.isEmpty(); }
    bool bof() const { return bof_ || rows_.isEmpty(); }

    // -1 when there is no row.
    int currentRow() const { return rows_.isEmpty() ? -1 : current_; }
    void setCurrentRow(int row);
    void first();
    void last();
    void next();   // past the last row: eof() and the row stays on the last
    void prior();  // before the first row: bof() and the row stays on the first

    // The first row in result order whose column begins with prefix (letter case counts).
    // A miss leaves the current row where it was and returns false.
    bool locatePrefix(const QString& column, const QString& prefix);

    const QStringList& columnNames() const { return columns_; }
    int columnIndex(const QString& column) const;  // without regard to case; -1 when absent

    // Fields of the current row. A closed object or an unknown column throws DbError;
    // an open, empty result reads as null.
    QVariant value(const QString& column) const;
    bool isNull(const QString& column) const { return value(column).isNull(); }
    QString asString(const QString& column) const;
    int asInt(const QString& column) const;        // null is 0; text that is no number throws
    double asDouble(const QString& column) const;  // null is 0
    QDateTime asDateTime(const QString& column) const;

    QVariant valueAt(int row, int column) const { return rows_.at(row).at(column); }

signals:
    // A new result, or none after close: grids reset.
    void rowsReset();
    void currentRowChanged(int row);

private:
    void run(bool returnsRows);
    int requireColumn(const QString& column) const;

    Connection& connection_;
    QString name_;
    QString sql_;
    ScannedSql scanned_;
    QVariantList values_;
    QStringList columns_;
    QVector<QVector<QVariant>> rows_;
    int current_ = 0;
    bool open_ = false;
    bool eof_ = false;
    bool bof_ = false;
    int rowsAffected_ = 0;
    quint64 runCount_ = 0;
    bool keepsRows_ = false;
    bool stale_ = false;
    QString shownSql_;  // what the rows are the result of
    QVariantList shownValues_;
};

// A field's value as asString gives it: null is empty, whole doubles without ".0", date-times
// as "YYYY-MM-DD HH:MM:SS" whichever engine returned them.
QString FieldText(const QVariant& value);
