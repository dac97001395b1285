#pragma once
#include <QObject>
#include <functional>
#include <utility>

// Gathers the many "something changed" notes of one burst of writes (a page
// filling thousands of cells) into one run of the owner's refresh at the next
// event loop turn. When the owner refreshes at once because it is asked about
// what it shows, it calls settle() and the queued turn has nothing left to do.
// The queued turn belongs to the owner: it is dropped if the owner is deleted.
class DeferredRefresh {
public:
    DeferredRefresh(QObject *owner, std::function<void()> refresh)
        : m_owner(owner), m_refresh(std::move(refresh)) {}
    DeferredRefresh(const DeferredRefresh &) = delete;
    DeferredRefresh &operator=(const DeferredRefresh &) = delete;

    // Asks for one refresh at the next turn; asking again before it adds nothing.
    void request() {
        m_pending = true;
        if (m_queued) return;
        m_queued = true;
        QMetaObject::invokeMethod(
            m_owner,
            [this] {
                m_queued = false;
                if (!m_pending) return;
                m_pending = false;
                m_refresh();
            },
            Qt::QueuedConnection);
    }
    bool isPending() const { return m_pending; }
    // The owner has just refreshed by itself.
    void settle() { m_pending = false; }

private:
    QObject *m_owner;
    std::function<void()> m_refresh;
    bool m_pending = false;
    bool m_queued = false;
};
