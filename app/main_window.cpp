#include "app/main_window.h"

#include "app/app_state.h"
#include "app/ids.h"
#include "app/product_info.h"
#include "lang/string_table.h"

namespace {

using platform::ControlKind;

// A coordinate of the layout: a constant, or an offset from the client width or height.
struct Coord {
  enum Base : char { Fixed, FromWidth, FromHeight } base;
  int offset;
  int At(int width, int height) const {
    return offset + (base == FromWidth ? width : base == FromHeight ? height : 0);
  }
};
constexpr Coord Px(int value) {
  return {Coord::Fixed, value};
}
constexpr Coord W(int offset) {
  return {Coord::FromWidth, offset};
}
constexpr Coord H(int offset) {
  return {Coord::FromHeight, offset};
}

struct ControlSpec {
  ControlId id;
  ControlKind kind;
  Coord x, y, width, height;
  const char16_t* text;  // a language key, or a fixed caption
  bool textIsKey;
  int font;  // -1: the default font
  bool enabledAtStart;
};

// clang-format off
// The controls in creation order. Creation order matters: radio buttons created in a row form
// one group, and BitsLabel separates the algorithm group from the digest-size group.
constexpr ControlSpec kControls[] = {
    {SourceFrame, ControlKind::Frame, Px(5), Px(5), W(-10), H(-167), u"tMainSOURCE", true, -1, true},
    {SourceField, ControlKind::TextField, Px(10), Px(23), W(-145), Px(27), u"", false, FontNormal, true},
    {BrowseButton, ControlKind::Button, W(-130), Px(23), Px(120), Px(27), u"tGenBROWSE", true, FontNormal, true},
    {FileList, ControlKind::FileList, Px(10), Px(63), W(-20), H(-265), u"", false, FontList, true},
    {ClipboardButton, ControlKind::Button, Px(10), H(-195), Px(120), Px(27), u"tMainCLIPBOARD", true, FontNormal, false},
    {SaveButton, ControlKind::Button, Px(135), H(-195), Px(120), Px(27), u"tMainSAVE", true, FontNormal, false},
    {DeleteButton, ControlKind::Button, W(-255), H(-195), Px(120), Px(27), u"tMainDELETE", true, FontNormal, false},
    {DeleteAllButton, ControlKind::Button, W(-130), H(-195), Px(120), Px(27), u"tMainDELETEALL", true, FontNormal, false},
    {SettingsFrame, ControlKind::Frame, Px(5), H(-150), W(-10), Px(80), u"tMainSETTINGS", true, -1, true},
    {AlgorithmLabel, ControlKind::Label, Px(10), H(-130), Px(100), Px(22), u"tMainALGORITHM", true, FontNormal, true},
    {Crc32Option, ControlKind::RadioButton, Px(130), H(-132), Px(70), Px(22), u"CRC32", false, FontNormal, true},
    {Md5Option, ControlKind::RadioButton, Px(220), H(-132), Px(70), Px(22), u"MD5", false, FontNormal, true},
    {Sha1Option, ControlKind::RadioButton, Px(310), H(-132), Px(70), Px(22), u"SHA1", false, FontNormal, true},
    {Sha2Option, ControlKind::RadioButton, Px(400), H(-132), Px(70), Px(22), u"SHA2", false, FontNormal, true},
    {Sha3Option, ControlKind::RadioButton, Px(490), H(-132), Px(70), Px(22), u"SHA3", false, FontNormal, true},
    {BitsLabel, ControlKind::Label, Px(10), H(-100), Px(100), Px(22), u"tMainBITS", true, FontNormal, true},
    {Bits224Option, ControlKind::RadioButton, Px(130), H(-102), Px(70), Px(22), u"224", false, FontNormal, true},
    {Bits256Option, ControlKind::RadioButton, Px(220), H(-102), Px(70), Px(22), u"256", false, FontNormal, true},
    {Bits384Option, ControlKind::RadioButton, Px(310), H(-102), Px(70), Px(22), u"384", false, FontNormal, true},
    {Bits512Option, ControlKind::RadioButton, Px(400), H(-102), Px(70), Px(22), u"512", false, FontNormal, true},
    {JobProgress, ControlKind::ProgressBar, Px(5), H(-55), W(-145), Px(27), u"", false, -1, true},
    {CalculateButton, ControlKind::Button, W(-135), H(-60), Px(130), Px(35), u"tMainCALCULATE", true, FontCalculate, false},
};
// clang-format on

const ControlSpec* SpecOf(int control) {
  for (const ControlSpec& spec : kControls) {
    if (spec.id == control)
      return &spec;
  }
  return nullptr;
}

// One entry of a menu: an item with its text key and image, or a separator (item -1).
struct MenuEntry {
  int position;
  int item;
  const char16_t* key;
  int image;
};

constexpr const char16_t* kMenuTitles[] = {u"tMenuFILE", u"tMenuLANGUAGES", u"tMenuHELP"};
constexpr int kFileMenu = 0;
constexpr int kLanguagesMenu = 1;
constexpr int kHelpMenu = 2;

constexpr MenuEntry kFixedMenuEntries[] = {
    {kFileMenu, MenuOpen, u"tMenuOPEN", ImageMenuOpen},
    {kFileMenu, -1, nullptr, -1},
    {kFileMenu, MenuQuit, u"tMenuQUIT", ImageMenuQuit},
    {kHelpMenu, MenuHelp, u"tMenuOPENHELP", ImageMenuHelp},
    {kHelpMenu, -1, nullptr, -1},
    {kHelpMenu, MenuAbout, u"tMenuABOUT", ImageMenuAbout},
    {kHelpMenu, -1, nullptr, -1},
    {kHelpMenu, MenuWeb, u"tMenuOPENWEB", ImageWeb},
};

void AddFixedEntries(int position) {
  for (const MenuEntry& entry : kFixedMenuEntries) {
    if (entry.position != position)
      continue;
    if (entry.item < 0) {
      platform::AddMenuSeparator(MainWindow, position);
    } else {
      platform::AddMenuItem(MainWindow, position, entry.item, LookupText(entry.key), entry.image);
    }
  }
}

}  // namespace

