#pragma once

#include <exception>
#include <string_view>

namespace calendario {

// The exit status of a program that a failure ended: a runtime error, a window that could not
// open, an answer that could not be written.
inline constexpr int kFailureExitStatus = 1;

// The one error that ends the program: it carries the number and the message that the
// user sees in the message box before the calendar closes. Copying it allocates nothing,
// so it can never fail while it is thrown or reported.
class RuntimeError : public std::exception
{
public:
    enum Number : int {
        InvalidCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        Internal = 51,
        InvalidPropertyValue = 380,
    };

    explicit RuntimeError(Number number);

    Number number() const noexcept { return number_; }
    std::string_view message() const noexcept { return message_; }
    const char *what() const noexcept override { return message_; }

private:
    Number number_;
    const char *message_;
};

} // namespace calendario
