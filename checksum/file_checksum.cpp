#include "checksum/file_checksum.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>

#include "checksum/crc32.h"

namespace {

constexpr size_t kBlockSize = 1 << 20;
constexpr int64_t kDefaultBits = 256;
constexpr int64_t kAnyBits = -1;  // the algorithm has one digest size and ignores the option

// Every concrete digest the program computes. A row without an OpenSSL name is the CRC.
struct DigestRow {
  int64_t algorithm;
  int64_t bits;
  const char* opensslName;
};
constexpr DigestRow kDigests[] = {
    {AlgorithmCrc32, kAnyBits, nullptr}, {AlgorithmMd5, kAnyBits, "MD5"},
    {AlgorithmSha1, kAnyBits, "SHA1"},   {AlgorithmSha2, 224, "SHA2-224"},
    {AlgorithmSha2, 256, "SHA2-256"},    {AlgorithmSha2, 384, "SHA2-384"},
    {AlgorithmSha2, 512, "SHA2-512"},    {AlgorithmSha3, 224, "SHA3-224"},
    {AlgorithmSha3, 256, "SHA3-256"},    {AlgorithmSha3, 384, "SHA3-384"},
    {AlgorithmSha3, 512, "SHA3-512"},
};
constexpr size_t kDigestCount = std::size(kDigests);

std::optional<size_t> FindDigest(int64_t algorithm, int64_t bits) {
  const int64_t wanted = bits == 0 ? kDefaultBits : bits;
  for (size_t row = 0; row < kDigestCount; ++row) {
    const DigestRow& digest = kDigests[row];
    if (digest.algorithm == algorithm && (digest.bits == kAnyBits || digest.bits == wanted)) {
      return row;
    }
  }
  return std::nullopt;
}

// OpenSSL 3 looks an algorithm up in its provider store on every implicit use (EVP_sha256()
// and friends); fetching each one once and keeping it for the life of the process avoids that
// cost per file. A digest that cannot be fetched stays null and its checksums fail.
const EVP_MD* FetchedDigest(size_t row) {
  static const std::array<EVP_MD*, kDigestCount> fetched = [] {
    std::array<EVP_MD*, kDigestCount> digests{};
    for (size_t i = 0; i < kDigestCount; ++i) {
      if (kDigests[i].opensslName != nullptr) {
        digests[i] = EVP_MD_fetch(nullptr, kDigests[i].opensslName, nullptr);
      }
    }
    return digests;
  }();
  return fetched[row];
}

// One block buffer per thread, reused for every file: no allocation per file, and the memory in
// use stays the same whatever the size of the file. Page-aligned, so the kernel's copy out of the
// page cache fills whole pages; that measurably speeds up reading cached files.
struct FreeDeleter {
  void operator()(unsigned char* bytes) const { std::free(bytes); }
};

unsigned char* ThreadBlockBuffer() {
  constexpr size_t kPageSize = 4096;
  thread_local std::unique_ptr<unsigned char, FreeDeleter> buffer;
  if (!buffer) {
    buffer.reset(static_cast<unsigned char*>(std::aligned_alloc(kPageSize, kBlockSize)));
  }
  return buffer.get();
}

struct FileDescriptor {
  int fd = -1;
  ~FileDescriptor() {
    if (fd >= 0) {
      close(fd);
    }
  }
};

struct DigestContextDeleter {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextDeleter>;

// Opens a regular file for reading; false for anything else. The path is looked at before it is
// opened because opening some devices acts on them (a watchdog arms itself, a tape rewinds), and
// the open descriptor is looked at again because the path may have been replaced in between.
// O_NONBLOCK keeps a FIFO swapped in at that moment from waiting for a writer. Symbolic links
// are followed: a link to a file is hashed as that file.
bool OpenRegularFile(const std::string& path, FileDescriptor& file, struct stat& opened) {
  struct stat looked;
  if (stat(path.c_str(), &looked) != 0 || !S_ISREG(looked.st_mode)) {
    return false;
  }
  do {
    file.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (file.fd < 0 && errno == EINTR);
  if (file.fd < 0 || fstat(file.fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    return false;
  }
  // Reads of a regular file wait for the data as usual (mandatory locks or network file systems
  // could otherwise answer EAGAIN).
  fcntl(file.fd, F_SETFL, 0);  // drops O_NONBLOCK
  posix_fadvise(file.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return true;
}

// Hands every block of the file to `consume` until read() reports the end of the file (a short
// block alone does not mean the end on every file system). False on a read error: a checksum of
// the bytes that came before the error would pass for the checksum of the whole file.
template <typename Consume>
bool ReadAllBlocks(const FileDescriptor& file, const struct stat& opened, unsigned char* buffer,
                   void (*betweenBlocks)(), Consume&& consume) {
  int64_t total = 0;
  for (;;) {
    const ssize_t got = read(file.fd, buffer, kBlockSize);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    if (got == 0) {
      break;
    }
    if (!consume(buffer, static_cast<size_t>(got))) {
      return false;
    }
    total += got;
    if (betweenBlocks != nullptr) {
      betweenBlocks();
    }
  }
  // A file that changed size while it was read (truncated, or appended to by a writer) has no
  // single content that the checksum could stand for, so it fails. So does a file that ended
  // before the size it had when it was opened. A file that gives more bytes than it claimed
  // without changing its size (/proc reports 0) is hashed as read.
  struct stat finished;
  if (fstat(file.fd, &finished) != 0 || finished.st_size != opened.st_size) {
    return false;
  }
  return total >= opened.st_size;
}

std::u16string HexText(const unsigned char* bytes, size_t count) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text;
  text.reserve(count * 2);
  for (size_t i = 0; i < count; ++i) {
    text.push_back(kDigits[bytes[i] >> 4]);
    text.push_back(kDigits[bytes[i] & 0x0F]);
  }
  return text;
}

std::u16string Crc32OfFile(const FileDescriptor& file, const struct stat& opened,
                           unsigned char* buffer, void (*betweenBlocks)()) {
  uint32_t crc = 0;
  const bool complete = ReadAllBlocks(file, opened, buffer, betweenBlocks,
                                      [&crc](const unsigned char* data, size_t length) {
                                        crc = Crc32Update(crc, data, length);
                                        return true;
                                      });
  if (!complete) {
    return {};
  }
  // Most significant byte first: the usual eight-digit form, leading zeros kept.
  const unsigned char bytes[] = {
      static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
      static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
  return HexText(bytes, sizeof bytes);
}

std::u16string DigestOfFile(const EVP_MD* digest, const FileDescriptor& file,
                            const struct stat& opened, unsigned char* buffer,
                            void (*betweenBlocks)()) {
  DigestContext context(EVP_MD_CTX_new());
  if (!context || EVP_DigestInit_ex(context.get(), digest, nullptr) != 1) {
    return {};
  }
  const bool complete = ReadAllBlocks(file, opened, buffer, betweenBlocks,
                                      [&context](const unsigned char* data, size_t length) {
                                        return EVP_DigestUpdate(context.get(), data, length) == 1;
                                      });
  unsigned char value[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!complete || EVP_DigestFinal_ex(context.get(), value, &length) != 1) {
    return {};
  }
  return HexText(value, length);
}

}  // namespace

std::u16string FileChecksum(const std::string& nativePath, int64_t algorithm, int64_t sizeBits,
                            void (*betweenBlocks)()) {
  const std::optional<size_t> row = FindDigest(algorithm, sizeBits);
  if (!row) {
    return {};
  }
  const bool isCrc = kDigests[*row].opensslName == nullptr;
  const EVP_MD* digest = isCrc ? nullptr : FetchedDigest(*row);
  unsigned char* buffer = ThreadBlockBuffer();
  if ((!isCrc && digest == nullptr) || buffer == nullptr) {
    return {};
  }
  FileDescriptor file;
  struct stat opened;
  if (!OpenRegularFile(nativePath, file, opened)) {
    return {};
  }
  return isCrc ? Crc32OfFile(file, opened, buffer, betweenBlocks)
               : DigestOfFile(digest, file, opened, buffer, betweenBlocks);
}
