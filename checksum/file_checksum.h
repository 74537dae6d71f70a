// The checksum of one file, as the lower-case hexadecimal text that the list shows and exports.
#pragma once

#include <cstdint>
#include <string>

// The algorithm of a job, as stored in the preferences and handed to the worker.
enum AlgorithmIndex : int64_t {
  AlgorithmCrc32 = 0,
  AlgorithmMd5 = 1,
  AlgorithmSha1 = 2,
  AlgorithmSha2 = 3,
  AlgorithmSha3 = 4,
};
constexpr int64_t kAlgorithmCount = 5;

// The index of the digest-size option, in option order.
enum BitsIndex : int64_t {
  Bits224 = 0,
  Bits256 = 1,
  Bits384 = 2,
  Bits512 = 3,
};
// Digest size in bits by BitsIndex.
constexpr int64_t kDigestBitsByIndex[] = {224, 256, 384, 512};

// Reads the file at `nativePath` in 1 MiB blocks and returns its checksum text: 8 hex digits for
// CRC32, 32 for MD5, 40 for SHA1, and 2 per byte of the digest for SHA2 and SHA3.
// `sizeBits` chooses the SHA2/SHA3 variant (224, 256, 384, 512; 0 means 256) and is ignored by
// the other algorithms. The empty text means no checksum: unknown algorithm or size, a path that
// is not a readable regular file, a read error, or a file that changed size while it was read.
// `betweenBlocks`, when given, is called after every block so that the caller can pause there.
std::u16string FileChecksum(const std::string& nativePath, int64_t algorithm, int64_t sizeBits,
                            void (*betweenBlocks)() = nullptr);
