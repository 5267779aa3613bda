#include "core/db/StatementCatalogue.h"

#include "core/db/Registrations.h"

const CatalogueStatement* StatementCatalogue::find(const QString& name) const {
    for (const auto& s : statements_) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

QStringList StatementCatalogue::render(const Dialect& dialect) const {
    QStringList lines;
    auto flat = [](QString sql) {
        return sql.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    for (const auto& s : statements_) {
        lines << s.name + QStringLiteral("\tbase\t") + flat(s.build(dialect, {}));
        if (!s.optionalParts.isEmpty()) {
            const QSet<QString> all(s.optionalParts.begin(), s.optionalParts.end());
            lines << s.name + QStringLiteral("\tall\t") + flat(s.build(dialect, all));
        }
    }
    return lines;
}

StatementCatalogue BuildStatementCatalogue() {
    StatementCatalogue catalogue;
    RegisterAllStatements(catalogue);
    return catalogue;
}
