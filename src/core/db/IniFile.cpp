#include "core/db/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool IsSectionLine(const QString& trimmed) {
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'));
}

QString SectionName(const QString& trimmed) {
    return trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
}

bool IsComment(const QString& trimmed) {
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

}  // namespace

QString DecodeGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    if (!decoder.isValid()) {
        return QString::fromLocal8Bit(bytes);
    }
    // The decoder holds back a lead byte cut off at the end; a final line feed makes it
    // give that byte out as a replacement character.
    QString text = decoder.decode(bytes + '\n');
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

QByteArray EncodeGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    if (!encoder.isValid()) {
        return text.toLocal8Bit();
    }
    return encoder.encode(text);
}

IniFile::IniFile(QString path) : path_(std::move(path)) {
    reload();
}

bool IniFile::exists() const {
    return QFile::exists(path_);
}

IniFile::Line IniFile::MakeLine(const QByteArray& bytes, const QByteArray& end) {
    // GBK's trail bytes are never CR or LF, so each line decodes on its own.
    return Line{bytes, end, DecodeGbk(bytes)};
}

void IniFile::reload() {
    lines_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    const qsizetype n = all.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && all.at(i) != '\r' && all.at(i) != '\n') {
            ++i;
        }
        qsizetype after = i;
        if (i < n) {
            after = (all.at(i) == '\r' && i + 1 < n && all.at(i + 1) == '\n') ? i + 2 : i + 1;
        }
        lines_.append(MakeLine(all.mid(start, i - start), all.mid(i, after - i)));
        start = after;
    }
}

QByteArray IniFile::newLineEnd() const {
    for (const Line& l : lines_) {
        if (!l.end.isEmpty()) {
            return l.end;
        }
    }
    return QByteArrayLiteral("\r\n");
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString t = lines_.at(i).text.trimmed();
        if (IsSectionLine(t) && SectionName(t).compare(section, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString& key) const {
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        const QString t = lines_.at(i).text.trimmed();
        if (IsSectionLine(t)) {
            break;
        }
        if (IsComment(t)) {
            continue;
        }
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    const int s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const int s = findSection(section);
    if (s < 0) {
        return def;
    }
    const int k = findKey(s, key);
    if (k < 0) {
        return def;
    }
    const QString& line = lines_.at(k).text;
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

int IniFile::readInt(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const int v = readString(section, key, QString()).toInt(&ok);
    return ok ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInt(section, key, def ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& rawValue) {
    // A line break would end the value and start lines of its own (a forged key or section).
    QString value = rawValue;
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray encoded = EncodeGbk(value);
    // Change the file as it is now: a long-lived object must not write back lines that
    // another program (or another object) has changed since it read them.
    reload();
    const QByteArray eol = newLineEnd();
    // A line added after the file's last line: that line gets its end first.
    const auto endLine = [&](int i) {
        if (i >= 0 && i < lines_.size() && lines_[i].end.isEmpty()) {
            lines_[i].end = eol;
        }
    };
    const int s = findSection(section);
    if (s < 0) {
        endLine(static_cast<int>(lines_.size()) - 1);
        if (!lines_.isEmpty() && !lines_.last().text.trimmed().isEmpty()) {
            lines_.append(MakeLine({}, eol));
        }
        lines_.append(MakeLine('[' + EncodeGbk(section) + ']', eol));
        lines_.append(MakeLine(EncodeGbk(key) + '=' + encoded, eol));
    } else {
        const int k = findKey(s, key);
        if (k >= 0) {
            // The key as the file spells it, and its blanks, byte for byte.
            Line& old = lines_[k];
            qsizetype valueAt = old.bytes.indexOf('=') + 1;
            while (valueAt < old.bytes.size() &&
                   (old.bytes.at(valueAt) == ' ' || old.bytes.at(valueAt) == '\t')) {
                ++valueAt;
            }
            old = MakeLine(old.bytes.left(valueAt) + encoded, old.end);
        } else {
            // After the section's last non-blank line.
            int insertAt = s + 1;
            for (int i = s + 1; i < lines_.size(); ++i) {
                const QString t = lines_.at(i).text.trimmed();
                if (IsSectionLine(t)) {
                    break;
                }
                if (!t.isEmpty()) {
                    insertAt = i + 1;
                }
            }
            endLine(insertAt - 1);
            lines_.insert(insertAt, MakeLine(EncodeGbk(key) + '=' + encoded, eol));
        }
    }
    return save();
}

bool IniFile::writeInt(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::save() const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray all;
    for (const Line& l : lines_) {
        all += l.bytes + l.end;
    }
    file.write(all);
    return file.commit();
}
