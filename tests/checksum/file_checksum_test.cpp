#include "checksum/file_checksum.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr size_t kMiB = 1 << 20;

std::string Hex(const std::u16string& text) {
  return platform::Utf16ToUtf8(text);
}

// ---------------------------------------------------------------------------------------------
// Known answers.
//
// Messages: "", "abc", the 448-bit "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
// the 896-bit "abcdefghbcdefghi...nopqrstu" and one million "a".
// Sources:
// - SHA-1, SHA-224, SHA-256, SHA-384, SHA-512: FIPS 180-4 and NIST's "Examples with intermediate
//   values" for FIPS 180 (one-block "abc", two-block 448-bit and 896-bit messages); the empty
//   and one-million-"a" values are the test cases of RFC 6234 section 8.5 / NIST CAVP.
// - SHA3-224 … SHA3-512: FIPS 202 and NIST's SHA-3 examples (empty, "abc", 448-bit, 896-bit,
//   1,000,000 × "a").
// - MD5: RFC 1321 appendix A.5 ("" and "abc"); the other MD5 values and all CRC-32 values were
//   checked against independent implementations (coreutils md5sum, Python zlib.crc32).
// - CRC-32/ISO-HDLC check value for "123456789": cbf43926 (Greg Cook's CRC catalogue, as used by
//   zlib and ZIP).
// ---------------------------------------------------------------------------------------------

enum MessageId { Empty, Abc, Message448, Message896, MillionA, MessageCount };

std::string MessageText(MessageId id) {
  switch (id) {
    case Empty:
      return "";
    case Abc:
      return "abc";
    case Message448:
      return "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    case Message896:
      return "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
             "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu";
    case MillionA:
      return std::string(1000000, 'a');
    case MessageCount:
      break;
  }
  return "";
}

struct KnownAnswer {
  int64_t algorithm;
  int64_t bits;
  const char* name;
  const char* digests[MessageCount];  // by MessageId
};

