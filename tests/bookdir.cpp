#include "bookdir.h"

#include <QDir>
#include <QFile>

#include "records/cp932.h"

BookDir::BookDir() = default;

BookDir::~BookDir() {
    if (!m_previous.isEmpty()) QDir::setCurrent(m_previous);
}

QByteArray sjis(const QString &text) {
    return cp932::encode(text).value_or(QByteArray("?!"));
}

void BookDir::write(const QString &name, const QString &text) const {
    writeBytes(name, sjis(text));
}

void BookDir::writeBytes(const QString &name, const QByteArray &bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

QByteArray BookDir::bytes(const QString &name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString BookDir::text(const QString &name) const {
    return cp932::decode(bytes(name));
}

bool BookDir::exists(const QString &name) const {
    return QFile::exists(file(name));
}

QStringList BookDir::files() const {
    QStringList names = QDir(path()).entryList(QDir::Files);
    names.sort();
    return names;
}

void BookDir::makeEmptyBook(const QString &userName) const {
    for (const char16_t *name : {u"データ.txt", u"入金.txt", u"支払いマスタ.txt", u"費目マスタ.txt",
                                 u"関連.TXT", u"気付きメモ.txt", u"予測データ.txt"})
        writeBytes(QString::fromUtf16(name), {});
    write(QStringLiteral("設定.txt"), QStringLiteral("\"ヘルプツアー\",0\r\n"));
    write(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("\"氏名\",\"%1\"\r\n").arg(userName));
}

void BookDir::enter() {
    m_previous = QDir::currentPath();
    QDir::setCurrent(path());
}
