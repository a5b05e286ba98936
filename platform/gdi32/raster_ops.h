// Ternary raster operations: each result bit from the pattern, source and destination bits.
#pragma once

#include <cstdint>

namespace layer {

inline bool RopUsesSource(uint8_t rop) { return ((rop >> 2) ^ rop) & 0x33; }
inline bool RopUsesPattern(uint8_t rop) { return ((rop >> 4) ^ rop) & 0x0f; }
inline bool RopUsesDestination(uint8_t rop) { return ((rop >> 1) ^ rop) & 0x55; }

// Bit i of rop is the result for pattern, source, destination bits (i >> 2, i >> 1, i) & 1.
inline uint32_t ApplyRop(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
    switch (rop) {
        case 0x00: return 0;
        case 0xff: return ~0u;
        case 0xcc: return s;
        case 0x33: return ~s;
        case 0x88: return s & d;
        case 0xee: return s | d;
        case 0x66: return s ^ d;
        case 0x44: return s & ~d;
        case 0xbb: return ~s | d;
        case 0x11: return ~(s | d);
        case 0xf0: return p;
        case 0x5a: return p ^ d;
        case 0x55: return ~d;
        default: break;
    }
    uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((rop >> i) & 1)) continue;
        result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return result;
}

// d[i] = rop(p, s[i], d[i]) over a row, with the common codes as plain loops.
inline void ApplyRopRow(uint8_t rop, uint32_t p, const uint32_t* s, uint32_t* d, int n) {
    switch (rop) {
        case 0xcc: for (int i = 0; i < n; ++i) d[i] = s[i]; return;
        case 0x33: for (int i = 0; i < n; ++i) d[i] = ~s[i]; return;
        case 0x88: for (int i = 0; i < n; ++i) d[i] &= s[i]; return;
        case 0xee: for (int i = 0; i < n; ++i) d[i] |= s[i]; return;
        case 0x66: for (int i = 0; i < n; ++i) d[i] ^= s[i]; return;
        case 0xf0: for (int i = 0; i < n; ++i) d[i] = p; return;
        default: for (int i = 0; i < n; ++i) d[i] = ApplyRop(rop, p, s[i], d[i]); return;
    }
}

}  // namespace layer
