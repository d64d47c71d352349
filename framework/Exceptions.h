#pragma once

#include <cstdint>
#include <exception>

#include "framework/String.h"

namespace fw {

// The framework's exceptions. A failing operation throws; whoever holds references releases them
// as the exception unwinds its scope, and the same exception travels on to the caller.
class RuntimeException : public std::exception {
public:
    explicit RuntimeException(String message = {}, std::int64_t errorNumber = 0)
        : message_(std::move(message)), errorNumber_(errorNumber) {}

    const String& Message() const noexcept { return message_; }
    std::int64_t ErrorNumber() const noexcept { return errorNumber_; }
    // The exception's class name, as a report of it shows it.
    virtual const char* TypeName() const noexcept { return "RuntimeException"; }
    const char* what() const noexcept override { return message_.CString(); }

private:
    String message_;
    std::int64_t errorNumber_;
};

// A file or stream failure; ErrorNumber is the platform's error code (Win32 or errno).
class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* TypeName() const noexcept override { return "IOException"; }
};

class NilObjectException : public RuntimeException {
public:
    NilObjectException() : RuntimeException("An object was used through an empty reference.") {}
    const char* TypeName() const noexcept override { return "NilObjectException"; }
};

class OutOfBoundsException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* TypeName() const noexcept override { return "OutOfBoundsException"; }
};

class IllegalCastException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* TypeName() const noexcept override { return "IllegalCastException"; }
};

// A user-interface operation was called off the thread that runs the framework.
class ThreadAccessingUIException : public RuntimeException {
public:
    ThreadAccessingUIException()
        : RuntimeException("A user-interface operation was called off the main thread.") {}
    const char* TypeName() const noexcept override { return "ThreadAccessingUIException"; }
};

} // namespace fw
