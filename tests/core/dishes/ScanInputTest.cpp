#include <QtTest>

#include "core/common/TickSource.h"
#include "core/dishes/ScanInput.h"

namespace {

const QChar kEnter(u'\r');

// The dish search box as the rule drives it: what it holds, which codes were looked up and
// which texts reached the scan sequence (whose confirm action empties the box).
struct Box {
    QString text;
    QStringList lookups;
    QStringList scans;
    int longest = 0;
};

Box Type(bool scanner, const QString& start, qint64 sinceLastKey, const QString& keys,
         const QList<int>& gaps) {
    ManualTickSource ticks(50000);
    qint64 lastScanKeyTick = sinceLastKey < 0 ? 0 : ticks.ticks();
    ticks.advance(qMax<qint64>(sinceLastKey, 0));
    ScanInputRule rule(ticks, lastScanKeyTick);
    Box box{start, {}, {}, static_cast<int>(start.size())};
    for (int i = 0; i < keys.size(); ++i) {
        ticks.advance(gaps.value(i));
        const QChar key = keys.at(i);
        if (rule.keyDown(scanner)) {
            box.text.clear();
        }
        const ScanInputRule::KeyPress k = ScanInputRule::keyPress(scanner, box.text, key == kEnter);
        if (k.lookUp) {
            box.lookups << k.lookupCode;
        }
        if (k.scan) {
            box.scans << box.text;
            box.text.clear();
        } else if (key != kEnter) {
            box.text += key;
        }
        box.longest = qMax(box.longest, static_cast<int>(box.text.size()));
    }
    return box;
}

QList<int> Every(int ms, int keys) {
    return QList<int>(keys, ms);
}

}  // namespace

class ScanInputTest : public QObject {
    Q_OBJECT

private slots:
    void timingRule_data();
    void timingRule();
    void listTabOnlyInScannerMode();
    void scannerModeIsSdsrN();
};

void ScanInputTest::timingRule_data() {
    QTest::addColumn<bool>("scanner");
    QTest::addColumn<QString>("start");     // the box before the first key
    QTest::addColumn<int>("sinceLastKey");  // ms since the key that left it, -1: no run open
    QTest::addColumn<QString>("keys");      // "\r" is Enter
    QTest::addColumn<QList<int>>("gaps");   // ms before each key
    QTest::addColumn<QString>("text");      // the box after the keys
    QTest::addColumn<QStringList>("lookups");
    QTest::addColumn<QStringList>("scans");
    QTest::addColumn<int>("longest");

    QTest::newRow("scanner: 20 ms a key, then Enter")
        << true << "" << -1 << "12345\r" << Every(20, 6) << ""
        << QStringList{"1", "12", "123", "1234", "12345"} << QStringList{"12345"} << 5;
    QTest::newRow("scanner: 5 ms a key")
        << true << "" << -1 << "900017\r" << Every(5, 7) << ""
        << QStringList{"9", "90", "900", "9000", "90001", "900017"} << QStringList{"900017"} << 6;
    QTest::newRow("scanner: typed 300 ms apart never holds more than two")
        << true << "" << -1 << "abcdef" << Every(300, 6) << "f" << QStringList{"b", "d"}
        << QStringList{} << 2;
    QTest::newRow("scanner: a gap of exactly 100 ms still belongs to the code")
        << true << "" << -1 << "12\r" << Every(100, 3) << "" << QStringList{"1", "12"}
        << QStringList{"12"} << 2;
    QTest::newRow("scanner: an Enter 150 ms after the code empties the box, no scan")
        << true << "" << -1 << "123\r" << QList<int>{20, 20, 20, 150} << ""
        << QStringList{"1", "12"} << QStringList{} << 3;
    QTest::newRow("scanner: the first key after a pause empties what was left")
        << true << "9" << 5000 << "77\r" << Every(10, 3) << "" << QStringList{"7", "77"}
        << QStringList{"77"} << 2;
    QTest::newRow("scanner: two tickets one after the other")
        << true << "" << -1 << "11\r22\r" << QList<int>{20, 20, 20, 900, 20, 20} << ""
        << QStringList{"1", "11", "2", "22"} << QStringList{"11", "22"} << 2;
    QTest::newRow("scanner: Enter on an empty box")
        << true << "" << -1 << "\r" << Every(20, 1) << "" << QStringList{} << QStringList{} << 0;
    QTest::newRow("typing: slow keys build up and Enter scans what was typed")
        << false << "" << -1 << "宫保\r" << Every(300, 3) << "" << QStringList{}
        << QStringList{"宫保"} << 2;
    QTest::newRow("typing: Enter on blanks scans nothing")
        << false << "" << -1 << "  \r" << Every(20, 3) << "  " << QStringList{} << QStringList{}
        << 2;
    QTest::newRow("typing: blanks around a name are kept")
        << false << " 鱼 " << -1 << "\r" << Every(20, 1) << "" << QStringList{}
        << QStringList{" 鱼 "} << 3;
}

void ScanInputTest::timingRule() {
    QFETCH(bool, scanner);
    QFETCH(QString, start);
    QFETCH(int, sinceLastKey);
    QFETCH(QString, keys);
    QFETCH(QList<int>, gaps);
    const Box box = Type(scanner, start, sinceLastKey, keys, gaps);
    QTEST(box.text, "text");
    QTEST(box.lookups, "lookups");
    QTEST(box.scans, "scans");
    QTEST(box.longest, "longest");
}

void ScanInputTest::listTabOnlyInScannerMode() {
    QVERIFY(ScanInputRule::keyPress(true, QString(), false).showListTab);
    QVERIFY(!ScanInputRule::keyPress(false, QStringLiteral("12"), true).showListTab);
    // Typing mode looks nothing up by key: the box searches on every change instead.
    QVERIFY(!ScanInputRule::keyPress(false, QStringLiteral("12"), false).lookUp);
}

void ScanInputTest::scannerModeIsSdsrN() {
    QVERIFY(ScannerMode(QStringLiteral("N")));
    QVERIFY(!ScannerMode(QStringLiteral("Y")));
    QVERIFY(!ScannerMode(QString()));
}

QTEST_GUILESS_MAIN(ScanInputTest)
#include "ScanInputTest.moc"
