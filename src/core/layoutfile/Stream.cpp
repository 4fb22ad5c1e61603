#include "layoutfile/Stream.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "layoutfile/ClassRegistry.h"
#include "layoutfile/Extended.h"
#include "platform/TextCodec.h"

namespace tk3d {

int64_t TCLStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || fPos >= fSize) return 0;
    if (count > fSize - fPos) count = fSize - fPos;
    std::memcpy(buffer, fData + fPos, size_t(count));
    fPos += count;
    return count;
}

int64_t TCLStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::Current) base = fPos;
    if (origin == TSeekOrigin::End) base = fSize;
    // Saturate instead of overflowing on absurd offsets from a file.
    int64_t target;
    if (__builtin_add_overflow(base, offset, &target)) target = offset < 0 ? 0 : INT64_MAX;
    fPos = target < 0 ? 0 : target;
    return fPos;
}

void TCLStream::ReadBuffer(void* buffer, int64_t count) {
    if (count < 0 || count > Remaining()) throw EReadError();
    if (count == 0) return;
    std::memcpy(buffer, fData + fPos, size_t(count));
    fPos += count;
}

void TCLStream::Skip(int64_t count) {
    if (count < 0 || count > Remaining()) throw EReadError();
    fPos += count;
}

void TCLStream::ThrowReadError() { throw EReadError(); }

int64_t TCLStream::ReadInt64() {
    const uint64_t lo = ReadCardinal();
    const uint64_t hi = ReadCardinal();
    return int64_t(lo | (hi << 32));
}

