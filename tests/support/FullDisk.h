#pragma once

#include <QString>
#include <QTemporaryDir>

// A real, tiny file system (tmpfs) that tests fill up, to see what a save does on a full
// disk. Mounting needs root (CI runs as root); where the mount is refused, Ok() is false
// and the test skips with Why().
class TFullDisk {
public:
    // sizeKiB: the file system's size; small enough to fill in an instant.
    explicit TFullDisk(int sizeKiB = 64);
    ~TFullDisk();
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

    bool Ok() const { return m_mounted; }
    QString Why() const { return m_why; }
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

    // Writes a filler file until the file system says it is full; true when it did.
    bool Fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};
