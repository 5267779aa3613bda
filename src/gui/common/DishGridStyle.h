#pragma once

#include <QColor>
#include <QFont>

class QTableView;

// The look every dish grid shares (the dish list, the search result, the overdue,
// hurry/return and served lists): one place, so they cannot drift apart.
namespace DishGridStyle {

inline const QColor kContentOdd{241, 244, 230};  // background of odd rows
inline const QColor kSelection{96, 140, 44};     // background of the selected row
inline const QColor kGridLine{173, 205, 95};
inline const QColor kText{0, 0, 255};  // the grid's font colour
inline const QColor kFooterText{255, 0, 0};
inline constexpr int kHeaderHeight = 29;
inline constexpr int kRowHeight = 22;
inline constexpr int kFooterHeight = 24;

QFont GridFont();    // SimSun 12 px
QFont HeaderFont();  // SimSun 12 px
QFont FooterFont();  // MS Sans Serif 11 px, bold

// Read-only, whole-row single selection, no sorting, fixed header and row heights,
// centred captions, the fonts and colours above.
void Apply(QTableView* view);

}  // namespace DishGridStyle
