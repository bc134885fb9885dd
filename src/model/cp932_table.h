#pragma once
// Conversion tables of code page 932, generated from Windows' own table (scripts/gen_cp932.py).

#include <cstdint>

namespace rqx::cp932 {

// Row of kDoubleByte for a lead byte (1-based), 0 for a single-byte code.
extern const uint8_t kLeadIndex[256];
// Single-byte codes; lead bytes alone read as the default character U+30FB.
extern const char16_t kSingleByte[256];
// Double-byte codes: row (kLeadIndex[lead] - 1), column trail byte; undefined codes read as U+30FB.
extern const char16_t kDoubleByte[];
// Page of kEncode for the high byte of a UTF-16 unit (0 = no code on that page).
extern const uint8_t kEncodePage[256];
// Code for each UTF-16 unit: 0x00XX single byte, 0xHHLL double byte, 0 none (except U+0000).
extern const uint16_t kEncode[];

}  // namespace rqx::cp932
