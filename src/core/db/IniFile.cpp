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

void IniFile::reload() {
    lines_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QString text = DecodeGbk(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines_ = text.split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.last().isEmpty()) {
        lines_.removeLast();
    }
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString t = lines_.at(i).trimmed();
        if (IsSectionLine(t) && SectionName(t).compare(section, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString& key) const {
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        const QString t = lines_.at(i).trimmed();
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
    const QString& line = lines_.at(k);
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
    const QString entry = key + QLatin1Char('=') + value;
    // Change the file as it is now: a long-lived object must not write back lines that
    // another program (or another object) has changed since it read them.
    reload();
    const int s = findSection(section);
    if (s < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) {
            lines_.append(QString());
        }
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(entry);
    } else {
        const int k = findKey(s, key);
        if (k >= 0) {
            // Keep the key's spelling as the file has it.
            const QString& old = lines_.at(k);
            lines_[k] =
                old.left(old.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + value;
        } else {
            // After the section's last non-blank line.
            int insertAt = s + 1;
            for (int i = s + 1; i < lines_.size(); ++i) {
                const QString t = lines_.at(i).trimmed();
                if (IsSectionLine(t)) {
                    break;
                }
                if (!t.isEmpty()) {
                    insertAt = i + 1;
                }
            }
            lines_.insert(insertAt, entry);
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
    QString text = lines_.join(QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    file.write(EncodeGbk(text));
    return file.commit();
}
