#include "support/FullDisk.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

TFullDisk::TFullDisk(int sizeKiB)
{
    if (!m_dir.isValid()) {
        m_why = QStringLiteral("no temporary directory");
        return;
    }
    const QByteArray target = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(sizeKiB) + "k,mode=0755";
    if (::mount("tmpfs", target.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_why = QStringLiteral("cannot mount a tmpfs: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

TFullDisk::~TFullDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool TFullDisk::Fill()
{
    const QByteArray name = QFile::encodeName(FilePath(QStringLiteral(".filler")));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    bool full = false;
    // Whole blocks first, then single bytes for the last partial page.
    for (qsizetype size : {qsizetype(4096), qsizetype(1)}) {
        for (;;) {
            if (::write(fd, block.constData(), size_t(size)) < 0) {
                full = errno == ENOSPC;
                break;
            }
        }
    }
    ::close(fd);
    return full;
}
