#include "core/alerts/Announcement.h"

namespace {

const QString kMarks = QStringLiteral(".。（）【】-？_[]()！{}?+=<>!@#%^&*");

}  // namespace

QString StripPunctuation(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!kMarks.contains(c)) {
            out.append(c);
        }
    }
    return out;
}

QString ServedAnnouncement(const QString& dishName) {
    return StripPunctuation(dishName + QStringLiteral("已上"));
}

TaskbarSide TaskbarSideOf(const QRect& screen, const QRect& workArea) {
    if (workArea.top() > screen.top()) {
        return TaskbarSide::Top;
    }
    if (workArea.left() > screen.left()) {
        return TaskbarSide::Left;
    }
    if (workArea.right() < screen.right()) {
        return TaskbarSide::Right;
    }
    return TaskbarSide::Bottom;
}

QRect NoticeGeometry(const QRect& screen, const QRect& workArea, const QSize& size) {
    constexpr int kFromSide = 16;
    constexpr int kFromTaskbar = 2;
    const QRect& a = workArea;
    switch (TaskbarSideOf(screen, workArea)) {
        case TaskbarSide::Top:
            return QRect(QPoint(a.right() + 1 - kFromSide - size.width(), a.top() + kFromTaskbar),
                         size);
        case TaskbarSide::Left:
            return QRect(
                QPoint(a.left() + kFromTaskbar, a.bottom() + 1 - kFromSide - size.height()), size);
        case TaskbarSide::Right:
            return QRect(QPoint(a.right() + 1 - kFromTaskbar - size.width(),
                                a.bottom() + 1 - kFromSide - size.height()),
                         size);
        case TaskbarSide::Bottom:
            break;
    }
    return QRect(QPoint(a.right() + 1 - kFromSide - size.width(),
                        a.bottom() + 1 - kFromTaskbar - size.height()),
                 size);
}

QRect ShrinkNotice(const QRect& notice, TaskbarSide side, int step) {
    QRect r = notice;
    switch (side) {
        case TaskbarSide::Bottom:
            r.setTop(r.top() + step);
            break;
        case TaskbarSide::Top:
            r.setBottom(r.bottom() - step);
            break;
        case TaskbarSide::Right:
            r.setLeft(r.left() + step);
            break;
        case TaskbarSide::Left:
            r.setRight(r.right() - step);
            break;
    }
    return r.isValid() ? r : QRect();
}