const KnownAnswer kKnownAnswers[] = {
    {AlgorithmCrc32, 0, "CRC32", {"00000000", "352441c2", "171a3f5f", "191f3349", "dc25bfbc"}},
    {AlgorithmMd5,
     0,
     "MD5",
     {"d41d8cd98f00b204e9800998ecf8427e", "900150983cd24fb0d6963f7d28e17f72",
      "8215ef0796a20bcaaae116d3876c664a", "03dd8807a93175fb062dfb55dc7d359c",
      "7707d6ae4e027c70eea2a935c2296f21"}},
    {AlgorithmSha1,
     0,
     "SHA1",
     {"da39a3ee5e6b4b0d3255bfef95601890afd80709", "a9993e364706816aba3e25717850c26c9cd0d89d",
      "84983e441c3bd26ebaae4aa1f95129e5e54670f1", "a49b2446a02c645bf419f995b67091253a04a259",
      "34aa973cd4c4daa4f61eeb2bdbad27316534016f"}},
    {AlgorithmSha2,
     224,
     "SHA224",
     {"d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f",
      "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7",
      "75388b16512776cc5dba5da1fd890150b0c6455cb4f58b1952522525",
      "c97ca9a559850ce97a04a96def6d99a9e0e0e2ab14e6b8df265fc0b3",
      "20794655980c91d8bbb4c1ea97618a4bf03f42581948b2ee4ee7ad67"}},
    {AlgorithmSha2,
     256,
     "SHA256",
     {"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
      "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
      "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
      "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1",
      "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}},
    {AlgorithmSha2,
     384,
     "SHA384",
     {"38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898"
      "b95b",
      "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c8"
      "25a7",
      "3391fdddfc8dc7393707a65b1b4709397cf8b1d162af05abfe8f450de5f36bc6b0455a8520bc4e6f5fe95b1fe3c8"
      "452b",
      "09330c33f71147e83d192fc782cd1b4753111b173b3b05d22fa08086e3b0f712fcc7c71a557e2db966c3e9fa9174"
      "6039",
      "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b07b8b3dc38ecc4ebae97ddd87f3d"
      "8985"}},
    {AlgorithmSha2,
     512,
     "SHA512",
     {"cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2877e"
      "ec2f63b931bd47417a81a538327af927da3e",
      "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3fe"
      "ebbd454d4423643ce80e2a9ac94fa54ca49f",
      "204a8fc6dda82f0a0ced7beb8e08a41657c16ef468b228a8279be331a703c33596fd15c13b1b07f9aa1d3bea5778"
      "9ca031ad85c7a71dd70354ec631238ca3445",
      "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018501d289e4900f7e4331b99dec4b5"
      "433ac7d329eeb6dd26545e96e55b874be909",
      "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432ce577"
      "c31beb009c5c2c49aa2e4eadb217ad8cc09b"}},
    {AlgorithmSha3,
     224,
     "SHA3-224",
     {"6b4e03423667dbb73b6e15454f0eb1abd4597f9a1b078e3f5b5a6bc7",
      "e642824c3f8cf24ad09234ee7d3c766fc9a3a5168d0c94ad73b46fdf",
      "8a24108b154ada21c9fd5574494479ba5c7e7ab76ef264ead0fcce33",
      "543e6868e1666c1a643630df77367ae5a62a85070a51c14cbf665cbc",
      "d69335b93325192e516a912e6d19a15cb51c6ed5c15243e7a7fd653c"}},
    {AlgorithmSha3,
     256,
     "SHA3-256",
     {"a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a",
      "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532",
      "41c0dba2a9d6240849100376a8235e2c82e1b9998a999e21db32dd97496d3376",
      "916f6061fe879741ca6469b43971dfdb28b1a32dc36cb3254e812be27aad1d18",
      "5c8875ae474a3634ba4fd55ec85bffd661f32aca75c6d699d0cdcb6c115891c1"}},
    {AlgorithmSha3,
     384,
     "SHA3-384",
     {"0c63a75b845e4f7d01107d852e4c2485c51a50aaaa94fc61995e71bbee983a2ac3713831264adb47fb6bd1e058d5"
      "f004",
      "ec01498288516fc926459f58e2c6ad8df9b473cb0fc08c2596da7cf0e49be4b298d88cea927ac7f539f1edf22837"
      "6d25",
      "991c665755eb3a4b6bbdfb75c78a492e8c56a22c5c4d7e429bfdbc32b9d4ad5aa04a1f076e62fea19eef51acd065"
      "7c22",
      "79407d3b5916b59c3e30b09822974791c313fb9ecc849e406f23592d04f625dc8c709b98b43b3852b337216179aa"
      "7fc7",
      "eee9e24d78c1855337983451df97c8ad9eedf256c6334f8e948d252d5e0e76847aa0774ddb90a842190d2c558b4b"
      "8340"}},
    {AlgorithmSha3,
     512,
     "SHA3-512",
     {"a69f73cca23a9ac5c8b567dc185a756e97c982164fe25859e0d1dcc1475c80a615b2123af1f5f94c11e3e9402c3a"
      "c558f500199d95b6d3e301758586281dcd26",
      "b751850b1a57168a5693cd924b6b096e08f621827444f70d884f5d0240d2712e10e116e9192af3c91a7ec57647e3"
      "934057340b4cf408d5a56592f8274eec53f0",
      "04a371e84ecfb5b8b77cb48610fca8182dd457ce6f326a0fd3d7ec2f1e91636dee691fbe0c985302ba1b0d8dc78c"
      "086346b533b49c030d99a27daf1139d6e75e",
      "afebb2ef542e6579c50cad06d2e578f9f8dd6881d7dc824d26360feebf18a4fa73e3261122948efcfd492e74e82e"
      "2189ed0fb440d187f382270cb455f21dd185",
      "3c3a876da14034ab60627c077bb98f7e120a2a5370212dffb3385a18d4f38859ed311d0a9d5141ce9cc5c66ee689"
      "b266a8aa18ace8282a0e0db596c90b0a7b87"}},
};

TEST(FileChecksum, KnownAnswersOfEveryAlgorithmAndSize) {
  TempFolder folder;
  for (int message = 0; message < MessageCount; ++message) {
    const std::string file = folder.WriteFile("message" + std::to_string(message),
                                              MessageText(static_cast<MessageId>(message)));
    for (const KnownAnswer& answer : kKnownAnswers) {
      EXPECT_EQ(Hex(FileChecksum(file, answer.algorithm, answer.bits)), answer.digests[message])
          << answer.name << ", message " << message;
    }
  }
}

TEST(FileChecksum, Crc32CheckValueAndLeadingZeros) {
  TempFolder folder;
  EXPECT_EQ(Hex(FileChecksum(folder.WriteFile("check", "123456789"), AlgorithmCrc32, 0)),
            "cbf43926");
  // The CRC of "62" is 0x0012d20a: the text keeps all eight digits.
  EXPECT_EQ(Hex(FileChecksum(folder.WriteFile("zeros", "62"), AlgorithmCrc32, 0)), "0012d20a");
}

TEST(FileChecksum, ShaSizeZeroMeans256) {
  TempFolder folder;
  const std::string file = folder.WriteFile("abc", "abc");
  EXPECT_EQ(FileChecksum(file, AlgorithmSha2, 0), FileChecksum(file, AlgorithmSha2, 256));
  EXPECT_EQ(FileChecksum(file, AlgorithmSha3, 0), FileChecksum(file, AlgorithmSha3, 256));
  EXPECT_EQ(FileChecksum(file, AlgorithmSha3, 0).size(), 64u);
}

// ---------------------------------------------------------------------------------------------
// Files around the 1 MiB block edges, checked against other programs on this machine.
// ---------------------------------------------------------------------------------------------

struct ReferenceTool {
  int64_t algorithm;
  int64_t bits;
  const char* command;  // prints the hex digest as its first word; the file name is appended
};

const ReferenceTool kReferenceTools[] = {
    {AlgorithmCrc32, 0,
     "python3 -c 'import sys, zlib; print(\"%08x\" % zlib.crc32(open(sys.argv[1], "
     "\"rb\").read()))'"},
    {AlgorithmMd5, 0, "md5sum"},
    {AlgorithmSha1, 0, "sha1sum"},
    {AlgorithmSha2, 224, "sha224sum"},
    {AlgorithmSha2, 256, "sha256sum"},
    {AlgorithmSha2, 384, "sha384sum"},
    {AlgorithmSha2, 512, "sha512sum"},
    {AlgorithmSha3, 224, "openssl dgst -r -sha3-224"},
    {AlgorithmSha3, 256, "openssl dgst -r -sha3-256"},
    {AlgorithmSha3, 384, "openssl dgst -r -sha3-384"},
    {AlgorithmSha3, 512, "openssl dgst -r -sha3-512"},
};

constexpr size_t kEdgeSizes[] = {0, 1, kMiB - 1, kMiB, kMiB + 1, 3 * kMiB};

std::string FirstWordOfCommand(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return "";
  }
  std::string output;
  char chunk[256];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) {
    output.append(chunk, got);
  }
  pclose(pipe);
  return output.substr(0, output.find_first_of(" \t\r\n"));
}

