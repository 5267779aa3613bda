#include "gui/tile/ImageList.h"

ImageList::ImageList(QSize size, QObject* parent) : QObject(parent), size_(size) {}

int ImageList::add(const QPixmap& picture) {
    images_.append(picture.size() == size_
                       ? picture
                       : picture.scaled(size_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    emit changed();
    return count() - 1;
}

void ImageList::clear() {
    images_.clear();
    emit changed();
}

QPixmap ImageList::image(int index) const {
    return contains(index) ? images_.at(index) : QPixmap();
}
