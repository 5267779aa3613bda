#pragma once

#include <QColor>
#include <QWidget>
#include <functional>

class Ttzcypanel;

// A caption drawn over a tile. Presses, clicks, double-clicks and drags on it are the
// tile's: the label passes them on with its own coordinates. The handlers below are the
// label user's own and are copied by Assign; they run besides the tile's handling.
class Ttzcylabel : public QWidget {
    Q_OBJECT

public:
    using Handler = std::function<void(Ttzcylabel* sender)>;
    using MouseHandler = std::function<void(Ttzcylabel* sender, Qt::MouseButton button,
                                            Qt::KeyboardModifiers shift, int x, int y)>;

    explicit Ttzcylabel(QWidget* parent = nullptr);

    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    // Horizontal alignment of the text: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment Alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Background, painted only when the label is not transparent.
    QColor Color() const { return color_; }
    void setColor(const QColor& color);
    bool Transparent() const { return transparent_; }
    void setTransparent(bool on);
    QColor FontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);
    // The label's own flag, whatever its tile's visibility.
    bool Visible() const { return !isHidden(); }

    // Copies caption, font style, colours, visibility, alignment, bounds and the handlers of
    // another label; anything else is ignored.
    void Assign(const QObject* source);

    Handler OnClick;
    Handler OnDblClick;
    Handler OnResize;
    MouseHandler OnMouseDown;
    MouseHandler OnMouseMove;
    MouseHandler OnMouseUp;

    // The size the caption needs: one line of the font, a blank when there is no text.
    QSize textSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Ttzcypanel* tile() const;
    void adjustBounds();

    bool autoSize_ = true;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    QString caption_;
    QColor color_;
    bool transparent_ = true;
    QColor fontColor_ = Qt::black;
    bool clickArmed_ = false;
};
