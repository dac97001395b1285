#include "book/booksession.h"

#include <ctime>
#include <utility>

namespace {
// File times advance in steps of the kernel's clock tick: a file changed again
// within the same step as the read keeps its identity. A file read that soon
// after its last change is read again at the next look, until it has aged.
bool changedJustNow(const FileIdentity &id) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const qint64 nowNs = now.tv_sec * 1'000'000'000LL + now.tv_nsec;
    constexpr qint64 kTick = 100'000'000; // far above any kernel's tick
    return nowNs - std::max(id.mtimeNs, id.ctimeNs) < kTick;
}
} // namespace

BookSession::BookSession() : BookSession(QDir::currentPath()) {}

BookSession::BookSession(const QString &dir) : book(dir) {
    book.setWatcher(this);
}

bool BookSession::isSampleBook() const {
    return firstPayDate() == QStringLiteral("2005/01/02") && userName == kSampleUserName;
}

const BookModel &BookSession::model() const {
    refresh(bookfile::payments, m_payments);
    refresh(bookfile::incomes, m_incomes);
    return m_model;
}

void BookSession::refresh(const QString &name, Held &held) const {
    const QString path = book.pathOf(name);
    const FileIdentity now = identityOf(path);
    if (held.loaded && now == held.identity) return;
    FileContent read = readFile(path);
    // A file that could not be read is read again at the next look.
    held.loaded = read.ok() && !changedJustNow(now);
    held.identity = now;
    if (!read.ok() && m_readError.ok()) m_readError = read.error;
    QByteArray bytes = std::move(read.bytes);
    if (&held == &m_payments)
        m_model.setPayments(std::move(bytes), std::move(read));
    else
        m_model.setIncomes(std::move(bytes), std::move(read));
}

bool BookSession::held(const QString &name, FileContent *content) const {
    if (name != bookfile::payments && name != bookfile::incomes) return false;
    const BookModel &now = model();
    *content = name == bookfile::payments ? now.payments().content() : now.incomes().content();
    return true;
}

FileResult BookSession::takeReadError() {
    return std::exchange(m_readError, FileResult());
}

void BookSession::replaced(const QString &name, const QByteArray &content) {
    Held *held = name == bookfile::payments  ? &m_payments
                 : name == bookfile::incomes ? &m_incomes
                                             : nullptr;
    if (!held) return;
    if (held == &m_payments)
        m_model.rewritePayments(content);
    else
        m_model.setIncomes(content);
    held->identity = identityOf(book.pathOf(name));
    held->loaded = true;
}

void BookSession::appended(const QString &name, const QByteArray &bytes) {
    if (name != bookfile::payments && name != bookfile::incomes) return;
    Held &held = name == bookfile::payments ? m_payments : m_incomes;
    // Held bytes that are not what the file held before the append are read anew.
    if (!held.loaded) return;
    if (&held == &m_payments)
        m_model.appendPayments(bytes);
    else
        m_model.setIncomes(m_model.incomes().bytes() + bytes);
    held.identity = identityOf(book.pathOf(name));
}
