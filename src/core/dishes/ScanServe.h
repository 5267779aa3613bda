#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class TF_dm;

// The serve of a scanned ticket. It acts on the line the ticket names, by its key, whatever
// the dish list shows or the icon selected before; it never serves a line of a settled bill
// or a line already served (a ticket scanned twice keeps its first served time).

// The scanned line as read by its key.
struct ScannedLine {
    QString lineNumber;
    QString tableId;
    QString mealName;
    QString stateCode;  // consume_Chupinlogo, trimmed
    QString billMark;   // consume_state
    QString servedAt;   // consume_donetime as "YYYY-MM-DD HH:MM:SS", empty when never served
    int servingOrder = 0;
};

enum class ScanServeResult {
    Served,
    BillSettled,    // the line's bill is settled: nothing written
    AlreadyServed,  // the line was served before: nothing written, servedAt says when
    NoLine,         // no line has that number (any more)
    NotServed,      // the database changed no row: nothing was written
    Failed,         // the database refused the update or the read: error says why
};

struct ScanServeOutcome {
    ScanServeResult result = ScanServeResult::Served;
    QString lineNumber;
    QString mealName;
    QString servedAt;
    QString error;
    bool served() const { return result == ScanServeResult::Served; }
};

// Reads the line by its key on ADO_Public; nothing when there is no such line. Throws DbError.
std::optional<ScannedLine> ReadScannedLine(TF_dm& dm, const QString& lineNumber);

// Why a scan must not serve the line, if it must not.
std::optional<ScanServeOutcome> ScanRefusal(const ScannedLine& line);

// Marks the line served at servedAt (the PC clock), only while it is still open and not
// served: the gui has asked the serving-order question, if any, before. When the update
// changes no row the line is read again to say why (another station served it or settled
// its bill in the meantime, or it is gone). Never throws.
ScanServeOutcome ServeScannedLine(TF_dm& dm, const ScannedLine& line, const QDateTime& servedAt);

// What the notice of a scan that served nothing says under the dish name.
QString ScanRefusalReason(const ScanServeOutcome& outcome);
