// The one way a call returns either its value or why it failed: Result<T> holds a T
// or an error (by default an English sentence), never both. Result<void> only says
// whether the call succeeded.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace platform {

// The failure of a call, made with Failure(...) and taken by any Result.
template <class E>
struct Failed {
    E error;
};

template <class E = std::string>
Failed<E> Failure(E error) {
    return Failed<E>{std::move(error)};
}

inline Failed<std::string> Failure(const char* error) {
    return Failed<std::string>{error};
}

template <class T, class E = std::string>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    template <class F>
    Result(Failed<F> failed) : state_(std::in_place_index<1>, E(std::move(failed.error))) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // Why it failed; only when !ok().
    const E& error() const { return std::get<1>(state_); }

  private:
    std::variant<T, E> state_;
};

template <class E>
class [[nodiscard]] Result<void, E> {
  public:
    Result() = default;
    template <class F>
    Result(Failed<F> failed) : error_(E(std::move(failed.error))) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    // Why it failed; only when !ok().
    const E& error() const { return *error_; }

  private:
    std::optional<E> error_;
};

using Status = Result<void>;

}  // namespace platform
