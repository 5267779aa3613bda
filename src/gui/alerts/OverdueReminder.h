#pragma once

#include <QObject>
#include <QPointer>

#include "core/alerts/ReminderCountdown.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"

class AlertGrid;
struct ListRead;
class QFrame;
class QLabel;
class QTimer;
class QToolButton;

// The overdue reminder: every Et_cstx minutes it looks for the overdue lines of all tables
// and, when there are any, shows its panel with them, counting 20 seconds down before it
// closes; the operator can pause the countdown or close the panel. Built into the place it is
// handed (below the dish list).
class OverdueReminder : public QObject {
    Q_OBJECT

public:
    OverdueReminder(StationContext& ctx, QWidget* place, QObject* parent = nullptr);
    ~OverdueReminder() override;

    // A check every `minutes` minutes, the first one full period from now; 0 or less switches
    // the reminder off. The window's show step and the settings dialog's OK arm it.
    void arm(int minutes);
    // Both timers off, for the window's close.
    void stop();
    QTimer* reminderTimer() const;

    // The check: reads the list (an open panel shows the new rows at once) and shows the
    // panel, counting from 20, when there are rows and it was hidden.
    void Timer_cstxTimer();
    // One second of the countdown.
    void Timer5Timer();
    // The pause switch.
    void Label4Click();
    // The close button.
    void ImgBtn13Click();

    const ReminderCountdown& countdown() const { return countdown_; }
    AlertGrid& grid() const { return *grid_; }

signals:
    // The panel has just appeared: the window shows the dish-list tab, which holds it, and
    // gives the dish search box the focus.
    void reminderShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTitleBar();
    void showState();
    void checkFailed(const ListRead& read);

    StationContext& ctx_;
    ErrorGuard guard_;
    ReminderCountdown countdown_;
    bool errorBoxOpen_ = false;

    QPointer<QFrame> RzPl_cstx;
    QFrame* RzPl_cstxtitle = nullptr;
    QToolButton* ImgBtn13 = nullptr;
    QLabel* lbl_cstx = nullptr;
    QLabel* lb_timer = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QPointer<QTimer> Timer_cstx;
    QPointer<QTimer> Timer5;
    AlertGrid* grid_ = nullptr;
};
