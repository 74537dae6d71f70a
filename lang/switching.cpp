#include "lang/switching.h"

#include "app/app_state.h"
#include "app/ids.h"
#include "dialogs/message_dialog.h"
#include "lang/loading.h"
#include "lang/string_table.h"
#include "platform/gui.h"

namespace {

enum class Target { MenuTitle, MenuItem, Caption, ToolTip, Header };

struct Relabel {
  Target target;
  int id;  // menu position, menu item, control or column
  const char16_t* key;
};

// In the order the texts are written.
constexpr Relabel kRelabels[] = {
    {Target::MenuTitle, 0, u"tMenuFILE"},
    {Target::MenuItem, MenuOpen, u"tMenuOPEN"},
    {Target::MenuItem, MenuQuit, u"tMenuQUIT"},
    {Target::MenuTitle, 1, u"tMenuLANGUAGES"},
    {Target::MenuTitle, 2, u"tMenuHELP"},
    {Target::MenuItem, MenuHelp, u"tMenuOPENHELP"},
    {Target::MenuItem, MenuAbout, u"tMenuABOUT"},
    {Target::MenuItem, MenuWeb, u"tMenuOPENWEB"},
    {Target::Caption, SourceFrame, u"tMainSOURCE"},
    {Target::ToolTip, SourceField, u"tMainSOURCETIP"},
    {Target::Caption, BrowseButton, u"tGenBROWSE"},
    {Target::Header, 0, u"tMainFILENAME"},
    {Target::Header, 1, u"tMainHASH"},
    {Target::Caption, ClipboardButton, u"tMainCLIPBOARD"},
    {Target::Caption, SaveButton, u"tMainSAVE"},
    {Target::Caption, DeleteButton, u"tMainDELETE"},
    {Target::Caption, DeleteAllButton, u"tMainDELETEALL"},
    {Target::Caption, SettingsFrame, u"tMainSETTINGS"},
    {Target::Caption, AlgorithmLabel, u"tMainALGORITHM"},
    {Target::Caption, BitsLabel, u"tMainBITS"},
};

void Apply(const Relabel& relabel) {
  const std::u16string text = LookupText(relabel.key);
  switch (relabel.target) {
    case Target::MenuTitle:
      platform::SetMenuTitle(MainWindow, relabel.id, text);
      break;
    case Target::MenuItem:
      platform::SetMenuItemText(MainWindow, relabel.id, text);
      break;
    case Target::Caption:
      platform::SetControlText(MainWindow, relabel.id, text);
      break;
    case Target::ToolTip:
      platform::SetControlToolTip(MainWindow, relabel.id, text);
      break;
    case Target::Header:
      platform::ListSetHeader(MainWindow, FileList, relabel.id, text);
      break;
  }
}

}  // namespace

void RelabelMainWindow() {
  for (const Relabel& relabel : kRelabels)
    Apply(relabel);
  platform::SetControlText(
      MainWindow, CalculateButton,
      LookupText(AppState.JobRunning == 1 ? u"tMainCANCEL" : u"tMainCALCULATE"));
}

void SwitchLanguage(int itemId) {
  if (itemId == AppState.CurrentLanguageItem)
    return;
  const std::u16string name = platform::MenuItemText(MainWindow, itemId);
  const LanguageInfo* language = FindLanguage(AppState.LanguageCatalogue, name);
  if (language == nullptr)
    return;  // not an item of the Languages menu
  const std::u16string key = language->Key;
  LoadLanguageStrings(LanguagePackPath(), key);
  AppState.Language = key;
  if (AppState.CurrentLanguageItem != 0) {
    platform::SetMenuItemChecked(MainWindow, static_cast<int>(AppState.CurrentLanguageItem), false);
  }
  AppState.CurrentLanguageItem = itemId;
  platform::SetMenuItemChecked(MainWindow, itemId, true);
  RelabelMainWindow();
  UpdatePresetTexts();
}
