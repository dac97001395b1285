#pragma once
#include <QApplication>
#include <QTest>

#include "windowfixture.h"

// The real window driven by keys alone, as the user's keyboard sends them.
class KeyboardFixture : public WindowFixture {
protected:
    int m_keys = 0; // keys pressed besides the digits

    // One payment record line of データ.txt, text fields quoted, no memo.
    static QString payLine(const char *date, const char *payee, const char *cat, int amount) {
        return QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"\",\"\"\r\n")
            .arg(QString::fromUtf8(date), QString::fromUtf8(payee), QString::fromUtf8(cat))
            .arg(amount);
    }
    // The named control that holds the window's focus (the part of a
    // compound control that takes it is named after its owner).
    QString focusName() const {
        for (QWidget *w = m_w->focusWidget(); w; w = w->parentWidget())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                return w->objectName();
        return {};
    }
    // A key to whatever has the focus; a message box just answered gives the
    // window back its activation first.
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        if (QApplication::activeWindow() != m_w.get()) {
            m_w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        }
        QWidget *target = QApplication::focusWidget();
        QVERIFY2(target, "nothing has the focus");
        QTest::keyClick(target, Qt::Key(key), mods);
        ++m_keys;
        settle();
    }
    void digits(const char *text) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
        settle();
    }
    void openActive() {
        open();
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        settle();
    }
    // Three payees, each with its own category remembered.
    void storeMasters() {
        m_dir->write(QStringLiteral("支払いマスタ.txt"),
                     QStringLiteral("八百屋\r\n本屋\r\n花屋\r\n"));
        m_dir->write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n教養\r\n趣味\r\n"));
        m_dir->write(QStringLiteral("関連.TXT"),
                     QStringLiteral("\"八百屋\",\"食費\"\r\n\"本屋\",\"教養\"\r\n"
                                    "\"花屋\",\"趣味\"\r\n"));
    }
};
