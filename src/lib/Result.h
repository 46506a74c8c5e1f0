#pragma once

#include <QString>

#include <utility>

// What an operation that may fail answers: done, or not done and why, in the words the
// user is shown.
class [[nodiscard]] TResult {
public:
    TResult() = default; // done

    static TResult Failure(QString message)
    {
        TResult r;
        r.m_failed = true;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    // Empty when ok().
    const QString& error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};
