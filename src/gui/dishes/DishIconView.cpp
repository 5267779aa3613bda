#include "gui/dishes/DishIconView.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QFontInfo>
#include <QMenu>
#include <QResizeEvent>
#include <QTimer>
#include <QToolButton>

#include "core/db/QueryObject.h"
#include "gui/common/StationWidgets.h"
#include "gui/dishes/DishIconImages.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

const QColor kBrown(133, 75, 0);
constexpr int kSkinExempt = 99;
// Six points of a CJK face is 8 pixels on a 96-dpi screen, which no one reads at the pass.
constexpr int kMinTablePixels = 12;

QBoxLayout* BoxOf(QWidget* place, QBoxLayout::Direction direction) {
    if (auto* box = qobject_cast<QBoxLayout*>(place->layout())) {
        return box;
    }
    auto* box = new QBoxLayout(direction, place);
    box->setContentsMargins(0, 0, 0, 0);
    return box;
}

}  // namespace

DishIconView::DishIconView(StationContext& ctx, QWidget* iconPage, QWidget* buttonPlace,
                           QMenu* popupMenu, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      guard_(ctx.boxes, ctx.window),
      ImageList3(QSize(Icons::kIconSize, Icons::kIconSize)),
      menu_(popupMenu) {
    PaintDishIconImages(ImageList3);

    Panel_client_client = Named(new QWidget(iconPage), "Panel_client_client");
    Panel_client_client->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    BoxOf(iconPage, QBoxLayout::TopToBottom)->addWidget(Panel_client_client, 1);
    Panel_client_client->installEventFilter(this);
    area_ = Panel_client_client;

    Button_cp_syy = PictureButton("Button_cp_syy", QStringLiteral("上一页"), Glyph::Previous,
                                  kStationBlue, QStringLiteral("上一页菜品"), buttonPlace);
    Button_cp_xyy = PictureButton("Button_cp_xyy", QStringLiteral("下一页"), Glyph::Next,
                                  kStationBlue, QStringLiteral("下一页菜品"), buttonPlace);
    QBoxLayout* buttons = BoxOf(buttonPlace, QBoxLayout::LeftToRight);
    buttons->addWidget(Button_cp_syy);
    buttons->addWidget(Button_cp_xyy);
    showPageButtons(false);

    Timer1 = NamedTimer("Timer1", 100, true, this);
    connect(Timer1, &QTimer::timeout, this, guard_.wrap([this] { Timer1Timer(); }));
    connect(Button_cp_syy, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_cp_syyClick(); }));
    connect(Button_cp_xyy, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_cp_xyyClick(); }));
}

DishIconView::~DishIconView() {
    // The area may already be gone with its window, and the icons with it.
    if (area_) {
        freeIcons();
    }
}

void DishIconView::refresh(const QString&, const DishListFilter&) {
    hideArea();
    BuildDishIcons();
}

void DishIconView::hideArea() {
    Panel_client_client->hide();
    Timer1->start();
}

void DishIconView::Timer1Timer() {
    Panel_client_client->show();
    Timer1->stop();
}

void DishIconView::showPageButtons(bool visible) {
    Button_cp_syy->setVisible(visible);
    Button_cp_xyy->setVisible(visible);
}

void DishIconView::freeIcons() {
    SelectedIcon = -1;
    const QList<Tcypanel*> icons = DishIcons;
    DishIcons.clear();
    lines_.clear();
    qDeleteAll(icons);
}

// ---- building and paging -----------------------------------------------------------------

QVariant DishIconView::value(int row, const QString& column) const {
    const QueryObject& list = ctx_.dm.ADO_cp;
    const int c = list.columnIndex(column);
    return c < 0 ? QVariant() : list.valueAt(row, c);
}

QString DishIconView::field(int row, const QString& column) const {
    return FieldText(value(row, column));
}

int DishIconView::indexOf(const Ttzcypanel* tile) const {
    for (int i = 0; i < DishIcons.size(); ++i) {
        if (DishIcons.at(i) == tile) {
            return i;
        }
    }
    return -1;
}

int DishIconView::rowOf(const QString& lineNumber) const {
    const QueryObject& list = ctx_.dm.ADO_cp;
    const int c = list.columnIndex(QStringLiteral("consume_bh"));
    for (int r = 0; c >= 0 && r < list.rowCount(); ++r) {
        if (FieldText(list.valueAt(r, c)) == lineNumber) {
            return r;
        }
    }
    return -1;
}

