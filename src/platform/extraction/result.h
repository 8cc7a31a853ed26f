// The outcome of every fallible operation of the extraction core: a value, or the first error met.
#pragma once

#include "error.h"

#include <cassert>
#include <utility>
#include <variant>

namespace zorvane::extraction {

// Shaped like std::expected, which the toolchain here does not have yet.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value() & { assert(ok()); return std::get<T>(m_state); }
    const T& value() const& { assert(ok()); return std::get<T>(m_state); }
    T&& value() && { assert(ok()); return std::get<T>(std::move(m_state)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { assert(!ok()); return std::get<Error>(m_state); }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { assert(m_failed); return m_error; }

private:
    Error m_error{};
    bool m_failed = false;
};

} // namespace zorvane::extraction
