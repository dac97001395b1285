#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away book folder whose files the test writes and reads byte for byte.
class BookDir {
public:
    BookDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Writes the file as CP932 bytes of the given text (lines already ending in \r\n).
    void write(const QString &name, const QString &text) const;
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    QByteArray bytes(const QString &name) const;
    // The file decoded from CP932.
    QString text(const QString &name) const;
    bool exists(const QString &name) const;
    QStringList files() const;
    // A book with every file present (empty unless given), user name and help tour off.
    void makeEmptyBook(const QString &userName = QStringLiteral("テスト")) const;
    // Makes this the working directory (the program's book) until destroyed.
    void enter();
    ~BookDir();

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// CP932 bytes of a text, for comparisons with file contents.
QByteArray sjis(const QString &text);
