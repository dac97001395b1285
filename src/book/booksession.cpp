#include "book/booksession.h"

#include "records/associations.h"
#include "records/budgets.h"
#include "records/masters.h"

#include <ctime>
#include <utility>

bool mayChangeUnseen(const FileIdentity &id, qint64 nowNs) {
    constexpr qint64 kSecond = 1'000'000'000;
    constexpr qint64 kTick = 100'000'000; // far above any kernel's tick
    // The file's clock may lag the real one by a tick.
    const qint64 step = id.mtimeNs % kSecond == 0 ? 2 * kSecond + kTick : kTick;
    return nowNs - std::max(id.mtimeNs, id.ctimeNs) < step;
}

namespace {
bool changedJustNow(const FileIdentity &id) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return mayChangeUnseen(id, now.tv_sec * 1'000'000'000LL + now.tv_nsec);
}

bool timesInWholeSeconds(const FileIdentity &id) {
    return id.mtimeNs % 1'000'000'000 == 0;
}
} // namespace

BookSession::BookSession() : BookSession(QDir::currentPath()) {}

BookSession::BookSession(const QString &dir) : book(dir) {
    book.setWatcher(this);
}

QStringList BookSession::openHistory() {
    if (!m_history) m_history = std::make_unique<History>(book);
    return m_history->open();
}

bool BookSession::isSampleBook() const {
    return firstPayDate() == QStringLiteral("2005/01/02") && userName == kSampleUserName;
}

const BookModel &BookSession::model() const {
    refresh(bookfile::payments, m_payments);
    refresh(bookfile::incomes, m_incomes);
    return m_model;
}

const BookModel &BookSession::forecast() const {
    const BookModel &book = model();
    // The incomes are the book's own: shared bytes are the same bytes.
    if (m_forecast.incomes().bytes().constData() != book.incomes().bytes().constData() ||
        m_forecast.incomes().bytes().size() != book.incomes().bytes().size())
        m_forecast.setIncomes(book.incomes().bytes());
    const QString path = this->book.pathOf(bookfile::forecast);
    const FileIdentity now = identityOf(path);
    if (m_forecastHeld.loaded && now == m_forecastHeld.identity) return m_forecast;
    // The scratch copy as 反省 leaves it holds the book's payments: it shares
    // their bytes and records instead of holding a second book. It is compared
    // with them on the disk, so the book is never held twice; bytes a plain
    // read gives back as they are (no byte order mark) are the file's bytes.
    const FileContent held = book.payments().content();
    if (held.ok() && !held.hadByteOrderMark && held.notCp932.isEmpty() &&
        fileHoldsExactly(path, held.bytes)) {
        m_forecast = book;
        m_forecastHeld.loaded = !changedJustNow(now);
        m_forecastHeld.identity = now;
    } else if (std::optional<FileContent> read =
                   readIfChanged(bookfile::forecast, m_forecastHeld)) {
        // A copy that differs, or that a plain read changes, is read whole.
        if (read->ok() && held.ok() && read->bytes == held.bytes &&
            read->hadByteOrderMark == held.hadByteOrderMark && read->notCp932 == held.notCp932) {
            m_forecast = book;
        } else {
            QByteArray bytes = std::move(read->bytes);
            m_forecast.setPayments(std::move(bytes), std::move(*read));
        }
    }
    return m_forecast;
}

std::optional<FileContent> BookSession::readIfChanged(const QString &name, Held &held) const {
    const QString path = book.pathOf(name);
    const FileIdentity now = identityOf(path);
    if (held.loaded && now == held.identity) return std::nullopt;
    FileContent read = readFile(path);
    // A file that could not be read is read again at the next look.
    held.loaded = read.ok() && !changedJustNow(now);
    held.identity = now;
    noteReadError(read.error);
    return read;
}

bool BookSession::takesAppend(Held &held, const FileIdentity &before) {
    if (held.loaded && before == held.identity) return true;
    held.loaded = false;
    return false;
}

void BookSession::wrote(const QString &name, Held &held) {
    held.identity = identityOf(book.pathOf(name));
    // Where times are whole seconds, another program's change of the same
    // size in that second keeps the identity: read again once it has aged.
    held.loaded = !(timesInWholeSeconds(held.identity) && changedJustNow(held.identity));
}

