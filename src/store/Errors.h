// The two kinds of error of the logo store. An engine error comes from the
// table engine itself (a refused key, a missing, locked or damaged file); a
// database error also covers what the table layer refuses on its own (such
// as deleting from a table without rows). Callers that react to any database
// error catch DatabaseError; those that react to engine errors only catch
// EngineError.
#pragma once

#include <stdexcept>
#include <string>

namespace store {

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EngineError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// The text of a refused duplicate key.
inline constexpr const char* kKeyViolation = "Key violation.";

// True for a refused duplicate key, false for every other engine error (a
// locked, full or damaged file).
inline bool isKeyViolation(const EngineError& e) { return std::string(e.what()) == kKeyViolation; }

} // namespace store
