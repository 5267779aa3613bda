#include "core/db/Registrations.h"

#include "core/db/StatementCatalogue.h"

// Each subsystem adds its registration call here.
void RegisterAllStatements(StatementCatalogue& catalogue) {
    RegisterDbStatements(catalogue);
    RegisterBoardStatements(catalogue);
    RegisterDishStatements(catalogue);
    RegisterAlertStatements(catalogue);
    RegisterSessionStatements(catalogue);
    RegisterPasswordStatements(catalogue);
    RegisterSoldOutStatements(catalogue);
    RegisterQueryStatements(catalogue);
}
