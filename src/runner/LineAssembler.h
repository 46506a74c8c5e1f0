#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

// Turns the encoder's output bytes into console lines. A CR completes a line and the next
// CR-ended text writes over it (the status line rewritten in place); a LF right after a
// CR only starts a new entry; a LF on its own completes the line as a new entry. A line
// that reaches the byte limit is delivered at once.
class TLineAssembler {
public:
    // Called after each completed line went into the list: appended (true) or written
    // over the last entry (false).
    using LineCallback = std::function<void(const QString& line, bool appended)>;

    explicit TLineAssembler(QStringList& lines, int maxLineBytes = 20480);

    void Feed(const char* data, qsizetype size, const LineCallback& onLine);
    void Feed(const QByteArray& bytes, const LineCallback& onLine) { Feed(bytes.constData(), bytes.size(), onLine); }

    // The end of the output: a last line without a line end is delivered.
    void Finish(const LineCallback& onLine);

private:
    void Complete(const LineCallback& onLine);

    QStringList& m_lines;
    QByteArray m_buffer;
    int m_maxLineBytes;
    bool m_newLine = true;
    bool m_afterCR = false;
};
