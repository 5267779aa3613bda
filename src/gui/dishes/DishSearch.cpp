#include "gui/dishes/DishSearch.h"

#include <QBoxLayout>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "core/dishes/DishCommands.h"
#include "core/dishes/ScanStatements.h"
#include "gui/common/DishGridModel.h"
#include "gui/common/StationSounds.h"
#include "gui/common/StationWidgets.h"
#include "gui/common/WaitCursor.h"
#include "gui/dishes/ServingOrderQuestion.h"

namespace {

const QString kLineNumber = QStringLiteral("consume_bh");

QFont BoxFont() {
    QFont f;
    f.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(24);
    return f;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

DishSearch::DishSearch(StationContext& ctx, QWidget* searchPlace, QWidget* floatParent,
                       QString programFolder, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      guard_(ctx.boxes, ctx.window),
      rule_(ctx.ticks, ctx.state.LastScanKeyTick),
      programFolder_(std::move(programFolder)) {
    buildControls(searchPlace, floatParent);
    connectControls();
}

DishSearch::~DishSearch() {
    // The grid may outlive the part (the window deletes its children last).
    if (grid_) {
        grid_->setModel(nullptr);
    }
}

void DishSearch::buildControls(QWidget* searchPlace, QWidget* floatParent) {
    auto* row = qobject_cast<QBoxLayout*>(searchPlace->layout());
    if (!row) {
        row = new QHBoxLayout(searchPlace);
        row->setContentsMargins(4, 4, 4, 4);
        row->setSpacing(4);
    }
    L_cpmc = Named(Caption(QStringLiteral("菜品信息:"), searchPlace), "L_cpmc");
    E_cpmc = Named(new QLineEdit(searchPlace), "E_cpmc");
    E_cpmc->setFont(BoxFont());
    E_cpmc->setToolTip(QStringLiteral("输入菜品名称、编号、状态或条码查询菜品"));
    E_cpmc->setMinimumWidth(220);
    SpeedButton1 = Named(new QToolButton(searchPlace), "SpeedButton1");
    SpeedButton1->setText(QStringLiteral(">>"));
    SpeedButton1->setToolTip(QStringLiteral("菜品列表"));
    SpeedButton1->setMinimumHeight(30);
    ImgBtn9 = PictureButton("ImgBtn9", QStringLiteral("查询"), Glyph::Search, kStationBlue,
                            QStringLiteral("查询菜品"), searchPlace);
    Button_cp_cz = Named(new QPushButton(QStringLiteral("查找"), searchPlace), "Button_cp_cz");
    Button_cp_cz->hide();
    row->addWidget(L_cpmc);
    row->addWidget(E_cpmc, 1);
    row->addWidget(SpeedButton1);
    row->addWidget(ImgBtn9);

    Panel_cp = Named(new QFrame(floatParent), "Panel_cp");
    Panel_cp->setFrameShape(QFrame::Box);
    Panel_cp->setAutoFillBackground(true);
    Panel_cp->setGeometry(425, 133, 289, 235);
    auto* column = new QVBoxLayout(Panel_cp);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    Label2 = Named(
        new QLabel(QStringLiteral("录入菜品编号、菜品名称或菜品状态等信息模糊查找"), Panel_cp),
        "Label2");
    Label2->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label2->setWordWrap(true);
    cxGrid_cp = Named(new QTableView(Panel_cp), "cxGrid_cp");
    model_ =
        new DishGridModel(ctx_.dm.ADO_Public1,
                          {{QStringLiteral("餐台名称"), QStringLiteral("room_name")},
                           {QStringLiteral("菜品编号"), QStringLiteral("consume_meal_id")},
                           {QStringLiteral("菜品名称"), QStringLiteral("consume_meal_name")},
                           {QStringLiteral("菜品状态"), QStringLiteral("consume_Chupinstate")}},
                          this);
    BindDishGrid(cxGrid_cp, model_);
    cxGrid_cp->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    cxGrid_cp->setSortingEnabled(false);
    grid_ = cxGrid_cp;
    auto* buttons = new QHBoxLayout;
    Button_cp_qd = Named(new QPushButton(QStringLiteral("确定"), Panel_cp), "Button_cp_qd");
    Button_cp_qx = Named(new QPushButton(QStringLiteral("取消"), Panel_cp), "Button_cp_qx");
    buttons->addStretch(1);
    buttons->addWidget(Button_cp_qd);
    buttons->addWidget(Button_cp_qx);
    column->addWidget(Label2);
    column->addWidget(cxGrid_cp, 1);
    column->addLayout(buttons);
    Panel_cp->hide();
}

void DishSearch::connectControls() {
    connect(E_cpmc, &QLineEdit::textChanged, this,
            [this](const QString& text) { guard_.run([&] { E_cpmcChange(text); }); });
    E_cpmc->installEventFilter(this);
    cxGrid_cp->installEventFilter(this);
    connect(SpeedButton1, &QToolButton::clicked, this,
            guard_.wrap([this] { SpeedButton1Click(); }));
    connect(ImgBtn9, &QToolButton::clicked, this, guard_.wrap([this] { Button_cp_czClick(); }));
    connect(Button_cp_cz, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_cp_czClick(); }));
    connect(Button_cp_qd, &QPushButton::clicked, this,
            guard_.wrap([this] { cxGridDBTableView1DblClick(); }));
    connect(cxGrid_cp, &QTableView::doubleClicked, this,
            guard_.wrap([this] { cxGridDBTableView1DblClick(); }));
    connect(Button_cp_qx, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_cp_qxClick(); }));
}

