#include <QStringDecoder>
#include <QtTest>

#include "core/alerts/Announcement.h"

Q_DECLARE_METATYPE(TaskbarSide)

namespace {

// A GBK character from its two bytes.
QString Gbk(unsigned char lead, unsigned char trail) {
    QStringDecoder gbk("GBK");
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    return gbk(QByteArray(bytes, 2));
}

}  // namespace

class AnnouncementTest : public QObject {
    Q_OBJECT

private slots:
    void stripPunctuation_data();
    void stripPunctuation();
    void announcement_data();
    void announcement();
    void noticeCorner_data();
    void noticeCorner();
    void shrinksTowardsTheTaskbar();
};

void AnnouncementTest::stripPunctuation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("brackets") << "鱼(大)"
                              << "鱼大";
    QTest::newRow("every mark") << ".。（）【】-？_[]()！{}?+=<>!@#%^&*"
                                << "";
    QTest::newRow("commas, colons, slashes and blanks stay") << "鱼，汤:饭;面/粥 ,"
                                                             << "鱼，汤:饭;面/粥 ,";
    // Bytes that are a mark alone are the second half of these characters in GBK.
    const QString trails = Gbk(0x81, '@') + Gbk(0x81, '[') + Gbk(0x81, ']') + Gbk(0x81, '^') +
                           Gbk(0x81, '_') + Gbk(0x81, '{') + Gbk(0x81, '}');
    QVERIFY(!trails.contains(QChar::ReplacementCharacter));
    QCOMPARE(trails.size(), 7);
    QTest::newRow("GBK characters whose second byte is a mark") << trails << trails;
}

void AnnouncementTest::stripPunctuation() {
    QFETCH(QString, text);
    QTEST(StripPunctuation(text), "stripped");
}

void AnnouncementTest::announcement_data() {
    QTest::addColumn<QString>("dish");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("a name") << "宫保鸡丁"
                            << "宫保鸡丁已上";
    QTest::newRow("marks in the name") << "【特价】鱼-片"
                                       << "特价鱼片已上";
    QTest::newRow("only marks") << "(*)!"
                                << "已上";
    QTest::newRow("no name") << ""
                             << "已上";
}

void AnnouncementTest::announcement() {
    QFETCH(QString, dish);
    QTEST(ServedAnnouncement(dish), "spoken");
}

void AnnouncementTest::noticeCorner_data() {
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<TaskbarSide>("side");
    QTest::addColumn<QRect>("notice");
    // A 1920 x 1080 screen with a 40-px taskbar.
    QTest::newRow("taskbar at the bottom")
        << QRect(0, 0, 1920, 1040) << TaskbarSide::Bottom << QRect(1604, 838, 300, 200);
    QTest::newRow("no taskbar") << QRect(0, 0, 1920, 1080) << TaskbarSide::Bottom
                                << QRect(1604, 878, 300, 200);
    QTest::newRow("taskbar at the right")
        << QRect(0, 0, 1880, 1080) << TaskbarSide::Right << QRect(1578, 864, 300, 200);
    QTest::newRow("taskbar at the left")
        << QRect(40, 0, 1880, 1080) << TaskbarSide::Left << QRect(42, 864, 300, 200);
    QTest::newRow("taskbar at the top")
        << QRect(0, 40, 1920, 1040) << TaskbarSide::Top << QRect(1604, 42, 300, 200);
}

void AnnouncementTest::noticeCorner() {
    QFETCH(QRect, workArea);
    const QRect screen(0, 0, 1920, 1080);
    QTEST(TaskbarSideOf(screen, workArea), "side");
    QTEST(NoticeGeometry(screen, workArea, QSize(300, 200)), "notice");
}

void AnnouncementTest::shrinksTowardsTheTaskbar() {
    const QRect n(1604, 838, 300, 200);
    QCOMPARE(ShrinkNotice(n, TaskbarSide::Bottom, 9), QRect(1604, 847, 300, 191));
    QCOMPARE(ShrinkNotice(n, TaskbarSide::Top, 9), QRect(1604, 838, 300, 191));
    QCOMPARE(ShrinkNotice(n, TaskbarSide::Right, 9), QRect(1613, 838, 291, 200));
    QCOMPARE(ShrinkNotice(n, TaskbarSide::Left, 9), QRect(1604, 838, 291, 200));
    QVERIFY(ShrinkNotice(QRect(0, 0, 300, 5), TaskbarSide::Bottom, 9).isEmpty());
}

QTEST_GUILESS_MAIN(AnnouncementTest)
#include "AnnouncementTest.moc"
