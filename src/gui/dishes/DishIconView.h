#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QVector>
#include <optional>

#include "core/db/DishState.h"
#include "core/dishes/DishCommands.h"
#include "core/dishes/IconLayout.h"
#include "gui/common/DishView.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/tile/ImageList.h"

class QMenu;
class QTimer;
class QToolButton;
class Tcypanel;
class Ttzcypanel;

// The icon tab of the dish area: the lines of the dish list (ADO_cp) as square icons with the
// table, the dish and the order time on a picture whose band names the state, laid out row by
// row and paged with two buttons. A click selects an icon; the dish area's state commands act
// on the selected icon on this tab, through the functions below.
//
// The icons read the list's rows without moving its current row: the dish list keeps the line
// the operator selected, so a command given after a refresh acts on that line and not on the
// last line the icons walked to.
class DishIconView final : public QObject, public DishView {
    Q_OBJECT

public:
    // iconPage: the page the icon area fills; buttonPlace: where the two page buttons go;
    // popupMenu: the dish area's state menu (PopupMenu3), shown on every icon.
    DishIconView(StationContext& ctx, QWidget* iconPage, QWidget* buttonPlace, QMenu* popupMenu,
                 QObject* parent = nullptr);
    ~DishIconView() override;

    // The icons of the list just run, from its first row. The icon area is hidden meanwhile
    // and shown again 100 ms later (Timer1).
    void refresh(const QString& tableId, const DishListFilter& filter) override;

    void BuildDishIcons();
    void Button_cp_xyyClick();
    void Button_cp_syyClick();
    void DishIconClick(Ttzcypanel* icon);
    // The right button, down or up: selects the icon without moving the focus; the menu
    // then opens on it.
    void DishIconRightSelect(Ttzcypanel* icon, Qt::MouseButton button);
    void Timer1Timer();
    // The position of the first icon showing that line number exactly, or -1.
    int getcpindex(const QString& lineNumber) const;

    // The state commands on this tab.
    bool hasSelectedIcon() const { return SelectedIcon >= 0; }
    // The selected icon's line with its table and serving order (for the serving-order check).
    std::optional<DishLineRef> selectedLine() const;
    // The selected icon will show this state once the selection moves on.
    void markSelectedIcon(DishState state);
    // After a command on the list's line: that line's icon becomes the selected one, and the
    // icon highlighted before shows its own state again.
    void selectIconOfLine(const QString& lineNumber, DishState state);
    // The confirm action of the dish search on this tab: clicks the line's icon, if shown.
    bool clickIconOfLine(const QString& lineNumber);
    // A line changed elsewhere (the scan): its icon, if shown, shows the new state.
    void showLineState(const QString& lineNumber, DishState state);
    // The page buttons show with the icon tab only.
    void showPageButtons(bool visible);

    const QList<Tcypanel*>& icons() const { return DishIcons; }
    int selectedIcon() const { return SelectedIcon; }
    int selectedIconBackground() const { return SelectedIconBackground; }
    ImageList& images() { return ImageList3; }

    QWidget* Panel_client_client = nullptr;
    QToolButton* Button_cp_syy = nullptr;
    QToolButton* Button_cp_xyy = nullptr;
    QTimer* Timer1 = nullptr;

signals:
    // An icon was clicked: the dish search box takes the focus again, for the scanner.
    void focusSearchBox();

private:
    struct IconLine {
        QString lineNumber;
        QString tableId;
        int servingOrder = 0;
    };

    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideArea();
    void freeIcons();
    // Lays out the page that begins at row `from` of the list.
    void layOut(int from, Icons::Fit fit);
    void addIcon(int row, const QPoint& at);
    void select(int index);
    Tcypanel* icon(int index) const { return DishIcons.at(index); }
    // The row of the list that holds the line, or -1.
    int rowOf(const QString& lineNumber) const;
    QVariant value(int row, const QString& column) const;
    QString field(int row, const QString& column) const;
    int indexOf(const Ttzcypanel* tile) const;
    // Re-runs the list for a page turn and puts its current row back on the line it was on.
    void rerunList();

    StationContext& ctx_;
    ErrorGuard guard_;
    ImageList ImageList3;
    QPointer<QWidget> area_;
    QPointer<QMenu> menu_;
    QList<Tcypanel*> DishIcons;
    QVector<IconLine> lines_;
    int SelectedIcon = -1;
    int SelectedIconBackground = -1;
    Icons::PageHistory history_;
    // The page on show: how it was fitted and on what size, to lay it out again when the
    // area changes size (it has none yet while its page is hidden).
    bool pageShown_ = false;
    Icons::Fit fit_ = Icons::Fit::Build;
    QSize laidOutFor_;
};
