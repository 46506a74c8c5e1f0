#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Shared pieces of the fuzz targets.
namespace FuzzSupport {

// The inspectors and readers take a file name: the input is handed over as an in-memory
// file (memfd), reached through /proc/self/fd, so no disk is touched per run.
class MemFile {
public:
    MemFile();
    ~MemFile();
    MemFile(const MemFile&) = delete;
    MemFile& operator=(const MemFile&) = delete;
    // Replaces the content; returns the path that reads it.
    QString Put(const uint8_t* data, size_t size);
    QString Path() const { return m_path; }

private:
    int m_fd = -1;
    QString m_path;
};

// A private scratch directory for targets that must write real files.
QString ScratchDir();

// Aborts (a finding) with message when condition is false.
void Require(bool condition, const char* message);

} // namespace FuzzSupport
