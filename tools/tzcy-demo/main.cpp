// The demo station folder and the ordering-terminal simulator:
//   tzcy-demo create DIR [--seed N] [--tables N] [--lines N] [--history N]
//   tzcy-demo simulate DIR [--duration S] [--interval MS] [--seed N]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>
#include <optional>

#include "DemoDatabase.h"
#include "DemoSimulator.h"
#include "core/common/TimeText.h"
#include "core/db/Connection.h"
#include "core/db/DbError.h"

namespace {

const char* const kUsage =
    "usage: tzcy-demo create DIR [--seed N] [--tables N] [--lines N] [--history N]\n"
    "       tzcy-demo simulate DIR [--duration S] [--interval MS] [--seed N] [--steps N]\n";

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

int Usage(const QString& problem) {
    err() << "tzcy-demo: " << problem << "\n" << kUsage;
    err().flush();
    return 2;
}

// "--name value" and "--name=value" pairs after the folder.
struct Options {
    QString command;
    QString dir;
    QMap<QString, QString> values;
};

std::optional<Options> Parse(const QStringList& args, const QStringList& known, QString* problem) {
    Options o;
    if (args.size() < 3) {
        *problem = QStringLiteral("a command and a folder are needed.");
        return std::nullopt;
    }
    o.command = args.at(1);
    o.dir = args.at(2);
    for (int i = 3; i < args.size(); ++i) {
        QString name = args.at(i);
        QString value;
        const int eq = name.indexOf(QLatin1Char('='));
        if (eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        } else if (i + 1 < args.size()) {
            value = args.at(++i);
        } else {
            *problem = QStringLiteral("%1 needs a value.").arg(name);
            return std::nullopt;
        }
        if (!known.contains(name)) {
            *problem = QStringLiteral("unknown option %1.").arg(name);
            return std::nullopt;
        }
        o.values.insert(name, value);
    }
    return o;
}

bool Number(const Options& o, const QString& name, qint64 lo, qint64 hi, qint64* out,
            QString* problem) {
    if (!o.values.contains(name)) {
        return true;
    }
    bool ok = false;
    const qint64 v = o.values.value(name).toLongLong(&ok);
    if (!ok || v < lo || v > hi) {
        *problem =
            QStringLiteral("%1 must be a whole number from %2 to %3.").arg(name).arg(lo).arg(hi);
        return false;
    }
    *out = v;
    return true;
}

// --now pins the clock (tests); otherwise the tool's own clock.
bool Now(const Options& o, QDateTime* now, QString* problem) {
    if (!o.values.contains(QStringLiteral("--now"))) {
        *now = QDateTime::currentDateTime();
        return true;
    }
    *now = ParseDbTime(o.values.value(QStringLiteral("--now")));
    if (!now->isValid()) {
        *problem = QStringLiteral("--now must be \"YYYY-MM-DD HH:MM:SS\".");
        return false;
    }
    return true;
}

int Create(const Options& o) {
    QString problem;
    qint64 seed = 1, tables = 40, lines = 0, history = 400;
    if (!Number(o, QStringLiteral("--seed"), 0, 0xFFFFFFFF, &seed, &problem) ||
        !Number(o, QStringLiteral("--tables"), 1, 9999, &tables, &problem) ||
        !Number(o, QStringLiteral("--lines"), 0, 1000000, &lines, &problem) ||
        !Number(o, QStringLiteral("--history"), 0, 9000000, &history, &problem)) {
        return Usage(problem);
    }
    DemoOptions options;
    options.seed = static_cast<quint32>(seed);
    options.tables = static_cast<int>(tables);
    options.lines = static_cast<int>(lines);
    options.history = static_cast<int>(history);
    if (!Now(o, &options.now, &problem)) {
        return Usage(problem);
    }
    QElapsedTimer timer;
    timer.start();
    DemoSummary s;
    QString error;
    if (!CreateDemoStation(o.dir, options, &s, &error)) {
        err() << "tzcy-demo: " << error << "\n";
        return 1;
    }
    QTextStream(stdout) << "tzcy-demo: " << QDir(o.dir).absolutePath() << ": " << s.tables
                        << " tables, " << s.openBills << " open bills with " << s.openLines
                        << " dish lines, " << s.settledBills << " settled bills with "
                        << s.historyLines << " lines (" << timer.elapsed() << " ms)\n"
                        << "operators: 001 (password 123), 002 (no password)\n";
    return 0;
}

int Simulate(const Options& o) {
    QString problem;
    qint64 duration = 600, interval = 2000, steps = 0;
    qint64 seed = QDateTime::currentMSecsSinceEpoch() & 0xFFFFFFFF;
    double durationSeconds = 0;
    if (o.values.contains(QStringLiteral("--duration"))) {
        bool ok = false;
        durationSeconds = o.values.value(QStringLiteral("--duration")).toDouble(&ok);
        if (!ok || durationSeconds < 0 || durationSeconds > 7 * 86400) {
            return Usage(QStringLiteral("--duration must be seconds from 0 to 604800."));
        }
    } else {
        durationSeconds = static_cast<double>(duration);
    }
    if (!Number(o, QStringLiteral("--interval"), 0, 3600000, &interval, &problem) ||
        !Number(o, QStringLiteral("--seed"), 0, 0xFFFFFFFF, &seed, &problem) ||
        !Number(o, QStringLiteral("--steps"), 0, 100000000, &steps, &problem)) {
        return Usage(problem);
    }
    const QString folder = QDir(o.dir).absolutePath();
    const QString ini = QDir(folder).filePath(kConnectionFileName);
    if (!QFileInfo::exists(ini)) {
        err() << "tzcy-demo: " << ini << " not found; run tzcy-demo create " << o.dir
              << " first.\n";
        return 1;
    }
    const ConnectionSettings settings = ReadConnectionSettings(ini);
    if (settings.engine != Engine::Sqlite) {
        err() << "tzcy-demo: " << ini
              << " names a SQL Server; the simulator plays only on an embedded demo database.\n";
        return 1;
    }
    Connection conn;
    if (!conn.open(settings, folder)) {
        err() << "tzcy-demo: " << conn.lastError() << "\n";
        return 1;
    }
    DemoSimulator sim(conn, static_cast<quint32>(seed), {});
    QTextStream out(stdout);
    QElapsedTimer timer;
    timer.start();
    const qint64 limitMs = static_cast<qint64>(durationSeconds * 1000);
    for (qint64 done = 0; timer.elapsed() < limitMs && (steps == 0 || done < steps); ++done) {
        const QString stamp = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
        try {
            const QString action = sim.step();
            out << stamp << ' ' << (action.isEmpty() ? QStringLiteral("（无事可做）") : action)
                << '\n';
        } catch (const DbError& e) {
            // A station holding the file longer than the busy timeout: try again next time.
            out << stamp << " 跳过：" << e.text() << '\n';
        }
        out.flush();
        const qint64 left = limitMs - timer.elapsed();
        if (interval > 0 && left > 0 && (steps == 0 || done + 1 < steps)) {
            QThread::msleep(static_cast<unsigned long>(std::min(interval, left)));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString problem;
    if (args.size() >= 2 &&
        (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h"))) {
        QTextStream(stdout) << kUsage;
        return 0;
    }
    const QString command = args.size() >= 2 ? args.at(1) : QString();
    if (command == QLatin1String("create")) {
        const auto o =
            Parse(args,
                  {QStringLiteral("--seed"), QStringLiteral("--tables"), QStringLiteral("--lines"),
                   QStringLiteral("--history"), QStringLiteral("--now")},
                  &problem);
        return o ? Create(*o) : Usage(problem);
    }
    if (command == QLatin1String("simulate")) {
        const auto o = Parse(args,
                             {QStringLiteral("--duration"), QStringLiteral("--interval"),
                              QStringLiteral("--seed"), QStringLiteral("--steps")},
                             &problem);
        return o ? Simulate(*o) : Usage(problem);
    }
    return Usage(command.isEmpty() ? QStringLiteral("no command.")
                                   : QStringLiteral("unknown command %1.").arg(command));
}