bool DishSearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == E_cpmc) {
        guard_.run([&] { E_cpmcKeyDown(key->key()); });
        if (key->key() == Qt::Key_Down) {
            return true;  // taken for an Enter, which makes no character: no scan
        }
        const bool enter = IsEnter(key->key());
        if (enter || !key->text().isEmpty()) {
            guard_.run([&] { E_cpmcKeyPress(enter); });
        }
        return enter;
    }
    if (watched == cxGrid_cp) {
        bool taken = false;
        guard_.run([&] { taken = cxGridDBTableView1KeyPress(key->key()); });
        return taken;
    }
    return QObject::eventFilter(watched, event);
}

QString DishSearch::text() const {
    return E_cpmc->text();
}

bool DishSearch::hasFocus() const {
    return E_cpmc->hasFocus();
}

void DishSearch::takeFocus() {
    E_cpmc->setFocus();
}

bool DishSearch::scannerMode() const {
    return ScannerMode(ctx_.settings.SDSR);
}

// ---- the box -----------------------------------------------------------------------------

void DishSearch::E_cpmcChange(const QString& text) {
    emit textChanged(text);
    if (scannerMode()) {
        return;
    }
    emit allTablesRequested();
    if (!text.trimmed().isEmpty()) {
        OpenDishSearch(ctx_.dm.ADO_Public1, ctx_.dm.ADOConn.dialect(), text);
    }
}

void DishSearch::E_cpmcKeyDown(int) {
    emit firstTableTypeRequested();
    emit allTablesRequested();
    if (rule_.keyDown(scannerMode())) {
        E_cpmc->clear();
    }
}

void DishSearch::E_cpmcKeyPress(bool enter) {
    emit firstTableTypeRequested();
    emit allTablesRequested();
    emit refreshPaused();
    try {
        const ScanInputRule::KeyPress plan =
            ScanInputRule::keyPress(scannerMode(), E_cpmc->text(), enter);
        if (plan.showListTab && tab_ != 0) {
            emit listTabRequested();
        }
        if (plan.lookUp) {
            OpenDishLookup(ctx_.dm.ADO_Public1, ctx_.dm.ADOConn.dialect(), plan.lookupCode);
        }
        if (plan.scan) {
            WaitCursor wait;
            runScanSequence(wait);
        }
    } catch (...) {
        emit refreshResumed();
        throw;
    }
    emit refreshResumed();
}

void DishSearch::SpeedButton1Click() {
    if (ctx_.dm.ADO_cp.isEmpty()) {
        return;
    }
    const QString trimmed = E_cpmc->text().trimmed();
    E_cpmc->setFocus();
    E_cpmc->setCursorPosition(static_cast<int>(trimmed.size()));
    if (!trimmed.isEmpty()) {
        OpenDishSearch(ctx_.dm.ADO_Public1, ctx_.dm.ADOConn.dialect(), E_cpmc->text());
    } else {
        OpenAllDishLines(ctx_.dm.ADO_Public1, ctx_.dm.ADOConn.dialect());
    }
    showSearchList();
}

void DishSearch::Button_cp_czClick() {
    emit requeryRequested();
}

