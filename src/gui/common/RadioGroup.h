#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

// A captioned group of radio buttons with one selected item index (-1: none). Setting the
// index from code emits itemClicked only when it changes, exactly like a click.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& caption, const QStringList& items, int columns = 1,
               QWidget* parent = nullptr);

    int itemIndex() const { return index_; }
    void setItemIndex(int index);
    int count() const { return static_cast<int>(group_.buttons().size()); }

signals:
    void itemClicked(int index);

private:
    QButtonGroup group_;
    int index_ = -1;
};