void DishIconView::BuildDishIcons() {
    freeIcons();
    history_.clear();
    pageShown_ = false;
    const QueryObject& list = ctx_.dm.ADO_cp;
    if (!list.isOpen() || list.isEmpty()) {
        return;
    }
    layOut(0, Icons::Fit::Build);
}

void DishIconView::layOut(int from, Icons::Fit fit) {
    const QueryObject& list = ctx_.dm.ADO_cp;
    const QSize size = Panel_client_client->size();
    const Icons::PageLayout page =
        Icons::LayOutIconPage(size.width(), size.height(), list.rowCount() - from, fit);
    pageShown_ = true;
    fit_ = fit;
    laidOutFor_ = size;
    for (int i = 0; i < page.positions.size(); ++i) {
        addIcon(from + i, page.positions.at(i));
    }
}

void DishIconView::addIcon(int row, const QPoint& at) {
    auto* tile = new Tcypanel(Panel_client_client);
    tile->setGeometry(at.x(), at.y(), Icons::kIconSize, Icons::kIconSize);
    SettleTileGeometry(tile);
    tile->setProperty("tag", kSkinExempt);
    DishIcons.append(tile);
    lines_.append({field(row, QStringLiteral("consume_bh")),
                   field(row, QStringLiteral("consume_table")),
                   ServingOrderOf(value(row, QStringLiteral("Smalltype_scsx")))});

    for (int k = 1; k <= Ttzcypanel::kLabels; ++k) {
        tile->Label(k)->setFontColor(kBrown);
    }
    Ttzcylabel* table = tile->Label3();
    table->setCaption(field(row, QStringLiteral("room_name")));
    QFont tableFont = table->font();
    tableFont.setBold(false);
    tableFont.setPointSize(6);
    if (QFontInfo(tableFont).pixelSize() < kMinTablePixels) {
        tableFont.setPixelSize(kMinTablePixels);
    }
    table->setFont(tableFont);
    table->setAlignment(Qt::AlignHCenter);

    Ttzcylabel* dish = tile->Label4();
    dish->setCaption(field(row, QStringLiteral("consume_meal_name")));
    dish->move(dish->x(), dish->y() + 8);
    dish->setAlignment(Qt::AlignHCenter);

    Ttzcylabel* time = tile->Label1();
    time->setCaption(Icons::OrderTimeText(field(row, QStringLiteral("consume_begintime"))));
    time->setAlignment(Qt::AlignHCenter);

    Ttzcylabel* state = tile->Label2();
    state->setCaption(field(row, QStringLiteral("consume_Chupinstate")));
    state->setAlignment(Qt::AlignLeft);
    state->move(state->x(), time->geometry().bottom() + 1 + 5);

    tile->Label5()->setCaption(field(row, QStringLiteral("consume_guest_bh")));
    tile->Label6()->setCaption(field(row, QStringLiteral("consume_bh")));

    tile->setBGImages(&ImageList3);
    tile->setBGImageIndex(Icons::BackgroundIndex(field(row, QStringLiteral("consume_Chupinlogo"))));

    connect(tile, &Ttzcypanel::OnClick, this,
            [this](Ttzcypanel* t) { guard_.run([&] { DishIconClick(t); }); });
    auto right = [this](Ttzcypanel* t, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        guard_.run([&] { DishIconRightSelect(t, button); });
    };
    connect(tile, &Ttzcypanel::OnMouseDown, this, right);
    connect(tile, &Ttzcypanel::OnMouseUp, this, right);
    tile->setPopupMenu(menu_);
    tile->show();
}

void DishIconView::rerunList() {
    QueryObject& list = ctx_.dm.ADO_cp;
    const QString current =
        list.isOpen() && !list.isEmpty() ? list.asString(QStringLiteral("consume_bh")) : QString();
    list.rerun();
    const int row = current.isEmpty() ? -1 : rowOf(current);
    if (row >= 0) {
        list.setCurrentRow(row);
    }
}

void DishIconView::Button_cp_xyyClick() {
    hideArea();
    if (DishIcons.isEmpty()) {
        return;
    }
    const QString firstLine = lines_.first().lineNumber;
    const QVector<IconLine> shown = lines_;
    rerunList();
    // After the last line of this page that the list still holds; by the exact line number, so
    // a line whose number begins another's never sends the page back or forward.
    int from = 0;
    for (auto it = shown.crbegin(); it != shown.crend(); ++it) {
        const int row = rowOf(it->lineNumber);
        if (row >= 0) {
            from = row + 1;
            break;
        }
    }
    if (from >= ctx_.dm.ADO_cp.rowCount()) {
        return;  // the last page: the icons stay
    }
    history_.turnedForwardFrom(firstLine);
    freeIcons();
    layOut(from, Icons::Fit::PageTurn);
}

