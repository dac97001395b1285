#include "records/book.h"

#include <QDir>
#include <QFileInfo>

#include "records/fileops.h"

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

FileResult Book::rewrite(const QString &name, const QByteArray &content,
                         const QString &temp) const {
    const QString path = pathOf(name);
    if (FileResult r = writeRefusal(path); !r.ok()) return r;
    // The journal logs the change and keeps the old file while the new
    // content goes to the temporary; its refusal leaves the file as it was.
    bool refused = false;
    const WhileWriting announceIt = [&] {
        FileResult r = announce(name, path, BookJournal::Write::Rewrite, 0, content);
        refused = !r.ok();
        return r;
    };
    const WhileWriting meanwhile = m_journal ? announceIt : WhileWriting();
    const FileResult r = temp.isEmpty() ? replaceAtomically(path, content, meanwhile)
                                        : rewriteThrough(path, pathOf(temp), content, meanwhile);
    if (refused) return r;
    // The file holds the content as written (a blank line in front of what a
    // reader would take for a byte-order mark).
    if (r.ok()) replaced(name, asWritten(content));
    return finish(name, r);
}

FileResult Book::append(const QString &name, const QByteArray &line) const {
    const QString path = pathOf(name);
    if (FileResult r = writeRefusal(path); !r.ok()) return r;
    if (startsWithByteOrderMarkOnDisk(path)) {
        QByteArray whole;
        if (FileResult r = contentWithLineAdded(path, line, &whole); !r.ok()) return r;
        return rewrite(name, whole);
    }
    const FileIdentity now = identityOf(path);
    if (FileResult r = announce(name, path, BookJournal::Write::Append, now.size, line); !r.ok())
        return r;
    QByteArray added;
    FileIdentity before;
    const FileResult r = appendLine(path, line, &added, &before);
    if (r.ok()) appended(name, added, before);
    return finish(name, r);
}

FileResult Book::truncateTo(const QString &name, qint64 size) const {
    const QString path = pathOf(name);
    if (FileResult r = writeRefusal(path); !r.ok()) return r;
    FileContent now = read(name);
    if (!now.ok()) return now.error;
    if (FileResult r = announce(name, path, BookJournal::Write::Truncate, size, {}); !r.ok())
        return r;
    const FileResult r = truncateFileTo(path, size);
    if (r.ok()) replaced(name, now.bytes.left(size));
    return finish(name, r);
}

FileResult Book::appendBytes(const QString &name, const QByteArray &bytes) const {
    const QString path = pathOf(name);
    if (FileResult r = writeRefusal(path); !r.ok()) return r;
    const FileIdentity now = identityOf(path);
    if (FileResult r = announce(name, path, BookJournal::Write::Append, now.size, bytes); !r.ok())
        return r;
    FileIdentity before;
    const FileResult r = appendExactly(path, bytes, &before);
    if (r.ok()) appended(name, bytes, before);
    return finish(name, r);
}

FileResult Book::remove(const QString &name) const {
    const QString path = pathOf(name);
    if (!identityOf(path).exists) return {};
    if (FileResult r = announce(name, path, BookJournal::Write::Remove, 0, {}); !r.ok()) return r;
    const FileResult r = removeFile(path);
    if (r.ok()) replaced(name, {});
    return finish(name, r);
}

FileResult Book::announce(const QString &name, const QString &path, BookJournal::Write kind,
                          qint64 at, const QByteArray &bytes) const {
    return m_journal ? m_journal->aboutToWrite(name, path, kind, at, bytes) : FileResult();
}

FileResult Book::finish(const QString &name, const FileResult &written) const {
    if (!m_journal) return written;
    const FileResult kept = m_journal->finished(name, written.ok());
    return written.ok() ? kept : written;
}
