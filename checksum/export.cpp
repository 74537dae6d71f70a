#include "checksum/export.h"

#include "app/app_state.h"
#include "app/ids.h"
#include "checksum/path_text.h"
#include "checksum/result_text.h"
#include "dialogs/message_dialog.h"
#include "lang/string_table.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/text.h"

namespace {

// The result text of every row of the list, in list order.
std::string ListResultText() {
  std::vector<ResultRow> rows;
  const int count = platform::ListRowCount(MainWindow, FileList);
  rows.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) {
    rows.push_back({platform::ListCellText(MainWindow, FileList, row, 0),
                    platform::ListCellText(MainWindow, FileList, row, 1)});
  }
  return BuildResultText(rows);
}

}  // namespace

void CopyResults() {
  // Straight from memory: a temporary file would only add ways to fail.
  platform::SetClipboardText(platform::Utf8ToUtf16(ListResultText()));
  AppState.NoticePreset.Height = 120;
  ShowMessageDialog(AppState.NoticePreset, LookupText(u"tReqCLIPBOARD"));
  AppState.NoticePreset.Height = 160;
}

void SaveResults() {
  const std::string source = platform::Utf16ToUtf8(platform::ControlText(MainWindow, SourceField));
  std::string name =
      platform::ShowSaveFileDialog(MainWindow, LookupText(u"tReqSAVEDATA"),
                                   LookupText(u"tReqSAVEPATTERN"), FolderPart(source) + "Checksum");
  if (name.empty())
    return;
  platform::SetWindowEnabled(MainWindow, false);
  if (!HasExtension(platform::Utf8ToUtf16(name)))
    name += ".txt";
  // Written beside the target and renamed over it, so a failure leaves any old file whole.
  const bool saved = platform::WriteFileAtomically(name, ListResultText());
  platform::SetWindowEnabled(MainWindow, true);
  if (!saved) {
    MessageDialogSpec warning = AppState.NoticePreset;
    warning.Image = ImageWarning;
    warning.TextColor = 0;
    ShowMessageDialog(warning, LookupText(u"tReqSAVEERROR"));
  }
}
