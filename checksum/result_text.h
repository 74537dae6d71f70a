// The exported results: what "Save" writes and "Copy to clipboard" puts on the clipboard.
#pragma once

#include <string>
#include <vector>

struct ResultRow {
  std::u16string path;
  std::u16string checksum;  // empty when not computed or failed
};

// One line per row, in order: the path, ",", the checksum, CR LF after every line including the
// last. UTF-8 without byte-order mark; nothing is quoted or escaped. No rows: the empty text.
std::string BuildResultText(const std::vector<ResultRow>& rows);
