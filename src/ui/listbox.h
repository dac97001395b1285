#pragma once
#include <QElapsedTimer>
#include <QListWidget>

// A list box as the book's pages use it: a click on an item raises clicked();
// while the mouse button is held the selection follows the mouse, and the
// press and release are reported so that handlers can read the selection at
// either moment (no drag and drop).
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);
    // Exactly what a user's click on that row does.
    void clickRow(int row);
    // Type-ahead: marks the next item that begins with what was typed in
    // quick succession. Hiragana finds katakana and half-width forms find
    // full-width ones, so "す" typed through the input method finds
    // "スーパー" as well as "すし屋"; letter case does not count.
    void keyboardSearch(const QString &typed) override;

signals:
    void mouseDown(Qt::MouseButton button);
    void clicked();
    void mouseUp(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;

private:
    QString m_typed;
    QElapsedTimer m_sinceTyped;
    bool m_typedHit = false; // the last key found an item by type-ahead
};
