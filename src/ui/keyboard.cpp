#include "ui/keyboard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

#include "ui/grid.h"

namespace keyboard {

namespace {
constexpr char kFirstInput[] = "keyboardFirstInput";
}

void setFirstInput(QWidget *container, QWidget *first) {
    container->setProperty(kFirstInput, QVariant::fromValue<QObject *>(first));
}

QWidget *firstInput(QWidget *container) {
    if (auto *named = qobject_cast<QWidget *>(container->property(kFirstInput).value<QObject *>());
        named && named->isEnabled() && named->isVisibleTo(container))
        return named;
    // A grid is read rather than filled in: an input or a button comes first.
    QWidget *firstGrid = nullptr;
    for (QWidget *w = container->nextInFocusChain(); w && w != container;
         w = w->nextInFocusChain()) {
        if (!container->isAncestorOf(w) || w->focusProxy()) continue; // the proxy comes later
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(container))
            continue;
        if (!qobject_cast<Grid *>(w->parentWidget())) return w;
        if (!firstGrid) firstGrid = w;
    }
    return firstGrid;
}

void focusFirstInput(QWidget *container) {
    if (QWidget *first = firstInput(container)) first->setFocus(Qt::OtherFocusReason);
}

void focusOpenedPage(QWidget *page) {
    const QWidget *current = QApplication::focusWidget();
    if (current && page->isAncestorOf(current) && current->isVisible()) return;
    focusFirstInput(page);
}

namespace {
class FocusOnShow : public QObject {
public:
    explicit FocusOnShow(QWidget *container) : QObject(container), m_container(container) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_container && event->type() == QEvent::Show) {
            QWidget *current = m_container->window()->focusWidget();
            if (!current || !m_container->isAncestorOf(current) || !current->isVisible())
                focusFirstInput(m_container);
        }
        return false;
    }

private:
    QWidget *m_container;
};
} // namespace

void focusFirstInputOnShow(QWidget *container) {
    container->installEventFilter(new FocusOnShow(container));
}

namespace {
bool s_givingFocusBack = false;

class FocusKeeper : public QObject {
public:
    explicit FocusKeeper(QWidget *page) : QObject(page), m_page(page) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != m_page) return false;
        if (event->type() == QEvent::Hide) {
            QWidget *current = QApplication::focusWidget();
            m_held = current && m_page->isAncestorOf(current) ? current : nullptr;
            // A redraw shows the page again within the same handler; a page
            // left for another one is opened afresh, at its first input.
            if (m_held)
                QMetaObject::invokeMethod(
                    this, [this] { m_held = nullptr; }, Qt::QueuedConnection);
        } else if (event->type() == QEvent::Show && m_held) {
            if (m_held->isVisibleTo(m_page) && m_held->isEnabled()) {
                s_givingFocusBack = true;
                m_held->setFocus(Qt::OtherFocusReason);
                s_givingFocusBack = false;
            }
            m_held = nullptr;
        }
        return false;
    }

private:
    QWidget *m_page;
    QPointer<QWidget> m_held;
};
} // namespace

bool givingFocusBack() {
    return s_givingFocusBack;
}

void keepFocusWhileRedrawn(QWidget *page) {
    page->installEventFilter(new FocusKeeper(page));
}

namespace {
class FocusOpenerOnClose : public QObject {
public:
    FocusOpenerOnClose(QWidget *panel, QWidget *opener)
        : QObject(panel), m_panel(panel), m_opener(opener) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // Only the panel's own closing: a page switch hides it with its page.
        if (watched != m_panel || event->type() != QEvent::Hide || !m_panel->isHidden())
            return false;
        QWidget *current = QApplication::focusWidget();
        if (current && m_panel->isAncestorOf(current) && m_opener && m_opener->isVisible())
            m_opener->setFocus(Qt::OtherFocusReason);
        return false;
    }

private:
    QWidget *m_panel;
    QPointer<QWidget> m_opener;
};
} // namespace

void focusOpenerOnClose(QWidget *panel, QWidget *opener) {
    panel->installEventFilter(new FocusOpenerOnClose(panel, opener));
}

namespace {
class RepeatedEnterSwallower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
    }
};
} // namespace

void pressOnEnter(QPushButton *button) {
    button->setAutoDefault(true);
    // A held Enter would press the button again, or the one that takes the
    // focus after it: a record saved twice, a closed panel opened again.
    button->installEventFilter(new RepeatedEnterSwallower(button));
}

void closeOnEscape(QWidget *panel, QAbstractButton *closer) {
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, closer, &QAbstractButton::click);
}

namespace {
// Shows the button's own tooltip with its key after it; the tooltip text stays as it is.
class KeyInTooltip : public QObject {
public:
    KeyInTooltip(QAbstractButton *button, const QString &key)
        : QObject(button), m_button(button), m_key(key) {}
    QString text() const {
        const QString tip = m_button->toolTip();
        return tip.isEmpty() ? m_key : tip + QStringLiteral(" (") + m_key + QStringLiteral(")");
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::ToolTip) return false;
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), m_button);
        return true;
    }

private:
    QAbstractButton *m_button;
    QString m_key;
};
} // namespace

void bindShortcut(QAbstractButton *button, const QKeySequence &key) {
    auto *shortcut = new QShortcut(key, button->window());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->installEventFilter(new KeyInTooltip(button, key.toString(QKeySequence::NativeText)));
}

QString shownTooltip(QAbstractButton *button) {
    if (auto *withKey = button->findChild<KeyInTooltip *>(QString(), Qt::FindDirectChildrenOnly))
        return withKey->text();
    return button->toolTip();
}

namespace {
bool takesTab(const QWidget *w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

// What Qt announces for the widget: its own name, a button's caption, a buddy's text.
QString announced(QWidget *w) {
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

// The control a focus-taking part belongs to: the outermost ancestor that
// hands its focus down to it.
QWidget *ownerOf(QWidget *part, QWidget *window) {
    QWidget *owner = part;
    for (QWidget *p = part->parentWidget(); p && p != window; p = p->parentWidget()) {
        QWidget *proxy = p;
        while (proxy->focusProxy())
            proxy = proxy->focusProxy();
        if (proxy == part || (p->focusProxy() && p->isAncestorOf(part))) owner = p;
    }
    return owner;
}

QString captionBefore(QWidget *control) {
    QWidget *parent = control->parentWidget();
    if (!parent) return {};
    QString caption;
    for (QObject *o : parent->children()) {
        if (o == control) break;
        if (auto *label = qobject_cast<QLabel *>(o); label && !label->text().isEmpty())
            caption = label->text();
    }
    if (caption.isEmpty())
        if (auto *frame = qobject_cast<QGroupBox *>(parent)) caption = frame->title();
    return caption;
}
} // namespace

void nameControls(QWidget *window) {
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->text().isEmpty() && b->accessibleName().isEmpty() && !b->toolTip().isEmpty())
            b->setAccessibleName(b->toolTip());
    for (QWidget *part : window->findChildren<QWidget *>()) {
        if (!takesTab(part) || part->window() != window || !announced(part).isEmpty()) continue;
        QWidget *owner = ownerOf(part, window);
        QString name = owner->accessibleName();
        if (name.isEmpty()) name = captionBefore(owner);
        // A part deep inside a named control (a calendar's year box) takes its name.
        for (QWidget *p = owner->parentWidget(); name.isEmpty() && p && p != window;
             p = p->parentWidget())
            name = p->accessibleName();
        if (name.isEmpty()) continue;
        if (owner->accessibleName().isEmpty()) owner->setAccessibleName(name);
        part->setAccessibleName(name);
    }
}

} // namespace keyboard
