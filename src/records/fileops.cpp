#include "records/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include "records/byteordermark.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
ReadCall s_readCall = ::read;
SyncCall s_syncCall = ::fsync;

QByteArray nativePath(const QString &path) {
    return QFile::encodeName(path);
}

// Opens a file for reading without waiting: a FIFO put in a book file's
// place would otherwise hold the program until something wrote to it.
int openToRead(const QByteArray &path) {
    return ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

// A FIFO, socket or device in a file's place holds no book: its reads would
// wait, or never end.
bool isSpecial(const struct stat &st) {
    return S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || S_ISCHR(st.st_mode) ||
           S_ISBLK(st.st_mode);
}

// A temporary of the given name in the folder of the real file.
QString besideTarget(const QString &target, const QString &temp) {
    return QFileInfo(target).dir().filePath(QFileInfo(temp).fileName());
}

// A file the user made read-only is not written, not even by root.
FileResult checkWritable(const QString &path) {
    struct stat st;
    if (::stat(nativePath(path).constData(), &st) != 0) return {};
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        ::access(nativePath(path).constData(), W_OK) != 0)
        return FileResult::refused(QStringLiteral("ファイル書き込みエラー"),
                                   QStringLiteral("「%1」は読み取り専用のため書き込めません。")
                                       .arg(QFileInfo(path).fileName()));
    return {};
}

// Every byte, each write checked: a short write goes on, an interrupted one
// is retried, anything else (a full disk) is a failure left in errno.
bool writeFully(int fd, const char *p, qsizetype n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, static_cast<size_t>(n));
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= w;
    }
    return true;
}

