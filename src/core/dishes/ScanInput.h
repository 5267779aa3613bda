#pragma once

#include <QString>
#include <QtGlobal>

class TickSource;

// Tells a barcode scanner from a person at the dish search box. A scanner types its code and
// the Enter within a few milliseconds a key; in scanner mode (the setting SDSR "N") a key
// that comes more than 100 ms after the one before empties the box before its own character
// arrives and closes the run, and the key after it opens a new one and is always kept. Slow
// typing thus never builds up more than the keys typed within 100 ms of each other.
class ScanInputRule {
public:
    static constexpr qint64 kScannerGapMs = 100;

    // lastScanKeyTick: the process-wide tick of the previous key of the open run, 0 when no
    // run is open. Only keyDown changes it.
    ScanInputRule(const TickSource& ticks, qint64& lastScanKeyTick)
        : ticks_(ticks), lastScanKeyTick_(lastScanKeyTick) {}

    // A key went down in the box. True: empty the box before this key's character.
    bool keyDown(bool scannerMode);

    // What a character arriving in the box starts, before the box inserts it.
    struct KeyPress {
        bool showListTab = false;  // scanner mode brings the dish list forward
        bool lookUp = false;       // look the line number up ...
        QString lookupCode;        // ... with the box's text from before this character
        bool scan = false;         // Enter on a box that holds something: the scan sequence
    };
    static KeyPress keyPress(bool scannerMode, const QString& textBefore, bool enter);

private:
    const TickSource& ticks_;
    qint64& lastScanKeyTick_;
};

// SDSR "N": the box takes only input as fast as a scanner types.
bool ScannerMode(const QString& sdsrSetting);
