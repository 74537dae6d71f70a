// The measuring half of bench/run_bench.sh. Each mode prints one line of key=value figures that
// the script reads; the script does the comparing.
//
//   checksum_bench hash ALGORITHM BITS FILE     one file through FileChecksum; with max RSS
//   checksum_bench folder ALGORITHM BITS FOLDER every file of a folder, one after the other
//   checksum_bench crc-variants [MIB]           zlib, libdeflate, ISA-L and Crc32Update on a
//                                               buffer of MIB MiB already in memory
//   checksum_bench make-files FOLDER COUNT BYTES  COUNT files of BYTES pseudo-random bytes
//
// ALGORITHM is the AlgorithmIndex (0 CRC32 … 4 SHA3); BITS the digest size for SHA2/SHA3.
#include <dirent.h>
#include <isa-l/crc.h>
#include <libdeflate.h>
#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checksum/crc32.h"
#include "checksum/file_checksum.h"
#include "platform/text.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long MaxRssKib() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int HashFile(int64_t algorithm, int64_t bits, const std::string& file) {
  const Clock::time_point start = Clock::now();
  const std::u16string checksum = FileChecksum(file, algorithm, bits);
  const double seconds = SecondsSince(start);
  if (checksum.empty()) {
    fprintf(stderr, "no checksum for %s\n", file.c_str());
    return 1;
  }
  printf("checksum=%s seconds=%.4f max_rss_kib=%ld\n", platform::Utf16ToUtf8(checksum).c_str(),
         seconds, MaxRssKib());
  return 0;
}

int HashFolder(int64_t algorithm, int64_t bits, const std::string& folder) {
  std::vector<std::string> files;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) {
    fprintf(stderr, "cannot list %s\n", folder.c_str());
    return 1;
  }
  while (const dirent* entry = readdir(listing)) {
    if (entry->d_type == DT_REG) {
      files.push_back(folder + "/" + entry->d_name);
    }
  }
  closedir(listing);

  const Clock::time_point start = Clock::now();
  size_t failed = 0;
  for (const std::string& file : files) {
    failed += FileChecksum(file, algorithm, bits).empty() ? 1 : 0;
  }
  const double seconds = SecondsSince(start);
  printf("files=%zu failed=%zu seconds=%.4f files_per_second=%.0f\n", files.size(), failed, seconds,
         files.size() / seconds);
  return failed == 0 ? 0 : 1;
}

void FillPseudoRandom(unsigned char* bytes, size_t count, uint64_t seed) {
  uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
  for (size_t i = 0; i < count; ++i) {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    bytes[i] = static_cast<unsigned char>((state * 0x2545F4914F6CDD1Dull) >> 56);
  }
}

struct CrcVariant {
  const char* name;
  uint32_t (*update)(uint32_t crc, const unsigned char* data, size_t length);
};

const CrcVariant kCrcVariants[] = {
    {"zlib_crc32_z",
     [](uint32_t crc, const unsigned char* data, size_t length) {
       return static_cast<uint32_t>(crc32_z(crc, data, length));
     }},
    {"libdeflate_crc32", [](uint32_t crc, const unsigned char* data,
                            size_t length) { return libdeflate_crc32(crc, data, length); }},
    {"isal_crc32_gzip_refl", [](uint32_t crc, const unsigned char* data,
                                size_t length) { return crc32_gzip_refl(crc, data, length); }},
    {"Crc32Update", Crc32Update},
};

// Fed in 1 MiB pieces, as FileChecksum feeds them; best of five passes over the buffer.
int CompareCrcVariants(size_t mebibytes) {
  constexpr size_t kBlock = 1 << 20;
  const size_t size = mebibytes * kBlock;
  std::vector<unsigned char> buffer(size);
  FillPseudoRandom(buffer.data(), size, 42);
  uint32_t reference = 0;
  for (const CrcVariant& variant : kCrcVariants) {
    double best = 1e30;
    uint32_t crc = 0;
    for (int pass = 0; pass < 5; ++pass) {
      const Clock::time_point start = Clock::now();
      crc = 0;
      for (size_t offset = 0; offset < size; offset += kBlock) {
        crc = variant.update(crc, buffer.data() + offset, kBlock);
      }
      const double seconds = SecondsSince(start);
      best = seconds < best ? seconds : best;
    }
    if (reference == 0) {
      reference = crc;
    }
    printf("variant=%s crc=%08x mb_per_second=%.0f agrees=%s\n", variant.name, crc,
           size / best / 1e6, crc == reference ? "yes" : "NO");
  }
  return 0;
}

int MakeFiles(const std::string& folder, long count, long bytes) {
  std::vector<unsigned char> content(bytes);
  for (long i = 0; i < count; ++i) {
    FillPseudoRandom(content.data(), content.size(), i + 1);
    const std::string name = folder + "/f" + std::to_string(i);
    FILE* out = fopen(name.c_str(), "wb");
    if (out == nullptr || fwrite(content.data(), 1, content.size(), out) != content.size()) {
      fprintf(stderr, "cannot write %s\n", name.c_str());
      return 1;
    }
    fclose(out);
  }
  return 0;
}

int Usage() {
  fprintf(stderr,
          "usage: checksum_bench hash ALGORITHM BITS FILE\n"
          "       checksum_bench folder ALGORITHM BITS FOLDER\n"
          "       checksum_bench crc-variants [MIB]\n"
          "       checksum_bench make-files FOLDER COUNT BYTES\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "hash" && argc == 5) {
    return HashFile(atoll(argv[2]), atoll(argv[3]), argv[4]);
  }
  if (mode == "folder" && argc == 5) {
    return HashFolder(atoll(argv[2]), atoll(argv[3]), argv[4]);
  }
  if (mode == "crc-variants" && argc <= 3) {
    return CompareCrcVariants(argc == 3 ? strtoul(argv[2], nullptr, 10) : 256);
  }
  if (mode == "make-files" && argc == 5) {
    return MakeFiles(argv[2], atol(argv[3]), atol(argv[4]));
  }
  return Usage();
}
