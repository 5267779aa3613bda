#include "gui/common/ColumnAutoWidth.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

ColumnAutoWidth::ColumnAutoWidth(QTableView* view) : QObject(view), view_(view) {
    QHeaderView* header = view->horizontalHeader();
    for (int c = 0; c < header->count(); ++c) {
        design_.append(header->sectionSize(c));
    }
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->viewport()->installEventFilter(this);
    // A grid not yet shown has no width of its own; its first resize fits it.
    if (view->isVisible()) {
        fit();
    }
}

void ColumnAutoWidth::fit() {
    QHeaderView* header = view_->horizontalHeader();
    const int available = view_->viewport()->width();
    int total = 0;
    int last = -1;
    for (int c = 0; c < design_.size() && c < header->count(); ++c) {
        if (!header->isSectionHidden(c)) {
            total += design_.at(c);
            last = c;
        }
    }
    if (available <= 0 || total <= 0) {
        return;
    }
    int used = 0;
    for (int c = 0; c <= last; ++c) {
        if (header->isSectionHidden(c)) {
            continue;
        }
        // The last column takes what rounding left, so the columns end at the grid's edge.
        const int w = c == last ? available - used
                                : static_cast<int>(qint64(design_.at(c)) * available / total);
        header->resizeSection(c, std::max(w, header->minimumSectionSize()));
        used += w;
    }
}

bool ColumnAutoWidth::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == view_->viewport()) {
        fit();
    }
    return QObject::eventFilter(watched, event);
}
