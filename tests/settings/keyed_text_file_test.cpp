#include "settings/keyed_text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "test_folder.h"

namespace {

using namespace std::string_literals;

constexpr char16_t kDefaultText[] = u"<default>";
constexpr int64_t kDefaultNumber = -777;

// The bytes of a written file: the mark, the empty first line, then each line, all with CR LF.
std::string FileBytes(std::initializer_list<std::string> lines) {
  std::string bytes = "\xEF\xBB\xBF\r\n";
  for (const std::string& line : lines)
    bytes += line + "\r\n";
  return bytes;
}

keyed::KeyedTextFile Parsed(std::string_view bytes) {
  keyed::KeyedTextFile file;
  keyed::OpenFromBytes(file, bytes);
  return file;
}

struct ReadCase {
  const char* behaviour;
  std::string bytes;
  std::optional<std::u16string> group;  // selected before reading; none: no SelectGroup call
  std::u16string key;
  std::optional<std::u16string> text;  // expected ReadText, when given
  std::optional<int64_t> number;       // expected ReadNumber, when given
};

ReadCase Text(const char* behaviour, std::string bytes, std::optional<std::u16string> group,
              std::u16string key, std::u16string text) {
  return {behaviour, std::move(bytes), std::move(group), std::move(key), std::move(text), {}};
}

ReadCase Number(const char* behaviour, std::string bytes, std::optional<std::u16string> group,
                std::u16string key, int64_t number) {
  return {behaviour, std::move(bytes), std::move(group), std::move(key), {}, number};
}

const std::vector<ReadCase>& ReadCases() {
  static const std::vector<ReadCase> cases = {
      // Encoding.
      Text("UTF-8 after the mark", "\xEF\xBB\xBF[G]\r\nk = \xC3\xAB\r\n", u"G", u"k", u"\u00EB"),
      Text("Latin-1 without the mark", "[G]\r\nk = \xC3\xAB\r\n", u"G", u"k", u"\u00C3\u00AB"),
      Text("two bytes of the mark are Latin-1", "\xEF\xBBk = 1", {}, u"\u00EF\u00BBk", u"1"),
      Text("invalid UTF-8 after the mark",
           "\xEF\xBB\xBFk = a\xFF"
           "b",
           {}, u"k", u"a\uFFFDb"),
      Text("NUL bytes are ordinary characters", "[G]\nk = a\0b"s, u"G", u"k", u"a\0b"s),
      Text("empty file", "", {}, u"k", kDefaultText),
      Text("mark only", "\xEF\xBB\xBF", {}, u"k", kDefaultText),
      // Group lines.
      Number("blanks before the bracket", " \t[G]\nk = 1", u"G", u"k", 1),
      Number("text after the bracket is ignored", "[G] ; note]\nk = 1", u"G", u"k", 1),
      Number("blanks inside brackets name another group", "[ G ]\nk = 1", u"G", u"k",
             kDefaultNumber),
      Number("blanks inside brackets belong to the name", "[ G ]\nk = 1", u" G ", u"k", 1),
      Number("no closing bracket", "[G\nk = 1", u"G", u"k", 1),
      Number("group name in other case", "[window]\nWidth = 1", u"WINDOW", u"Width", 1),
      Number("non-ASCII letters keep their case", "\xEF\xBB\xBF[\xC3\x84]\nk = 1", u"\u00E4", u"k",
             kDefaultNumber),
      // Key lines.
      Number("spaced equals sign", "[Window]\r\nWindowWidth = 1024", u"Window", u"WindowWidth",
             1024),
      Number("bare equals sign", "[Window]\r\nWindowWidth=1024", u"Window", u"WindowWidth", 1024),
      Number("tabs around equals, blanks after value", "[Window]\r\nWindowWidth\t=\t1024 \t ",
             u"Window", u"WindowWidth", 1024),
      Number("key in lower case in the file", "[Window]\r\nwindowwidth = 1024", u"Window",
             u"WindowWidth", 1024),
      Text("value trimmed on reading", "[G]\nk =  a b \t", u"G", u"k", u"a b"),
      Text("quotes and semicolons are part of the value", "[G]\nk = \"x\" ; y", u"G", u"k",
           u"\"x\" ; y"),
      Text("blanks before equals are not part of the name", "[G]\nk \t= v", u"G", u"k", u"v"),
      Text("line starting with equals has an empty name", "[G]\n= v", u"G", u"", u"v"),
      Text("nothing after equals is empty, not default", "[Language]\nLanguage =", u"Language",
           u"Language", u""),
      Text("line without equals is a key with empty value", "[Language]\nLanguage", u"Language",
           u"Language", u""),
      Text("semicolon line is a comment", "[G]\n;k = 1", u"G", u"k", kDefaultText),
      Text("hash line is a key line", "[G]\n#k = 1", u"G", u"#k", u"1"),
      Number("line after a line without equals, CR ends", "[G]\rk\rj = 5", u"G", u"j", 5),
      Number("line after a line without equals, LF ends", "[G]\nk\nj = 5", u"G", u"j", 5),
      Number("line after a line without equals, mixed ends", "[G]\r\r\n\nk\n\r\r\nj = 5\r", u"G",
             u"j", 5),
      Number("blank-only lines vanish", "[G]\n \t \nk = 1", u"G", u"k", 1),
      // First match wins.
      Number("duplicate key reads its first value", "[G]\nk = 1\nk = 2", u"G", u"k", 1),
      Number("duplicate group: first section only", "[G]\nk = 1\n[G]\nk = 2\nj = 3", u"G", u"j",
             kDefaultNumber),
      Number("duplicate group: first section's value", "[G]\nk = 1\n[g]\nk = 2", u"g", u"k", 1),
      Number("ungrouped key after empty group name", "k = 1\n[G]\nj = 2", u"", u"k", 1),
      Number("ungrouped key before any selection", "k = 1\n[G]\nj = 2", {}, u"k", 1),
      Number("ungrouped section ends at first header", "k = 1\n[G]\nj = 2", u"", u"j",
             kDefaultNumber),
      Number("pending group finds nothing", "k = 1\n", u"Missing", u"k", kDefaultNumber),
      // Numbers.
      Number("value starting with a letter is 0", "[General]\nBits = x12", u"General", u"Bits", 0),
      Number("missing key is the default", "[General]\nFingerprint = 1", u"General", u"Bits",
             kDefaultNumber),
      Number("plus sign", "k = +42", {}, u"k", 42),
      Number("minus sign", "k = -42", {}, u"k", -42),
      Number("digits up to the first other character", "k = -7x9", {}, u"k", -7),
      Number("sign without digits", "k = - 7", {}, u"k", 0),
      Number("leading zeros", "k = 007", {}, u"k", 7),
      Number("largest number", "k = 9223372036854775807", {}, u"k", INT64_MAX),
      Number("smallest number", "k = -9223372036854775808", {}, u"k", INT64_MIN),
      Number("one above the largest clamps", "k = 9223372036854775808", {}, u"k", INT64_MAX),
      Number("one below the smallest clamps", "k = -9223372036854775809", {}, u"k", INT64_MIN),
      Number("many digits clamp", "k = 123456789012345678901234567890x", {}, u"k", INT64_MAX),
  };
  return cases;
}

TEST(KeyedText, ReadsEveryLineFormAsDocumented) {
  for (const ReadCase& row : ReadCases()) {
    SCOPED_TRACE(row.behaviour);
    keyed::KeyedTextFile file = Parsed(row.bytes);
    if (row.group)
      keyed::SelectGroup(file, *row.group);
    if (row.text) {
      EXPECT_EQ(keyed::ReadText(file, row.key, kDefaultText), *row.text);
    }
    if (row.number) {
      EXPECT_EQ(keyed::ReadNumber(file, row.key, kDefaultNumber), *row.number);
    }
  }
}

TEST(KeyedText, CommentWithOrWithoutSpaceHoldsSameText) {
  const keyed::KeyedTextFile file = Parsed(";x\n; x\n;  x\n;\tx\n;\n");
  std::vector<std::string> texts;
  for (const keyed::Entry& entry : file.entries) {
    EXPECT_EQ(entry.kind, keyed::EntryKind::Comment);
    texts.push_back(entry.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"x", "x", " x", "\tx", ""}));
}