void BookSession::refresh(const QString &name, Held &held) const {
    std::optional<FileContent> read = readIfChanged(name, held);
    if (!read) return;
    QByteArray bytes = std::move(read->bytes);
    if (&held == &m_payments)
        m_model.setPayments(std::move(bytes), std::move(*read));
    else
        m_model.setIncomes(std::move(bytes), std::move(*read));
}

bool BookSession::held(const QString &name, FileContent *content) const {
    if (name == bookfile::forecast) {
        // A copy a rewrite must not start from is left to the writers, which
        // read it themselves (an append to it needs no reading).
        const FileContent held = forecast().payments().content();
        if (!held.rewriteRefusal().ok()) return false;
        *content = held;
        return true;
    }
    if (name != bookfile::payments && name != bookfile::incomes) return false;
    const BookModel &now = model();
    *content = name == bookfile::payments ? now.payments().content() : now.incomes().content();
    return true;
}

std::optional<LinePlace> BookSession::placeInHeld(const QString &name, const QByteArray &bytes,
                                                  QByteArrayView date) const {
    // The very bytes held (the caller keeps them alive): the records are theirs.
    const auto same = [&](const auto &file) {
        return bytes.constData() == file.bytes().constData() && bytes.size() == file.bytes().size();
    };
    if (name == bookfile::payments && same(m_model.payments()))
        return m_model.payments().placeOfDate(date);
    if (name == bookfile::incomes && same(m_model.incomes()))
        return m_model.incomes().placeOfDate(date);
    if (name == bookfile::forecast && same(m_forecast.payments()))
        return m_forecast.payments().placeOfDate(date);
    return std::nullopt;
}

namespace {
bool isSmallHeld(const QString &name) {
    return name == bookfile::payees || name == bookfile::categories ||
           name == bookfile::associations || name == bookfile::budgets;
}
} // namespace

const QByteArray &BookSession::heldBytes(const QString &name) const {
    HeldBytes &h = m_small[name];
    if (std::optional<FileContent> read = readIfChanged(name, h.held))
        h.bytes = std::move(read->bytes);
    return h.bytes;
}

QStringList BookSession::master(const QString &name) const {
    return masterNames(heldBytes(name));
}

QList<Budget> BookSession::budgets() const {
    return budgetsIn(heldBytes(bookfile::budgets));
}

std::optional<QString> BookSession::categoryOfPayee(const QString &payee) const {
    return categoryOfPayeeIn(heldBytes(bookfile::associations), payee);
}

void BookSession::noteReadError(const FileResult &error) const {
    if (!error.ok() && m_readError.ok()) m_readError = error;
}

FileResult BookSession::takeReadError() {
    return std::exchange(m_readError, FileResult());
}

void BookSession::replaced(const QString &name, const QByteArray &content) {
    if (name == bookfile::forecast) {
        // The scratch copy made of the held payments shares their records.
        if (content.constData() == m_model.payments().bytes().constData())
            m_forecast = m_model;
        else
            m_forecast.rewritePayments(content);
        return wrote(name, m_forecastHeld);
    }
    if (isSmallHeld(name)) {
        HeldBytes &h = m_small[name];
        h.bytes = content;
        return wrote(name, h.held);
    }
    Held *held = name == bookfile::payments  ? &m_payments
                 : name == bookfile::incomes ? &m_incomes
                                             : nullptr;
    if (!held) return;
    if (held == &m_payments)
        m_model.rewritePayments(content);
    else
        m_model.setIncomes(content);
    wrote(name, *held);
}

void BookSession::appended(const QString &name, const QByteArray &bytes,
                           const FileIdentity &before) {
    // A copy older than the file the bytes went to is read anew at the next look.
    if (name == bookfile::forecast) {
        if (!takesAppend(m_forecastHeld, before)) return;
        m_forecast.appendPayments(bytes);
        return wrote(name, m_forecastHeld);
    }
    if (isSmallHeld(name)) {
        HeldBytes &h = m_small[name];
        if (!takesAppend(h.held, before)) return;
        h.bytes += bytes;
        return wrote(name, h.held);
    }
    if (name != bookfile::payments && name != bookfile::incomes) return;
    Held &held = name == bookfile::payments ? m_payments : m_incomes;
    if (!takesAppend(held, before)) return;
    if (&held == &m_payments)
        m_model.appendPayments(bytes);
    else
        m_model.setIncomes(m_model.incomes().bytes() + bytes);
    wrote(name, held);
}
