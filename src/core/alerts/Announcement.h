#pragma once

#include <QRect>
#include <QString>

// The words the station says and where it shows its notice when a scanned dish is served.

// The text without the 28 marks a speech engine would read out or stumble on:
// . 。 （ ） 【 】 - ？ _ [ ] ( ) ！ { } ? + = < > ! @ # % ^ & *
// Commas, colons, semicolons, slashes and blanks stay. Characters are matched whole.
QString StripPunctuation(const QString& text);

// What is spoken for a served dish: its name and "已上", without the marks above.
QString ServedAnnouncement(const QString& dishName);

// Where a notice of the given size goes: in the corner of the work area next to the taskbar
// (bottom right when the taskbar is at the bottom or right, or cannot be told; bottom left
// when it is at the left; top right when it is at the top), 16 px in from the side edge and
// 2 px from the taskbar side. screen is the whole screen, workArea the part without the
// taskbar.
enum class TaskbarSide { Bottom, Right, Left, Top };
TaskbarSide TaskbarSideOf(const QRect& screen, const QRect& workArea);
QRect NoticeGeometry(const QRect& screen, const QRect& workArea, const QSize& size);
// One step of the closing: the notice shrinks by `step` px towards the taskbar side; an
// empty rectangle when nothing is left of it.
QRect ShrinkNotice(const QRect& notice, TaskbarSide side, int step);
