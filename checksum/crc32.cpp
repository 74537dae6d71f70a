#include "checksum/crc32.h"

#include <isa-l/crc.h>

// ISA-L picks the widest carry-less multiply the processor offers at run time (AVX-512
// VPCLMULQDQ, then PCLMULQDQ, then tables). Measured against zlib's crc32_z and libdeflate on the
// same cached buffer (bench/checksum_bench crc-variants) it was the fastest by a wide margin, so
// hashing a cached file is bound by the copy out of the page cache, not by the CRC.
uint32_t Crc32Update(uint32_t crc, const unsigned char* data, size_t length) {
  return crc32_gzip_refl(crc, data, length);
}
