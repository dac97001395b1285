#pragma once
#include <QByteArray>
#include <QHash>

#include "book/bookmodel.h"
#include "book/datalist.h"
#include "records/book.h"
#include "records/fileops.h"

// The one-line diary as read at one opening of its page: a row per record of
// データ.txt in file order (the date as stored), and the file that storing a
// comment writes back from those rows.
class Diary {
public:
    Diary() = default;
    explicit Diary(QByteArray payments);
    // The held データ.txt: its lines as already found, and why it may not be
    // rewritten, if it may not.
    explicit Diary(const HeldFile<HeldPayment> &payments);

    qsizetype size() const { return m_table.size(); }
    // A field as the diary shows it; the comment as last stored.
    QString text(qsizetype row, PaymentTable::Field field) const;
    ListedPayment row(qsizetype row) const;

    // Gives one record the comment and rewrites データ.txt through its
    // temporary: every record in the order read, its text fields as the bytes
    // read, the amount as a whole number, the stored comments, the reserved
    // field empty; a record that cannot be read is written back unchanged.
    // Refused, writing nothing: text the file cannot hold, a record that
    // cannot be read, or a file changed by someone else since it was read
    // (now: データ.txt as the book now holds it).
    FileResult storeComment(const Book &book, const BookModel &now, qsizetype row,
                            const QString &comment);
    // The same, reading データ.txt to see whether it changed.
    FileResult storeComment(const Book &book, qsizetype row, const QString &comment);

    // The file as the rows now say it (what storing writes).
    QByteArray content() const;

private:
    PaymentTable m_table;
    QByteArray m_inFile; // what データ.txt holds since the opening or the last store
    QHash<qsizetype, QByteArray> m_comments; // stored since the opening
    FileResult m_refusal;                    // why the file as opened may not be rewritten
    // Where each row's line starts in m_inFile (and its end), once the diary
    // has written the file; empty before.
    QList<qsizetype> m_written;

    // A row as storing writes it, with its line end.
    void appendRow(QByteArray &out, qsizetype row) const;
    // What storing writes when `row` changed; *starts gets where each line starts.
    QByteArray contentWithRow(qsizetype row, QList<qsizetype> *starts) const;

    FileResult store(const Book &book, const QByteArray &now, const FileResult &nowRefusal,
                     qsizetype row, const QString &comment);
    friend Diary computeDiary(const Book &book);
};

Diary computeDiary(const BookModel &book);
// The same, reading データ.txt.
Diary computeDiary(const Book &book);
