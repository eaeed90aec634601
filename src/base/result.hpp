// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lumivel {

// Why an operation failed, in Spanish (UTF-8), as the windows show it and the command line
// prints it.
struct Error {
    explicit Error(std::string why, std::string where = {})
        : reason(std::move(why)), path(std::move(where)) {}

    std::string reason;
    // The file or device concerned; empty when there is none.
    std::string path;

    // "<path>: <reason>", or the reason alone without a path.
    std::string describe() const { return path.empty() ? reason : path + ": " + reason; }
};

// The one way the program reports a failure: a value, or the Error that prevented it.
// Asking a failed result for its value, or a successful one for its error, throws
// (std::bad_variant_access) rather than reading garbage.
template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<1>(state_); }

  private:
    std::variant<T, Error> state_;
};

template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    // Throws std::bad_optional_access when the operation succeeded.
    const Error& error() const { return error_.value(); }

  private:
    std::optional<Error> error_;
};

} // namespace lumivel

// Propagation: evaluates `expression`, a Result; when it failed, returns its Error from the
// enclosing function (whose Result may hold another type); otherwise `declaration` takes
// the value. `LUMIVEL_TRY(Records records, lockedRead(file));`
// A declaration cannot stand in parentheses, hence the exemption.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define LUMIVEL_TRY(declaration, expression)                                                       \
    auto&& LUMIVEL_TRIED_(__LINE__) = (expression);                                                \
    if (!LUMIVEL_TRIED_(__LINE__).ok()) {                                                          \
        return LUMIVEL_TRIED_(__LINE__).error();                                                   \
    }                                                                                              \
    declaration = std::move(LUMIVEL_TRIED_(__LINE__)).value()
// NOLINTEND(bugprone-macro-parentheses)

// The same for a Result<void>: returns its Error when it failed.
#define LUMIVEL_TRY_VOID(expression)                                                               \
    do {                                                                                           \
        if (const auto& tried = (expression); !tried.ok()) {                                       \
            return tried.error();                                                                  \
        }                                                                                          \
    } while (false)

// One name per line for the value being tried.
#define LUMIVEL_TRIED_(line) LUMIVEL_TRIED_NAME_(line)
#define LUMIVEL_TRIED_NAME_(line) tried_##line
