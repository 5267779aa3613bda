#pragma once

#include <QDialog>

#include "core/dishes/DishCommands.h"
#include "core/soldout/SoldOutLists.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
class DishGridModel;
class MessageBoxes;
class TF_dm;
struct StationContext;
struct StationState;

// The sold-out management window: the dishes that can still be sold, by category, on the
// left for adding; the sold-out list that the ordering terminals read on the right, for
// removing. Adding asks for the quantity that may still be sold.
class TFgqgl : public QDialog {
    Q_OBJECT

public:
    TFgqgl(TF_dm& dm, StationState& state, MessageBoxes& boxes, QWidget* parent = nullptr);

    void CreateTreeCplx();
    void FindCpxx(CategoryKind kind, const QString& id);
    void FindGqcpxx();

    void TreeView1Click();  // also the tree's selection change and EtFind's text change
    void BtnZjClick();      // add the highlighted sellable dish
    void BtnDelClick();     // take the highlighted dish off the list
    void Button1Click();    // clear the list

    QLabel* LblCplx;
    QLabel* Label2;
    QLineEdit* EtFind;
    QPushButton* BtnZj;
    QTreeWidget* TreeView1;
    QFrame* cxGridcp;
    QTableView* cxGridDBTableView3;
    QLabel* Label4;
    QLabel* Label1;
    QLineEdit* EtFind2;
    QPushButton* BtnDel;
    QPushButton* Button1;
    QPushButton* BtnClose;
    QFrame* cxGrid1;
    QTableView* cxGridDBTableView1;
    QLabel* Label6;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void FormShow();
    void EtFindEnter();
    // After a write: the search box emptied and focused, both lists read again.
    void rereadAfterWrite(QLineEdit* searchBox);
    // True when the write did not happen: the operator is told.
    bool reportWriteFailure(const CommandOutcome& outcome, const QString& text);

    TF_dm& dm_;
    StationState& state_;
    MessageBoxes& boxes_;
    DishGridModel* sellableModel_ = nullptr;
    DishGridModel* soldOutModel_ = nullptr;
    bool shown_ = false;
};

// Opens the sold-out window modally over the main window and frees it when it closes.
void OpenSoldOutWindow(StationContext& ctx);
