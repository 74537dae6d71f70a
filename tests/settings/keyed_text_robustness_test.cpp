// The reader must take any bytes at all, and what it took must survive a write unchanged.
// Inputs come from a fixed seed, so a failure repeats; the trace names the failing round.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "entry_printer.h"
#include "platform/text.h"
#include "settings/keyed_text_file.h"

namespace {

constexpr uint32_t kSeed = 20240611;
constexpr int kRounds = 3000;

// Structural characters come up often, so that random input forms lines, groups and keys.
constexpr char kAlphabet[] = "[]=;# \t\r\n\r\nkKgG01-+\xEF\xBB\xBF\xC3\xAB\xFF";

const char* const kValidFiles[] = {
    "\xEF\xBB\xBF\r\n; Sumvane Preferences\r\n[Language]\r\nLanguage = en_GB\r\n[General]\r\n"
    "Fingerprint = 0\r\nBits = 0\r\n[Window]\r\nWindowWidth = 840\r\nWindowHeight = 600\r\n",
    "[LANGUAGE FILE]\nName = Fran\xE7"
    "ais\nFlag = fr\n\n[Texts]\ntMainCALCULATE = Calculer\ntMainCANCEL=Annuler\n;\n",
    "top = 1\r[A]\r a = 1 \r[a]\ra = 2\r=\rno equals\r[B\r#x = y\r",
};

std::string RandomBytes(std::mt19937& random) {
  std::string bytes(random() % 400, '\0');
  for (char& c : bytes) {
    c = random() % 4 == 0 ? static_cast<char>(random())
                          : kAlphabet[random() % (sizeof kAlphabet - 1)];
  }
  return bytes;
}

std::string Mutated(std::mt19937& random) {
  std::string bytes = kValidFiles[random() % std::size(kValidFiles)];
  const int mutations = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < mutations && !bytes.empty(); ++i) {
    const size_t at = random() % bytes.size();
    switch (random() % 4) {
      case 0:
        bytes[at] = static_cast<char>(random());
        break;
      case 1:
        bytes.insert(at, 1, kAlphabet[random() % (sizeof kAlphabet - 1)]);
        break;
      case 2:
        bytes.erase(at, random() % 16);
        break;
      case 3:
        bytes.insert(at, bytes.substr(random() % bytes.size(), random() % 32));
        break;
    }
  }
  return bytes;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool ValidUtf8(const std::string& bytes) {
  return platform::Utf16ToUtf8(platform::Utf8ToUtf16(bytes)) == bytes;
}

// Every group that can be named can be selected, and within it the first key of each name reads
// as the walk saw it.
void CheckLookupsAgreeWithWalks(keyed::KeyedTextFile& file) {
  std::vector<std::string> groups;
  ASSERT_TRUE(keyed::RewindGroups(file));
  while (keyed::NextGroup(file))
    groups.push_back(file.entries[file.selectedGroup].name);
  groups.push_back("");  // the ungrouped section
  for (const std::string& group : groups) {
    if (!ValidUtf8(group))
      continue;
    ASSERT_TRUE(keyed::SelectGroup(file, platform::Utf8ToUtf16(group)));
    ASSERT_TRUE(keyed::RewindKeys(file));
    std::set<std::string> seen;
    while (keyed::NextKey(file)) {
      const std::string name = file.entries[file.cursor].name;
      if (!ValidUtf8(name) || !seen.insert(AsciiLower(name)).second)
        continue;
      EXPECT_EQ(keyed::ReadText(file, keyed::CurrentKeyName(file), u"\x01"),
                keyed::CurrentKeyValue(file));
    }
  }
}

void CheckInput(const std::string& bytes, std::mt19937& random) {
  keyed::KeyedTextFile file;
  keyed::OpenFromBytes(file, bytes);
  const std::string written = keyed::SerializedContent(file);
  keyed::KeyedTextFile reread;
  keyed::OpenFromBytes(reread, written);
  ASSERT_EQ(reread.entries, file.entries);
  ASSERT_EQ(keyed::SerializedContent(reread), written);

  CheckLookupsAgreeWithWalks(file);

  // A write into whatever group a random line names reads back, and the file stays stable.
  const std::string group = bytes.substr(random() % (bytes.size() + 1), random() % 8);
  const std::string key = bytes.substr(random() % (bytes.size() + 1), random() % 8);
  const std::u16string value = platform::Utf8ToUtf16(RandomBytes(random).substr(0, 12));
  keyed::SelectGroup(file, platform::Utf8ToUtf16(group));
  if (keyed::WriteText(file, platform::Utf8ToUtf16(key), value)) {
    keyed::KeyedTextFile afterWrite;
    keyed::OpenFromBytes(afterWrite, keyed::SerializedContent(file));
    ASSERT_EQ(afterWrite.entries, file.entries);
    const std::u16string name = keyed::CurrentKeyName(file);
    EXPECT_EQ(keyed::ReadText(file, name, u"\x01"), keyed::CurrentKeyValue(file));
  }
  keyed::ReadNumber(file, platform::Utf8ToUtf16(key), 0);
}

TEST(KeyedTextRobustness, RandomBytesParseAndSurviveRewriting) {
  std::mt19937 random(kSeed);
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    CheckInput(RandomBytes(random), random);
    if (HasFatalFailure())
      return;
  }
}

TEST(KeyedTextRobustness, MutatedFilesParseAndSurviveRewriting) {
  std::mt19937 random(kSeed + 1);
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    CheckInput(Mutated(random), random);
    if (HasFatalFailure())
      return;
  }
}

}  // namespace
