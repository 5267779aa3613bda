#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>

// A list of pictures of one size that tiles draw by index. The window that uses the tiles
// owns it; a tile only refers to it.
class ImageList : public QObject {
    Q_OBJECT

public:
    explicit ImageList(QSize size = QSize(16, 16), QObject* parent = nullptr);

    QSize size() const { return size_; }
    int width() const { return size_.width(); }
    int height() const { return size_.height(); }
    int count() const { return static_cast<int>(images_.size()); }

    // A picture of another size is scaled to the list's size. Returns its index.
    int add(const QPixmap& picture);
    void clear();
    // Null when the index is outside the list.
    QPixmap image(int index) const;
    bool contains(int index) const { return index >= 0 && index < count(); }

signals:
    void changed();

private:
    QSize size_;
    QList<QPixmap> images_;
};
