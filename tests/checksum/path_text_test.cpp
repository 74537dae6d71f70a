#include "checksum/path_text.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

struct PathCase {
  const char* path;
  const char* expected;
};

TEST(PathText, WithTrailingSeparatorAppendsOneSlash) {
  const PathCase cases[] = {
      {"", ""},
      {"/", "/"},
      {"/tmp", "/tmp/"},
      {"/tmp/", "/tmp/"},
      {"relative", "relative/"},
      {"dir\\", "dir\\/"},  // a backslash is a name character here, not the separator
      {"/data/\xff\xfe", "/data/\xff\xfe/"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(WithTrailingSeparator(std::string(c.path)), c.expected) << "'" << c.path << "'";
    const bool isUtf8 = std::string(c.path).find('\xff') == std::string::npos;
    if (isUtf8) {
      EXPECT_EQ(WithTrailingSeparator(platform::Utf8ToUtf16(c.path)),
                platform::Utf8ToUtf16(c.expected))
          << "'" << c.path << "'";
    }
  }
}

TEST(PathText, FolderPartEndsAtTheLastSlashOrBackslash) {
  const PathCase cases[] = {
      {"", ""},
      {"name.txt", ""},
      {"/", "/"},
      {"/a", "/"},
      {"/tmp/a.txt", "/tmp/"},
      {"/tmp/sub/", "/tmp/sub/"},
      {"C:\\x\\y.txt", "C:\\x\\"},
      {"a\\b/c", "a\\b/"},
      {"a/b\\c", "a/b\\"},
      {"/data/\xff\xfe/file", "/data/\xff\xfe/"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(FolderPart(std::string(c.path)), c.expected) << "'" << c.path << "'";
  }
  EXPECT_EQ(FolderPart(std::u16string(u"/home/jörg/Grüße.txt")), u"/home/jörg/");
  EXPECT_EQ(FolderPart(std::u16string(u"Grüße.txt")), u"");
}

TEST(PathText, HasExtension) {
  const struct {
    const char16_t* name;
    bool expected;
  } cases[] = {
      {u"results", false},
      {u"results.csv", true},
      {u"results.", false},            // nothing after the dot
      {u"archive.2024 final", false},  // the dot lies before the last blank
      {u"archive.tar.gz", true},
      {u"my results.txt", true},
      {u".bashrc", false},  // the name starts with its only dot
      {u"/home/u/.bashrc", false},
      {u"C:\\u\\.profile", false},
      {u"dir.d/name", false},  // the dot belongs to a folder
      {u"dir.d\\name", false},
      {u"folder.v2/", false},
      {u"/tmp/out/results.txt", true},
      {u"C:\\out\\résumé.docx", true},
      {u"", false},
      {u".", false},
      {u"..", false},
      {u"a..", false},
      {u"..txt", true},  // the last dot follows another dot, not a separator
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HasExtension(c.name), c.expected) << platform::Utf16ToUtf8(c.name);
  }
}

}  // namespace
