#include "checksum/intake.h"

#include "app/app_state.h"
#include "app/ids.h"
#include "checksum/path_text.h"
#include "lang/string_table.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/text.h"

namespace {

void AppendQueuedRow(const std::string& path) {
  platform::ListAppendRow(MainWindow, FileList, path, ImageRowQueued);
}

void SetSource(const std::string& folder) {
  platform::SetControlText(MainWindow, SourceField, platform::Utf8ToUtf16(folder));
}

void EnableJobButtons() {
  platform::SetControlEnabled(MainWindow, DeleteAllButton, true);
  platform::SetControlEnabled(MainWindow, CalculateButton, true);
}

// The folder the source field names, as a native path.
std::string SourceFolder() {
  return FolderPart(platform::Utf16ToUtf8(platform::ControlText(MainWindow, SourceField)));
}

}  // namespace

void BrowseForFiles() {
  const std::vector<std::string> chosen = platform::ShowOpenFilesDialog(
      MainWindow, LookupText(u"tReqOPENFILE"), LookupText(u"tReqOPENPATTERN"), SourceFolder());
  if (chosen.empty())
    return;
  SetSource(FolderPart(chosen.front()));
  for (const std::string& path : chosen)
    AppendQueuedRow(path);
  EnableJobButtons();
}

void AddPath(const std::string& path) {
  switch (platform::KindOfPath(path)) {
    case platform::PathKind::Missing:
      return;
    case platform::PathKind::Folder: {
      const auto entries = platform::ListFolder(path);
      if (!entries)
        return;
      const std::string folder = WithTrailingSeparator(path);
      // Only the files lying directly in the folder; sub-folders are not entered.
      for (const platform::FolderEntry& entry : *entries) {
        if (!entry.isFolder)
          AppendQueuedRow(folder + entry.name);
      }
      if (platform::ListRowCount(MainWindow, FileList) > 0) {
        SetSource(folder);
        EnableJobButtons();
      }
      return;
    }
    case platform::PathKind::File:
    case platform::PathKind::Other:  // a FIFO or device: listed, and fails safely in the job
      SetSource(FolderPart(path));
      AppendQueuedRow(path);
      EnableJobButtons();
      return;
  }
}

void AddDroppedPaths(const std::string& paths) {
  size_t start = 0;
  for (;;) {
    const size_t end = paths.find('\n', start);
    AddPath(paths.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
}

void AddStartupPath() {
  if (!AppState.CommandLineSource.empty())
    AddPath(AppState.CommandLineSource);
}
