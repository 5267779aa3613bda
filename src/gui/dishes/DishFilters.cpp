#include "gui/dishes/DishFilters.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"
#include "gui/common/FocusNext.h"
#include "gui/common/RadioGroup.h"
#include "gui/common/StationWidgets.h"

namespace {

void Add(QWidget* place, QWidget* w) {
    if (auto* box = qobject_cast<QBoxLayout*>(place->layout())) {
        box->addWidget(w);
    }
}

}  // namespace

DishFilters::DishFilters(StationContext& ctx, QWidget* statePlace, QWidget* hiddenPlace,
                         QObject* parent)
    : QObject(parent), ctx_(ctx) {
    L_cpzt = Named(new QLabel(QStringLiteral("菜品状态:"), statePlace), "L_cpzt");
    L_cpzt->setGeometry(0, 0, 70, 24);
    L_cpzt->hide();
    CB_cpzt = Named(new QComboBox(statePlace), "CB_cpzt");
    CB_cpzt->addItems(DishStateFilterItems());
    CB_cpzt->setGeometry(72, 0, 140, 24);
    CB_cpzt->hide();

    L_gzzd = Named(new QLabel(QStringLiteral("工作站点:"), hiddenPlace), "L_gzzd");
    CB_gzzd = Named(new QComboBox(hiddenPlace), "CB_gzzd");
    L_cpbm = Named(new QLabel(QStringLiteral("出品部门:"), hiddenPlace), "L_cpbm");
    CB_cpbm = Named(new QComboBox(hiddenPlace), "CB_cpbm");
    RG_xszt = Named(
        new RadioGroup(QString(),
                       {QStringLiteral("显示所有餐台菜品"), QStringLiteral("显示当前餐台菜品")}, 2,
                       hiddenPlace),
        "RG_xszt");
    for (QWidget* w : {static_cast<QWidget*>(L_gzzd), static_cast<QWidget*>(CB_gzzd),
                       static_cast<QWidget*>(L_cpbm), static_cast<QWidget*>(CB_cpbm),
                       static_cast<QWidget*>(RG_xszt)}) {
        Add(hiddenPlace, w);
        w->hide();
    }

    // activated: only the operator's choice runs a handler, never a change made by code.
    connect(CB_cpzt, &QComboBox::activated, this, [this] { chosen(CB_cpzt); });
    connect(CB_cpbm, &QComboBox::activated, this, [this] { chosen(CB_cpbm); });
    connect(CB_gzzd, &QComboBox::activated, this, [this] { chosen(CB_gzzd); });
    for (QComboBox* list : {CB_cpzt, CB_cpbm, CB_gzzd}) {
        list->installEventFilter(this);
    }
    connect(RG_xszt, &RadioGroup::itemClicked, this, &DishFilters::scopeClicked);
}

void DishFilters::chosen(QComboBox* list) {
    // No item selected counts as "all"; the choice shows it.
    if (list->currentIndex() < 0 && list->count() > 0) {
        list->setCurrentIndex(0);
    }
    if (list == CB_cpzt) {
        emit stateChosen();
    } else if (list == CB_cpbm) {
        emit departmentChosen();
    } else {
        emit stationChosen();
    }
}

bool DishFilters::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            return FocusNextControl(static_cast<QWidget*>(watched));
        }
    }
    return QObject::eventFilter(watched, event);
}

void DishFilters::fillLists() {
    auto fill = [this](QComboBox* list, QStringList& codes, const QString& all, const QString& sql,
                       const QString& codeColumn, const QString& nameColumn) {
        list->clear();
        codes.clear();
        list->addItem(all);
        codes << QString();
        QueryObject& q = ctx_.dm.ADO_Public;
        OpenSql(q, sql);
        if (!q.isOpen()) {
            return;
        }
        for (q.first(); !q.eof(); q.next()) {
            list->addItem(q.asString(nameColumn));
            codes << q.asString(codeColumn);
        }
    };
    fill(CB_cpbm, DepartmentCodes, QStringLiteral("所有部门"), kDepartmentListSql,
         QStringLiteral("kitchen_bh"), QStringLiteral("kitchen_name"));
    fill(CB_gzzd, StationCodes, QStringLiteral("所有站点"), kStationListSql,
         QStringLiteral("sit_id"), QStringLiteral("sit_name"));
}

void DishFilters::selectStored(int department, int station) {
    SelectStoredPosition(CB_cpbm, department);
    SelectStoredPosition(CB_gzzd, station);
}

int DishFilters::departmentPosition() const {
    return CB_cpbm->currentIndex();
}

int DishFilters::stationPosition() const {
    return CB_gzzd->currentIndex();
}

void DishFilters::showAllStates() {
    CB_cpzt->setCurrentIndex(0);
}

int DishFilters::scopeItem() const {
    return RG_xszt->itemIndex();
}

void DishFilters::setScope(int item) {
    RG_xszt->setItemIndex(item);
}

void DishFilters::setScopeQuietly(int item) {
    const QSignalBlocker quiet(RG_xszt);
    RG_xszt->setItemIndex(item);
}

DishListFilter DishFilters::filter(const QString& searchText) const {
    DishListFilter f;
    f.stateItem = CB_cpzt->currentIndex();
    auto code = [](const QComboBox* list, const QStringList& codes) -> std::optional<QString> {
        const int i = list->currentIndex();
        if (i > 0 && i < codes.size()) {
            return codes.at(i);
        }
        return std::nullopt;
    };
    f.departmentCode = code(CB_cpbm, DepartmentCodes);
    f.stationCode = code(CB_gzzd, StationCodes);
    f.scopeItem = RG_xszt->itemIndex();
    f.searchText = searchText;
    return f;
}
