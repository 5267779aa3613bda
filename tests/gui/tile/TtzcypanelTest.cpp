#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "gui/tile/ImageList.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

QPixmap Solid(QSize size, const QColor& color) {
    QPixmap p(size);
    p.fill(color);
    return p;
}

QColor PixelAt(QWidget* w, int x, int y) {
    return QColor(w->grab().toImage().pixel(x, y));
}
QColor At(const QImage& img, int x, int y) {
    return QColor(img.pixel(x, y));
}

}  // namespace

class TtzcypanelTest : public QObject {
    Q_OBJECT

private slots:
    void constructionDefaultsAndLabelLayout();
    void resizeReLaysLabelsAfterRaisingOnResize();
    void settersStoreAndLabelAssignCopiesOnlyFromLabels();
    void paintsFillBackgroundAndFrames();
    void backgroundListResizesTileAtNextPaint();
    void stateImageSlots_data();
    void stateImageSlots();
    void pressLowersAndClickRaisesOnClick();
    void checkedTileStaysLowered();
    void doubleClickSequence();
    void labelClicksAreTheTiles();
    void dragThresholds_data();
    void dragThresholds();
    void endOfDragTargets_data();
    void endOfDragTargets();
};

void TtzcypanelTest::constructionDefaultsAndLabelLayout() {
    Tcypanel tile;
    QCOMPARE(tile.size(), QSize(80, 80));
    QCOMPARE(tile.Version(), QStringLiteral("tzpanel 2012-v1.0"));
    tile.setVersion(QStringLiteral("other"));
    QCOMPARE(tile.Version(), QStringLiteral("tzpanel 2012-v1.0"));
    QCOMPARE(tile.BGImageIndex(), -1);
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(tile.StateImageIndex(k), -1);
        QVERIFY(!tile.StateImages(k));
    }
    QVERIFY(tile.BevelOuter() == TileBevel::None);
    QVERIFY(tile.BevelInner() == TileBevel::None);
    QCOMPARE(tile.BevelWidth(), 1);
    QVERIFY(!tile.CanChecked());
    QVERIFY(!tile.CanDrap());
    QVERIFY(tile.Caption().isEmpty());
    QCOMPARE(tile.Alignment(), Qt::Alignment(Qt::AlignCenter));
    QVERIFY(tile.UseDockManager());
    QVERIFY(!tile.DockSite());

    const QStringList names{"cy_rs", "cy_xfje", "cy_sph", "cy_ctzt", "Label5", "Label6"};
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(tile.Label(k)->objectName(), names.at(k - 1));
        QVERIFY(tile.Label(k)->Caption().isEmpty());
        QCOMPARE(tile.Label(k)->Visible(), k <= 4);
    }
    Ttzcylabel* l1 = tile.Label1();
    const int h1 = l1->height();
    QVERIFY(h1 > 0);
    QCOMPARE(l1->pos(), QPoint(2, 80 - h1 - 5));
    QCOMPARE(l1->FontColor(), QColor(255, 0, 0));
    QVERIFY(l1->AutoSize());
    QCOMPARE(tile.Label2()->geometry().left(), l1->width());
    QCOMPARE(tile.Label2()->width(), 80 - l1->width());
    QCOMPARE(tile.Label2()->y(), 80 - h1 - 5);
    QCOMPARE(tile.Label2()->Alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(tile.Label2()->FontColor(), QColor(0, 0, 255));
    QVERIFY(tile.Label3()->font().bold());
    QCOMPARE(tile.Label3()->geometry(), QRect(0, 80 - 3 * h1 - 15, 80, tile.Label3()->height()));
    QCOMPARE(tile.Label3()->Alignment(), Qt::Alignment(Qt::AlignHCenter));
    const int h4 = tile.Label4()->height();
    QCOMPARE(tile.Label4()->geometry(), QRect(0, 80 - 2 * h4 - 10, 80, h4));
    QCOMPARE(tile.Label4()->FontColor(), QColor(128, 0, 128));
    QCOMPARE(tile.Label5()->x(), (80 - l1->width()) / 2);
    QCOMPARE(tile.Label6()->x(), (80 - l1->width()) / 2);
}

