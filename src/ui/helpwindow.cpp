#include "ui/helpwindow.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *owner)
    : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("ミルテア ヘルプ"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(false);
    m_browser->setSource(QUrl(QStringLiteral("qrc:/docs/help.html")));
    resize(640, 560);
    // Read and put away from the keyboard, as the page it was opened from.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::showTopic(const QString &anchor) {
    if (anchor.isEmpty())
        m_browser->setSource(QUrl(QStringLiteral("qrc:/docs/help.html")));
    else
        m_browser->scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}
