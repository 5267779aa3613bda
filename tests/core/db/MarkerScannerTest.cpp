#include <QtTest>

#include "core/db/MarkerScanner.h"

class MarkerScannerTest : public QObject {
    Q_OBJECT

private slots:
    void scans_data();
    void scans();
    void positionsCoverTheMarker();
};

void MarkerScannerTest::scans_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("positional");

    QTest::newRow("blank") << "a=:a1 and b=:a2" << QStringList{"a1", "a2"} << "a=? and b=?";
    QTest::newRow("comma") << "values(:a1,:a2)" << QStringList{"a1", "a2"} << "values(?,?)";
    QTest::newRow("semicolon") << "x=:a1;" << QStringList{"a1"} << "x=?;";
    QTest::newRow("closing parenthesis") << "(x=:a1)" << QStringList{"a1"} << "(x=?)";
    QTest::newRow("carriage return") << "x=:a1\rand" << QStringList{"a1"} << "x=?\rand";
    QTest::newRow("line feed") << "x=:a1\nand" << QStringList{"a1"} << "x=?\nand";
    QTest::newRow("end of text") << "x=:a1" << QStringList{"a1"} << "x=?";
    // Anything else belongs to the name, as the ERP's own programs read it.
    QTest::newRow("equals is part of the name") << "x=:a1=" << QStringList{"a1="} << "x=?";
    QTest::newRow("single quoted colon")
        << "t='18:00:00' and x=:a1" << QStringList{"a1"} << "t='18:00:00' and x=?";
    QTest::newRow("doubled quote inside")
        << "n='it'':s :no' and x=:a1" << QStringList{"a1"} << "n='it'':s :no' and x=?";
    QTest::newRow("double quoted name") << "select \"a:b\" from t where x=:a1" << QStringList{"a1"}
                                        << "select \"a:b\" from t where x=?";
    QTest::newRow("unterminated quote") << "x=':a1" << QStringList{} << "x=':a1";
    QTest::newRow("double colon") << "select 'a'+'::'+x, y::z from t" << QStringList{}
                                  << "select 'a'+'::'+x, y:z from t";
    QTest::newRow("double colon then marker") << "x=:::a1" << QStringList{"a1"} << "x=:?";
    QTest::newRow("lone colons") << "a : b :" << QStringList{} << "a : b :";
    QTest::newRow("repeated name is two markers")
        << "x=:a11 or y=:a11" << QStringList{"a11", "a11"} << "x=? or y=?";
    QTest::newRow("out of order") << "state<>:a8 and name<>:a9 and room=:a1"
                                  << QStringList{"a8", "a9", "a1"}
                                  << "state<>? and name<>? and room=?";
    QTest::newRow("bh among numbered")
        << "a=:a1 and consume_bh=:bh and b=:a2" << QStringList{"a1", "bh", "a2"}
        << "a=? and consume_bh=? and b=?";
    QTest::newRow("chinese around") << "名称=:a1,'划:菜'" << QStringList{"a1"} << "名称=?,'划:菜'";
    QTest::newRow("no markers") << "select 1" << QStringList{} << "select 1";
}

void MarkerScannerTest::scans() {
    QFETCH(QString, sql);
    const ScannedSql s = ScanSqlMarkers(sql);
    QStringList names;
    for (const SqlMarker& m : s.markers) {
        names << m.name;
    }
    QTEST(names, "names");
    QTEST(s.positional, "positional");
}

void MarkerScannerTest::positionsCoverTheMarker() {
    const QString sql = QStringLiteral("x='a:b' and y=:bh)");
    const ScannedSql s = ScanSqlMarkers(sql);
    QCOMPARE(s.markers.size(), size_t(1));
    QCOMPARE(s.markers[0].begin, sql.indexOf(QLatin1Char(':'), 7));
    QCOMPARE(sql.mid(s.markers[0].begin, s.markers[0].end - s.markers[0].begin),
             QStringLiteral(":bh"));
}

QTEST_GUILESS_MAIN(MarkerScannerTest)
#include "MarkerScannerTest.moc"