class BlockEdges : public testing::TestWithParam<ReferenceTool> {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    for (size_t i = 0; i < std::size(kEdgeSizes); ++i) {
      folder_->WriteFile("edge" + std::to_string(i), PseudoRandomBytes(kEdgeSizes[i], i + 1));
    }
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  static TempFolder* folder_;
};
TempFolder* BlockEdges::folder_ = nullptr;

TEST_P(BlockEdges, MatchesAnotherImplementation) {
  const ReferenceTool& tool = GetParam();
  for (size_t i = 0; i < std::size(kEdgeSizes); ++i) {
    const std::string file = folder_->PathOf("edge" + std::to_string(i));
    const std::string expected = FirstWordOfCommand(std::string(tool.command) + " '" + file + "'");
    ASSERT_FALSE(expected.empty()) << "no output from: " << tool.command;
    EXPECT_EQ(Hex(FileChecksum(file, tool.algorithm, tool.bits)), expected)
        << tool.command << ", " << kEdgeSizes[i] << " bytes";
  }
}

INSTANTIATE_TEST_SUITE_P(EveryAlgorithm, BlockEdges, testing::ValuesIn(kReferenceTools),
                         [](const testing::TestParamInfo<ReferenceTool>& info) {
                           return "Algorithm" + std::to_string(info.param.algorithm) + "Bits" +
                                  std::to_string(info.param.bits);
                         });

