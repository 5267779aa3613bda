#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>

#include "gui/tile/ImageList.h"
#include "gui/tile/Ttzcylabel.h"

#include <QMenu>

enum class TileBevel { None, Lowered, Raised, Space };

// The station's tile: a fill colour, an optional stretched picture, a background image and up
// to five state images drawn by index from image lists it does not own, three frames and six
// caption labels. Press feedback, an optional checked look and an optional drag of one tile
// onto another. It knows nothing of what it shows.
class Ttzcypanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kStateSlots = 5;
    static constexpr int kLabels = 6;

    explicit Ttzcypanel(QWidget* parent = nullptr);
    ~Ttzcypanel() override;

    const QPixmap& Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    static QString Version() { return QStringLiteral("tzpanel 2012-v1.0"); }
    void setVersion(const QString&) {}

    // Stored only; the tile never draws it.
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }

    ImageList* BGImages() const { return bgImages_; }
    void setBGImages(ImageList* list);
    int BGImageIndex() const { return bgIndex_; }
    void setBGImageIndex(int index);

    // Slots 1 to 5.
    ImageList* StateImages(int k) const { return stateImages_.at(k - 1); }
    void setStateImages(int k, ImageList* list);
    int StateImageIndex(int k) const { return stateIndex_.at(k - 1); }
    void setStateImageIndex(int k, int index);

    TileBevel BevelInner() const { return bevelInner_; }
    void setBevelInner(TileBevel bevel);
    TileBevel BevelOuter() const { return bevelOuter_; }
    void setBevelOuter(TileBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    bool Ctl3D() const { return ctl3D_; }
    void setCtl3D(bool on) { ctl3D_ = on; }
    QMenu* PopupMenu() const { return popupMenu_; }
    void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    // Labels 1 to 6, owned by the tile. Assigning copies from another label.
    Ttzcylabel* Label(int k) const { return labels_.at(k - 1); }
    void setLabel(int k, const QObject* source);
    Ttzcylabel* Label1() const { return Label(1); }
    Ttzcylabel* Label2() const { return Label(2); }
    Ttzcylabel* Label3() const { return Label(3); }
    Ttzcylabel* Label4() const { return Label(4); }
    Ttzcylabel* Label5() const { return Label(5); }
    Ttzcylabel* Label6() const { return Label(6); }

    bool CanChecked() const { return canChecked_; }
    void setCanChecked(bool on) { canChecked_ = on; }
    bool CanDrap() const { return canDrap_; }
    void setCanDrap(bool on) { canDrap_ = on; }

    QColor Color() const { return color_; }
    void setColor(const QColor& color);
    // Of the base panel's own caption, which stays empty.
    Qt::Alignment Alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment) { alignment_ = alignment; }

    bool dragging() const { return dragging_; }

signals:
    void OnClick(Ttzcypanel* sender);
    void OnDblClick(Ttzcypanel* sender);
    void OnMouseDown(Ttzcypanel* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                     int y);
    void OnMouseUp(Ttzcypanel* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                   int y);
    void OnMouseMove(Ttzcypanel* sender, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift,
                     int x, int y);
    void OnResize(Ttzcypanel* sender);
    void OnExit(Ttzcypanel* sender);
    // Target is the tile dropped on (also for a drop on one of its labels) or another control.
    void OnEndDrag(Ttzcypanel* sender, QWidget* target, int x, int y);
    // A handler may set *accept to false to refuse the drop.
    void OnDragOver(Ttzcypanel* sender, Ttzcypanel* source, int x, int y, bool* accept);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // A tile dropped on this one after this one accepted it.
    virtual void dragDropped(Ttzcypanel* source, QPoint pos);
    Qt::CursorShape dragCursor_ = Qt::DragMoveCursor;

private:
    friend class Ttzcylabel;

    void handleMouseDown(QWidget* from, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                         QPoint pos);
    void handleDragMove(QWidget* from, QPoint pos, QPoint globalPos);
    // False when the tile was destroyed by a handler.
    bool handleRelease(QWidget* from, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                       QPoint pos, QPoint globalPos, bool click);
    void handleDoubleClick(QWidget* from, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                           QPoint pos);
    void click();
    void beginDrag();
    void finishDrag(QPoint globalPos, bool cancelled);
    bool queryDragOver(QWidget* over, QPoint globalPos);
    QWidget* widgetAtGlobal(QPoint globalPos) const;
    void drawFrame(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight,
                   int width) const;
    void drawBevel(QPainter& p, QRect& r, TileBevel bevel) const;

    QPixmap picture_;
    QString caption_;
    QPointer<ImageList> bgImages_;
    int bgIndex_ = -1;
    std::array<QPointer<ImageList>, kStateSlots> stateImages_;
    std::array<int, kStateSlots> stateIndex_{-1, -1, -1, -1, -1};
    TileBevel bevelInner_ = TileBevel::None;
    TileBevel bevelOuter_ = TileBevel::None;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool ctl3D_ = true;
    QPointer<QMenu> popupMenu_;
    std::array<Ttzcylabel*, kLabels> labels_{};
    bool canChecked_ = false;
    bool canDrap_ = false;
    QColor color_;
    Qt::Alignment alignment_ = Qt::AlignCenter;

    bool clickArmed_ = false;
    bool pressFlag_ = false;
    bool doubleClickFlag_ = false;
    bool movedFlag_ = false;
    QPoint pressPoint_;
    bool dragging_ = false;
};

// Ttzcypanel with its drag, dock and keyboard events open to its user; every tile the
// station creates is one.
class Tcypanel : public Ttzcypanel {
    Q_OBJECT

public:
    enum class DragKindType { Drag, Dock };
    enum class DragModeType { Manual, Automatic };

    explicit Tcypanel(QWidget* parent = nullptr);

    bool UseDockManager() const { return useDockManager_; }
    void setUseDockManager(bool on) { useDockManager_ = on; }
    bool DockSite() const { return dockSite_; }
    void setDockSite(bool on) { dockSite_ = on; }
    Qt::CursorShape DragCursor() const { return dragCursor_; }
    void setDragCursor(Qt::CursorShape shape) { dragCursor_ = shape; }
    DragKindType DragKind() const { return dragKind_; }
    void setDragKind(DragKindType kind) { dragKind_ = kind; }
    DragModeType DragMode() const { return dragMode_; }
    void setDragMode(DragModeType mode) { dragMode_ = mode; }

signals:
    void OnDragDrop(Tcypanel* sender, Ttzcypanel* source, int x, int y);
    void OnEndDock(Tcypanel* sender, QWidget* target, int x, int y);
    void OnKeyDown(Tcypanel* sender, int key, Qt::KeyboardModifiers shift);
    void OnKeyPress(Tcypanel* sender, const QString& text);
    void OnKeyUp(Tcypanel* sender, int key, Qt::KeyboardModifiers shift);

protected:
    void dragDropped(Ttzcypanel* source, QPoint pos) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool useDockManager_ = true;
    bool dockSite_ = false;
    DragKindType dragKind_ = DragKindType::Drag;
    DragModeType dragMode_ = DragModeType::Manual;
};

// A tile placed on a hidden area gets its resize event only when it is shown, and the resize
// lays its labels out again: this delivers it at once, as a visible tile gets it, so the looks
// set after placing the tile stay.
void SettleTileGeometry(Ttzcypanel* tile);