void DishIconView::Button_cp_syyClick() {
    hideArea();
    if (DishIcons.isEmpty()) {
        return;
    }
    rerunList();
    const QString start = history_.takePreviousStart();
    const int from = start.isEmpty() ? 0 : qMax(0, rowOf(start));
    freeIcons();
    if (ctx_.dm.ADO_cp.isEmpty()) {
        return;
    }
    layOut(from, Icons::Fit::PageTurn);
}

bool DishIconView::eventFilter(QObject* watched, QEvent* event) {
    // A page laid out on another size (its page was hidden, the window was resized) is laid
    // out again on the area's size, from the same line, with the selection kept.
    if (watched == Panel_client_client && event->type() == QEvent::Resize && pageShown_ &&
        Panel_client_client->size() != laidOutFor_) {
        guard_.run([this] {
            const QueryObject& list = ctx_.dm.ADO_cp;
            const QString first = lines_.isEmpty() ? QString() : lines_.first().lineNumber;
            const QString selected =
                SelectedIcon >= 0 ? lines_.at(SelectedIcon).lineNumber : QString();
            const int background = SelectedIconBackground;
            freeIcons();
            if (!list.isOpen() || list.isEmpty()) {
                pageShown_ = false;
                return;
            }
            layOut(first.isEmpty() ? 0 : qMax(0, rowOf(first)), fit_);
            const int again = selected.isEmpty() ? -1 : getcpindex(selected);
            if (again >= 0) {
                select(again);
                SelectedIconBackground = background;
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

// ---- selection -------------------------------------------------------------------------------

int DishIconView::getcpindex(const QString& lineNumber) const {
    for (int i = 0; i < DishIcons.size(); ++i) {
        if (DishIcons.at(i)->Label6()->Caption() == lineNumber) {
            return i;
        }
    }
    return -1;
}

void DishIconView::select(int index) {
    if (SelectedIcon >= 0 && SelectedIcon < DishIcons.size()) {
        icon(SelectedIcon)->setBGImageIndex(SelectedIconBackground);
    }
    SelectedIcon = index;
    SelectedIconBackground = icon(index)->BGImageIndex();
    icon(index)->setBGImageIndex(Icons::kSelectedBackground);
}

void DishIconView::DishIconClick(Ttzcypanel* tile) {
    const int index = indexOf(tile);
    if (index < 0) {
        return;
    }
    select(index);
    emit focusSearchBox();
}

void DishIconView::DishIconRightSelect(Ttzcypanel* tile, Qt::MouseButton button) {
    const int index = indexOf(tile);
    if (button == Qt::RightButton && index >= 0) {
        select(index);
    }
}

std::optional<DishLineRef> DishIconView::selectedLine() const {
    if (SelectedIcon < 0) {
        return std::nullopt;
    }
    const IconLine& l = lines_.at(SelectedIcon);
    return DishLineRef{l.lineNumber, l.tableId, l.servingOrder};
}

void DishIconView::markSelectedIcon(DishState state) {
    if (SelectedIcon < 0) {
        return;
    }
    icon(SelectedIcon)->Label2()->setCaption(DishStateText(state));
    SelectedIconBackground = static_cast<int>(state);
}

void DishIconView::selectIconOfLine(const QString& lineNumber, DishState state) {
    const int found = getcpindex(lineNumber);
    if (SelectedIcon >= 0 && SelectedIcon != found) {
        icon(SelectedIcon)->setBGImageIndex(SelectedIconBackground);
    }
    SelectedIcon = found;
    if (found < 0) {
        return;
    }
    icon(found)->Label2()->setCaption(DishStateText(state));
    SelectedIconBackground = static_cast<int>(state);
    icon(found)->setBGImageIndex(Icons::kSelectedBackground);
}

bool DishIconView::clickIconOfLine(const QString& lineNumber) {
    const int index = getcpindex(lineNumber);
    if (index < 0) {
        return false;
    }
    DishIconClick(icon(index));
    return true;
}

void DishIconView::showLineState(const QString& lineNumber, DishState state) {
    const int index = getcpindex(lineNumber);
    if (index < 0) {
        return;
    }
    icon(index)->Label2()->setCaption(DishStateText(state));
    if (index == SelectedIcon) {
        SelectedIconBackground = static_cast<int>(state);
    } else {
        icon(index)->setBGImageIndex(static_cast<int>(state));
    }
}