TEST(KeyedText, BlankLinesLeaveNoEntries) {
  EXPECT_EQ(Parsed("\r\n\n\r \t\r\n\t\n").entries.size(), 0u);
}

// Walks every group and, within it, every key, as "group: key=value" lines.
std::vector<std::string> WalkAll(keyed::KeyedTextFile& file) {
  std::vector<std::string> seen;
  EXPECT_TRUE(keyed::RewindGroups(file));
  while (keyed::NextGroup(file)) {
    const std::string group = file.entries[file.selectedGroup].name;
    EXPECT_TRUE(keyed::RewindKeys(file));
    while (keyed::NextKey(file)) {
      seen.push_back(group + ": " + platform::Utf16ToUtf8(keyed::CurrentKeyName(file)) + "=" +
                     platform::Utf16ToUtf8(keyed::CurrentKeyValue(file)));
    }
  }
  return seen;
}

TEST(KeyedText, WalksVisitDuplicatesButNotTheUngroupedSection) {
  keyed::KeyedTextFile file =
      Parsed("u = 0\n[A]\na1 = 1\n; note\na1 = 2 \n[B]\n[a]\na2 = 4\n[B]\nb = 3\n");
  EXPECT_EQ(WalkAll(file), (std::vector<std::string>{"A: a1=1", "A: a1=2", "a: a2=4", "B: b=3"}));
  EXPECT_FALSE(keyed::NextGroup(file));

  ASSERT_TRUE(keyed::SelectGroup(file, u""));
  ASSERT_TRUE(keyed::RewindKeys(file));
  ASSERT_TRUE(keyed::NextKey(file));
  EXPECT_EQ(keyed::CurrentKeyName(file), u"u");
  EXPECT_FALSE(keyed::NextKey(file));  // stops at the first header
}

