#include "gui/query/TFgjcx.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"
#include "core/db/TF_dm.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/common/StationWidgets.h"

namespace {

QDateEdit* DatePicker(const char* name, QWidget* parent) {
    auto* d = Named(new QDateEdit(parent), name);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return d;
}

QTimeEdit* TimePicker(const char* name, QWidget* parent) {
    auto* t = Named(new QTimeEdit(parent), name);
    t->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return t;
}

}  // namespace

TFgjcx::TFgjcx(TF_dm& dm, const StationClock& clock, MessageBoxes& boxes, int showMode,
               const QString& tableId, int tab, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      clock_(clock),
      boxes_(boxes),
      showMode_(showMode),
      tableId_(tableId),
      tab_(tab) {
    setObjectName(QStringLiteral("Fgjcx"));
    setWindowTitle(QStringLiteral("高级查询"));
    setFixedSize(513, 194);
    buildControls();
    connectControls();
    ErrorGuard(boxes_, this).run([this] { FormCreate(); });
}

void TFgjcx::buildControls() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 8);
    page->setSpacing(8);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    page->addLayout(grid);

    CheckBox1 = Named(new QCheckBox(QStringLiteral("出品部门"), this), "CheckBox1");
    CB_cpbm = Named(new QComboBox(this), "CB_cpbm");
    CheckBox2 = Named(new QCheckBox(QStringLiteral("工作站点"), this), "CheckBox2");
    CB_gzzd = Named(new QComboBox(this), "CB_gzzd");
    grid->addWidget(CheckBox1, 0, 0);
    grid->addWidget(CB_cpbm, 0, 1);
    grid->addWidget(CheckBox2, 0, 2);
    grid->addWidget(CB_gzzd, 0, 3);

    CheckBox3 = Named(new QCheckBox(QStringLiteral("点菜时间"), this), "CheckBox3");
    Date1 = DatePicker("Date1", this);
    Time1 = TimePicker("Time1", this);
    Label1 = Named(new QLabel(QStringLiteral("至"), this), "Label1");
    Date2 = DatePicker("Date2", this);
    Time2 = TimePicker("Time2", this);
    SpeedButton16 = Named(new QToolButton(this), "SpeedButton16");
    SpeedButton16->setArrowType(Qt::DownArrow);
    SpeedButton16->setAutoRaise(true);
    SpeedButton16->setToolTip(QStringLiteral("常用时间"));
    auto* times = new QHBoxLayout;
    times->setSpacing(4);
    times->addWidget(Date1);
    times->addWidget(Time1);
    times->addWidget(Label1);
    times->addWidget(Date2);
    times->addWidget(Time2);
    times->addWidget(SpeedButton16);
    times->addStretch(1);
    grid->addWidget(CheckBox3, 1, 0);
    grid->addLayout(times, 1, 1, 1, 3);

    CheckBox4 = Named(new QCheckBox(QStringLiteral("菜品名称"), this), "CheckBox4");
    Edtmc = Named(new QLineEdit(this), "Edtmc");
    CheckBox5 = Named(new QCheckBox(QStringLiteral("菜品状态"), this), "CheckBox5");
    CB_cpzt = Named(new QComboBox(this), "CB_cpzt");
    CB_cpzt->addItems(AdvancedStateItems());
    grid->addWidget(CheckBox4, 2, 0);
    grid->addWidget(Edtmc, 2, 1);
    grid->addWidget(CheckBox5, 2, 2);
    grid->addWidget(CB_cpzt, 2, 3);

    CheckBox6 = Named(new QCheckBox(QStringLiteral("菜品编号"), this), "CheckBox6");
    Edtbh = Named(new QLineEdit(this), "Edtbh");
    CheckBox7 = Named(new QCheckBox(QStringLiteral("客户要求"), this), "CheckBox7");
    Edtyq = Named(new QLineEdit(this), "Edtyq");
    grid->addWidget(CheckBox6, 3, 0);
    grid->addWidget(Edtbh, 3, 1);
    grid->addWidget(CheckBox7, 3, 2);
    grid->addWidget(Edtyq, 3, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    page->addStretch(1);
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("确定"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("取消"), this), "Button2");
    buttons->addStretch(1);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(80);
        buttons->addWidget(b);
    }
    page->addLayout(buttons);

    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    N7 = MenuItem(PopupMenu1, "N7", QStringLiteral("最近15分钟"), true);
    N1 = MenuItem(PopupMenu1, "N1", QStringLiteral("最近半小时"), true);
    N2 = MenuItem(PopupMenu1, "N2", QStringLiteral("最近一小时"), true);
    N3 = MenuItem(PopupMenu1, "N3", QStringLiteral("最近两小时"), true);
    PopupMenu1->addSeparator();
    N5 = MenuItem(PopupMenu1, "N5", QStringLiteral("今天"), true);
    N6 = MenuItem(PopupMenu1, "N6", QStringLiteral("昨天"), true);
    PopupMenu1->addSeparator();
    N12 = MenuItem(PopupMenu1, "N12", QStringLiteral("所有时间"), true);
}

