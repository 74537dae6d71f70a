#include "tests/lang/pack_fixtures.h"

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::string BigEndian32(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string PngChunk(std::string_view type, std::string_view data) {
  std::string typed = std::string(type) + std::string(data);
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
  return BigEndian32(static_cast<uint32_t>(data.size())) + typed +
         BigEndian32(static_cast<uint32_t>(crc));
}

std::string CompressedRows(int width, int height) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // filter: none
    for (int x = 0; x < width * 4; ++x)
      raw.push_back(static_cast<char>((x * 7 + y * 13) & 0xFF));
  }
  uLongf length = compressBound(static_cast<uLong>(raw.size()));
  std::string compressed(length, '\0');
  if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &length,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                9) != Z_OK) {
    std::abort();
  }
  compressed.resize(length);
  return compressed;
}

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

std::string PngHeader(int width, int height) {
  return PngChunk("IHDR", BigEndian32(static_cast<uint32_t>(width)) +
                              BigEndian32(static_cast<uint32_t>(height)) +
                              std::string("\x08\x06\x00\x00\x00", 5));  // 8-bit RGBA
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

const char* NameOf(PackKind kind) {
  return kind == PackKind::Folder ? "Folder" : "Zip";
}

bool WriteZip(const std::string& path, const std::vector<PackEntry>& entries) {
  archive* writer = archive_write_new();
  archive_write_set_format_zip(writer);
  bool ok = archive_write_open_filename(writer, path.c_str()) == ARCHIVE_OK;
  for (const PackEntry& entry : entries) {
    if (!ok)
      break;
    archive_entry* header = archive_entry_new();
    archive_entry_set_pathname(header, entry.name.c_str());
    archive_entry_set_perm(header, 0644);
    switch (entry.kind) {
      case EntryKind::File:
        archive_entry_set_filetype(header, AE_IFREG);
        archive_entry_set_size(header, static_cast<la_int64_t>(entry.bytes.size()));
        break;
      case EntryKind::Folder:
        archive_entry_set_filetype(header, AE_IFDIR);
        archive_entry_set_perm(header, 0755);
        break;
      case EntryKind::Link:
        archive_entry_set_filetype(header, AE_IFLNK);
        archive_entry_set_symlink(header, entry.bytes.c_str());
        break;
    }
    ok = archive_write_header(writer, header) == ARCHIVE_OK;
    if (ok && entry.kind == EntryKind::File && !entry.bytes.empty()) {
      ok = archive_write_data(writer, entry.bytes.data(), entry.bytes.size()) ==
           static_cast<la_ssize_t>(entry.bytes.size());
    }
    archive_entry_free(header);
  }
  ok = archive_write_close(writer) == ARCHIVE_OK && ok;
  archive_write_free(writer);
  return ok;
}

bool MakePack(PackKind kind, const std::string& path, const std::vector<PackEntry>& entries) {
  if (kind == PackKind::Zip)
    return WriteZip(path, entries);
  std::error_code error;
  std::filesystem::create_directories(path, error);
  for (const PackEntry& entry : entries) {
    const std::filesystem::path target = std::filesystem::path(path) / entry.name;
    std::filesystem::create_directories(target.parent_path(), error);
    switch (entry.kind) {
      case EntryKind::File:
        WriteFile(target.string(), entry.bytes);
        break;
      case EntryKind::Folder:
        std::filesystem::create_directories(target, error);
        break;
      case EntryKind::Link:
        std::filesystem::create_symlink(entry.bytes, target, error);
        break;
    }
  }
  return !error;
}

std::vector<std::string> ZipEntryNames(const std::string& path) {
  std::vector<std::string> names;
  archive* reader = archive_read_new();
  archive_read_support_format_zip(reader);
  if (archive_read_open_filename(reader, path.c_str(), 65536) == ARCHIVE_OK) {
    archive_entry* entry = nullptr;
    while (archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
      names.push_back(archive_entry_pathname(entry));
    }
  }
  archive_read_free(reader);
  return names;
}

std::string LanguageFile(const char* name, std::string_view body, std::string_view version) {
  std::string text = "\xEF\xBB\xBF; made by the language tests\r\n[LANGUAGE FILE]\r\n";
  if (name != nullptr)
    text += "tLangFileNAME = " + std::string(name) + "\r\n";
  const std::string of = name == nullptr ? std::string("nameless") : std::string(name);
  text += "tLangFileVERSION = " + std::string(version) + "\r\n";
  text += "tLangFileDATE = date of " + of + "\r\n";
  text += "tLangFileAUTHOR = author of " + of + "\r\n";
  text += "tLangFileLANGID = id of " + of + "\r\n";
  text += "tLangFileSOFTWARE = Sumvane\r\n";
  text += body;
  return text;
}

std::string PngImage(int width, int height) {
  return std::string(kPngSignature) + PngHeader(width, height) +
         PngChunk("IDAT", CompressedRows(width, height)) + PngChunk("IEND", "");
}

std::string PngWithImageDataEndingAt(size_t imageDataEnd, size_t totalSize) {
  const std::string imageData = PngChunk("IDAT", CompressedRows(40, 30));
  std::string png = std::string(kPngSignature) + PngHeader(40, 30);
  const size_t chunkOverhead = 12;
  if (imageDataEnd < png.size() + chunkOverhead + imageData.size())
    std::abort();
  // A private ancillary chunk, which decoders pass over.
  png += PngChunk("zpAd",
                  std::string(imageDataEnd - png.size() - chunkOverhead - imageData.size(), 'p'));
  png += imageData;
  png += PngChunk("IEND", "");
  if (png.size() > totalSize)
    std::abort();
  png.append(totalSize - png.size(), 'J');
  return png;
}