TEST(KeyedText, PendingGroupHidesKeysUntilWrittenThenIsAppended) {
  keyed::KeyedTextFile file = Parsed("k = 1\r\n[G]\r\nk = 2\r\n");
  EXPECT_FALSE(keyed::SelectGroup(file, u"New"));
  EXPECT_EQ(keyed::ReadNumber(file, u"k", kDefaultNumber), kDefaultNumber);
  EXPECT_FALSE(keyed::RewindKeys(file));
  EXPECT_FALSE(keyed::NextKey(file));
  EXPECT_EQ(keyed::CurrentKeyName(file), u"");

  ASSERT_TRUE(keyed::WriteNumber(file, u"n", 3));
  EXPECT_EQ(keyed::SerializedContent(file), FileBytes({"k = 1", "[G]", "k = 2", "[New]", "n = 3"}));
  EXPECT_TRUE(keyed::SelectGroup(file, u"new"));
  EXPECT_EQ(keyed::ReadNumber(file, u"N", kDefaultNumber), 3);
}

TEST(KeyedText, SelectingAnotherGroupDropsThePendingOne) {
  keyed::KeyedTextFile file = Parsed("k = 1\r\n[G]\r\n");
  EXPECT_FALSE(keyed::SelectGroup(file, u"Never"));
  EXPECT_TRUE(keyed::SelectGroup(file, u""));
  ASSERT_TRUE(keyed::WriteNumber(file, u"j", 2));
  EXPECT_FALSE(keyed::SelectGroup(file, u"Never"));
  EXPECT_TRUE(keyed::RewindGroups(file));
  ASSERT_TRUE(keyed::WriteNumber(file, u"i", 3));
  EXPECT_EQ(keyed::SerializedContent(file), FileBytes({"k = 1", "j = 2", "i = 3", "[G]"}));
}

TEST(KeyedText, CommentsGoAfterTheCursorKeysAtTheSectionEnd) {
  keyed::KeyedTextFile file = Parsed("[G]\r\nk1 = 1\r\nk2 = 2\r\n[H]\r\nh = 1\r\n");
  ASSERT_TRUE(keyed::SelectGroup(file, u"G"));
  ASSERT_TRUE(keyed::WriteComment(file, u"after the header"));
  ASSERT_TRUE(keyed::WriteComment(file, u"after that comment"));
  ASSERT_TRUE(keyed::RewindKeys(file));
  ASSERT_TRUE(keyed::NextKey(file));
  ASSERT_TRUE(keyed::WriteComment(file, u"after k1"));
  ASSERT_TRUE(keyed::WriteText(file, u"k3", u"3"));
  ASSERT_TRUE(keyed::WriteComment(file, u"after k3"));
  ASSERT_TRUE(keyed::SelectGroup(file, u""));
  ASSERT_TRUE(keyed::WriteText(file, u"top", u"0"));
  ASSERT_TRUE(keyed::WriteComment(file, u"after top"));
  // Insertions before the selected header and the walk position must not lose them.
  ASSERT_TRUE(keyed::RewindGroups(file));
  ASSERT_TRUE(keyed::NextGroup(file));
  ASSERT_TRUE(keyed::SelectGroup(file, u""));
  ASSERT_TRUE(keyed::WriteComment(file, u"first"));
  ASSERT_TRUE(keyed::NextGroup(file));
  EXPECT_EQ(file.entries[file.selectedGroup].name, "H");

  EXPECT_EQ(keyed::SerializedContent(file),
            FileBytes({"; first", "top = 0", "; after top", "[G]", "; after the header",
                       "; after that comment", "k1 = 1", "; after k1", "k2 = 2", "k3 = 3",
                       "; after k3", "[H]", "h = 1"}));
}

