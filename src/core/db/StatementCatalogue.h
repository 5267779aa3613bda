#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/db/Dialect.h"

// Every statement the station runs, by name, with its optional parts, so an administrator
// can review and index them (tzcy-sqlcat). Each subsystem registers its own builders.
struct CatalogueStatement {
    QString name;
    QStringList optionalParts;
    std::function<QString(const Dialect&, const QSet<QString>& partsOn)> build;
};

class StatementCatalogue {
public:
    void add(CatalogueStatement statement) { statements_.push_back(std::move(statement)); }
    const std::vector<CatalogueStatement>& statements() const& { return statements_; }
    // "for (s : BuildStatementCatalogue().statements())" would walk a destroyed list.
    const std::vector<CatalogueStatement>& statements() && = delete;
    const CatalogueStatement* find(const QString& name) const;

    // One line per statement with all optional parts off, and one more with all on when it
    // has optional parts: "name<TAB>variant<TAB>text".
    QStringList render(const Dialect& dialect) const;

private:
    std::vector<CatalogueStatement> statements_;
};

// The catalogue of the whole station: every subsystem's registration in one list.
StatementCatalogue BuildStatementCatalogue();