void DishSearch::showSearchList() {
    Panel_cp->show();
    Panel_cp->raise();
}

void DishSearch::Button_cp_qxClick() {
    Panel_cp->hide();
}

void DishSearch::cxGridDBTableView1DblClick() {
    const QueryObject& found = ctx_.dm.ADO_Public1;
    const QString line =
        found.isOpen() && !found.isEmpty() ? found.asString(kLineNumber) : QString();
    if (!line.isEmpty()) {
        emit positionRequested(tab_, line);
    }
    Panel_cp->hide();
    E_cpmc->clear();
}

bool DishSearch::cxGridDBTableView1KeyPress(int key) {
    const QueryObject& found = ctx_.dm.ADO_Public1;
    if (!IsEnter(key) || !found.isOpen() || found.isEmpty()) {
        return false;
    }
    cxGrid_cp->setFocus();
    cxGridDBTableView1DblClick();
    return true;
}

// ---- the scan ----------------------------------------------------------------------------

void DishSearch::PlaySoundFile(const QString& path) {
    ::PlaySoundFile(ctx_.sound, path);
}

void DishSearch::playSound(StationSound sound) {
    PlaySoundFile(StationSoundPath(programFolder_, sound));
}

void DishSearch::runScanSequence(WaitCursor& wait) {
    const QueryObject& found = ctx_.dm.ADO_Public1;
    QString dish = E_cpmc->text().trimmed();
    bool served = false;
    // Whatever was done stays done; a line already served is never called unserved.
    auto failed = [&](const QString& error) {
        playSound(StationSound::Failure);
        if (!served) {
            emit lineNotServed(dish, QStringLiteral("数据库出错，菜品未上：") + error);
        }
        E_cpmc->setFocus();
    };
    try {
        if (!found.isOpen()) {
            // The search or the lookup failed in the database: there is nothing to go by.
            playSound(StationSound::Failure);
            emit lineNotServed(dish, QStringLiteral("查询菜品时数据库出错，菜品未上"));
            return;
        }
        if (found.rowCount() != 1) {
            showSearchList();
            playSound(StationSound::Failure);
            if (found.isEmpty()) {
                E_cpmc->selectAll();  // the next input replaces it
            }
            return;
        }
        const QString line = found.asString(kLineNumber);
        dish = found.asString(QStringLiteral("consume_meal_name"));
        cxGridDBTableView1DblClick();
        if (tab_ >= 2) {
            return;  // on the overdue, hurry/return and served tabs a scan only finds the line
        }
        served = serveScannedLine(line, wait);
        E_cpmc->setFocus();
    } catch (const DbError& e) {
        failed(e.text());
    } catch (const std::exception& e) {
        failed(QString::fromUtf8(e.what()));
    }
}

bool DishSearch::serveScannedLine(const QString& lineNumber, WaitCursor& wait) {
    StationState& state = ctx_.state;
    state.ServeRefused = false;
    const std::optional<ScannedLine> line = ReadScannedLine(ctx_.dm, lineNumber);
    if (!line) {
        ScanServeOutcome gone;
        gone.result = ScanServeResult::NoLine;
        gone.lineNumber = lineNumber;
        refuse(gone);
        return false;
    }
    if (const std::optional<ScanServeOutcome> refusal = ScanRefusal(*line)) {
        refuse(*refusal);
        return false;
    }
    // The check runs on the scanned line's own table and serving order. No hourglass over the
    // question: the operator has to answer it.
    wait.restore();
    if (!MayServeBeforeEarlierCourses(
            ctx_, DishLineRef{line->lineNumber, line->tableId, line->servingOrder})) {
        state.ServeRefused = true;
        return false;  // the operator's choice: no sound
    }
    const WaitCursor resumed;
    const ScanServeOutcome outcome = ServeScannedLine(ctx_.dm, *line, ctx_.clock.now());
    if (!outcome.served()) {
        refuse(outcome);
        return false;
    }
    playSound(StationSound::Success);
    emit lineServed(line->lineNumber, line->tableId, line->mealName);
    return true;
}

void DishSearch::refuse(const ScanServeOutcome& outcome) {
    ctx_.state.ServeRefused = true;
    playSound(StationSound::Failure);
    emit lineNotServed(outcome.mealName.isEmpty() ? outcome.lineNumber : outcome.mealName,
                       ScanRefusalReason(outcome));
}
