// Errors of the program: every failure is an exception carrying a message (8-bit, CP1252).
#pragma once

#include <stdexcept>
#include <string>

namespace rb {

// The framework's exception class: sections catch this one and record its message.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that cannot become a property value ("Invalid property element: %s").
class EPropertyConvertError : public Exception {
public:
    using Exception::Exception;
};

// A number outside the range of its type, or text that is not a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list or collection.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A silent abort: the operation ends without a message (the user cancelled, or there was
// nothing to connect with). Whoever shows errors to the user skips this one.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

}  // namespace rb
