// Writes layout-file bytes for fixtures, the generator and the benchmark.
// It follows the stream layouts byte by byte and shares no code with the
// reader, so a reader fault cannot hide behind a writer with the same fault.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tk3dw {

class TLayoutWriter {
public:
    std::vector<uint8_t> bytes;

    size_t Pos() const { return bytes.size(); }
    void Byte(uint8_t v) { bytes.push_back(v); }
    void Bool(bool v) { Byte(v ? 1 : 0); }
    void Word(uint16_t v);
    void SmallInt(int16_t v) { Word(uint16_t(v)); }
    void Integer(int32_t v);
    void Cardinal(uint32_t v) { Integer(int32_t(v)); }
    void Int64(int64_t v);
    void Single(float v);
    void Double(double v);
    // 80-bit x87 extended, exact for every double.
    void Extended(double v);
    void Raw(const void* data, size_t n);
    void Raw(std::string_view s) { Raw(s.data(), s.size()); }
    void Zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }

    // StrRead form: length (Integer, or SmallInt for 16-bit files), ANSI bytes.
    void StrWrite(std::string_view ansi, bool is32Bit = true);
    // ReadString form: UTF-16 unit count, then ANSI bytes or UTF-16 units.
    // The text is UTF-8; for ANSI it must be ASCII or already code page 1252.
    void WriteString(std::string_view utf8, bool ansi = false);
    // count UTF-16 units of a fixed-size field (zero-padded).
    void WideChars(std::string_view utf8, size_t count);

    // Object frames: BeginFrame writes the class ID and (32-bit) reserves the
    // end position; EndFrame writes the position reached into it.
    size_t BeginFrame(int16_t classId, bool is32Bit = true);
    void EndFrame(size_t frame);
    void NullFrame() { SmallInt(-1); }

    // Int64 section end (object versions above 41001) and Integer entry ends.
    size_t BeginEnd64();
    void EndEnd64(size_t at);
    size_t BeginEnd32();
    void EndEnd32(size_t at);

    void PatchInteger(size_t at, int32_t v);
    void PatchInt64(size_t at, int64_t v);
};

// UTF-8 to UTF-16 code units (test data is valid UTF-8).
std::u16string ToUtf16(std::string_view utf8);

}  // namespace tk3dw
