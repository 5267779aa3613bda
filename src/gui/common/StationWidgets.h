#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QObject;
class QTimer;
class QToolButton;
class QWidget;

// Small builders the parts of the main window make their controls with, so every part's
// buttons, captions and timers look and behave alike.

inline const QColor kStationBlue(0x1f, 0x5f, 0x9f);
inline const QColor kStationLightBlue(0x5a, 0x9b, 0xd5);
inline const QColor kStationGreen(0x2e, 0x8b, 0x57);
inline const QColor kStationRed(0xc0, 0x39, 0x2b);

// The pictures of the picture buttons, painted at start instead of shipped as files.
enum class Glyph {
    Search,
    Query,
    Settings,
    Served,
    Refused,
    SoldOut,
    Previous,
    Next,
    Plain,
    Close
};
QIcon PaintGlyph(Glyph glyph, const QColor& colour);

// Sets the object name (the design's name, which tests and the settings file use).
template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* Caption(const QString& text, QWidget* parent);
QToolButton* PictureButton(const char* name, const QString& text, Glyph glyph, const QColor& colour,
                           const QString& hint, QWidget* parent);
QFrame* PlainPage(const char* name, QWidget* parent);
QTimer* NamedTimer(const char* name, int interval, bool singleShot, QObject* owner);
QAction* MenuItem(QMenu* menu, const char* name, const QString& text, bool visible);

// Selects a stored position without running the list's handlers; a position the refilled list
// no longer has leaves it without a selection, which the filters read as "all".
void SelectStoredPosition(QComboBox* list, int position);
