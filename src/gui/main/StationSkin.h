#pragma once

#include <QString>

class QWidget;

// The skin of the main window: one style sheet. Widgets with the dynamic property tag = 99
// (the top bar picture, the table tiles) keep their own look: the sheet has no rule for plain
// widgets, labels or custom-painted controls, and matches frames by name only.
QString StationSkinStyleSheet();
void ApplyStationSkin(QWidget* window);
