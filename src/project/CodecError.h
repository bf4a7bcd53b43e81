// The error the project decoders raise on malformed input: compressed strings,
// base64 text and binary records. Callers turn it into a message and keep the
// open project; `kind` names the failure for code and tests, `what()` carries
// the text shown to the user.
#pragma once

#include <stdexcept>

enum class CodecErrorKind {
    MalformedCompressedData, // "Malformed data while uncompressing"
    InvalidBase64,           // "Input is not valid base64-encoded data."
    TruncatedData,           // a record declares more bytes than its input holds
    TooLarge,                // strings would decode to more than any project holds
};

const char* codecErrorMessage(CodecErrorKind kind);

class CodecError : public std::runtime_error {
public:
    explicit CodecError(CodecErrorKind kind) : std::runtime_error(codecErrorMessage(kind)), kind_(kind) {}

    CodecErrorKind kind() const { return kind_; }

private:
    CodecErrorKind kind_;
};
