#pragma once

#include <QDialog>

#include "core/query/AdvancedQuery.h"
#include "core/query/TimePresets.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimeEdit;
class QToolButton;
class MessageBoxes;
class StationClock;
class TF_dm;
struct StationContext;

// The advanced dish query: searches the lines of unsettled bills by department, ordering
// station, state, name, number, customer request and order time, and puts the result into
// the list the main window shows (the dish list or the hurry/return list), then closes.
class TFgjcx : public QDialog {
    Q_OBJECT

public:
    // showMode: the main window's RG_xszt item (1: the current table only); tab: its dish tab.
    TFgjcx(TF_dm& dm, const StationClock& clock, MessageBoxes& boxes, int showMode,
           const QString& tableId, int tab, QWidget* parent = nullptr);

    void FormCreate();
    void applyPreset(TimePreset preset);
    void SpeedButton16Click();
    // The filter as the controls hold it.
    AdvancedQueryFilter filter() const;
    void Button1Click();  // 确定
    void Button2Click();  // 取消

    QCheckBox* CheckBox1;
    QComboBox* CB_cpbm;
    QCheckBox* CheckBox2;
    QComboBox* CB_gzzd;
    QCheckBox* CheckBox3;
    QDateEdit* Date1;
    QTimeEdit* Time1;
    QLabel* Label1;
    QDateEdit* Date2;
    QTimeEdit* Time2;
    QToolButton* SpeedButton16;
    QCheckBox* CheckBox4;
    QLineEdit* Edtmc;
    QCheckBox* CheckBox5;
    QComboBox* CB_cpzt;
    QCheckBox* CheckBox6;
    QLineEdit* Edtbh;
    QCheckBox* CheckBox7;
    QLineEdit* Edtyq;
    QPushButton* Button1;
    QPushButton* Button2;
    QMenu* PopupMenu1;
    QAction* N7;
    QAction* N1;
    QAction* N2;
    QAction* N3;
    QAction* N5;
    QAction* N6;
    QAction* N12;

private:
    void buildControls();
    void connectControls();
    void fillList(QComboBox* list, const QString& first, const QString& sql, const char* code,
                  const char* name);

    TF_dm& dm_;
    const StationClock& clock_;
    MessageBoxes& boxes_;
    int showMode_;
    QString tableId_;
    int tab_;
};

// Opens the advanced query modally over the main window, for its display scope (RG_xszt
// item), the current table and the dish tab it shows; frees it when it closes.
void OpenAdvancedQueryWindow(StationContext& ctx, int showMode, int tab);
