#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <sys/types.h>

#include "records/book.h"

// How a change reaches the disk, and what a power cut at each step leaves.
// Every write of a book file goes through Book (rewrite, append, truncateTo,
// appendBytes, remove), which tells the journal (book/history.h) before the
// file itself changes:
//  1. The journal adds "B" (the change begins) and one line per write to
//     バックアップ/履歴.txt, each with one write(2) and fsync. Cut here: the
//     files are untouched; the next start finds a change without its end and
//     puts back nothing (or what follows), and logs "X".
//  2. A rewrite: the new content is written to the temporary (the disk
//     started on each whole piece at once) and fsync'd on a second thread,
//     while the journal does 1 and the old file gets a second name in
//     バックアップ (a hard link, or a copy synced and then renamed), the
//     folder synced. Once both are done the temporary is renamed over the
//     file, and the book folder fsync'd. Cut before the rename: the old file
//     (and maybe a temporary). Cut after: the new file, which the next start
//     replaces by its kept old version.
//  3. An append: the whole line in one write(2), then fsync (and the folder,
//     when the file is new). Cut before the fsync: a torn or missing line,
//     which the next start cuts back to the size the log recorded, saying so.
//  4. The journal adds the size, times, inode and hash of every file the
//     change touched and "C" (committed), in one write and fsync. Only then
//     does the handler report the save. Cut before: as in 2 and 3, the change
//     is rolled back whole; after: the change is kept whole.
// An undo is a change of its own made the same way, so a cut undo is rolled
// back too. Temporaries ("name.txt.miltea-tmp-Ab12Cd") and folders still named
// "….作成中" that a crash leaves are removed at the next start.

// Why a write did not happen, for the message box of the calling handler.
// The file is not changed when a write is refused (a rewrite's temporary,
// begun meanwhile, is removed).
struct FileResult {
    QString title;
    QString message;
    bool ok() const { return message.isEmpty(); }
    static FileResult refused(QString title, QString message) { return {title, message}; }
};

// What a read found: every byte of the file, or why it could not be read
// whole (then bytes holds nothing a rewrite may start from). A missing file
// reads as empty without an error; a FIFO or device in a file's place is an
// error at once, never waited on.
// A file that begins with a UTF-8 or UTF-16 byte-order mark (what common
// editors write) is decoded by it and handed out as CP932 like every other;
// a character without a CP932 form then reads as 〓, and notCp932 names it
// so that no rewrite stores the file with the character lost.
struct FileContent {
    QByteArray bytes;
    FileResult error;
    bool hadByteOrderMark = false;
    QString notCp932;
    bool ok() const { return error.ok(); }
    // Why a rewrite must not start from this content, if it must not.
    FileResult rewriteRefusal() const;
};
FileContent readFile(const QString &path);
// The file's bytes exactly as on the disk, a byte-order mark and all: the
// history gives back what a file held, not what a reader makes of it.
FileContent readFileAsIs(const QString &path);
// Whether the file holds exactly these bytes, read in pieces: finding a copy
// of the book equal to it does not hold the book twice. A file that cannot be
// read holds nothing.
bool fileHoldsExactly(const QString &path, QByteArrayView bytes);

// The bytes of a file; a missing or unreadable file reads as empty (for the
// tools and tests; the program's readers take the error).
QByteArray readFileBytes(const QString &path);

// The bytes for a reader: on a read error *error (when given) says why and
// the bytes are empty.
QByteArray readFileBytes(const QString &path, FileResult *error);

// What tells one state of a file from another without reading it: a file
// another program changed differs in its size, its modification or change
// time (to the nanosecond) or its inode (an editor that saves a new file).
struct FileIdentity {
    bool exists = false;
    qint64 size = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const FileIdentity &) const = default;
};
FileIdentity identityOf(const QString &path);

// The refusal of a rewrite whose file could not be read whole or holds text
// that has no CP932 form (content.rewriteRefusal()).
FileResult readRefusal(const FileContent &content);

// The read(2) every file read goes through; a test puts in one that fails.
// Returns the one it replaces.
using ReadCall = ssize_t (*)(int fd, void *buffer, size_t count);
ReadCall setReadCall(ReadCall call);

// Every fsync of the program, of files and folders alike, goes through
// syncDescriptor; a test puts in a call that records what is durable when.
// Returns the one it replaces.
using SyncCall = int (*)(int fd);
SyncCall setSyncCall(SyncCall call);
int syncDescriptor(int fd);

