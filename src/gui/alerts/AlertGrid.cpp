#include "gui/alerts/AlertGrid.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QLabel>
#include <QTableView>

#include "core/alerts/AlertStatements.h"
#include "core/db/QueryObject.h"
#include "gui/common/DishGridFooter.h"

QBoxLayout* PlaceLayout(QWidget* place) {
    if (auto* box = qobject_cast<QBoxLayout*>(place->layout())) {
        return box;
    }
    auto* box = new QVBoxLayout(place);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    return box;
}

QString RecordCountText(int rows) {
    return QStringLiteral("共%1笔记录").arg(rows);
}

AlertGrid::AlertGrid(QueryObject& list, QVector<DishGridColumn> columns, const char* gridName,
                     const Footer& footer, QWidget* container, QObject* parent)
    : QObject(parent), list_(list), footerFields_(footer) {
    QBoxLayout* box = PlaceLayout(container);
    notice_ = new QLabel(container);
    notice_->setObjectName(QString::fromLatin1(gridName) + QStringLiteral("_failure"));
    notice_->setWordWrap(true);
    notice_->setStyleSheet(QStringLiteral(
        "QLabel { background: #fff0f0; color: #c00000; font-weight: bold; padding: 4px; "
        "border: 1px solid #e0a0a0; }"));
    notice_->hide();
    box->addWidget(notice_);

    view_ = new QTableView(container);
    view_->setObjectName(QString::fromLatin1(gridName));
    model_ = new DishGridModel(list, std::move(columns), this);
    BindDishGrid(view_, model_);
    box->addWidget(view_, 1);

    footer_ = new DishGridFooter(view_, container);
    box->addWidget(footer_);

    connect(&list_, &QueryObject::rowsReset, this, &AlertGrid::listReset);
    updateFooter();
}

AlertGrid::~AlertGrid() {
    // The grid may outlive its part (the window deletes its children last).
    if (view_) {
        view_->setItemDelegate(nullptr);
        view_->setModel(nullptr);
    }
}

QTableView* AlertGrid::view() const {
    return view_;
}

DishGridFooter* AlertGrid::footer() const {
    return footer_;
}

QLabel* AlertGrid::notice() const {
    return notice_;
}

void AlertGrid::readDone(const ListRead& read, const QDateTime& at) {
    if (!read) {
        readFailed(read.error, at);
    }
}

void AlertGrid::readFailed(const QString& error, const QDateTime& at) {
    failed_ = true;
    if (notice_) {
        notice_->setText(QStringLiteral("读取失败（%1），此列表不是当前数据：%2")
                             .arg(at.toString(QStringLiteral("HH:mm:ss")), error));
        notice_->show();
    }
    updateFooter();
}

void AlertGrid::listReset() {
    // Whoever filled the list, a result is current again.
    if (list_.isOpen()) {
        failed_ = false;
        if (notice_) {
            notice_->hide();
        }
    }
    updateFooter();
}

void AlertGrid::updateFooter() {
    if (!footer_) {
        return;
    }
    const bool open = list_.isOpen();
    const int rows = open ? list_.rowCount() : 0;
    // A list that could not be read has no count: "共0笔记录" would say nothing is pending.
    footer_->setCell(model_->columnOf(footerFields_.countField),
                     open ? RecordCountText(rows) : QString());
    if (footerFields_.sumField.isEmpty()) {
        return;
    }
    QString sum;
    const int c = open ? list_.columnIndex(footerFields_.sumField) : -1;
    if (c >= 0 && rows > 0) {
        double total = 0;
        for (int r = 0; r < rows; ++r) {
            total += list_.valueAt(r, c).toDouble();
        }
        sum = DishGridModel::displayText(total);
    }
    footer_->setCell(model_->columnOf(footerFields_.sumField), sum, Qt::AlignRight);
}
