#include "gui/common/DishGridFooter.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include "gui/common/DishGridStyle.h"

DishGridFooter::DishGridFooter(QTableView* view, QWidget* parent)
    : QWidget(parent), view_(view), viewObject_(view) {
    setObjectName(view->objectName() + QStringLiteral("_footer"));
    setFixedHeight(DishGridStyle::kFooterHeight);
    setFont(DishGridStyle::FooterFont());
    setAutoFillBackground(true);
    QHeaderView* header = view->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    view->installEventFilter(this);
}

void DishGridFooter::setCell(int column, const QString& text, Qt::Alignment alignment) {
    cells_.insert(column, {text, alignment});
    update();
}

QString DishGridFooter::cellText(int column) const {
    return cells_.value(column).text;
}

QRect DishGridFooter::cellRect(int column) const {
    if (!view_) {
        return {};
    }
    QHeaderView* header = view_->horizontalHeader();
    if (header->isSectionHidden(column)) {
        return {};
    }
    // The viewport's left edge in the footer's coordinates, then the column within it.
    const QPoint origin = mapFrom(window(), view_->viewport()->mapTo(window(), QPoint(0, 0)));
    const int x = origin.x() + header->sectionViewportPosition(column);
    return QRect(x, 0, header->sectionSize(column), height());
}

void DishGridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 240, 224));
    p.setPen(DishGridStyle::kGridLine);
    p.drawLine(0, 0, width(), 0);
    p.setFont(font());
    p.setPen(DishGridStyle::kFooterText);
    for (auto it = cells_.cbegin(); it != cells_.cend(); ++it) {
        const QRect r = cellRect(it.key());
        if (r.isEmpty()) {
            continue;
        }
        p.drawText(r.adjusted(3, 1, -3, 0), static_cast<int>(it->alignment | Qt::AlignVCenter),
                   it->text);
    }
}

bool DishGridFooter::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) &&
        watched == viewObject_) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}