float TCLStream::ReadSingle() {
    const uint32_t bits = ReadCardinal();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

double TCLStream::ReadDouble() {
    const uint64_t bits = uint64_t(ReadInt64());
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

double TCLStream::ReadFiniteExtended() {
    const double v = ReadExtended();
    if (!std::isfinite(v)) throw EReadError();
    return v;
}

void TCLStream::CheckCount(int64_t count, int64_t minItemSize) const {
    if (count < 0) throw EReadError();
    // Multiplied rather than divided (every list of a file is checked): with
    // count within the remaining bytes and item sizes small constants, the
    // product cannot overflow.
    if (minItemSize > 0 && (count > Remaining() || count * minItemSize > Remaining())) throw EReadError();
}

int32_t TCLStream::ReadCount(int64_t minItemSize) {
    const int32_t n = ReadInteger();
    CheckCount(n, minItemSize);
    return n;
}

std::string TCLStream::ReadAnsiChars(int64_t count) {
    if (count < 0 || count > Remaining()) throw EReadError();
    const char* p = reinterpret_cast<const char*>(fData + fPos);
    fPos += count;
    size_t len = 0;
    while (len < size_t(count) && p[len] != 0) ++len;
    return AnsiToUtf8(std::string_view(p, len));
}

std::string TCLStream::ReadWideChars(int64_t count) {
    if (count < 0 || count > Remaining() / 2) throw EReadError();
    const uint8_t* p = fData + fPos;
    fPos += 2 * count;
    int64_t len = 0;
    while (len < count && (p[2 * len] | p[2 * len + 1]) != 0) ++len;
    return Utf16LEBytesToUtf8(p, size_t(len));
}

std::string TCLStream::StrRead() {
    const int32_t len = Is32BitFile ? ReadInteger() : ReadSmallInt();
    if (len < 0) return {};
    if (len > Remaining()) throw EReadError();
    const char* p = reinterpret_cast<const char*>(fData + fPos);
    fPos += len;
    return AnsiToUtf8(std::string_view(p, size_t(len)));
}

std::string TCLStream::ReadString() {
    const int32_t len = ReadInteger();
    if (len < 1) return {};
    if (IsANSIFile) {
        if (len > Remaining()) throw EReadError();
        const char* p = reinterpret_cast<const char*>(fData + fPos);
        fPos += len;
        return AnsiToUtf8(std::string_view(p, size_t(len)));
    }
    if (len > Remaining() / 2) throw EReadError();
    const uint8_t* p = fData + fPos;
    fPos += 2 * int64_t(len);
    return Utf16LEBytesToUtf8(p, size_t(len));
}

void TCLStream::CheckEnd(int64_t end) const {
    if (end < fPos || end > EnclosingEnd() || end > fSize) throw EReadError();
}

TCLStream::TSectionGuard::TSectionGuard(TCLStream& stream, int64_t end) : fStream(stream), fEnd(end) {
    stream.CheckEnd(end);
    stream.fEnds.push_back(end);
}

TCLStream::TSectionGuard::~TSectionGuard() { fStream.fEnds.pop_back(); }

void TCLStream::TSectionGuard::Finish() { fStream.fPos = fEnd; }

std::unique_ptr<TStreamable> TCLStream::Get() {
    const int16_t id = ReadSmallInt();
    if (id == -1) return nullptr;
    const TStreamClassEntry* entry = StreamClassByID(id);
    if (!entry) {
        if (id == 10016)
            throw TStreamEx(
                "Kann Dateien der Vorversion, die eingebettete oder verknüpfte Objekte enthalten, "
                "nicht lesen!");
        throw TStreamEx("Unbekannter Objekttyp! [" + std::to_string(id) + "]");
    }
    // Hostile files can nest frames without end; real layouts stay shallow.
    if (fDepth >= kMaxNesting) throw EReadError();
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } depthGuard(fDepth);

    std::unique_ptr<TStreamable> obj = entry->create();
    if (Is32BitFile) {
        const int64_t end = ReadInteger();
        TSectionGuard section(*this, end);
        obj->Load(*this);
        section.Finish();
    } else {
        obj->Load(*this);
    }
    return obj;
}

std::vector<int64_t> TCLStream::FrameStarts(int32_t count) const {
    if (!Is32BitFile || count < 0) return {};
    const int64_t limit = std::min(EnclosingEnd(), fSize);
    std::vector<int64_t> starts;
    starts.reserve(size_t(count) + 1);
    int64_t pos = fPos;
    for (int32_t i = 0; i < count; ++i) {
        starts.push_back(pos);
        if (pos > limit - 2) return {};
        const int16_t id = int16_t(fData[pos] | (fData[pos + 1] << 8));
        if (id == -1) {
            pos += 2;
            continue;
        }
        if (pos > limit - 6) return {};
        const uint8_t* e = fData + pos + 2;
        const int64_t end = int32_t(uint32_t(e[0]) | (uint32_t(e[1]) << 8) | (uint32_t(e[2]) << 16) |
                                    (uint32_t(e[3]) << 24));
        if (end < pos + 6 || end > limit) return {};
        pos = end;
    }
    starts.push_back(pos);
    return starts;
}

std::unique_ptr<TCLStream> TCLStream::ForkAt(int64_t pos) const {
    auto fork = std::make_unique<TCLStream>(fData, fSize);
    fork->Is32BitFile = Is32BitFile;
    fork->IsANSIFile = IsANSIFile;
    fork->fEnds = fEnds;
    fork->fDepth = fDepth;
    fork->SetPosition(pos);
    return fork;
}

TBufStream::TBufStream(const std::string& fileName) : TCLStream(nullptr, 0) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFileOpenError(fileName);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EFileOpenError(fileName);
    }
    const int64_t size = st.st_size;
    if (size > 0) {
        void* map = ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            fMap = map;
            fMapSize = size;
            Reset(static_cast<const uint8_t*>(map), size);
        } else {
            // Fallback: read the whole file at once.
            fBuffer.resize(size_t(size));
            int64_t got = 0;
            while (got < size) {
                const ssize_t n = ::read(fd, fBuffer.data() + got, size_t(size - got));
                if (n <= 0) break;
                got += n;
            }
            fBuffer.resize(size_t(got));
            Reset(fBuffer.data(), got);
        }
    }
    ::close(fd);
}

TBufStream::~TBufStream() {
    if (fMap) ::munmap(fMap, size_t(fMapSize));
}

int32_t ReadInt16(TCLStream& s) { return s.ReadSmallInt(); }
int32_t ReadInt32(TCLStream& s) { return s.ReadInteger(); }

}  // namespace tk3d