TEST(KeyedText, WriteTextReplacesFirstMatchTakingTheNewLetterCase) {
  keyed::KeyedTextFile file = Parsed("[window]\r\nwindowwidth = 1\r\nWindowWidth = 2\r\n");
  ASSERT_TRUE(keyed::SelectGroup(file, u"Window"));
  ASSERT_TRUE(keyed::WriteNumber(file, u"WindowWidth", 5));
  EXPECT_EQ(keyed::SerializedContent(file),
            FileBytes({"[window]", "WindowWidth = 5", "WindowWidth = 2"}));
  EXPECT_EQ(keyed::CurrentKeyValue(file), u"5");
}

TEST(KeyedText, NumbersAreWrittenInSignedDecimal) {
  keyed::KeyedTextFile file = Parsed("");
  const std::pair<const char16_t*, int64_t> numbers[] = {
      {u"negative", -42}, {u"zero", 0}, {u"smallest", INT64_MIN}, {u"largest", INT64_MAX}};
  for (const auto& [key, value] : numbers)
    ASSERT_TRUE(keyed::WriteNumber(file, key, value));
  EXPECT_EQ(keyed::SerializedContent(file),
            FileBytes({"negative = -42", "zero = 0", "smallest = -9223372036854775808",
                       "largest = 9223372036854775807"}));
  const keyed::KeyedTextFile reread = Parsed(keyed::SerializedContent(file));
  for (const auto& [key, value] : numbers)
    EXPECT_EQ(keyed::ReadNumber(reread, key, 1), value);
}

// A line break in a value would end the entry and let the rest of the value pose as entries of
// its own: "Language = x", "[General]", "Fingerprint = 4".
TEST(KeyedText, RefusesTextsThatWouldNotReadBackAsWritten) {
  struct Refused {
    const char* behaviour;
    std::u16string group;
    std::u16string key;
    std::u16string value;
  };
  const Refused rows[] = {
      {"line break in a value", u"Language", u"Language", u"x\r\n[General]\r\nFingerprint = 4"},
      {"lone LF in a value", u"G", u"k", u"a\nb"},
      {"lone CR in a key", u"G", u"k\r", u"v"},
      {"equals sign in a key", u"G", u"a=b", u"v"},
      {"key read as a comment", u"G", u";k", u"v"},
      {"key read as a group", u"G", u"[k", u"v"},
      {"key with leading blank", u"G", u" k", u"v"},
      {"key with trailing tab", u"G", u"k\t", u"v"},
      {"closing bracket in a group", u"a]b", u"k", u"v"},
      {"line break in a group", u"a\nb", u"k", u"v"},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.behaviour);
    keyed::KeyedTextFile file = Parsed("[G]\r\nk = 1\r\n");
    const std::string before = keyed::SerializedContent(file);
    keyed::SelectGroup(file, row.group);
    EXPECT_FALSE(keyed::WriteText(file, row.key, row.value));
    EXPECT_EQ(keyed::SerializedContent(file), before);
    EXPECT_FALSE(file.changed);
  }
  keyed::KeyedTextFile file = Parsed("");
  EXPECT_FALSE(keyed::WriteComment(file, u"two\nlines"));
  EXPECT_TRUE(file.entries.empty());
  EXPECT_TRUE(keyed::WriteText(file, u"", u"empty names are fine"));
  EXPECT_EQ(keyed::ReadText(Parsed(keyed::SerializedContent(file)), u"", u"-"),
            u"empty names are fine");
}