platform::Rect ControlLayoutRect(int control, int width, int height) {
  const ControlSpec* spec = SpecOf(control);
  if (spec == nullptr)
    return {};
  return {spec->x.At(width, height), spec->y.At(width, height), spec->width.At(width, height),
          spec->height.At(width, height)};
}

void EnableBitsOptionsFor(int64_t algorithm) {
  const bool enabled = algorithm != 0 && algorithm != 1 && algorithm != 2;
  for (const ControlId option : kBitsOptions) {
    platform::SetControlEnabled(MainWindow, option, enabled);
  }
}

void BuildMainMenu() {
  for (int position = 0; position < 3; ++position) {
    if (!platform::AddMenu(MainWindow, position, LookupText(kMenuTitles[position])))
      return;
    if (position != kLanguagesMenu) {
      AddFixedEntries(position);
      continue;
    }
    int item = MenuLanguageFirst;
    for (const LanguageInfo* language : WalkLanguages(AppState.LanguageCatalogue)) {
      platform::AddMenuItem(MainWindow, kLanguagesMenu, item, language->Name);
      if (language->Key == AppState.Language) {
        platform::SetMenuItemChecked(MainWindow, item, true);
        AppState.CurrentLanguageItem = item;
      }
      ++item;
    }
  }
}

void RestoreSelections() {
  if (AppState.Bits >= 0 && AppState.Bits < 4) {
    platform::SetControlChecked(MainWindow, kBitsOptions[AppState.Bits], true);
  }
  if (AppState.Algorithm >= 0 && AppState.Algorithm < 5) {
    platform::SetControlChecked(MainWindow, kAlgorithmOptions[AppState.Algorithm], true);
  }
  EnableBitsOptionsFor(AppState.Algorithm);
}

bool OpenMainWindow() {
  const int width = static_cast<int>(AppState.WindowWidth);
  const int height = static_cast<int>(AppState.WindowHeight);
  const std::u16string title =
      std::u16string(kProductName) + u" v" + kProductVersion + u" (x64) - " + kCompanyName;
  platform::WindowSpec window{title,
                              {0, 0, width, height},
                              platform::WindowResizable | platform::WindowMinimiseBox |
                                  platform::WindowCentredOnScreen | platform::WindowWithMenuBar,
                              -1};
  if (!platform::OpenWindow(MainWindow, window))
    return false;
  platform::SetWindowMinimumSize(MainWindow, {840, 600});
  BuildMainMenu();

  for (const ControlSpec& spec : kControls) {
    const std::u16string text = spec.textIsKey ? LookupText(spec.text) : std::u16string(spec.text);
    platform::CreateControl(MainWindow, spec.id, spec.kind,
                            ControlLayoutRect(spec.id, width, height),
                            spec.kind == ControlKind::FileList ? u"" : text);
    if (spec.font >= 0)
      platform::SetControlFont(MainWindow, spec.id, spec.font);
    if (!spec.enabledAtStart)
      platform::SetControlEnabled(MainWindow, spec.id, false);
  }
  platform::SetControlToolTip(MainWindow, SourceField, LookupText(u"tMainSOURCETIP"));
  platform::ListSetHeader(MainWindow, FileList, 0, LookupText(u"tMainFILENAME"));
  platform::ListSetHeader(MainWindow, FileList, 1, LookupText(u"tMainHASH"));
  platform::ListSetColumnWidth(MainWindow, FileList, 0, width - 240);
  platform::ListSetColumnWidth(MainWindow, FileList, 1, (width - 20) / 2);

  platform::AddMenuShortcut(MainWindow, platform::KeyF1, MenuHelp);
  RestoreSelections();
  return true;
}

void LayoutControls(int width, int height) {
  for (const ControlSpec& spec : kControls) {
    platform::MoveControl(MainWindow, spec.id, ControlLayoutRect(spec.id, width, height));
  }
  const int half = ControlLayoutRect(FileList, width, height).width / 2;
  platform::ListSetColumnWidth(MainWindow, FileList, 0, half);
  platform::ListSetColumnWidth(MainWindow, FileList, 1, half);
}
