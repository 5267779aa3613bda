#include "gui/common/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* layout = new QGridLayout(this);
    columns = std::max(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        group_.addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
    }
    connect(&group_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id != index_) {
            index_ = id;
            emit itemClicked(id);
        }
    });
}

void RadioGroup::setItemIndex(int index) {
    if (index == index_) {
        return;
    }
    if (index < 0 || index >= count()) {
        group_.setExclusive(false);
        if (auto* b = group_.checkedButton()) {
            b->setChecked(false);
        }
        group_.setExclusive(true);
        index_ = -1;
        return;
    }
    group_.button(index)->setChecked(true);
    index_ = index;
    emit itemClicked(index);
}