TEST(KeyedText, ClosedObjectReadsDefaultsAndRefusesWrites) {
  keyed::KeyedTextFile file;
  EXPECT_EQ(keyed::ReadText(file, u"k", kDefaultText), kDefaultText);
  EXPECT_EQ(keyed::ReadNumber(file, u"k", kDefaultNumber), kDefaultNumber);
  EXPECT_FALSE(keyed::SelectGroup(file, u""));
  EXPECT_FALSE(keyed::RewindGroups(file));
  EXPECT_FALSE(keyed::NextGroup(file));
  EXPECT_FALSE(keyed::RewindKeys(file));
  EXPECT_FALSE(keyed::NextKey(file));
  EXPECT_FALSE(keyed::WriteComment(file, u"c"));
  EXPECT_FALSE(keyed::WriteText(file, u"k", u"v"));
  EXPECT_FALSE(keyed::Close(file));
}

TEST(KeyedText, AHundredMegabyteLineReadsWhole) {
  constexpr size_t kLength = size_t{100} << 20;
  std::string bytes = "k = ";
  bytes.append(kLength, '\xE9');  // Latin-1 é: each byte becomes two in UTF-8
  const keyed::KeyedTextFile file = Parsed(bytes);
  bytes.clear();
  bytes.shrink_to_fit();
  const std::u16string value = keyed::ReadText(file, u"k", u"");
  ASSERT_EQ(value.size(), kLength);
  EXPECT_EQ(value.front(), u'\u00E9');
  EXPECT_EQ(value.back(), u'\u00E9');
}

// Files on disk.

TEST(KeyedTextFile, WrittenFileHasExactBytes) {
  ScratchFolder folder;
  const std::string path = folder / "example.prefs";
  keyed::KeyedTextFile file;
  ASSERT_TRUE(keyed::Create(file, path));
  ASSERT_TRUE(keyed::WriteComment(file, u"A comment"));
  EXPECT_FALSE(keyed::SelectGroup(file, u"First"));
  ASSERT_TRUE(keyed::WriteText(file, u"Name", u"\u00EBl\u00E8ve"));
  EXPECT_FALSE(keyed::SelectGroup(file, u"Second"));
  ASSERT_TRUE(keyed::WriteNumber(file, u"Count", 12));
  ASSERT_TRUE(keyed::Close(file));
  EXPECT_EQ(ReadBytes(path),
            "\xEF\xBB\xBF\r\n"
            "; A comment\r\n"
            "[First]\r\n"
            "Name = \xC3\xAB"
            "l\xC3\xA8"
            "ve\r\n"
            "[Second]\r\n"
            "Count = 12\r\n");
  EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"example.prefs"});
}

TEST(KeyedTextFile, CreateLeavesTheOldFileUntilClose) {
  ScratchFolder folder;
  const std::string path = folder / "kept.prefs";
  WriteBytes(path, "[G]\r\nk = old\r\n");
  {
    keyed::KeyedTextFile abandoned;
    ASSERT_TRUE(keyed::Create(abandoned, path));
    ASSERT_TRUE(keyed::WriteText(abandoned, u"k", u"new"));
    EXPECT_EQ(ReadBytes(path), "[G]\r\nk = old\r\n");
  }  // never closed: as if the program had died
  EXPECT_EQ(ReadBytes(path), "[G]\r\nk = old\r\n");

  keyed::KeyedTextFile file;
  ASSERT_TRUE(keyed::Create(file, path));
  ASSERT_TRUE(keyed::Close(file));
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF\r\n");
}

TEST(KeyedTextFile, FileOnlyReadIsNotTouched) {
  ScratchFolder folder;
  const std::string path = folder / "read.language";
  const std::string bytes =
      "[LANGUAGE FILE]\nName = Fran\xE7"
      "ais\n\n[Texts]\rtMainX=1";
  WriteBytes(path, bytes);
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);

  keyed::KeyedTextFile file;
  ASSERT_TRUE(keyed::Open(file, path));
  ASSERT_TRUE(keyed::SelectGroup(file, u"language file"));
  EXPECT_EQ(keyed::ReadText(file, u"Name", u""), u"Fran\u00E7ais");
  WalkAll(file);
  EXPECT_TRUE(keyed::Close(file));

  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(KeyedTextFile, ChangedFileIsRewrittenInTheWrittenForm) {
  ScratchFolder folder;
  const std::string path = folder / "changed.prefs";
  WriteBytes(path, "; Caf\xE9\n[G]\nk=1\n");
  keyed::KeyedTextFile file;
  ASSERT_TRUE(keyed::Open(file, path));
  ASSERT_TRUE(keyed::SelectGroup(file, u"G"));
  ASSERT_TRUE(keyed::WriteNumber(file, u"j", 2));
  ASSERT_TRUE(keyed::Close(file));
  EXPECT_EQ(ReadBytes(path), FileBytes({"; Caf\xC3\xA9", "[G]", "k = 1", "j = 2"}));
}

