#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class MessageBoxes;
struct StationContext;
struct StationState;

// The screen lock: a borderless window over the main window that only the logged-in
// operator's password takes away. The main window's timers go on while it is shown.
class Tflock : public QDialog {
    Q_OBJECT

public:
    Tflock(const StationState& state, MessageBoxes& boxes, QWidget* parent = nullptr);

    void TransparentButton2Click();  // the unlock attempt
    bool unlocked() const { return unlocked_; }

    QLabel* Label1;
    QLineEdit* emm;
    QPushButton* TransparentButton2;

public slots:
    // Escape and close requests (Alt+F4 through a window manager) leave the station locked.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const StationState& state_;
    MessageBoxes& boxes_;
    bool unlocked_ = false;
};

// Locks the station until the operator's password is typed; returns once unlocked.
void OpenScreenLock(StationContext& ctx);
