#include "gui/common/StretchedColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVector>

namespace {

class ColumnStretcher final : public QObject {
public:
    explicit ColumnStretcher(QTableView* view) : QObject(view), view_(view) {
        QHeaderView* header = view->horizontalHeader();
        for (int c = 0; c < header->count(); ++c) {
            weights_.append(header->sectionSize(c) > 0 ? header->sectionSize(c)
                                                       : header->defaultSectionSize());
        }
        viewport_ = view->viewport();
        viewport_->installEventFilter(this);
        fit();
    }

    // Compared with the viewport remembered: its events still arrive while the view is being
    // destroyed, when the view can no longer be asked for it.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == viewport_ && event->type() == QEvent::Resize) {
            fit();
        }
        return false;
    }

private:
    void fit() {
        QHeaderView* header = view_->horizontalHeader();
        int total = 0;
        int last = -1;
        for (int c = 0; c < header->count() && c < weights_.size(); ++c) {
            if (!header->isSectionHidden(c)) {
                total += weights_.at(c);
                last = c;
            }
        }
        const int width = view_->viewport()->width();
        if (total <= 0 || width <= 0) {
            return;
        }
        // The last column takes what rounding leaves, so nothing sticks out or stays bare.
        int used = 0;
        for (int c = 0; c < last; ++c) {
            if (!header->isSectionHidden(c)) {
                const int w = static_cast<int>(static_cast<qint64>(width) * weights_.at(c) / total);
                header->resizeSection(c, w);
                used += w;
            }
        }
        header->resizeSection(last, qMax(1, width - used));
    }

    QTableView* view_;
    QObject* viewport_ = nullptr;
    QVector<int> weights_;
};

}  // namespace

void StretchColumnsToWidth(QTableView* view) {
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    new ColumnStretcher(view);
}
