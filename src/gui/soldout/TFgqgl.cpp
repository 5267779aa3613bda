#include "gui/soldout/TFgqgl.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/common/StationState.h"
#include "core/db/TF_dm.h"
#include "core/soldout/SoldOutCommands.h"
#include "gui/common/DishGridModel.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/common/StationWidgets.h"
#include "gui/common/StretchedColumns.h"
#include "gui/soldout/TFgqsl.h"

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

const QString kMealBh = QStringLiteral("meal_bh");

QLabel* StyledLabel(const QString& text, int pixels, const QString& colour, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPixelSize(pixels);
    f.setBold(true);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    return label;
}

QTableView* Grid(QFrame* frame, const char* name) {
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(0, 0, 0, 0);
    auto* view = Named(new QTableView(frame), name);
    box->addWidget(view);
    return view;
}

QTreeWidgetItem* Node(const CategoryNode& n) {
    auto* item = new QTreeWidgetItem(QStringList{n.text});
    item->setData(0, kIdRole, n.id);
    item->setData(0, kKindRole, static_cast<int>(n.kind));
    for (const CategoryNode& child : n.children) {
        item->addChild(Node(child));
    }
    return item;
}

}  // namespace

TFgqgl::TFgqgl(TF_dm& dm, StationState& state, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      dm_(dm),
      state_(state),
      boxes_(boxes) {
    setObjectName(QStringLiteral("Fgqgl"));
    setWindowTitle(QStringLiteral("菜品沽清管理"));
    setFixedSize(891, 618);
    buildControls();
    connectControls();
}

void TFgqgl::buildControls() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 6);
    page->setSpacing(6);
    auto* halves = new QHBoxLayout;
    halves->setSpacing(10);
    page->addLayout(halves, 1);

    // Left: what can still be sold.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    halves->addLayout(left, 46);
    LblCplx = Named(StyledLabel(QStringLiteral("所选菜类："), 16, QStringLiteral("red"), this),
                    "LblCplx");
    LblCplx->setFixedHeight(28);
    left->addWidget(LblCplx);
    auto* findRow = new QHBoxLayout;
    Label2 = Named(new QLabel(QStringLiteral("项目搜索[ALT + &Q]："), this), "Label2");
    EtFind = Named(new QLineEdit(this), "EtFind");
    Label2->setBuddy(EtFind);
    BtnZj = Named(new QPushButton(QStringLiteral("增加[F5]"), this), "BtnZj");
    findRow->addWidget(Label2);
    findRow->addWidget(EtFind, 1);
    findRow->addWidget(BtnZj);
    left->addLayout(findRow);
    auto* lists = new QHBoxLayout;
    lists->setSpacing(4);
    TreeView1 = Named(new QTreeWidget(this), "TreeView1");
    TreeView1->setFixedWidth(121);
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(14);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    lists->addWidget(TreeView1);
    cxGridcp = Named(new QFrame(this), "cxGridcp");
    cxGridDBTableView3 = Grid(cxGridcp, "cxGridDBTableView3");
    lists->addWidget(cxGridcp, 1);
    left->addLayout(lists, 1);

    // Right: the sold-out list.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    halves->addLayout(right, 54);
    Label4 =
        Named(StyledLabel(QStringLiteral("菜品沽清单"), 20, QStringLiteral("red"), this), "Label4");
    QFont f = Label4->font();
    f.setItalic(true);
    f.setUnderline(true);
    Label4->setFont(f);
    Label4->setFixedHeight(28);
    right->addWidget(Label4);
    auto* listRow = new QHBoxLayout;
    Label1 = Named(new QLabel(QStringLiteral("项目搜索[ALT + &S]："), this), "Label1");
    EtFind2 = Named(new QLineEdit(this), "EtFind2");
    Label1->setBuddy(EtFind2);
    BtnDel = Named(new QPushButton(QStringLiteral("删除[Del]"), this), "BtnDel");
    Button1 = Named(new QPushButton(QStringLiteral("清空"), this), "Button1");
    BtnClose = Named(new QPushButton(QStringLiteral("关闭[F4]"), this), "BtnClose");
    listRow->addWidget(Label1);
    listRow->addWidget(EtFind2, 1);
    for (QPushButton* b : {BtnDel, Button1, BtnClose}) {
        listRow->addWidget(b);
    }
    right->addLayout(listRow);
    cxGrid1 = Named(new QFrame(this), "cxGrid1");
    cxGridDBTableView1 = Grid(cxGrid1, "cxGridDBTableView1");
    right->addWidget(cxGrid1, 1);

    Label6 =
        Named(new QLabel(QStringLiteral("注：菜品沽清管理是对酒店当前无法供应菜品的销售进行控制，"
                                        "当某菜品因备料不足或其它原因暂时停止销售时可以添加此商"
                                        "品到菜品沽清单中即可。"),
                         this),
              "Label6");
    Label6->setWordWrap(true);
    Label6->setStyleSheet(QStringLiteral("color: blue;"));
    page->addWidget(Label6);

    for (QPushButton* b : {BtnZj, BtnDel, Button1, BtnClose}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumHeight(26);
    }

    sellableModel_ =
        new DishGridModel(dm_.ADOQcp,
                          {{QStringLiteral("项目编码"), kMealBh, 93, true},
                           {QStringLiteral("项目名称"), QStringLiteral("meal_name"), 150, true},
                           {QStringLiteral("单位"), QStringLiteral("meal_unit"), 51, true}},
                          this);
    BindDishGrid(cxGridDBTableView3, sellableModel_);
    soldOutModel_ =
        new DishGridModel(dm_.ADOQlbxf,
                          {{QStringLiteral("项目编码"), kMealBh, 72, true},
                           {QStringLiteral("项目名称"), QStringLiteral("meal_name"), 108, true},
                           {QStringLiteral("单位"), QStringLiteral("meal_unit"), 45, true},
                           {QStringLiteral("菜品类型"), QStringLiteral("Smalltype_name"), 77, true},
                           {QStringLiteral("可销售数量"), QStringLiteral("meal_cleanSl"), 0, true}},
                          this);
    BindDishGrid(cxGridDBTableView1, soldOutModel_);
    cxGridDBTableView1->horizontalHeader()->setFixedHeight(22);
    for (QTableView* view : {cxGridDBTableView3, cxGridDBTableView1}) {
        StretchColumnsToWidth(view);
    }

    setTabOrder(EtFind, BtnZj);
    setTabOrder(BtnZj, TreeView1);
    setTabOrder(TreeView1, cxGridDBTableView3);
    setTabOrder(cxGridDBTableView3, EtFind2);
    setTabOrder(EtFind2, BtnDel);
    setTabOrder(BtnDel, Button1);
    setTabOrder(Button1, BtnClose);
    setTabOrder(BtnClose, cxGridDBTableView1);
}

