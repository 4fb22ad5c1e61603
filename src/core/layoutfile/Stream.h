// The object stream every Load reads: primitive encodings, object frames,
// both string forms and the guards that keep hostile files in bounds.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "layoutfile/Errors.h"
#include "layoutfile/Extended.h"
#include "layoutfile/Streamable.h"

namespace tk3d {

enum class TSeekOrigin { Beginning, Current, End };

// Reads from a block of memory (a mapped file, a file read at once, or a
// buffer in a test). Every read is a bounds-clipped copy.
class TCLStream {
public:
    TCLStream(const uint8_t* data, int64_t size) : fData(data), fSize(size) {}
    virtual ~TCLStream() = default;
    TCLStream(const TCLStream&) = delete;
    TCLStream& operator=(const TCLStream&) = delete;

    bool Is32BitFile = true;
    bool IsANSIFile = false;

    // Copies up to count bytes and returns how many; never raises.
    int64_t Read(void* buffer, int64_t count);
    // New position; a negative result becomes 0 (positions past the end stay
    // and make the next read fail).
    int64_t Seek(int64_t offset, TSeekOrigin origin);
    int64_t Position() const { return fPos; }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }
    int64_t Size() const { return fSize; }
    int64_t Remaining() const { return fPos < fSize ? fSize - fPos : 0; }
    bool DataRemains() const { return fPos < fSize; }

    // Reads exactly count bytes or raises "Stream-Lesefehler".
    void ReadBuffer(void* buffer, int64_t count);
    // Skips count bytes that must exist.
    void Skip(int64_t count);

    // The primitive reads are inline: a large layout makes tens of millions.
    uint8_t ReadByte() { return *Take(1); }
    bool ReadBoolean() { return ReadByte() != 0; }
    uint16_t ReadWord() {
        const uint8_t* b = Take(2);
        return uint16_t(b[0] | (b[1] << 8));
    }
    int16_t ReadSmallInt() { return int16_t(ReadWord()); }
    int32_t ReadInteger() { return int32_t(ReadCardinal()); }
    uint32_t ReadCardinal() {
        const uint8_t* b = Take(4);
        return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
    }
    int64_t ReadInt64();
    float ReadSingle();
    double ReadDouble();
    // 80-bit extended as double; may be NaN or infinite, the caller decides.
    double ReadExtended() { return DecodeExtended(Take(10)); }
    // Extended that must be finite: NaN and infinities raise a read error.
    double ReadFiniteExtended();

    // A count of items of at least minItemSize bytes each: negative or more
    // than the remaining bytes can hold raises "Stream-Lesefehler".
    int32_t ReadCount(int64_t minItemSize);
    void CheckCount(int64_t count, int64_t minItemSize) const;

    // Length word, then ANSI bytes (Integer length, SmallInt in 16-bit files).
    std::string StrRead();
    // Integer length in UTF-16 units, then ANSI bytes or UTF-16 units.
    std::string ReadString();
    // count bytes of ANSI text, cut at the first zero byte.
    std::string ReadAnsiChars(int64_t count);
    // count UTF-16 units, cut at the first zero unit.
    std::string ReadWideChars(int64_t count);

    // Reads one object frame; null for class ID -1.
    std::unique_ptr<TStreamable> Get();

    // Where `count` consecutive frames from the current position start, and
    // the position after the last: the positions Get would go through when
    // every frame's end holds. Empty for 16-bit files (whose frames carry no
    // end) and when an end breaks the rules of CheckEnd.
    std::vector<int64_t> FrameStarts(int32_t count) const;
    // A stream of its own over the same bytes at `pos`, inside the same
    // frames, so that frames found by FrameStarts can be read on another
    // thread.
    std::unique_ptr<TCLStream> ForkAt(int64_t pos) const;
    // Frames entered and not yet left.
    int Depth() const { return fDepth; }

    // Reads a frame whose object must be a T (or none when allowNull).
    template <class T>
    std::unique_ptr<T> GetAs(bool allowNull = true) {
        std::unique_ptr<TStreamable> obj = Get();
        if (!obj) {
            if (allowNull) return nullptr;
            throw EInvalidCast();
        }
        T* typed = CastTo<T>(obj.get());
        if (!typed) throw EInvalidCast();
        obj.release();
        return std::unique_ptr<T>(typed);
    }

    // Section ends (Int64 ends of object sections, layer-data entry ends):
    // checks position <= end <= enclosing end and makes it the enclosing end
    // until the guard is left. Leaving seeks to the end.
    class TSectionGuard {
    public:
        TSectionGuard(TCLStream& stream, int64_t end);
        ~TSectionGuard();
        // Positions the stream at the end (call after the known fields).
        void Finish();
        int64_t End() const { return fEnd; }
        TSectionGuard(const TSectionGuard&) = delete;
        TSectionGuard& operator=(const TSectionGuard&) = delete;

    private:
        TCLStream& fStream;
        int64_t fEnd;
    };

    // The innermost enclosing end (the file size when none).
    int64_t EnclosingEnd() const { return fEnds.empty() ? fSize : fEnds.back(); }
    // Validates an end position read from the file against the rules above.
    void CheckEnd(int64_t end) const;

    static constexpr int kMaxNesting = 32;

protected:
    void Reset(const uint8_t* data, int64_t size) {
        fData = data;
        fSize = size;
        fPos = 0;
    }

private:
    // The next count bytes, which must exist ("Stream-Lesefehler").
    const uint8_t* Take(int64_t count) {
        if (fPos > fSize - count) ThrowReadError();
        const uint8_t* p = fData + fPos;
        fPos += count;
        return p;
    }
    [[noreturn]] static void ThrowReadError();

    const uint8_t* fData;
    int64_t fSize;
    int64_t fPos = 0;
    std::vector<int64_t> fEnds;
    int fDepth = 0;
};

// A layout file opened for reading: mapped read-only into memory when
// possible, else read at once. Raises "Datei %s kann nicht geöffnet werden".
class TBufStream : public TCLStream {
public:
    explicit TBufStream(const std::string& fileName);
    ~TBufStream() override;
    bool IsMapped() const { return fMap != nullptr; }

private:
    void* fMap = nullptr;
    int64_t fMapSize = 0;
    std::vector<uint8_t> fBuffer;
};

// A stream over bytes it owns (tests, fuzzing, memory input).
class TMemoryStream : public TCLStream {
public:
    explicit TMemoryStream(std::vector<uint8_t> bytes)
        : TCLStream(nullptr, 0), fBytes(std::move(bytes)) {
        Reset(fBytes.data(), int64_t(fBytes.size()));
    }

private:
    std::vector<uint8_t> fBytes;
};

// Readers for the old 16-bit forms.
int32_t ReadInt16(TCLStream& s);
int32_t ReadInt32(TCLStream& s);

}  // namespace tk3d
