// Exceptions of the layout reader. Every failure carries the user-facing
// message text of the system; callers show e.what() as it is.
#pragma once
#include <stdexcept>
#include <string>

namespace tk3d {

// Base of every error the core raises towards the user.
class ETk3dError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by the object framing (unknown class IDs, unregistered classes).
class TStreamEx : public ETk3dError {
public:
    using ETk3dError::ETk3dError;
};

// Too few bytes, or a count, length or end position the file cannot hold.
class EReadError : public ETk3dError {
public:
    EReadError() : ETk3dError("Stream-Lesefehler") {}
};

// An object of the wrong class where a particular class is required.
class EInvalidCast : public ETk3dError {
public:
    EInvalidCast() : ETk3dError("Ungültige Typumwandlung") {}
};

// The file could not be opened.
class EFileOpenError : public ETk3dError {
public:
    explicit EFileOpenError(const std::string& fileName)
        : ETk3dError("Datei " + fileName + " kann nicht geöffnet werden") {}
};

// The header matches no known format; the message names the file.
class EInvalidFile : public ETk3dError {
public:
    explicit EInvalidFile(const std::string& fileName)
        : ETk3dError("Datei " + fileName +
                     " ist ungültig oder paßt nicht zu dieser Programmversion!") {}
};

}  // namespace tk3d