// ---------------------------------------------------------------------------------------------
// Arguments and paths that give no checksum.
// ---------------------------------------------------------------------------------------------

TEST(FileChecksum, UnknownAlgorithmOrShaSizeFails) {
  TempFolder folder;
  const std::string file = folder.WriteFile("abc", "abc");
  struct Case {
    int64_t algorithm;
    int64_t bits;
  };
  const Case failing[] = {{-1, 0},
                          {5, 0},
                          {5, 256},
                          {AlgorithmSha2, 100},
                          {AlgorithmSha3, 100},
                          {AlgorithmSha2, -1},
                          {AlgorithmSha3, 1024},
                          {AlgorithmSha2, 160}};
  for (const Case& c : failing) {
    EXPECT_EQ(FileChecksum(file, c.algorithm, c.bits), u"") << c.algorithm << "/" << c.bits;
  }
}

TEST(FileChecksum, SizeIgnoredByCrc32Md5AndSha1) {
  TempFolder folder;
  const std::string file = folder.WriteFile("abc", "abc");
  for (int64_t algorithm : {AlgorithmCrc32, AlgorithmMd5, AlgorithmSha1}) {
    const std::u16string plain = FileChecksum(file, algorithm, 0);
    ASSERT_FALSE(plain.empty());
    for (int64_t bits : {100, 224, 512, -7}) {
      EXPECT_EQ(FileChecksum(file, algorithm, bits), plain) << algorithm << "/" << bits;
    }
  }
}

TEST(FileChecksum, MissingFileFolderAndDevicesFail) {
  TempFolder folder;
  const std::string paths[] = {folder.PathOf("missing"),
                               folder.MakeFolder("sub"),
                               folder.PathOf("sub/"),
                               "/dev/null",
                               "/dev/zero",
                               ""};
  for (const std::string& path : paths) {
    for (int64_t algorithm : {AlgorithmCrc32, AlgorithmSha2}) {
      EXPECT_EQ(FileChecksum(path, algorithm, 0), u"") << "'" << path << "'";
    }
  }
}

// Runs the checksum on its own thread; when it has not returned after a generous while it is
// blocked in the FIFO, which is then opened for writing and closed to set it free.
TEST(FileChecksum, FifoFailsWithoutWaitingForAWriter) {
  TempFolder folder;
  const std::string fifo = folder.PathOf("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::atomic<bool> returned{false};
  std::u16string result = u"not run";
  std::thread hashing([&] {
    result = FileChecksum(fifo, AlgorithmMd5, 0);
    returned = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!returned && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const bool blocked = !returned;
  if (blocked) {
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
      close(writer);
    }
  }
  hashing.join();
  EXPECT_FALSE(blocked) << "the checksum waited for a writer of the FIFO";
  EXPECT_EQ(result, u"");
}

TEST(FileChecksum, SymbolicLinkHashesItsTarget) {
  TempFolder folder;
  const std::string target = folder.WriteFile("target", PseudoRandomBytes(5000, 7));
  const std::string link = folder.PathOf("link");
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  const std::string dangling = folder.PathOf("dangling");
  ASSERT_EQ(symlink(folder.PathOf("nothing").c_str(), dangling.c_str()), 0);
  const std::string toFolder = folder.PathOf("to-folder");
  ASSERT_EQ(symlink(folder.path().c_str(), toFolder.c_str()), 0);

  const std::u16string expected = FileChecksum(target, AlgorithmSha1, 0);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FileChecksum(link, AlgorithmSha1, 0), expected);
  EXPECT_EQ(FileChecksum(dangling, AlgorithmSha1, 0), u"");
  EXPECT_EQ(FileChecksum(toFolder, AlgorithmSha1, 0), u"");
}

TEST(FileChecksum, NameThatIsNotUtf8IsHashed) {
  TempFolder folder;
  const std::string file = folder.WriteFile("caf\xe9-\xff\xfe.bin", "abc");
  EXPECT_EQ(Hex(FileChecksum(file, AlgorithmMd5, 0)), "900150983cd24fb0d6963f7d28e17f72");
}

// Root reads every file whatever its mode, so as root the attempt is made by a child process that
// has given up root for the "nobody" user. A readable file is hashed the same way as a control,
// so that a child that can read nothing at all does not pass the test.
int ChecksumSucceedsAsUnprivileged(const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
        setresuid(kNobody, kNobody, kNobody) != 0) {
      _exit(2);
    }
    _exit(FileChecksum(path, AlgorithmSha2, 256).empty() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    return -1;
  }
  return WEXITSTATUS(status);
}

