#include "gui/main/FeedHealthBand.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>

#include "core/db/FeedHealth.h"
#include "gui/common/StationWidgets.h"

FeedHealthBand::FeedHealthBand(FeedHealth& health, QWidget* place, QObject* parent)
    : QObject(parent), health_(health), place_(place) {
    Label_health = Named(new QLabel(place), "Label_health");
    Label_health->setAlignment(Qt::AlignCenter);
    Label_health->setMinimumHeight(30);
    QFont font = Label_health->font();
    font.setPixelSize(18);
    font.setBold(true);
    Label_health->setFont(font);
    Label_health->setStyleSheet(
        QStringLiteral("QLabel { background: rgb(204, 0, 0); color: white; padding: 2px 8px; }"));
    if (auto* row = qobject_cast<QBoxLayout*>(place->layout())) {
        row->addWidget(Label_health, 1);
    }
    if (QWidget* bar = place->parentWidget()) {
        bar->installEventFilter(this);
    }
    placeOverBar();
    update();
}

bool FeedHealthBand::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && place_ && watched == place_->parentWidget()) {
        placeOverBar();
    }
    return QObject::eventFilter(watched, event);
}

void FeedHealthBand::placeOverBar() {
    QWidget* bar = place_ ? place_->parentWidget() : nullptr;
    if (!bar) {
        return;
    }
    // The logo keeps the right 290 pixels.
    constexpr int kLeft = 8;
    constexpr int kLogoRoom = 300;
    const int height = std::min(44, bar->height() - 8);
    place_->setGeometry(kLeft, (bar->height() - height) / 2,
                        std::max(240, bar->width() - kLeft - kLogoRoom), height);
    place_->raise();
}

void FeedHealthBand::update() {
    if (!place_ || !Label_health) {
        return;
    }
    const bool failing = !health_.current();
    Label_health->setText(health_.bandText());
    Label_health->setToolTip(failing ? health_.lastError() : QString());
    place_->setVisible(failing);
    place_->raise();
}
