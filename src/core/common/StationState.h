#pragma once

#include <QString>

// The process-wide values every part of the main window shares. One instance per
// station, created by the program entry and handed down by reference.
struct StationState {
    QString CurrentOperator;
    QString SessionId;
    QString CurrentPassword;
    QString CurrentTableId;
    QString CurrentTableName;
    int SelectedBaseIndex = 0;
    bool ServeRefused = false;
    double SellableQuantity = 0;
    qint64 LastScanKeyTick = 0;
};
