#pragma once
#include <QDate>
#include <QDir>
#include <QHash>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

#include "book/bookmodel.h"
#include "book/history.h"
#include "records/book.h"
#include "records/budgets.h"
#include "records/fileops.h"

// File times advance in steps: of the kernel's clock tick, or of whole
// seconds (two on FAT) where the file system keeps no finer time, as a time
// with no nanoseconds tells. A file changed again within the step of its
// last change keeps its identity, so a file looked at that soon is read
// again at the next look, until it has aged.
bool mayChangeUnseen(const FileIdentity &id, qint64 nowNs);

// What the window knows about the open book between events: the settings it
// read at start-up and the payments and incomes held in memory. A record file
// is read again only when its identity on disk changed since it was last read
// or written (another program saved it); the program's own writes hand the
// held book the bytes they wrote.
class BookSession : public BookWriteWatcher {
public:
    BookSession();
    explicit BookSession(const QString &dir);
    BookSession(const BookSession &) = delete;
    BookSession &operator=(const BookSession &) = delete;

    Book book;

    QString userName;
    bool helpTour = false;   // the help tour explains each page as it opens
    bool sampleMode = false; // the shipped sample book is open: nothing may be saved

    // データ.txt and 入金.txt as they now stand. A file that cannot be read
    // holds no records, and the read error is kept for takeReadError().
    // Logically a read: it only brings the held copy up to date.
    const BookModel &model() const;

    // The simulation's scratch copy 予測データ.txt in the place of the
    // payments, with the held incomes, held the same way.
    const BookModel &forecast() const;

    // The names of 支払いマスタ.txt or 費目マスタ.txt, held the same way.
    QStringList master(const QString &name) const;
    // The monthly budgets of 予算.txt, held the same way.
    QList<Budget> budgets() const;
    // The category last used with a payee (関連.TXT, held the same way).
    std::optional<QString> categoryOfPayee(const QString &payee) const;
    // Keeps a read error of another file for takeReadError().
    void noteReadError(const FileResult &error) const;

    // Derived from the held records, never from what a page drew.
    QString firstPayDate() const { return model().firstPayDate(); }
    QString lastPayDate() const { return model().lastPayDate(); }
    QString lastIncomeDate() const { return model().lastIncomeDate(); }

    // The read error of the book files since the last call, for the window
    // to show once the event has filled its page.
    FileResult takeReadError();

    // Raised after every change of データ.txt or 入金.txt, so that figures
    // kept by a page know they are stale.
    quint64 revision = 0;
    void bookChanged() { ++revision; }

    // The shipped sample book: its first payment and its user name.
    bool isSampleBook() const;

    // The undo history of the book, from openHistory() on; the messages say
    // which files a change cut short by a crash were put back.
    QStringList openHistory();
    History *history() const { return m_history.get(); }
    // The writes made while the scope lives are one change the user can undo.
    [[nodiscard]] ChangeScope change(const QString &description) const {
        return ChangeScope(m_history.get(), description);
    }

    // BookWriteWatcher
    bool held(const QString &name, FileContent *content) const override;
    std::optional<LinePlace> placeInHeld(const QString &name, const QByteArray &bytes,
                                         QByteArrayView date) const override;
    void replaced(const QString &name, const QByteArray &content) override;
    void appended(const QString &name, const QByteArray &bytes,
                  const FileIdentity &before) override;

private:
    struct Held {
        FileIdentity identity;
        bool loaded = false;
    };
    void refresh(const QString &name, Held &held) const;
    // The file read anew when its identity differs from the held one's;
    // nothing while the held copy is current.
    std::optional<FileContent> readIfChanged(const QString &name, Held &held) const;
    // Whether bytes appended to a file whose identity was `before` may be
    // added to the held copy; a copy older than that is read anew instead.
    static bool takesAppend(Held &held, const FileIdentity &before);
    // The held copy now matches what the program wrote to the file.
    void wrote(const QString &name, Held &held);
    // A small file held as its bytes.
    struct HeldBytes {
        Held held;
        QByteArray bytes;
    };
    const QByteArray &heldBytes(const QString &name) const;

    mutable BookModel m_model;
    mutable Held m_payments, m_incomes;
    mutable BookModel m_forecast;
    mutable Held m_forecastHeld;
    mutable QHash<QString, HeldBytes> m_small; // the masters and 関連.TXT
    mutable FileResult m_readError;
    std::unique_ptr<History> m_history;
};

// The user name that, with a first payment on 2005/01/02, marks the shipped sample book.
inline const QString kSampleUserName = QStringLiteral("見本はなこ");
// The day the sample book opens on.
inline const QDate kSampleDay{2005, 2, 14};
