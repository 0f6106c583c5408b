#pragma once

#include <exception>
#include <string>
#include <utility>

namespace netedit {

// What ends a user action: a fixed message in code page 932 bytes (it may embed path bytes).
// Thrown by services, caught only by the guard around every user action.
class Failure : public std::exception {
public:
    explicit Failure(std::string message) : message_(std::move(message)) {}

    const std::string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace netedit
