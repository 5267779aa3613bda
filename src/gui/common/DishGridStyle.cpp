#include "gui/common/DishGridStyle.h"

#include <QHeaderView>
#include <QTableView>

namespace DishGridStyle {

namespace {

QFont SimSun(int pixels) {
    QFont f;
    // Linux has no SimSun; the CJK font of the system takes its place.
    f.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(pixels);
    return f;
}

QString Rgb(const QColor& c) {
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

}  // namespace

QFont GridFont() {
    return SimSun(12);
}

QFont HeaderFont() {
    return SimSun(12);
}

QFont FooterFont() {
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

void Apply(QTableView* view) {
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSortingEnabled(false);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->setFont(GridFont());

    QPalette pal = view->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, kText);
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::AlternateBase, kContentOdd);
        pal.setColor(group, QPalette::Highlight, kSelection);
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    view->setPalette(pal);

    QHeaderView* header = view->horizontalHeader();
    header->setFont(HeaderFont());
    header->setFixedHeight(kHeaderHeight);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);

    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(kRowHeight);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    // The window's skin styles every table; the dish grids keep their own colours on top of
    // it. The header's background picture is a soft vertical band in the grid-line green.
    view->setStyleSheet(
        QStringLiteral("QTableView { background: white; alternate-background-color: %2;"
                       " selection-background-color: %3; selection-color: white;"
                       " gridline-color: %1; }"
                       "QHeaderView::section { color: palette(window-text);"
                       " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                       " stop:0 #fbfcf6, stop:0.5 #eef3df, stop:1 #d9e6b6);"
                       " border: none; border-right: 1px solid %1; border-bottom: 1px solid %1;"
                       " padding: 0 2px; }")
            .arg(Rgb(kGridLine), Rgb(kContentOdd), Rgb(kSelection)));
}

}  // namespace DishGridStyle