// The refusal for a file that could not be written, naming it and why.
FileResult ioError(const QString &path, const QString &why);
// The system's text for an error number (errno), on any thread.
QString errnoText(int error);

// The bytes a whole-file write puts in the file for content (a file never
// starts with what readers take for a byte-order mark).
QByteArray asWritten(const QByteArray &content);
// What names a temporary of the program ("データ.txt.miltea-tmp-Ab12Cd"), so
// that the ones a crash leaves are known for the program's own.
inline constexpr char kTemporaryMark[] = ".miltea-tmp-";

// What a rewrite does while its new content goes to the temporary (the
// journal's lines and the kept old file, see above); its refusal stops the
// rewrite before the rename.
using WhileWriting = std::function<FileResult()>;

// Whole-file writes go to a temporary beside the file that then replaces it
// in one rename: a crash leaves the old or the new file, never neither.
// meanwhile runs on the calling thread while the temporary is written and
// synced on another; the file is replaced only once both are done and
// meanwhile said yes, else the temporary is removed.
FileResult replaceAtomically(const QString &path, const QByteArray &content,
                             const WhileWriting &meanwhile = {});
// The same for a file that is no record file (an export): the bytes exactly
// as given, a byte-order mark included.
FileResult writeExactly(const QString &path, const QByteArray &content);
// The rewrites of the record files go through their named temporary.
FileResult rewriteThrough(const QString &real, const QString &temp, const QByteArray &content,
                          const WhileWriting &meanwhile = {});
// A rewrite worked out before anything is written, so that a change of
// several files checks every file first: the new content for the real file
// and its temporary, or why it must not be written.
struct PlannedRewrite {
    QString name; // of the book file
    QString temp; // the book name of its temporary
    QByteArray content;
    FileResult error;
    FileResult write(const Book &book) const {
        return error.ok() ? book.rewrite(name, content, temp) : error;
    }
};

// Adds one line at the end, after a CR LF when the last line lacks one.
// *added (when given) is set to the bytes added at the end; *before (when
// given) is the file's identity just before the append. The file must be in
// CP932 (see startsWithByteOrderMarkOnDisk and contentWithLineAdded).
FileResult appendLine(const QString &path, const QByteArray &line, QByteArray *added = nullptr,
                      FileIdentity *before = nullptr);
// Adds the bytes at the end as they are, durably.
FileResult appendExactly(const QString &path, const QByteArray &bytes,
                         FileIdentity *before = nullptr);
// Removes the file, durably; a missing file is no failure.
FileResult removeFile(const QString &path);
// A file in another encoding is not appended to in CP932: *out is the whole
// file in CP932 with CR LF, the line at its end, for a rewrite.
bool startsWithByteOrderMarkOnDisk(const QString &path);
FileResult contentWithLineAdded(const QString &path, const QByteArray &line, QByteArray *out);

// Cuts the file back to its first size bytes, durably.
FileResult truncateFileTo(const QString &path, qint64 size);
// Gives the file's present content a second, durable name copy (a new
// file): a hard link where the file system has them, else a copy.
FileResult keepCopy(const QString &path, const QString &copy);
// Puts a kept copy back in path's place by renaming it there, durably: no
// byte is written, so the full disk that may have stopped a change cannot
// stop taking it back. The copy's name is gone after; the file keeps its mode.
FileResult putBackKept(const QString &copy, const QString &path);
// fsync of the folder that holds path: a rename or a new file survives a
// power cut only once its folder is synced. False with errno set on failure.
bool syncFolderOf(const QString &path);
bool syncFolder(const QString &dir);
// A hash of a file's bytes that is the same in every run (the undo history
// keeps it on the disk to know a file is still as a change left it).
quint64 contentHash(QByteArrayView bytes);

// Where a path leads once every symbolic link is followed as the system
// follows it: a link's text is read from its folder as the system reaches
// that folder, so "alias/.." goes up from where alias leads, not back where
// the text suggests. A path that is no link comes back as given; a link to a
// file not there yet leads to where it would be made.
QString followLinks(const QString &path);

// Why a file may not be written (a file the user made read-only), if it may not.
FileResult writeRefusal(const QString &path);

FileResult truncateFile(const Book &book, const QString &name);
FileResult deleteFile(const Book &book, const QString &name);
// Through the copy's temporary: the copy is never missing, not even for a moment.
FileResult copyFile(const Book &book, const QString &from, const QString &to);
