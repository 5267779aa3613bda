#pragma once

// What every benchmark shares: a demo restaurant in a temporary folder, a data module on it,
// medians, statement counts from the SQL trace and the report lines.

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "DemoDatabase.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/TF_dm.h"

namespace bench {

// The size options every benchmark takes, and the flags (--plan, --trace) it asked about.
struct Options {
    int tables = 200;
    int lines = 5000;
    int history = 500000;
    int runs = 15;
    QStringList flags;
    bool has(const char* flag) const { return flags.contains(QLatin1String(flag)); }
};

inline Options ParseOptions(const QStringList& args, int defaultRuns) {
    Options o;
    o.runs = defaultRuns;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const int value = i + 1 < args.size() ? args.at(i + 1).toInt() : 0;
        if (a == QLatin1String("--tables")) {
            o.tables = value, ++i;
        } else if (a == QLatin1String("--lines")) {
            o.lines = value, ++i;
        } else if (a == QLatin1String("--history")) {
            o.history = value, ++i;
        } else if (a == QLatin1String("--runs")) {
            o.runs = std::max(1, value), ++i;
        } else {
            o.flags << a;
        }
    }
    return o;
}

// A demo station folder of the given size, created now (the dish times are relative to it,
// and getdate() reads the system clock, so overdue tests see what a live station sees).
class DemoStation {
public:
    DemoStation(int tables, int lines, int history, quint32 seed = 1) {
        if (!dir_.isValid()) {
            throw std::runtime_error("no temporary folder");
        }
        DemoOptions options;
        options.seed = seed;
        options.tables = tables;
        options.lines = lines;
        options.history = history;
        options.now = QDateTime::currentDateTime();
        QElapsedTimer t;
        t.start();
        QString error;
        if (!CreateDemoStation(dir_.path(), options, &summary_, &error)) {
            throw std::runtime_error(error.toStdString());
        }
        createMs_ = t.elapsed();
        dm_ = std::make_unique<TF_dm>();
        const ConnectionSettings settings =
            ReadConnectionSettings(QDir(dir_.path()).filePath(kConnectionFileName));
        if (!OpenConnection(dm_->ADOConn, settings, dir_.path())) {
            throw std::runtime_error(dm_->ADOConn.lastError().toStdString());
        }
    }

    TF_dm& dm() { return *dm_; }
    const DemoSummary& summary() const { return summary_; }
    qint64 createMs() const { return createMs_; }
    QString folder() const { return dir_.path(); }

    // Statements the action sends, from the trace (one line each).
    int countStatements(const std::function<void()>& action) {
        return static_cast<int>(traceOf(action).size());
    }

    // The traced statements of the action, object and text. The trace is off again afterwards
    // so it never weighs on the timings.
    QStringList traceOf(const std::function<void()>& action) {
        const QString path = QDir(dir_.path()).filePath(QStringLiteral("trace.log"));
        QFile::remove(path);
        dm_->ADOConn.setTrace(SqlTrace(path));
        action();
        dm_->ADOConn.setTrace(SqlTrace(QString()));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return {};
        }
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // One value of a statement on the restaurant (fixture look-ups, never timed).
    QVariant scalar(const QString& sql) {
        QueryObject q(dm_->ADOConn, QStringLiteral("Bench"));
        q.setSql(sql);
        q.open();
        return q.isEmpty() ? QVariant() : q.valueAt(0, 0);
    }

private:
    QTemporaryDir dir_;
    DemoSummary summary_;
    qint64 createMs_ = 0;
    std::unique_ptr<TF_dm> dm_;
};

// Median milliseconds of runs of the action, after one warm-up run. prepare runs before each
// run, untimed.
inline double MedianMs(int runs, const std::function<void()>& action,
                       const std::function<void(int)>& prepare = {}) {
    if (prepare) {
        prepare(-1);
    }
    action();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare) {
            prepare(i);
        }
        QElapsedTimer t;
        t.start();
        action();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}

inline void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

inline void Header() {
    Print(QStringLiteral("%1 %2 %3 %4 %5")
              .arg(QStringLiteral("path"), -48)
              .arg(QStringLiteral("median ms"), 10)
              .arg(QStringLiteral("ratio"), 8)
              .arg(QStringLiteral("stmts"), 6)
              .arg(QStringLiteral("rows"), 6));
}

// One report line: the path, its median, its ratio to the baseline, statements and rows.
inline void Report(const QString& path, double ms, double baselineMs, int statements,
                   int rows = -1) {
    Print(QStringLiteral("%1 %2 %3 %4 %5")
              .arg(path, -48)
              .arg(ms, 10, 'f', 2)
              .arg(QStringLiteral("x%1").arg(baselineMs > 0 ? ms / baselineMs : 0.0, 0, 'f', 2), 8)
              .arg(statements, 6)
              .arg(rows < 0 ? QStringLiteral("-") : QString::number(rows), 6));
}

inline void Describe(const QString& what, DemoStation& s) {
    const DemoSummary& d = s.summary();
    Print(QStringLiteral("# %1: %2 tables, %3 open bills, %4 open lines, %5 history lines "
                         "(created in %6 ms)")
              .arg(what)
              .arg(d.tables)
              .arg(d.openBills)
              .arg(d.openLines)
              .arg(d.historyLines)
              .arg(s.createMs()));
}

}  // namespace bench
