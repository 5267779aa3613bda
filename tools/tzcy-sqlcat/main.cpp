// Prints every statement the station runs, with its optional parts off and all on, one per
// line: name, variant, text.
#include <QCoreApplication>
#include <QTextStream>

#include "core/db/StatementCatalogue.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString dialect = QStringLiteral("mssql");
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--dialect") && i + 1 < args.size()) {
            dialect = args.at(++i);
        } else if (args.at(i).startsWith(QLatin1String("--dialect="))) {
            dialect = args.at(i).mid(10);
        } else {
            QTextStream(stderr) << "usage: tzcy-sqlcat [--dialect mssql|sqlite]\n";
            return 2;
        }
    }
    if (dialect != QLatin1String("mssql") && dialect != QLatin1String("sqlite")) {
        QTextStream(stderr) << "tzcy-sqlcat: unknown dialect " << dialect << " (mssql or sqlite)\n";
        return 2;
    }
    const Dialect& d = dialect == QLatin1String("sqlite") ? SqliteDialect() : SqlServerDialect();
    QTextStream out(stdout);
    for (const QString& line : BuildStatementCatalogue().render(d)) {
        out << line << '\n';
    }
    return 0;
}
