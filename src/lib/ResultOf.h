#pragma once

#include "lib/Result.h"

#include <utility>

// A value, or the failure that kept it from being made.
template <typename T>
class [[nodiscard]] TResultOf {
public:
    TResultOf(T value) : m_value(std::move(value)) {}
    // failure must not be ok().
    TResultOf(TResult failure) : m_result(std::move(failure)) {}

    bool ok() const { return m_result.ok(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_result.error(); }
    // A default T when !ok().
    const T& value() const { return m_value; }
    T& value() { return m_value; }

private:
    TResult m_result;
    T m_value{};
};
