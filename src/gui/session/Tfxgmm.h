#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class MessageBoxes;
class TF_dm;
struct StationContext;
struct StationState;

// The logged-in operator changes their own password: checked against CurrentPassword,
// stored as its digest in users.user_mm, and CurrentPassword follows at once.
class Tfxgmm : public QDialog {
    Q_OBJECT

public:
    Tfxgmm(TF_dm& dm, StationState& state, MessageBoxes& boxes, QWidget* parent = nullptr);

    void butbcClick();  // save

    QLineEdit* ebh;
    QLineEdit* eold;
    QLineEdit* enew;
    QLineEdit* enew1;
    QPushButton* butbc;
    QPushButton* BUTQX;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tell(const QString& text);

    TF_dm& dm_;
    StationState& state_;
    MessageBoxes& boxes_;
};

// Opens the password change modally over the main window and frees it when it closes.
void OpenPasswordChange(StationContext& ctx);
