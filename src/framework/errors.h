#pragma once

#include <stdexcept>
#include <string>

// Every error the core raises carries a message a user can read; the windows
// show it as it is.
class EError : public std::runtime_error {
public:
    explicit EError(const std::string& message) : std::runtime_error(message) {}
};

// Library and document data that do not make sense.
class EDataError : public EError {
public:
    using EError::EError;
};

// File-level failures: a file that cannot be opened, written or is of the wrong kind.
class EInOutError : public EError {
public:
    using EError::EError;
};

// Malformed object streams.
class EReadError : public EError {
public:
    using EError::EError;
};

// Index and capacity errors of the collections and the reader's object table.
class ERangeError : public EError {
public:
    using EError::EError;
};
