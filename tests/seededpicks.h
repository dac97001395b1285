#pragma once
#include <QRandomGenerator>
#include <QStringList>

// A number from the environment (a seed, a count), or the fallback.
inline quint64 envNumber(const char *name, quint64 fallback) {
    bool ok = false;
    const quint64 v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

// The choices of the seeded property tests, from one generator the test seeds.
class SeededPicks {
protected:
    QRandomGenerator m_rng;

    int below(int n) { return static_cast<int>(m_rng.bounded(static_cast<quint32>(n))); }
    QString pick(const QStringList &l) { return l.at(below(static_cast<int>(l.size()))); }
    // A day of January to March 2024, as the files store it.
    QString date() {
        return QStringLiteral("2024/%1/%2")
            .arg(1 + below(3), 2, 10, QLatin1Char('0'))
            .arg(1 + below(28), 2, 10, QLatin1Char('0'));
    }
};