void TFgjcx::connectControls() {
    const ErrorGuard guard(boxes_, this);
    // Each box enables its controls; ticking it puts the focus in the first of them.
    const auto tie = [this, guard](QCheckBox* box, std::initializer_list<QWidget*> controls) {
        const QList<QWidget*> list(controls);
        for (QWidget* w : list) {
            w->setEnabled(false);
        }
        connect(box, &QCheckBox::toggled, this, [list, guard](bool on) {
            guard.run([&] {
                for (QWidget* w : list) {
                    w->setEnabled(on);
                }
                if (on) {
                    list.first()->setFocus();
                }
            });
        });
    };
    tie(CheckBox1, {CB_cpbm});
    tie(CheckBox2, {CB_gzzd});
    tie(CheckBox3, {Date1, Time1, Date2, Time2, SpeedButton16});
    tie(CheckBox4, {Edtmc});
    tie(CheckBox5, {CB_cpzt});
    tie(CheckBox6, {Edtbh});
    tie(CheckBox7, {Edtyq});

    connect(SpeedButton16, &QToolButton::clicked, this,
            guard.wrap([this] { SpeedButton16Click(); }));
    const std::pair<QAction*, TimePreset> presets[] = {
        {N7, TimePreset::Last15Minutes}, {N1, TimePreset::LastHalfHour},
        {N2, TimePreset::LastHour},      {N3, TimePreset::LastTwoHours},
        {N5, TimePreset::Today},         {N6, TimePreset::Yesterday},
        {N12, TimePreset::AllTime},
    };
    for (const auto& [action, preset] : presets) {
        connect(action, &QAction::triggered, this,
                guard.wrap([this, p = preset] { applyPreset(p); }));
    }
    connect(Button1, &QPushButton::clicked, this, guard.wrap([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, guard.wrap([this] { Button2Click(); }));
}

void TFgjcx::fillList(QComboBox* list, const QString& first, const QString& sql, const char* code,
                      const char* name) {
    list->clear();
    list->addItem(first);
    QueryObject& q = dm_.ADO_Public;
    OpenSql(q, sql);
    if (q.isOpen()) {
        for (int r = 0; r < q.rowCount(); ++r) {
            q.setCurrentRow(r);
            list->addItem(q.asString(QString::fromLatin1(name)),
                          q.asString(QString::fromLatin1(code)));
        }
    }
    list->setCurrentIndex(0);
}

void TFgjcx::FormCreate() {
    CB_cpzt->setCurrentIndex(0);
    // The default range is the last hour, by the same rule as its preset.
    applyPreset(TimePreset::LastHour);
    fillList(CB_cpbm, QStringLiteral("所有部门"), kDepartmentListSql, "kitchen_bh", "kitchen_name");
    fillList(CB_gzzd, QStringLiteral("所有站点"), kStationListSql, "sit_id", "sit_name");
}

void TFgjcx::applyPreset(TimePreset preset) {
    const TimeRange r = TimePresetRange(preset, clock_.now());
    Date1->setDate(r.date1);
    Time1->setTime(r.time1);
    Date2->setDate(r.date2);
    Time2->setTime(r.time2);
}

void TFgjcx::SpeedButton16Click() {
    PopupMenu1->popup(SpeedButton16->mapToGlobal(QPoint(0, SpeedButton16->height())));
}

AdvancedQueryFilter TFgjcx::filter() const {
    AdvancedQueryFilter f;
    if (CheckBox5->isChecked()) {
        f.stateItem = CB_cpzt->currentIndex();
    }
    const auto code = [](const QCheckBox* box, const QComboBox* list) -> std::optional<QString> {
        if (!box->isChecked() || list->currentIndex() <= 0) {
            return std::nullopt;
        }
        return list->currentData().toString();
    };
    f.departmentCode = code(CheckBox1, CB_cpbm);
    f.stationCode = code(CheckBox2, CB_gzzd);
    f.currentTableOnly = showMode_ == 1;
    f.tableId = tableId_;
    if (CheckBox4->isChecked()) {
        f.dishName = Edtmc->text();
    }
    if (CheckBox6->isChecked()) {
        f.dishNumber = Edtbh->text();
    }
    if (CheckBox7->isChecked()) {
        f.request = Edtyq->text();
    }
    if (CheckBox3->isChecked()) {
        f.timeRange = {TimeBoundText(Date1->date(), Time1->time()),
                       TimeBoundText(Date2->date(), Time2->time())};
    }
    return f;
}

void TFgjcx::Button1Click() {
    const Dialect& dialect = dm_.ADOConn.dialect();
    // Errors are silent: the list they were meant for is left empty.
    if (tab_ == static_cast<int>(AdvancedQueryTarget::DishList)) {
        const BoundSql s = BuildAdvancedDishListStatement(dialect, filter());
        OpenSqlParams(dm_.ADO_cp, s.text, s.values);
    } else if (tab_ == static_cast<int>(AdvancedQueryTarget::HurryReturnList)) {
        const BoundSql s = BuildAdvancedHurryListStatement(dialect, filter());
        OpenSqlParams(dm_.ADO_cctc, s.text, s.values);
    }
    accept();
}

void TFgjcx::Button2Click() {
    reject();
}

void OpenAdvancedQueryWindow(StationContext& ctx, int showMode, int tab) {
    TFgjcx window(ctx.dm, ctx.clock, ctx.boxes, showMode, ctx.state.CurrentTableId, tab,
                  ctx.window);
    window.exec();
}
