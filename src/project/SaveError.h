// Why a project could not be written, in words for the user and as a kind for
// code and tests. Nothing is written when a save fails this way: the project is
// checked while its bytes are made, before any file is touched.
#pragma once

#include <stdexcept>
#include <string>

enum class SaveErrorKind {
    EventTypeOutOfRange, // the binary form holds event types 0 to 255 only
    TooLargeForPlayer,   // a player's trailer holds a 32-bit length
};

class SaveError : public std::runtime_error {
public:
    SaveError(SaveErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

    SaveErrorKind kind() const { return kind_; }

private:
    SaveErrorKind kind_;
};
