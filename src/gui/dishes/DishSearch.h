#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "core/dishes/ScanInput.h"
#include "core/dishes/ScanServe.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/common/StationSounds.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class DishGridModel;
class WaitCursor;

// The dish search box at the top of the dish area, and the barcode scan through it. Typed
// into (SDSR "Y") it searches the lines by code, name, state, barcode or line number and
// narrows the dish views; fed by a scanner (SDSR "N") it takes only input as fast as a
// scanner types and looks the line number up on every key. Enter on one line found puts the
// shown dish view on it and, on the list and icon tabs, serves that very line by its key.
//
// What it needs from the other parts of the window goes out through the signals below, and
// the dish area tells it which tab is shown (setCurrentTab).
class DishSearch final : public QObject {
    Q_OBJECT

public:
    // searchPlace: the strip the box and its buttons go into; floatParent: the window the
    // search list floats over; programFolder: where the sounds are (wav/).
    DishSearch(StationContext& ctx, QWidget* searchPlace, QWidget* floatParent,
               QString programFolder, QObject* parent = nullptr);
    ~DishSearch() override;

    // What the window asks of the box: its text, whether it has the focus, to take it.
    QString text() const;
    bool hasFocus() const;
    void takeFocus();

    // The dish tab shown (TAB_CP), from the dish area.
    void setCurrentTab(int tab) { tab_ = tab; }
    int currentTab() const { return tab_; }

    void E_cpmcChange(const QString& text);
    // A key went down in the box; the Down arrow does nothing more there.
    void E_cpmcKeyDown(int key);
    // A character arrived in the box, before the box inserts it.
    void E_cpmcKeyPress(bool enter);
    void SpeedButton1Click();
    void Button_cp_czClick();
    // The confirm action: the shown dish view goes to the line of the search list's row.
    void cxGridDBTableView1DblClick();
    // Enter in the search list confirms. True when the key was taken.
    bool cxGridDBTableView1KeyPress(int key);
    void Button_cp_qxClick();

    void PlaySoundFile(const QString& path);
    void playSound(StationSound sound);
    // Another part's step of a scan failed (the voice, the board): the runner hears it.
    void playFailureSound() { playSound(StationSound::Failure); }

    QLabel* L_cpmc = nullptr;
    QLineEdit* E_cpmc = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* ImgBtn9 = nullptr;
    QFrame* Panel_cp = nullptr;
    QLabel* Label2 = nullptr;
    QTableView* cxGrid_cp = nullptr;
    QPushButton* Button_cp_qd = nullptr;
    QPushButton* Button_cp_qx = nullptr;
    QPushButton* Button_cp_cz = nullptr;  // hidden; the search action too

signals:
    // The box's text, which narrows the dish views; sent before anything re-runs them.
    void textChanged(const QString& text);
    // The dish views to all tables (RG_xszt item 0).
    void allTablesRequested();
    // The board to its first table-type tab (Tab_ct).
    void firstTableTypeRequested();
    // The board's refresh (Timer_sx) stops while a character is handled, so it cannot re-run
    // a list in the middle of a scan, and starts again after.
    void refreshPaused();
    void refreshResumed();
    // The dish list tab forward (TAB_CP tab 0): scanner mode.
    void listTabRequested();
    // ImgBtn9: the dish views again for the current table, narrowed by the box's text.
    void requeryRequested();
    // The confirm action: the view of that tab goes to the line (0: the list by prefix, and
    // its grid takes the focus; 1: the line's icon is clicked; 2-4: the overdue, hurry/return
    // or served list by prefix, and its grid takes the focus).
    void positionRequested(int tab, const QString& lineNumber);
    // A scan served the line: the database recorded it and the success sound has played.
    // The window shows the notice, speaks it, puts the dish list on the line with emphasis
    // and chooses the line's table on the board.
    void lineServed(const QString& lineNumber, const QString& tableId, const QString& mealName);
    // A scan that served nothing it should have: the notice says the dish and why.
    void lineNotServed(const QString& mealName, const QString& reason);

private:
    void buildControls(QWidget* searchPlace, QWidget* floatParent);
    void connectControls();
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool scannerMode() const;
    void showSearchList();
    void runScanSequence(WaitCursor& wait);
    // Serves the scanned line itself; true when the database recorded it.
    bool serveScannedLine(const QString& lineNumber, WaitCursor& wait);
    void refuse(const ScanServeOutcome& outcome);

    StationContext& ctx_;
    ErrorGuard guard_;
    ScanInputRule rule_;
    QString programFolder_;
    int tab_ = 0;
    DishGridModel* model_ = nullptr;
    QPointer<QTableView> grid_;
};
