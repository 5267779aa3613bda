#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class MessageBoxes;
struct StationState;

// The sellable-quantity dialog: how many portions of a dish may still be sold while it is on
// the sold-out list. Hands the number back in SellableQuantity; -1 when cancelled in any way.
class TFgqsl : public QDialog {
    Q_OBJECT

public:
    TFgqsl(StationState& state, MessageBoxes& boxes, QWidget* parent = nullptr);

    // The dish the caller asks about.
    void setDish(const QString& name, const QString& unit);

    void BtnOKClick();
    void BtnCancleClick();

    QGroupBox* GroupBox1;
    QLabel* Label3;
    QLabel* LblXmmc;
    QLabel* Label1;
    QLineEdit* EtSl;
    QLabel* Label2;
    QPushButton* BtnOK;
    QPushButton* BtnCancle;

public slots:
    // Esc and the title bar's close box come here too: every way out but OK cancels, so a
    // dismissed dialog never puts the dish on the list with nothing left to sell.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StationState& state_;
    MessageBoxes& boxes_;
};