TEST(KeyedTextFile, CreateFailsWhereTheFileCannotBeWritten) {
  ScratchFolder folder;
  ASSERT_EQ(mkdir((folder / "folder").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0644), 0);
  ASSERT_EQ(symlink("missing/target", (folder / "dangling").c_str()), 0);
  const std::pair<const char*, std::string> rows[] = {
      {"target is a folder", folder / "folder"},
      {"target is a folder, written with a separator", folder / "folder/"},
      {"folder is missing", folder / "missing/file.prefs"},
      {"target is a FIFO", folder / "fifo"},
      {"link leads nowhere", folder / "dangling"},
      {"empty path", ""},
  };
  for (const auto& [behaviour, path] : rows) {
    SCOPED_TRACE(behaviour);
    keyed::KeyedTextFile file;
    EXPECT_FALSE(keyed::Create(file, path));
    EXPECT_FALSE(file.isOpen);
    EXPECT_FALSE(keyed::WriteText(file, u"k", u"v"));
    EXPECT_FALSE(keyed::Close(file));
  }
  EXPECT_EQ(NamesIn(folder.path()), (std::vector<std::string>{"dangling", "fifo", "folder"}));
  EXPECT_EQ(NamesIn(folder / "folder"), std::vector<std::string>{});
}

TEST(KeyedTextFile, CreateFailsWithoutWritePermission) {
  ScratchFolder folder;
  ASSERT_EQ(mkdir((folder / "locked").c_str(), 0555), 0);
  ASSERT_EQ(mkdir((folder / "open").c_str(), 0755), 0);
  ASSERT_EQ(chmod((folder / "open").c_str(), 0777), 0);
  WriteBytes(folder / "open/readonly.prefs", "k = 1\n");
  ASSERT_EQ(chmod((folder / "open/readonly.prefs").c_str(), 0444), 0);
  const auto creates = [](const std::string& path) {
    return RunWithoutPrivileges([&path] {
      keyed::KeyedTextFile file;
      return keyed::Create(file, path);
    });
  };
  EXPECT_EQ(creates(folder / "open/new.prefs"), true);
  EXPECT_EQ(creates(folder / "locked/new.prefs"), false);
  EXPECT_EQ(creates(folder / "open/readonly.prefs"), false);
  EXPECT_EQ(ReadBytes(folder / "open/readonly.prefs"), "k = 1\n");
}

TEST(KeyedTextFile, CloseReportsAFailedWrite) {
  ScratchFolder folder;
  ASSERT_EQ(mkdir((folder / "gone").c_str(), 0755), 0);
  keyed::KeyedTextFile file;
  ASSERT_TRUE(keyed::Create(file, folder / "gone/file.prefs"));
  ASSERT_EQ(rmdir((folder / "gone").c_str()), 0);
  EXPECT_FALSE(keyed::Close(file));
  EXPECT_FALSE(file.isOpen);
}

TEST(KeyedTextFile, OpenRefusesWhatIsNotAReadableFile) {
  ScratchFolder folder;
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0644), 0);  // opening it must not wait for a writer
  ASSERT_EQ(mkdir((folder / "folder").c_str(), 0755), 0);
  // Sparse, so the test costs no disk space.
  WriteBytes(folder / "huge", "");
  ASSERT_EQ(truncate((folder / "huge").c_str(), static_cast<off_t>(keyed::kMaxFileBytes) + 1), 0);
  const std::pair<const char*, std::string> rows[] = {
      {"missing file", folder / "missing"}, {"FIFO", folder / "fifo"},
      {"folder", folder / "folder"},        {"larger than the limit", folder / "huge"},
      {"character device", "/dev/zero"},
  };
  for (const auto& [behaviour, path] : rows) {
    SCOPED_TRACE(behaviour);
    keyed::KeyedTextFile file;
    file.entries.push_back({});
    EXPECT_FALSE(keyed::Open(file, path));
    EXPECT_FALSE(file.isOpen);
    EXPECT_TRUE(file.entries.empty());
    EXPECT_EQ(keyed::ReadNumber(file, u"k", kDefaultNumber), kDefaultNumber);
  }
  WriteBytes(folder / "empty", "");
  keyed::KeyedTextFile empty;
  EXPECT_TRUE(keyed::Open(empty, folder / "empty"));
  EXPECT_TRUE(empty.entries.empty());
}

}  // namespace
