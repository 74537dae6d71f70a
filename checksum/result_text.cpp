#include "checksum/result_text.h"

#include "platform/text.h"

std::string BuildResultText(const std::vector<ResultRow>& rows) {
  std::string text;
  for (const ResultRow& row : rows) {
    text += platform::Utf16ToUtf8(row.path);
    text += ',';
    text += platform::Utf16ToUtf8(row.checksum);
    text += "\r\n";
  }
  return text;
}
