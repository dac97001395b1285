#include "records/book.h"

#include <QDir>
#include <QFileInfo>

Book::Book(QString dir) : m_dir(std::move(dir)) {}

QString Book::pathOf(const QString &name) const {
    const QDir dir(m_dir);
    const QString canonical = dir.filePath(name);
    if (QFileInfo::exists(canonical)) return canonical;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return canonical;
}
