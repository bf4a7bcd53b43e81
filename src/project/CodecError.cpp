#include "project/CodecError.h"

const char* codecErrorMessage(CodecErrorKind kind) {
    switch (kind) {
    case CodecErrorKind::MalformedCompressedData:
        return "Malformed data while uncompressing";
    case CodecErrorKind::InvalidBase64:
        return "Input is not valid base64-encoded data.";
    case CodecErrorKind::TruncatedData:
        return "Unexpected end of binary data";
    case CodecErrorKind::TooLarge:
        return "The data would decode to more than a project can hold";
    }
    return "Unknown codec error";
}
