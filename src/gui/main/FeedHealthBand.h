#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>

class FeedHealth;
class QWidget;

// The red band across the main window while what it shows is not what the database says:
// since when its data are, and that it is retrying. Hidden while every feed is current.
class FeedHealthBand : public QObject {
    Q_OBJECT

public:
    FeedHealthBand(FeedHealth& health, QWidget* place, QObject* parent = nullptr);

    // The band follows the health: shown with its text while anything fails.
    void update();
    QLabel* label() const { return Label_health; }

private:
    FeedHealth& health_;
    QPointer<QWidget> place_;
    QPointer<QLabel> Label_health;
};
