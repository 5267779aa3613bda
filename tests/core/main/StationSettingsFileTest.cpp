#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/db/IniFile.h"
#include "core/main/StationSettingsFile.h"

class StationSettingsFileTest : public QObject {
    Q_OBJECT

private slots:
    void defaults_data();
    void defaults();
    void keysInOtherCasesAreTheSameKeys();
    void scanRadioGroupIsNeverReadBack();
    void closeWritesViewStateInPlace();
    void dialogWritesRateOnlyWithVoice();

private:
    static IniFile Write(const QTemporaryDir& dir, const QByteArray& text) {
        const QString path = StationSettingsPath(dir.path());
        if (!text.isNull()) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(EncodeGbk(QString::fromUtf8(text)));
        }
        return IniFile(path);
    }
};

void StationSettingsFileTest::defaults_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("no section") << QByteArray("[other]\nEt_cstx=9\nYYBC=Y\n");
    QTest::newRow("not numbers") << QByteArray("[tzcp_config]\nEt_cstx=abc\nYYSD=x\nCB_qy=?\n");
}

void StationSettingsFileTest::defaults() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const IniFile ini = Write(dir, file);
    const StationSettings s = ReadStationSettings(ini);
    QCOMPARE(s.Et_cstx, 5);
    QCOMPARE(s.YYBC, QStringLiteral("N"));
    QCOMPARE(s.YYSD, 0);
    QCOMPARE(s.SDSR, QStringLiteral("Y"));
    QCOMPARE(s.MEAL_ORDER, QStringLiteral("Y"));
    QCOMPARE(s.Rg_tmgxzt, 5);
    const StoredFilterPositions p = ReadFilterPositions(ini);
    QCOMPARE(p.CB_qy, 0);
    QCOMPARE(p.CB_cpbm, 0);
    QCOMPARE(p.cb_gzzd, 0);
    QCOMPARE(ReadPagingByType(ini), true);
}

void StationSettingsFileTest::keysInOtherCasesAreTheSameKeys() {
    QTemporaryDir dir;
    IniFile ini = Write(dir,
                        "[TZCP_CONFIG]\net_CSTX=0\nyybc=Y\nyysd=-4\nsdsr=N\nmeal_order=N\n"
                        "cb_qy=2\ncb_CPBM=3\nCB_GZZD=4\ncb_fyxs=0\n");
    const StationSettings s = ReadStationSettings(ini);
    QCOMPARE(s.Et_cstx, 0);
    QCOMPARE(s.YYBC, QStringLiteral("Y"));
    QCOMPARE(s.YYSD, -4);
    QCOMPARE(s.SDSR, QStringLiteral("N"));
    QCOMPARE(s.MEAL_ORDER, QStringLiteral("N"));
    const StoredFilterPositions p = ReadFilterPositions(ini);
    QCOMPARE(p.CB_qy, 2);
    QCOMPARE(p.CB_cpbm, 3);
    QCOMPARE(p.cb_gzzd, 4);
    QCOMPARE(ReadPagingByType(ini), false);
}

void StationSettingsFileTest::scanRadioGroupIsNeverReadBack() {
    QTemporaryDir dir;
    IniFile ini = Write(dir, "[tzcp_config]\nRg_tmgxzt=2\n");
    QCOMPARE(ReadStationSettings(ini).Rg_tmgxzt, 5);
}

void StationSettingsFileTest::closeWritesViewStateInPlace() {
    QTemporaryDir dir;
    IniFile ini = Write(dir, "[tzcp_config]\nCB_cpbm=7\ncb_cpzt=3\nYYBC=Y\n");
    WriteViewState(ini, {2, false, 1, 4, 1});
    IniFile again(ini.path());
    const StoredFilterPositions p = ReadFilterPositions(again);
    QCOMPARE(p.CB_qy, 2);
    QCOMPARE(p.CB_cpbm, 1);
    QCOMPARE(p.cb_gzzd, 4);
    QCOMPARE(ReadPagingByType(again), false);
    QCOMPARE(again.readInt(kSettingsSection, "RG_xszt", -1), 1);
    QCOMPARE(again.readInt(kSettingsSection, "cb_cpzt", -1), 0);
    QCOMPARE(again.readString(kSettingsSection, "YYBC", ""), QStringLiteral("Y"));
    // One key, whatever case wrote it first.
    QFile f(ini.path());
    f.open(QIODevice::ReadOnly);
    QCOMPARE(QString::fromLatin1(f.readAll()).count(QStringLiteral("cpbm="), Qt::CaseInsensitive),
             1);
}

void StationSettingsFileTest::dialogWritesRateOnlyWithVoice() {
    QTemporaryDir dir;
    IniFile ini = Write(dir, "[tzcp_config]\nYYSD=3\n");
    StationSettings memory;
    memory.YYSD = 3;
    DialogSettings off{12, 5, false, -8, true, false};
    WriteDialogSettings(ini, off);
    ApplyDialogSettings(memory, off);
    IniFile again(ini.path());
    QCOMPARE(again.readInt(kSettingsSection, "Et_cstx", -1), 12);
    QCOMPARE(again.readInt(kSettingsSection, "Rg_tmgxzt", -1), 5);
    QCOMPARE(again.readString(kSettingsSection, "YYBC", ""), QStringLiteral("N"));
    QCOMPARE(again.readInt(kSettingsSection, "YYSD", 99), 3);
    QCOMPARE(again.readString(kSettingsSection, "SDSR", ""), QStringLiteral("N"));
    QCOMPARE(again.readString(kSettingsSection, "MEAL_ORDER", ""), QStringLiteral("N"));
    QCOMPARE(memory.YYSD, 3);
    QCOMPARE(memory.Et_cstx, 12);
    QCOMPARE(memory.SDSR, QStringLiteral("N"));

    DialogSettings on{0, 5, true, -8, false, true};
    WriteDialogSettings(ini, on);
    ApplyDialogSettings(memory, on);
    again.reload();
    QCOMPARE(again.readInt(kSettingsSection, "YYSD", 99), -8);
    QCOMPARE(again.readString(kSettingsSection, "YYBC", ""), QStringLiteral("Y"));
    QCOMPARE(memory.YYSD, -8);
    QCOMPARE(memory.YYBC, QStringLiteral("Y"));
    QCOMPARE(memory.Et_cstx, 0);
}

QTEST_GUILESS_MAIN(StationSettingsFileTest)
#include "StationSettingsFileTest.moc"
