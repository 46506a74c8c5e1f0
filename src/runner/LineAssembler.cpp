#include "runner/LineAssembler.h"

TLineAssembler::TLineAssembler(QStringList& lines, int maxLineBytes)
    : m_lines(lines), m_maxLineBytes(maxLineBytes)
{
    m_buffer.reserve(maxLineBytes);
}

void TLineAssembler::Feed(const char* data, qsizetype size, const LineCallback& onLine)
{
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            if (!m_afterCR) {
                // a line ended by LF alone is a line of its own
                m_newLine = true;
                Complete(onLine);
            }
            m_newLine = true;
            m_afterCR = false;
        } else if (c == '\r') {
            // A CR right after a CR-ended line rewrites nothing: completing the empty
            // text would wipe the status line just shown.
            if (!m_buffer.isEmpty() || m_newLine)
                Complete(onLine);
            m_afterCR = true;
        } else {
            m_afterCR = false;
            m_buffer.append(c);
            if (m_buffer.size() >= m_maxLineBytes) {
                m_newLine = true;
                Complete(onLine);
            }
        }
    }
}

void TLineAssembler::Finish(const LineCallback& onLine)
{
    // Only a pending text is delivered: an empty completion would add a blank entry or
    // empty the last status line.
    if (!m_buffer.isEmpty())
        Complete(onLine);
    m_afterCR = false;
}

void TLineAssembler::Complete(const LineCallback& onLine)
{
    const QString line = QString::fromUtf8(m_buffer);
    const bool append = m_newLine || m_lines.isEmpty();
    if (append)
        m_lines.append(line);
    else
        m_lines.last() = line;
    m_newLine = false;
    m_buffer.resize(0); // keeps the capacity
    if (onLine)
        onLine(m_lines.last(), append);
}