void TFgqgl::connectControls() {
    // The window sees the keys before the control that has the focus.
    for (QWidget* w : {static_cast<QWidget*>(EtFind), static_cast<QWidget*>(EtFind2),
                       static_cast<QWidget*>(TreeView1), static_cast<QWidget*>(cxGridDBTableView3),
                       static_cast<QWidget*>(cxGridDBTableView1), static_cast<QWidget*>(BtnZj),
                       static_cast<QWidget*>(BtnDel), static_cast<QWidget*>(Button1),
                       static_cast<QWidget*>(BtnClose)}) {
        w->installEventFilter(this);
    }
    installEventFilter(this);

    const ErrorGuard guard(boxes_, this);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, guard.wrap([this] {
        if (TreeView1->currentItem()) {
            TreeView1Click();
        }
    }));
    connect(TreeView1, &QTreeWidget::itemClicked, this, guard.wrap([this] { TreeView1Click(); }));
    connect(EtFind, &QLineEdit::textChanged, this, guard.wrap([this] { TreeView1Click(); }));
    connect(EtFind2, &QLineEdit::textChanged, this, guard.wrap([this] { FindGqcpxx(); }));
    connect(BtnZj, &QPushButton::clicked, this, guard.wrap([this] { BtnZjClick(); }));
    connect(BtnDel, &QPushButton::clicked, this, guard.wrap([this] { BtnDelClick(); }));
    connect(Button1, &QPushButton::clicked, this, guard.wrap([this] { Button1Click(); }));
    connect(BtnClose, &QPushButton::clicked, this, guard.wrap([this] { reject(); }));
    connect(cxGridDBTableView3, &QTableView::doubleClicked, this,
            guard.wrap([this] { BtnZjClick(); }));
    connect(cxGridDBTableView1, &QTableView::doubleClicked, this,
            guard.wrap([this] { BtnDelClick(); }));
}

void TFgqgl::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        ErrorGuard(boxes_, this).run([this] { FormShow(); });
    }
}

void TFgqgl::FormShow() {
    CreateTreeCplx();
    TreeView1->expandAll();
    FindGqcpxx();
}

void TFgqgl::CreateTreeCplx() {
    TreeView1->clear();
    for (const CategoryNode& node : ReadCategoryTree(dm_)) {
        TreeView1->addTopLevelItem(Node(node));
    }
    // Choosing the first node reads the sellable list for every category.
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
}

void TFgqgl::FindCpxx(CategoryKind kind, const QString& id) {
    OpenNamedSql(dm_.ADOQcp, SellableListStatement(kind, id, EtFind->text()));
}

