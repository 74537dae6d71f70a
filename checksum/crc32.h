// CRC-32/ISO-HDLC, the CRC of zlib, gzip and ZIP: reflected, initial value all ones, result
// inverted.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues `crc` (0 for a fresh start, or the result of an earlier call) over `length` bytes
// and returns the finished CRC of everything fed so far, as zlib's crc32() does.
uint32_t Crc32Update(uint32_t crc, const unsigned char* data, size_t length);
