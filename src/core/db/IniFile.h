#pragma once

#include <QString>
#include <QStringList>

// An INI file in the GBK code page, as the station and the ERP's other programs share them.
// Section and key names compare without regard to case; values are trimmed. A missing
// file, section or key, or a value that is not a number, gives the default. Every write
// goes to the file at once (the first write creates it) and changes only its own line:
// every other line keeps its bytes and its line end, even bytes that are not GBK.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    bool exists() const;

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInt(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    bool hasKey(const QString& section, const QString& key) const;

    // Return false when the file could not be written.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInt(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);

    // Re-reads the file from disk (another program may have changed it).
    void reload();

private:
    int findSection(const QString& section) const;
    int findKey(int sectionLine, const QString& key) const;
    bool save() const;

    struct Line {
        QByteArray bytes;  // as in the file, without the line end
        QByteArray end;    // "\r\n", "\n", "\r", or nothing on a last line
        QString text;      // decoded, for finding sections and keys
    };
    static Line MakeLine(const QByteArray& bytes, const QByteArray& end);
    QByteArray newLineEnd() const;

    QString path_;
    QList<Line> lines_;
};

// GBK text as the ERP stores it; bytes that are not valid GBK decode to replacement characters.
QString DecodeGbk(const QByteArray& bytes);
QByteArray EncodeGbk(const QString& text);
