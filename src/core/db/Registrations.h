#pragma once

class StatementCatalogue;

// One function per subsystem that owns statements; Registrations.cpp calls them all.
void RegisterDbStatements(StatementCatalogue& catalogue);
void RegisterDishStatements(StatementCatalogue& catalogue);
void RegisterSessionStatements(StatementCatalogue& catalogue);
void RegisterBoardStatements(StatementCatalogue& catalogue);
void RegisterSoldOutStatements(StatementCatalogue& catalogue);
void RegisterQueryStatements(StatementCatalogue& catalogue);
void RegisterPasswordStatements(StatementCatalogue& catalogue);
void RegisterAlertStatements(StatementCatalogue& catalogue);
void RegisterAllStatements(StatementCatalogue& catalogue);