void TtzcypanelTest::resizeReLaysLabelsAfterRaisingOnResize() {
    Tcypanel tile;
    tile.Label3()->setCaption(QStringLiteral("大厅01"));
    const QPoint label5 = tile.Label5()->pos();
    Qt::Alignment alignmentSeen;
    connect(&tile, &Ttzcypanel::OnResize, this,
            [&](Ttzcypanel* t) { alignmentSeen = t->Label3()->Alignment(); });
    tile.show();  // the size is reported when the tile first shows
    QCOMPARE(alignmentSeen, Qt::Alignment(Qt::AlignHCenter));
    for (int k = 1; k <= 4; ++k) {
        QCOMPARE(tile.Label(k)->x(), 2);
        QCOMPARE(tile.Label(k)->width(), 80);
    }
    QVERIFY(!tile.Label1()->AutoSize());
    QCOMPARE(tile.Label1()->Alignment(), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(tile.Label2()->Alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(tile.Label3()->Alignment(), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(tile.Label4()->Alignment(), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(tile.Label5()->pos(), label5);

    tile.resize(100, 90);
    QCOMPARE(tile.Label3()->width(), 100);
}

void TtzcypanelTest::settersStoreAndLabelAssignCopiesOnlyFromLabels() {
    Tcypanel tile;
    Ttzcylabel source;
    source.setCaption(QStringLiteral("8人"));
    QFont f = source.font();
    f.setBold(true);
    source.setFont(f);
    source.setFontColor(QColor(1, 2, 3));
    source.setAlignment(Qt::AlignRight);
    source.setAutoSize(false);
    source.setGeometry(5, 6, 30, 12);
    int clicks = 0;
    source.OnClick = [&](Ttzcylabel*) { ++clicks; };
    tile.setLabel(2, &source);
    Ttzcylabel* l2 = tile.Label2();
    QCOMPARE(l2->Caption(), QStringLiteral("8人"));
    QVERIFY(l2->font().bold());
    QCOMPARE(l2->FontColor(), QColor(1, 2, 3));
    QCOMPARE(l2->Alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(l2->geometry(), QRect(5, 6, 30, 12));
    QVERIFY(l2->OnClick);

    QObject notALabel;
    tile.setLabel(1, &notALabel);
    QVERIFY(tile.Label1()->Caption().isEmpty());

    // An image list that goes away leaves the tile without it instead of dangling.
    auto* list = new ImageList(QSize(80, 80));
    tile.setBGImages(list);
    delete list;
    QVERIFY(!tile.BGImages());
}

void TtzcypanelTest::paintsFillBackgroundAndFrames() {
    Tcypanel tile;
    tile.setColor(QColor(10, 200, 30));
    tile.show();
    QCOMPARE(PixelAt(&tile, 40, 5), QColor(10, 200, 30));

    ImageList list(QSize(80, 80));
    list.add(Solid(QSize(80, 80), QColor(200, 0, 0)));
    tile.setBGImages(&list);
    QCOMPARE(PixelAt(&tile, 40, 5), QColor(10, 200, 30));  // index -1: fill only
    tile.setBGImageIndex(0);
    QCOMPARE(PixelAt(&tile, 40, 5), QColor(200, 0, 0));
    tile.setBGImageIndex(3);  // outside the list: nothing drawn
    QCOMPARE(PixelAt(&tile, 40, 5), QColor(10, 200, 30));
    // The picture is stretched over the face, under the background image.
    tile.setPicture(Solid(QSize(4, 4), QColor(0, 0, 200)));
    QCOMPARE(PixelAt(&tile, 70, 70), QColor(0, 0, 200));
    tile.setBGImageIndex(0);
    QCOMPARE(PixelAt(&tile, 70, 70), QColor(200, 0, 0));
    tile.setPicture(QPixmap());
    tile.setBGImageIndex(3);

    const QColor light = QColor(tile.palette().color(QPalette::Light).rgb());
    const QColor dark = QColor(tile.palette().color(QPalette::Dark).rgb());
    tile.setBevelOuter(TileBevel::Raised);
    QImage img = tile.grab().toImage();
    QCOMPARE(At(img, 40, 0), light);
    QCOMPARE(At(img, 79, 40), dark);
    tile.setBevelOuter(TileBevel::Lowered);
    tile.setBevelWidth(2);
    tile.setBorderWidth(1);
    tile.setBevelInner(TileBevel::Raised);
    img = tile.grab().toImage();
    QCOMPARE(At(img, 40, 1), dark);                 // outer, two pixels, lowered
    QCOMPARE(At(img, 40, 2), QColor(10, 200, 30));  // border in Color
    QCOMPARE(At(img, 40, 3), light);                // inner, raised
    QCOMPARE(At(img, 40, 5), QColor(10, 200, 30));
}

void TtzcypanelTest::backgroundListResizesTileAtNextPaint() {
    QWidget host;
    host.resize(200, 200);
    auto* tile = new Tcypanel(&host);
    host.show();
    ImageList list(QSize(60, 50));
    list.add(Solid(QSize(60, 50), Qt::blue));
    tile->setBGImages(&list);
    tile->setBGImageIndex(0);
    host.grab();
    QCOMPARE(tile->size(), QSize(60, 50));
    const QImage img = tile->grab().toImage();
    QCOMPARE(img.size(), QSize(60, 50));
    QCOMPARE(At(img, 30, 10), QColor(Qt::blue));

    // An index with no list draws nothing and keeps the size.
    Tcypanel other(&host);
    other.setBGImageIndex(0);
    host.grab();
    QCOMPARE(other.size(), QSize(80, 80));
}

void TtzcypanelTest::stateImageSlots_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("imageWidth");
    QTest::addColumn<int>("expectedX");  // -1: left out
    QTest::newRow("slot 1 in the top right corner") << 1 << 10 << 80 - 12;
    QTest::newRow("slot 3 two images further left") << 3 << 10 << 80 - 36;
    QTest::newRow("slot 4 of 16 px: 64 < 80 drawn") << 4 << 16 << 80 - 72;
    QTest::newRow("slot 5 of 16 px: 80 not < 80, left out") << 5 << 16 << -1;
    QTest::newRow("slot 1 as wide as the tile: left out") << 1 << 80 << -1;
}

void TtzcypanelTest::stateImageSlots() {
    QFETCH(int, slot);
    QFETCH(int, imageWidth);
    QFETCH(int, expectedX);
    Tcypanel tile;
    tile.setColor(Qt::white);
    ImageList list(QSize(imageWidth, 6));
    list.add(Solid(QSize(imageWidth, 6), Qt::red));
    tile.setStateImages(slot, &list);
    tile.setStateImageIndex(slot, 0);
    tile.show();
    const QImage img = tile.grab().toImage();
    int firstRed = -1;
    for (int x = 0; x < img.width(); ++x) {
        if (At(img, x, 4) == QColor(Qt::red)) {
            firstRed = x;
            break;
        }
    }
    QCOMPARE(firstRed, expectedX);
    if (expectedX >= 0) {
        QCOMPARE(At(img, expectedX, 1), QColor(Qt::white));  // y = 2
        QCOMPARE(At(img, expectedX, 2), QColor(Qt::red));
    }
}

void TtzcypanelTest::pressLowersAndClickRaisesOnClick() {
    Tcypanel tile;
    tile.show();
    QSignalSpy clicks(&tile, &Ttzcypanel::OnClick);
    QSignalSpy downs(&tile, &Ttzcypanel::OnMouseDown);
    QTest::mousePress(&tile, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(tile.BevelOuter() == TileBevel::Lowered);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.at(0).at(3).toInt(), 10);
    QTest::mouseRelease(&tile, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(tile.BevelOuter() == TileBevel::None);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<Ttzcypanel*>(), &tile);

    // Released outside the tile: no click; the right button gives no pressed look.
    QTest::mousePress(&tile, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&tile, Qt::LeftButton, {}, QPoint(90, 10));
    QCOMPARE(clicks.count(), 1);
    QTest::mousePress(&tile, Qt::RightButton, {}, QPoint(10, 10));
    QVERIFY(tile.BevelOuter() == TileBevel::None);
    QTest::mouseRelease(&tile, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
}

void TtzcypanelTest::checkedTileStaysLowered() {
    Tcypanel tile;
    tile.setCanChecked(true);
    tile.show();
    QTest::mousePress(&tile, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(tile.BevelOuter() == TileBevel::None);  // no press feedback
    QTest::mouseRelease(&tile, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(tile.BevelOuter() == TileBevel::Lowered);
    QVERIFY(tile.BevelInner() == TileBevel::Lowered);
    // A double-click clears the checked look.
    QTest::mouseDClick(&tile, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(tile.BevelOuter() == TileBevel::None);
    QVERIFY(tile.BevelInner() == TileBevel::None);
}

void TtzcypanelTest::doubleClickSequence() {
    Tcypanel tile;
    tile.show();
    QStringList events;
    connect(&tile, &Ttzcypanel::OnClick, this, [&] { events << "click"; });
    connect(&tile, &Ttzcypanel::OnDblClick, this, [&] { events << "dblclick"; });
    connect(&tile, &Ttzcypanel::OnMouseDown, this, [&] { events << "down"; });
    connect(&tile, &Ttzcypanel::OnMouseUp, this, [&] { events << "up"; });
    // What the platform delivers for a double-click: press, release, double-click, release.
    QTest::mousePress(&tile, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(&tile, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseDClick(&tile, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY2(tile.BevelOuter() == TileBevel::None, "the second press does not lower the tile");
    QTest::mouseRelease(&tile, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(events, QStringList({"down", "click", "up", "dblclick", "down", "up"}));
    // The flag went with the second press: the next press looks pressed again.
    QTest::mousePress(&tile, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(tile.BevelOuter() == TileBevel::Lowered);
    QTest::mouseRelease(&tile, Qt::LeftButton, {}, QPoint(20, 20));
}

void TtzcypanelTest::labelClicksAreTheTiles() {
    Tcypanel tile;
    tile.Label3()->setCaption(QStringLiteral("大厅01"));
    tile.show();
    QSignalSpy clicks(&tile, &Ttzcypanel::OnClick);
    QSignalSpy dbl(&tile, &Ttzcypanel::OnDblClick);
    QSignalSpy downs(&tile, &Ttzcypanel::OnMouseDown);
    QSignalSpy moves(&tile, &Ttzcypanel::OnMouseMove);
    Ttzcylabel* label = tile.Label3();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(4, 3));
    QVERIFY(tile.BevelOuter() == TileBevel::Lowered);
    QCOMPARE(downs.at(0).at(0).value<Ttzcypanel*>(), &tile);
    QCOMPARE(downs.at(0).at(3).toInt(), 4);  // label coordinates
    QCOMPARE(downs.at(0).at(4).toInt(), 3);
    QTest::mouseMove(label, QPoint(5, 3));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 3));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<Ttzcypanel*>(), &tile);
    QVERIFY(tile.BevelOuter() == TileBevel::None);
    QCOMPARE(moves.count(), 0);  // moves over a label are not the tile's
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(4, 3));
    QCOMPARE(dbl.count(), 1);
    QCOMPARE(dbl.at(0).at(0).value<Ttzcypanel*>(), &tile);
}

void TtzcypanelTest::dragThresholds_data() {
    QTest::addColumn<QPoint>("moveTo");
    QTest::addColumn<bool>("canDrap");
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<bool>("dragging");
    QTest::newRow("5 px still a click") << QPoint(25, 20) << true << true << false;
    QTest::newRow("6 px swallows the click") << QPoint(20, 26) << true << false << false;
    QTest::newRow("20 px no drag yet") << QPoint(40, 20) << true << false << false;
    QTest::newRow("21 px begins the drag") << QPoint(20, 41) << true << false << true;
    QTest::newRow("without CanDrap a move is nothing") << QPoint(30, 20) << false << true << false;
}

void TtzcypanelTest::dragThresholds() {
    QFETCH(QPoint, moveTo);
    QFETCH(bool, canDrap);
    QFETCH(bool, clicked);
    QFETCH(bool, dragging);
    QWidget host;
    host.resize(300, 200);
    auto* tile = new Tcypanel(&host);
    tile->setCanDrap(canDrap);
    host.show();
    QSignalSpy clicks(tile, &Ttzcypanel::OnClick);
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(tile, moveTo);
    QCOMPARE(tile->dragging(), dragging);
    QTest::mouseRelease(tile, Qt::LeftButton, {}, moveTo);
    QCOMPARE(clicks.count(), clicked ? 1 : 0);
    QVERIFY(!tile->dragging());
    QVERIFY(tile->BevelOuter() == TileBevel::None);
    // The flags are back at idle: a plain click clicks again.
    QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicks.count(), clicked ? 2 : 1);
}

void TtzcypanelTest::endOfDragTargets_data() {
    QTest::addColumn<QString>("dropOn");
    QTest::addColumn<QString>("expectedTarget");  // empty: no OnEndDrag
    QTest::newRow("another tile") << "other"
                                  << "other";
    QTest::newRow("a label of another tile") << "otherLabel"
                                             << "other";
    QTest::newRow("the tile itself") << "self"
                                     << "";
    QTest::newRow("one of its own labels") << "selfLabel"
                                           << "";
    QTest::newRow("another control") << "button"
                                     << "button";
    QTest::newRow("outside every window") << "nowhere"
                                          << "";
}

void TtzcypanelTest::endOfDragTargets() {
    QFETCH(QString, dropOn);
    QFETCH(QString, expectedTarget);
    QWidget host;
    host.resize(400, 200);
    auto* tile = new Tcypanel(&host);
    tile->setObjectName("self");
    tile->setCanDrap(true);
    auto* other = new Tcypanel(&host);
    other->setObjectName("other");
    other->move(200, 0);
    auto* button = new QWidget(&host);
    button->setObjectName("button");
    button->setGeometry(0, 120, 100, 50);
    host.show();

    QPoint drop;  // in the dragged tile's coordinates
    if (dropOn == "other") {
        drop = QPoint(270, 5);
    } else if (dropOn == "otherLabel") {
        drop = other->Label3()->geometry().center() + QPoint(200, 0);
    } else if (dropOn == "self") {
        drop = QPoint(70, 5);
    } else if (dropOn == "selfLabel") {
        drop = tile->Label3()->geometry().center();
    } else if (dropOn == "button") {
        drop = QPoint(50, 140);
    } else {
        drop = QPoint(2000, 2000);
    }
    QSignalSpy ends(tile, &Ttzcypanel::OnEndDrag);
    QSignalSpy drops(other, &Tcypanel::OnDragDrop);
    connect(other, &Ttzcypanel::OnDragOver, this,
            [](Ttzcypanel*, Ttzcypanel*, int, int, bool* accept) { *accept = true; });
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(tile, QPoint(40, 70));
    QVERIFY(tile->dragging());
    QTest::mouseMove(tile, drop);
    QTest::mouseRelease(tile, Qt::LeftButton, {}, drop);
    QVERIFY(!tile->dragging());
    if (expectedTarget.isEmpty()) {
        QCOMPARE(ends.count(), 0);
    } else {
        QCOMPARE(ends.count(), 1);
        QCOMPARE(ends.at(0).at(0).value<Ttzcypanel*>(), tile);
        QCOMPARE(ends.at(0).at(1).value<QWidget*>()->objectName(), expectedTarget);
    }
    QCOMPARE(drops.count(), expectedTarget == "other" ? 1 : 0);
}

QTEST_MAIN(TtzcypanelTest)
#include "TtzcypanelTest.moc"
