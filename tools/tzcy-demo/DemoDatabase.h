#pragma once

#include <QDateTime>
#include <QString>

struct DemoOptions {
    quint32 seed = 1;
    int tables = 40;
    int lines = 0;      // dish lines on open bills; 0: about twelve per open bill
    int history = 400;  // lines of settled bills of past days
    QDateTime now;      // every time is relative to it
};

struct DemoSummary {
    int tables = 0;
    int openBills = 0;
    int openLines = 0;
    int settledBills = 0;
    int historyLines = 0;
};

// Writes DIR/sql_config.ini (embedded engine) and DIR/tzcyerp.db with the schema and the
// demo restaurant. Refuses when DIR holds a database already. False with *error on failure.
bool CreateDemoStation(const QString& dir, const DemoOptions& options, DemoSummary* summary,
                       QString* error);

// The 13-digit dish line number of the seq-th line ordered on that day.
QString DemoLineNumber(const QDate& day, qint64 seq);
// The bill number of the seq-th bill, opened on that day.
QString DemoBillNumber(const QDate& day, qint64 seq);
