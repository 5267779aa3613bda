#pragma once

#include <QObject>
#include <QStringList>

#include "core/dishes/DishListQuery.h"
#include "gui/common/StationContext.h"

class QComboBox;
class QLabel;
class RadioGroup;

// The filters every dish view is queried with: the hidden state filter in the top bar, the
// hidden department and station filters and the list scope. Only the operator's choice
// reports a change; a position set by code runs nothing.
class DishFilters : public QObject {
    Q_OBJECT

public:
    DishFilters(StationContext& ctx, QWidget* statePlace, QWidget* hiddenPlace,
                QObject* parent = nullptr);

    // Creation: CB_cpbm / DepartmentCodes and CB_gzzd / StationCodes; read errors leave a
    // list with its "all" item only.
    void fillLists();
    // Stored positions; one the refilled list no longer has leaves no selection ("all").
    void selectStored(int department, int station);
    int departmentPosition() const;
    int stationPosition() const;
    // CB_cpzt back to "显示所有菜品".
    void showAllStates();

    // RG_xszt: 0 all tables, 1 the current table. setScope reports a change like a click.
    int scopeItem() const;
    void setScope(int item);
    void setScopeQuietly(int item);

    DishListFilter filter(const QString& searchText) const;

    QStringList DepartmentCodes;
    QStringList StationCodes;

signals:
    void stateChosen();
    void departmentChosen();
    void stationChosen();
    void scopeClicked();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void chosen(QComboBox* list);

    StationContext& ctx_;
    QLabel* L_cpzt = nullptr;
    QComboBox* CB_cpzt = nullptr;
    QLabel* L_gzzd = nullptr;
    QComboBox* CB_gzzd = nullptr;
    QLabel* L_cpbm = nullptr;
    QComboBox* CB_cpbm = nullptr;
    RadioGroup* RG_xszt = nullptr;
};