TEST(FileChecksum, UnreadableFileFails) {
  TempFolder folder;
  ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);  // others may look inside
  const std::string locked = folder.WriteFile("locked", "secret");
  const std::string open = folder.WriteFile("open", "public");
  ASSERT_EQ(chmod(locked.c_str(), 0000), 0);
  ASSERT_EQ(chmod(open.c_str(), 0644), 0);
  if (geteuid() != 0) {
    EXPECT_EQ(FileChecksum(locked, AlgorithmSha2, 256), u"");
    EXPECT_NE(FileChecksum(open, AlgorithmSha2, 256), u"");
    return;
  }
  const int control = ChecksumSucceedsAsUnprivileged(open);
  if (control == 2) {
    GTEST_SKIP() << "cannot switch to the nobody user here";
  }
  EXPECT_EQ(control, 1) << "control: nobody reads a 0644 file";
  EXPECT_EQ(ChecksumSucceedsAsUnprivileged(locked), 0);
}

// ---------------------------------------------------------------------------------------------
// A file that changes while it is read.
// ---------------------------------------------------------------------------------------------

std::string changingFile;
int blocksSeen = 0;

void CountBlock() {
  ++blocksSeen;
}

void TruncateAfterFirstBlock() {
  if (++blocksSeen == 1) {
    ASSERT_EQ(truncate(changingFile.c_str(), kMiB / 2), 0);
  }
}

void AppendAfterFirstBlock() {
  if (++blocksSeen == 1) {
    FILE* out = fopen(changingFile.c_str(), "ab");
    ASSERT_NE(out, nullptr);
    fputs("more", out);
    fclose(out);
  }
}

TEST(FileChecksum, CallsBetweenBlocksOncePerBlock) {
  TempFolder folder;
  const struct {
    size_t size;
    int blocks;
  } cases[] = {{0, 0}, {1, 1}, {kMiB, 1}, {kMiB + 1, 2}, {3 * kMiB, 3}};
  for (const auto& c : cases) {
    const std::string file = folder.WriteFile("blocks", PseudoRandomBytes(c.size, 3));
    blocksSeen = 0;
    EXPECT_FALSE(FileChecksum(file, AlgorithmSha2, 256, CountBlock).empty());
    EXPECT_EQ(blocksSeen, c.blocks) << c.size << " bytes";
  }
}

TEST(FileChecksum, FileTruncatedWhileReadFails) {
  TempFolder folder;
  for (int64_t algorithm : {AlgorithmCrc32, AlgorithmSha3}) {
    changingFile = folder.WriteFile("shrinking", PseudoRandomBytes(3 * kMiB, 4));
    blocksSeen = 0;
    EXPECT_EQ(FileChecksum(changingFile, algorithm, 0, TruncateAfterFirstBlock), u"")
        << "algorithm " << algorithm;
    EXPECT_EQ(blocksSeen, 1);
  }
}

TEST(FileChecksum, FileAppendedToWhileReadFails) {
  TempFolder folder;
  for (int64_t algorithm : {AlgorithmCrc32, AlgorithmMd5}) {
    changingFile = folder.WriteFile("growing", PseudoRandomBytes(2 * kMiB, 5));
    blocksSeen = 0;
    EXPECT_EQ(FileChecksum(changingFile, algorithm, 0, AppendAfterFirstBlock), u"")
        << "algorithm " << algorithm;
  }
}

// /proc files claim a size of 0 yet have content; they are hashed as read.
TEST(FileChecksum, PseudoFileWithoutSizeIsHashedAsRead) {
  const std::u16string crc = FileChecksum("/proc/self/cmdline", AlgorithmCrc32, 0);
  EXPECT_EQ(crc.size(), 8u);
  EXPECT_NE(crc, u"00000000");
}

}  // namespace
