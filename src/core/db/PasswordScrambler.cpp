#include "core/db/PasswordScrambler.h"

#include "core/db/IniFile.h"

namespace {

int DigitValue(char c) {
    return (c >= '0' && c <= '9') ? c - 48 : c - 55;
}

}  // namespace

QByteArray DecodeScrambledHex(const QString& stored) {
    // The file is GBK text: count and pair its bytes, as the writing tool did.
    const QByteArray text = EncodeGbk(stored);
    const int n = static_cast<int>(text.size() / 2);
    QByteArray bytes(n, '\0');
    for (int k = 0; k < n; ++k) {
        const int v = 16 * DigitValue(text.at(2 * k)) + DigitValue(text.at(2 * k + 1));
        bytes[k] = static_cast<char>(v & 0xFF);
    }
    return bytes;
}

QString DescramblePassword(const QString& stored, quint16 seed) {
    const QByteArray scrambled = DecodeScrambledHex(stored);
    QByteArray plain(scrambled.size(), '\0');
    quint16 key = seed;
    for (int i = 0; i < scrambled.size(); ++i) {
        const auto c = static_cast<quint8>(scrambled.at(i));
        const auto h = static_cast<quint8>(key >> 8);
        if (c == h) {
            plain[i] = static_cast<char>(c);
            key = static_cast<quint16>(key * 11 + 12);
        } else {
            plain[i] = static_cast<char>(c ^ h);
            key = static_cast<quint16>((key + c) * 11 + 12);
        }
    }
    return DecodeGbk(plain);
}

QString ScramblePassword(const QString& password, quint16 seed) {
    const QByteArray plain = EncodeGbk(password);
    QString out;
    quint16 key = seed;
    for (const char ch : plain) {
        const auto p = static_cast<quint8>(ch);
        const auto h = static_cast<quint8>(key >> 8);
        quint8 c;
        if (p == h) {
            c = p;
            key = static_cast<quint16>(key * 11 + 12);
        } else {
            c = static_cast<quint8>(p ^ h);
            key = static_cast<quint16>((key + c) * 11 + 12);
        }
        out += QStringLiteral("%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}
