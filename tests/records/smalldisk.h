#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// A small tmpfs mounted over a temporary folder, so that writes meet a full
// disk. Mounting needs root (CI runs as root); elsewhere whyNot() says why
// the test skips. Unmounted when destroyed.
class SmallDisk {
public:
    explicit SmallDisk(const char *size = "256k") {
        if (::geteuid() != 0) {
            m_whyNot = "a full disk is simulated with a tmpfs mount, which needs root";
            return;
        }
        const QByteArray options = QByteArray("size=") + size;
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                    options.constData()) != 0) {
            m_whyNot = QByteArray("mounting a tmpfs failed: ") + std::strerror(errno);
            return;
        }
        m_mounted = true;
    }
    ~SmallDisk() {
        if (m_mounted) ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    const char *whyNot() const { return m_whyNot.constData(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    void writeBytes(const QString &name, const QByteArray &bytes) const {
        QFile f(file(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    }
    QByteArray bytes(const QString &name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList files() const {
        QStringList names = QDir(path()).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    }

    // Takes every free byte into a filler file.
    void fill() const {
        const int fd = ::open(QFile::encodeName(file(kFiller)).constData(),
                              O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0) return;
        static const char block[4096] = {};
        for (size_t chunk : {sizeof block, size_t{1}})
            while (::write(fd, block, chunk) > 0) {
            }
        ::close(fd);
    }
    void freeSpace() const { QFile::remove(file(kFiller)); }

    static inline const QString kFiller = QStringLiteral("filler");

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QByteArray m_whyNot;
};
