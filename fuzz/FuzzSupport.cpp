#include "FuzzSupport.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace FuzzSupport {

MemFile::MemFile()
{
    m_fd = ::memfd_create("vexa-fuzz", 0);
    if (m_fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    m_path = QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

MemFile::~MemFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString MemFile::Put(const uint8_t* data, size_t size)
{
    Require(::ftruncate(m_fd, 0) == 0, "ftruncate");
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, data + done, size - done, off_t(done));
        Require(n > 0, "pwrite");
        done += size_t(n);
    }
    return m_path;
}

QString ScratchDir()
{
    static const QString dir = [] {
        // Saves sync their files: on a memory file system that costs next to nothing.
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray tmpl = base.toLocal8Bit() + "/vexa-fuzz-XXXXXX";
        Require(::mkdtemp(tmpl.data()) != nullptr, "mkdtemp");
        static std::string path = tmpl.toStdString();
        std::atexit([] { QDir(QString::fromStdString(path)).removeRecursively(); });
        return QString::fromLocal8Bit(tmpl);
    }();
    return dir;
}

void Require(bool condition, const char* message)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", message);
    std::abort();
}

} // namespace FuzzSupport
