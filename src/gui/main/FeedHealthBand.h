#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>

class FeedHealth;
class QWidget;

// The red band over the main window's top bar while what it shows is not what the database
// says: since when its data are, and that it is retrying. Hidden while every feed is current.
// It lies over the bar, left of the logo, and follows the bar's width.
class FeedHealthBand : public QObject {
    Q_OBJECT

public:
    FeedHealthBand(FeedHealth& health, QWidget* place, QObject* parent = nullptr);

    // The band follows the health: shown with its text while anything fails.
    void update();
    QLabel* label() const { return Label_health; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void placeOverBar();

    FeedHealth& health_;
    QPointer<QWidget> place_;
    QPointer<QLabel> Label_health;
};
