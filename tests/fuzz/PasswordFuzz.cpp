// Any stored text descrambles without a crash; any password that GBK can hold and that has
// no zero byte comes back from its scrambled form unchanged.
#include <cstdint>

#include "FuzzCheck.h"
#include "core/db/IniFile.h"
#include "core/db/PasswordScrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = DecodeGbk(bytes);
    (void)DescramblePassword(text, kPasswordSeed);
    (void)DescramblePassword(QString::fromUtf8(bytes), kPasswordSeed);
    const QByteArray hex = DecodeScrambledHex(text);
    FUZZ_CHECK(hex.size() == EncodeGbk(text).size() / 2);

    if (!text.contains(QChar(0)) && DecodeGbk(EncodeGbk(text)) == text) {
        const QString stored = ScramblePassword(text, kPasswordSeed);
        FUZZ_CHECK(stored.size() == 2 * EncodeGbk(text).size());
        for (const QChar c : stored) {
            FUZZ_CHECK((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                       (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
        }
        FUZZ_CHECK(DescramblePassword(stored, kPasswordSeed) == text);
    }
    return 0;
}
