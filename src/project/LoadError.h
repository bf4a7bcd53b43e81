// Why a project could not be loaded, in words for the user and as a kind for
// code and tests: a list it cannot do without is missing, a resource file it
// names is missing or lies outside the working directory, or a player's tail is
// damaged. Loading stops and the open project stays as it was. Damaged encoded
// data raises CodecError instead.
#pragma once

#include <stdexcept>
#include <string>

enum class LoadErrorKind {
    NotAProject,   // a required list is missing or is not a list
    MissingFile,   // "File not found: <path>"
    RefusedPath,   // a resource path outside the working directory
    DamagedPlayer, // the project appended to a player cannot be read
};

class LoadError : public std::runtime_error {
public:
    LoadError(LoadErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

    LoadErrorKind kind() const { return kind_; }

private:
    LoadErrorKind kind_;
};
