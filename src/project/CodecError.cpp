#include "project/CodecError.h"

const char* codecErrorMessage(CodecErrorKind kind) {
    switch (kind) {
    case CodecErrorKind::MalformedCompressedData:
        return "Malformed data while uncompressing";
    case CodecErrorKind::InvalidBase64:
        return "Input is not valid base64-encoded data.";
    case CodecErrorKind::TruncatedData:
        return "Unexpected end of binary data";
    }
    return "Unknown codec error";
}
