#include "checksum/result_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultText, NoRowsGiveEmptyText) {
  EXPECT_EQ(BuildResultText({}), "");
}

TEST(ResultText, OneLinePerRowWithCrLfAfterEveryLine) {
  const std::vector<ResultRow> rows = {
      {u"/data/done.bin", u"0012d20a"},  // computed
      {u"/data/failed.bin", u""},        // failed or not computed yet
      {u"/data/Grüße, Ärger.txt", u"900150983cd24fb0d6963f7d28e17f72"},  // comma and non-ASCII
      {u"/data/\U0001D11E", u"ff"},                                      // outside the basic plane
  };
  const std::string expected =
      "/data/done.bin,0012d20a\r\n"
      "/data/failed.bin,\r\n"
      "/data/Gr\xc3\xbc\xc3\x9f"
      "e, \xc3\x84rger.txt,900150983cd24fb0d6963f7d28e17f72\r\n"
      "/data/\xf0\x9d\x84\x9e,ff\r\n";
  EXPECT_EQ(BuildResultText(rows), expected);
}

}  // namespace
