#pragma once

#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

#include "core/common/StationClock.h"
#include "core/db/TF_dm.h"

// A station folder with an embedded database of the ERP schema, and a data module opened
// on it whose server clock (getdate()) is pinned and moved by the test.
class TestStation {
public:
    explicit TestStation(const QDateTime& serverTime = QDateTime(QDate(2026, 7, 15),
                                                                 QTime(18, 30, 0)));

    QString folder() const { return dir_.path(); }
    QString databasePath() const;
    ManualTimeSource serverClock;
    TF_dm& dm() { return *dm_; }

    // Statements for fixtures, values bound by position; throw DbError.
    void exec(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // All rows of a query, each row's columns joined by "|".
    QStringList rows(const QString& sql, const QVariantList& values = {});

    // A whole row of Consume with sensible defaults; fields by column name override them.
    void addLine(const QVariantMap& fields);

private:
    QTemporaryDir dir_;
    std::unique_ptr<TF_dm> dm_;
};