// The mode a file written in place of path gets: the old file's, or what a
// new file gets under the process's umask.
mode_t modeFor(const QString &path) {
    struct stat st;
    if (::stat(nativePath(path).constData(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Every byte, the disk told to start on each whole piece of 256 KiB as soon
// as it is in the page cache: it writes the first pieces while the later
// ones are copied, and the fsync that follows waits for little more than the
// last piece (on thirty years of records about a tenth of a rewrite's time).
// Telling it early is a hint, never the promise: only the fsync makes the
// file durable, and its result is the one that counts.
bool writeStartingEarly(int fd, const char *p, qsizetype n) {
    constexpr qsizetype kPiece = 256 * 1024;
    for (qsizetype at = 0; at < n; at += kPiece) {
        const qsizetype piece = std::min(kPiece, n - at);
        if (!writeFully(fd, p + at, piece)) return false;
#ifdef __linux__
        if (piece == kPiece) ::sync_file_range(fd, at, piece, SYNC_FILE_RANGE_WRITE);
#endif
    }
    return true;
}

// A kept version is read again only by an undo. Its pages, clean once synced,
// are given back to the system: the new file written next reuses them,
// instead of the cache growing by a whole book at every save.
void releaseCachedPages(const QByteArray &path) {
    const int fd = openToRead(path);
    if (fd < 0) return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// Writes the content to the open temporary, makes it durable and closes it.
// On any failure the temporary is removed.
FileResult fillTemporary(int fd, const QByteArray &temp, const QString &target,
                         const QByteArray &content, mode_t mode) {
    const bool written = writeStartingEarly(fd, content.constData(), content.size()) &&
                         ::fchmod(fd, mode) == 0 && syncDescriptor(fd) == 0;
    int error = errno;
    const bool closed = ::close(fd) == 0;
    if (written && !closed) error = errno;
    if (written && closed) return {};
    ::unlink(temp.constData());
    return ioError(target, errnoText(error));
}

// Fills the open temporary and renames it over target, once meanwhile (when
// given) has said yes. Filling a book's worth of bytes waits on the disk, so
// it runs on a second thread while meanwhile runs on this one: they touch
// different files, and the rename waits for both. A test that records every
// fsync sees them one after the other, meanwhile first. On any failure or
// refusal the temporary is removed and target untouched.
FileResult finishTemporary(int fd, const QByteArray &temp, const QString &target,
                           const QByteArray &anyContent, mode_t mode, bool asGiven,
                           const WhileWriting &meanwhile) {
    const QByteArray content = asGiven ? anyContent : asWritten(anyContent);
    FileResult said, filled;
    // The journal may keep the old file under a second name (a hard link):
    // its pages are given back once the new content is durable, by the
    // thread that fills, which on a book of years is done before the journal
    // is. When the journal keeps no link, refuses, or the rename fails, a
    // live file only loses pages it may read again from the disk.
    const auto fill = [&] {
        filled = fillTemporary(fd, temp, target, content, mode);
        if (meanwhile && filled.ok()) releaseCachedPages(nativePath(target));
    };
    std::thread filler;
    if (meanwhile && s_syncCall == ::fsync) {
        try {
            filler = std::thread(fill);
        } catch (const std::exception &) { // no thread to be had: one after the other
        }
    }
    if (!meanwhile) {
        fill();
    } else if (filler.joinable()) {
        said = meanwhile();
        filler.join();
    } else {
        said = meanwhile();
        if (said.ok())
            fill();
        else
            ::close(fd);
    }
    if (!said.ok()) {
        ::unlink(temp.constData());
        return said;
    }
    if (!filled.ok()) return filled;
    if (::rename(temp.constData(), nativePath(target).constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        return ioError(target, errnoText(error));
    }
    // The rename is kept only once the folder that records it is on the disk.
    if (!syncFolderOf(target)) return ioError(target, errnoText(errno));
    return {};
}
} // namespace

bool syncFolder(const QString &dir) {
    const int fd = ::open(nativePath(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = syncDescriptor(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

bool syncFolderOf(const QString &path) {
    return syncFolder(QFileInfo(path).absolutePath());
}

FileContent Book::read(const QString &name) const {
    FileContent held;
    if (m_watcher && m_watcher->held(name, &held)) return held;
    return readFile(pathOf(name));
}

// Only a file's first bytes can be a byte-order mark, and the readers take
// them for one: a record line that starts with those bytes and comes first
// once the lines before it are gone (a deletion) would turn the whole file
// into UTF-16. A blank line in front keeps it a record; readers skip it.

QByteArray asWritten(const QByteArray &content) {
    return startsWithByteOrderMark(content) ? QByteArray("\r\n") + content : content;
}

FileIdentity identityOf(const QString &path) {
    struct stat st;
    if (::stat(nativePath(path).constData(), &st) != 0) return {};
    return {true,
            st.st_size,
            st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec,
            st.st_ino,
            st.st_dev};
}

FileResult FileContent::rewriteRefusal() const {
    return error.ok() && notCp932.isEmpty() ? FileResult() : readRefusal(*this);
}

SyncCall setSyncCall(SyncCall call) {
    const SyncCall previous = s_syncCall;
    s_syncCall = call ? call : ::fsync;
    return previous;
}

int syncDescriptor(int fd) {
    return s_syncCall(fd);
}

ReadCall setReadCall(ReadCall call) {
    const ReadCall previous = s_readCall;
    s_readCall = call ? call : ::read;
    return previous;
}

FileContent readFileAsIs(const QString &path) {
    FileContent c;
    const auto fail = [&](int error) {
        c.bytes.clear();
        c.error = FileResult::refused(QStringLiteral("ファイル読み込みエラー"),
                                      QStringLiteral("「%1」を読み込めませんでした。\n%2")
                                          .arg(QFileInfo(path).fileName(), errnoText(error)));
        return c;
    };
    const auto special = [&] {
        c.error = FileResult::refused(QStringLiteral("ファイル読み込みエラー"),
                                      QStringLiteral("「%1」を読み込めませんでした。\n"
                                                     "通常のファイルではありません。")
                                          .arg(QFileInfo(path).fileName()));
        return c;
    };
    struct stat st;
    const int fd = openToRead(nativePath(path));
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) return c;
        // A socket cannot be opened at all.
        if (::stat(nativePath(path).constData(), &st) == 0 && isSpecial(st)) return special();
        return fail(error);
    }
    const bool known = ::fstat(fd, &st) == 0;
    if (known && isSpecial(st)) {
        ::close(fd);
        return special();
    }
    // One byte more than the size, so that the end is seen in the first read.
    qsizetype capacity = known && st.st_size > 0 ? st.st_size + 1 : 4096;
    // Allocated to that size exactly: resize() would round a book's 4.5 MB up
    // to 8 MB, and the held bytes would keep the slack for as long as they live.
    c.bytes = QByteArray(capacity, Qt::Uninitialized);
    qsizetype size = 0;
    for (;;) {
        if (size == capacity) {
            capacity *= 2;
            c.bytes.resize(capacity);
        }
        const ssize_t r =
            s_readCall(fd, c.bytes.data() + size, static_cast<size_t>(capacity - size));
        if (r == 0) break;
        if (r < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        size += r;
    }
    ::close(fd);
    c.bytes.truncate(size);
    return c;
}

FileContent readFile(const QString &path) {
    FileContent c = readFileAsIs(path);
    if (startsWithByteOrderMark(c.bytes)) {
        c.hadByteOrderMark = true;
        c.bytes = cp932FromByteOrderMarked(c.bytes, &c.notCp932);
    }
    return c;
}

QByteArray readFileBytes(const QString &path) {
    return readFileBytes(path, nullptr);
}

QByteArray readFileBytes(const QString &path, FileResult *error) {
    FileContent c = readFile(path);
    if (error) *error = c.error;
    return std::move(c.bytes);
}

FileResult readRefusal(const FileContent &content) {
    if (content.error.ok() && !content.notCp932.isEmpty())
        return FileResult::refused(
            QStringLiteral("保存できない文字"),
            QStringLiteral("ファイルに「%1」があります。この文字はShift-JISで保存できないため、"
                           "保存しませんでした。")
                .arg(content.notCp932));
    FileResult r = content.error;
    r.message += QStringLiteral("\nファイルを読み込めなかったため、保存しませんでした。");
    return r;
}

namespace {
// strerror_r in either form: a rewrite's two threads may both fail at once.
[[maybe_unused]] const char *errorText(int result, const char *buffer) {
    return result == 0 ? buffer : "unknown error";
}
[[maybe_unused]] const char *errorText(const char *text, const char *) {
    return text;
}
} // namespace

QString errnoText(int error) {
    char buffer[256] = {};
    return QString::fromLocal8Bit(errorText(::strerror_r(error, buffer, sizeof buffer), buffer));
}

FileResult ioError(const QString &path, const QString &why) {
    return FileResult::refused(
        QStringLiteral("ファイル書き込みエラー"),
        QStringLiteral("「%1」に書き込めませんでした。\n%2").arg(QFileInfo(path).fileName(), why));
}

static FileResult replaceWith(const QString &path, const QByteArray &content, bool asGiven,
                              const WhileWriting &meanwhile) {
    const QString target = followLinks(path);
    if (FileResult r = checkWritable(target); !r.ok()) return r;
    // Not QSaveFile: Qt 6.4 renames its temporary even after a failed write.
    QByteArray temp = nativePath(target) + kTemporaryMark + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return ioError(path, errnoText(errno));
    return finishTemporary(fd, temp, target, content, modeFor(target), asGiven, meanwhile);
}

FileResult replaceAtomically(const QString &path, const QByteArray &content,
                             const WhileWriting &meanwhile) {
    return replaceWith(path, content, false, meanwhile);
}

FileResult writeExactly(const QString &path, const QByteArray &content) {
    return replaceWith(path, content, true, {});
}

FileResult rewriteThrough(const QString &real, const QString &temp, const QByteArray &content,
                          const WhileWriting &meanwhile) {
    const QString target = followLinks(real);
    if (FileResult r = checkWritable(target); !r.ok()) return r;
    const QByteArray tempPath = nativePath(besideTarget(target, temp));
    const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return ioError(temp, errnoText(errno));
    return finishTemporary(fd, tempPath, target, content, modeFor(target), false, meanwhile);
}

FileResult writeRefusal(const QString &path) {
    return checkWritable(followLinks(path));
}

namespace {
FileResult appendAt(const QString &path, const QByteArray &line, bool endLastLine,
                    QByteArray *added, FileIdentity *before) {
    if (FileResult r = checkWritable(path); !r.ok()) return r;
    const bool existed = identityOf(path).exists;
    const int fd =
        ::open(nativePath(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return ioError(path, errnoText(errno));
    QByteArray bytes = line;
    // A last line without its line end would otherwise swallow the new one.
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return ioError(path, errnoText(error));
    }
    if (before)
        *before = {true,
                   st.st_size,
                   st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
                   st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec,
                   st.st_ino,
                   st.st_dev};
    char last = '\n';
    if (st.st_size > 0) {
        if (::pread(fd, &last, 1, st.st_size - 1) != 1) last = '\n';
    }
    if (endLastLine && last != '\n' && last != '\r') bytes.prepend("\r\n", 2);
    // One write of the whole line, then fsync: the line is saved once both return.
    bool written = writeFully(fd, bytes.constData(), bytes.size()) && syncDescriptor(fd) == 0 &&
                   (existed || syncFolderOf(path));
    int error = errno;
    // A failed append is undone: a part of the line would read as a record of
    // its own (123 yen of 123456).
    if (!written && ::ftruncate(fd, st.st_size) == 0) syncDescriptor(fd);
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) return ioError(path, errnoText(error));
    if (added) *added = bytes;
    return {};
}
} // namespace

FileResult appendLine(const QString &path, const QByteArray &line, QByteArray *added,
                      FileIdentity *before) {
    return appendAt(path, line, true, added, before);
}

FileResult appendExactly(const QString &path, const QByteArray &bytes, FileIdentity *before) {
    return appendAt(path, bytes, false, nullptr, before);
}

FileResult removeFile(const QString &path) {
    // The journal may keep the file under a second name: see keepCopy.
    releaseCachedPages(nativePath(path));
    if (::unlink(nativePath(path).constData()) != 0 && errno != ENOENT)
        return ioError(path, errnoText(errno));
    return syncFolderOf(path) ? FileResult() : ioError(path, errnoText(errno));
}

FileResult truncateFile(const Book &book, const QString &name) {
    return book.rewrite(name, {});
}

FileResult deleteFile(const Book &book, const QString &name) {
    const QString path = book.pathOf(name);
    if (QFile::exists(path) && !QFile::remove(path))
        return ioError(path, QStringLiteral("削除できません"));
    return syncFolderOf(path) ? FileResult() : ioError(path, errnoText(errno));
}

FileResult copyFile(const Book &book, const QString &from, const QString &to) {
    const FileContent content = book.read(from);
    if (FileResult r = content.rewriteRefusal(); !r.ok()) return r;
    return book.rewrite(to, content.bytes);
}

FileResult truncateFileTo(const QString &path, qint64 size) {
    const int fd = ::open(nativePath(followLinks(path)).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return ioError(path, errnoText(errno));
    bool done = ::ftruncate(fd, size) == 0 && syncDescriptor(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    return done ? FileResult() : ioError(path, errnoText(error));
}

FileResult keepCopy(const QString &path, const QString &copy) {
    const QByteArray from = nativePath(followLinks(path));
    const QByteArray to = nativePath(copy);
    // A second name for the old file costs nothing; a file system without
    // hard links (a USB stick) gets a copy, made whole before it has its name.
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) != 0) {
        if (errno == EEXIST) return ioError(copy, errnoText(errno));
        const FileContent content = readFileAsIs(path);
        if (!content.ok()) return content.error;
        QByteArray temp = to + kTemporaryMark + "XXXXXX";
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0) return ioError(copy, errnoText(errno));
        const bool written = writeFully(fd, content.bytes.constData(), content.bytes.size()) &&
                             syncDescriptor(fd) == 0;
        const int error = errno;
        if (::close(fd) != 0 || !written || ::rename(temp.constData(), to.constData()) != 0) {
            ::unlink(temp.constData());
            return ioError(copy, errnoText(written ? errno : error));
        }
        releaseCachedPages(to);
    }
    // A link's pages are the live file's until the rewrite or removal that
    // replaces it gives them back.
    return syncFolderOf(copy) ? FileResult() : ioError(copy, errnoText(errno));
}

FileResult putBackKept(const QString &copy, const QString &path) {
    const QString target = followLinks(path);
    const mode_t mode = modeFor(target);
    if (::rename(nativePath(copy).constData(), nativePath(target).constData()) != 0) {
        if (errno != EXDEV) return ioError(path, errnoText(errno));
        // A link to a file on another disk: its bytes written there whole.
        const FileContent kept = readFileAsIs(copy);
        if (!kept.ok()) return kept.error;
        return writeExactly(path, kept.bytes);
    }
    // A copy made where hard links are not is its maker's alone.
    ::chmod(nativePath(target).constData(), mode);
    return syncFolderOf(target) ? FileResult() : ioError(path, errnoText(errno));
}

FileResult contentWithLineAdded(const QString &path, const QByteArray &line, QByteArray *out) {
    const FileContent content = readFile(path);
    if (FileResult r = content.rewriteRefusal(); !r.ok()) return r;
    out->clear();
    out->reserve(content.bytes.size() + line.size() + 1024);
    RawReader reader(content.bytes);
    QByteArrayView old;
    while (reader.nextLine(&old))
        appendLineAsRead(*out, old);
    out->append(line);
    return {};
}

bool startsWithByteOrderMarkOnDisk(const QString &path) {
    const int fd = openToRead(nativePath(path));
    if (fd < 0) return false;
    char head[3] = {};
    const ssize_t n = ::pread(fd, head, sizeof head, 0);
    ::close(fd);
    return n > 0 && startsWithByteOrderMark(QByteArrayView(head, n));
}

bool fileHoldsExactly(const QString &path, QByteArrayView bytes) {
    const int fd = openToRead(nativePath(path));
    if (fd < 0) return false;
    struct stat st;
    bool same = ::fstat(fd, &st) == 0 && !isSpecial(st) && st.st_size == bytes.size();
    char piece[64 * 1024];
    qsizetype at = 0;
    while (same) {
        const ssize_t r = s_readCall(fd, piece, sizeof piece);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            same = r == 0 && at == bytes.size();
            break;
        }
        same = r <= bytes.size() - at && std::memcmp(piece, bytes.data() + at, r) == 0;
        at += r;
    }
    ::close(fd);
    return same;
}

quint64 contentHash(QByteArrayView bytes) {
    // Four lanes of 64-bit multiply-and-shift over 32 bytes at a time, then
    // the tail: stable across runs, as a history kept on the disk needs, and
    // a few milliseconds on a book of a hundred years.
    constexpr quint64 kPrime = 0x9E3779B97F4A7C15ULL;
    quint64 lane[4] = {0x243F6A8885A308D3ULL, 0x13198A2E03707344ULL, 0xA4093822299F31D0ULL,
                       0x082EFA98EC4E6C89ULL};
    const char *p = bytes.data();
    qsizetype n = bytes.size();
    for (; n >= 32; p += 32, n -= 32)
        for (int i = 0; i < 4; ++i) {
            quint64 word;
            std::memcpy(&word, p + 8 * i, 8);
            lane[i] = (lane[i] ^ word) * kPrime;
            lane[i] ^= lane[i] >> 31;
        }
    quint64 h = static_cast<quint64>(bytes.size());
    for (quint64 l : lane)
        h = (h ^ l) * kPrime;
    for (; n > 0; ++p, --n)
        h = (h ^ static_cast<unsigned char>(*p)) * kPrime;
    return h ^ (h >> 29);
}

// A book kept in a synced folder links its files there, and a rewrite must
// replace the file the link points to, not the link.
QString followLinks(const QString &path) {
    QByteArray current = nativePath(path);
    for (int hops = 0; hops < 40; ++hops) {
        char text[PATH_MAX];
        const ssize_t n = ::readlink(current.constData(), text, sizeof text);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof text)) break;
        const qsizetype slash = current.lastIndexOf('/');
        QByteArray joined(text, n);
        if (!joined.startsWith('/'))
            joined.prepend(slash < 0 ? QByteArray("./") : current.left(slash + 1));
        // The folder as the system walks it ("alias/.." goes through alias),
        // the last name as the link gives it: the file may not be there yet.
        const qsizetype cut = joined.lastIndexOf('/');
        const QByteArray folder = cut == 0 ? QByteArray("/") : joined.left(cut);
        if (char *real = ::realpath(folder.constData(), nullptr)) {
            const QByteArray base(real);
            std::free(real);
            const QByteArray found = (base == "/" ? base : base + '/') + joined.mid(cut + 1);
            // A real folder named in bytes that are no UTF-8 (a CP932 name from
            // an old disk), or a path too long to open, keeps the link's text.
            if (found.size() < PATH_MAX && QFile::encodeName(QFile::decodeName(found)) == found)
                joined = found;
        }
        current = joined;
    }
    return QFile::decodeName(current);
}