void TFgqgl::FindGqcpxx() {
    OpenNamedSql(dm_.ADOQlbxf, SoldOutListStatement(EtFind2->text()));
}

void TFgqgl::TreeView1Click() {
    const QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node) {
        return;
    }
    FindCpxx(static_cast<CategoryKind>(node->data(0, kKindRole).toInt()),
             node->data(0, kIdRole).toString());
    LblCplx->setText(QStringLiteral("所选菜类：") + node->text(0));
}

void TFgqgl::BtnZjClick() {
    QueryObject& sellable = dm_.ADOQcp;
    if (!sellable.isOpen() || sellable.isEmpty()) {
        return;
    }
    // The dish the dialog names is the one written, whatever moves meanwhile.
    const QString mealBh = sellable.asString(kMealBh);
    state_.SellableQuantity = 0;
    {
        TFgqsl dialog(state_, boxes_, this);
        dialog.setDish(sellable.asString(QStringLiteral("meal_name")),
                       sellable.asString(QStringLiteral("meal_unit")));
        dialog.exec();
    }
    if (state_.SellableQuantity == -1) {
        return;
    }
    if (reportWriteFailure(AddSoldOutDish(dm_, mealBh, state_.SellableQuantity),
                           QStringLiteral("增加沽清菜品失败,请重试"))) {
        return;
    }
    rereadAfterWrite(EtFind);
}

void TFgqgl::BtnDelClick() {
    QueryObject& soldOut = dm_.ADOQlbxf;
    if (!soldOut.isOpen() || soldOut.isEmpty()) {
        return;
    }
    if (reportWriteFailure(RemoveSoldOutDish(dm_, soldOut.asString(kMealBh)),
                           QStringLiteral("删除沽清菜品失败,请重试"))) {
        return;
    }
    rereadAfterWrite(EtFind2);
}

void TFgqgl::Button1Click() {
    QueryObject& soldOut = dm_.ADOQlbxf;
    if (!soldOut.isOpen() || soldOut.isEmpty()) {
        return;
    }
    if (boxes_.show(this, QMessageBox::Information, QStringLiteral("系统提示"),
                    QStringLiteral("确定要清空菜品沽清单吗?"),
                    QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    if (reportWriteFailure(ClearSoldOutList(dm_), QStringLiteral("清空菜品沽清单失败,请重试"))) {
        return;
    }
    rereadAfterWrite(EtFind2);
}

bool TFgqgl::reportWriteFailure(const CommandOutcome& outcome, const QString& text) {
    if (outcome.done()) {
        return false;
    }
    boxes_.show(this, QMessageBox::Information, QStringLiteral("系统信息"), text, QMessageBox::Ok);
    // A refused write changes nothing on the screen; a dish another terminal took out of the
    // catalogue leaves the lists, so it is not offered again.
    if (outcome.result == CommandResult::NoLine) {
        TreeView1Click();
        FindGqcpxx();
    }
    return true;
}

void TFgqgl::rereadAfterWrite(QLineEdit* searchBox) {
    // Emptying the box would read its list once more; both lists are read just below.
    {
        const QSignalBlocker quiet(searchBox);
        searchBox->clear();
    }
    searchBox->setFocus();
    TreeView1Click();
    FindGqcpxx();
}

void TFgqgl::EtFindEnter() {
    const QueryObject& sellable = dm_.ADOQcp;
    const int rows = sellable.isOpen() ? sellable.rowCount() : 0;
    if (rows == 1) {
        BtnZjClick();
    } else if (rows > 1) {
        cxGridDBTableView3->setFocus();
    } else {
        EtFind->selectAll();
    }
}

bool TFgqgl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) {
        return QDialog::eventFilter(watched, event);
    }
    const ErrorGuard guard(boxes_, this);
    switch (key->key()) {
        case Qt::Key_F5:
            guard.run([this] { BtnZjClick(); });
            return true;
        case Qt::Key_F4:
        case Qt::Key_Escape:
            reject();
            return true;
        case Qt::Key_Delete:
            // In a search box Delete edits the text and nothing else: taking a dish off the
            // list there would put it back on sale at every terminal without anyone noticing.
            if (watched == EtFind || watched == EtFind2) {
                return false;
            }
            guard.run([this] { BtnDelClick(); });
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (watched == EtFind) {
                guard.run([this] { EtFindEnter(); });
                return true;
            }
            if (watched == cxGridDBTableView3) {
                guard.run([this] { BtnZjClick(); });
                return true;
            }
            if (auto* button = qobject_cast<QPushButton*>(watched)) {
                button->click();
                return true;
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void OpenSoldOutWindow(StationContext& ctx) {
    TFgqgl window(ctx.dm, ctx.state, ctx.boxes, ctx.window);
    window.exec();
}
