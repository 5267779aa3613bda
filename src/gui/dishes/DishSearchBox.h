#pragma once

#include <QObject>

class QFrame;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

// The dish search box at the head of the dish area, its buttons and its floating result
// panel. Every dish view is queried with its text.
class DishSearchBox : public QObject {
    Q_OBJECT

public:
    DishSearchBox(QWidget* place, QWidget* floating, QObject* parent = nullptr);

    QString text() const;
    bool hasFocus() const;
    void takeFocus();

signals:
    void textChanged(const QString& text);

private:
    QLineEdit* E_cpmc = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* ImgBtn9 = nullptr;
    QPushButton* Button_cp_cz = nullptr;  // hidden
    QFrame* Panel_cp = nullptr;           // floating search result panel, hidden
};
