#pragma once
#include <QWidget>

class QTextBrowser;

// The program's own help document, in a window of its own owned by the main window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *owner);
    void showTopic(const QString &anchor = {});

private:
    QTextBrowser *m_browser;
};
