#include "app/startup.h"

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "checksum/intake.h"
#include "dialogs/help.h"
#include "dialogs/message_dialog.h"
#include "lang/loading.h"
#include "platform/gui.h"
#include "resources/builtin_images.h"
#include "settings/preferences.h"

namespace {

struct FontSpec {
  FontId id;
  const char16_t* face;
  int points;
  bool bold;
};

constexpr FontSpec kFonts[] = {
    {FontNormal, u"Arial", 11, false},      {FontCalculate, u"Arial", 14, true},
    {FontList, u"Arial", 10, false},        {FontDialog, u"Arial", 12, true},
    {FontAboutTitle, u"Tahoma", 25, false},
};

constexpr ImageId kBuiltinImages[] = {
    ImageLogo,     ImageWeb,       ImageBulb,      ImageQuestion, ImageWarning,
    ImageMenuOpen, ImageMenuAbout, ImageMenuHelp,  ImageMenuQuit, ImageRowBusy,
    ImageRowDone,  ImageRowQueued, ImageRowFailed,
};

}  // namespace

void CreateFonts() {
  for (const FontSpec& font : kFonts) {
    platform::CreateFont(font.id, font.face, font.points, font.bold);
  }
}

void DecodeBuiltinImages() {
  // An image that does not decode is simply absent: its users show no picture.
  for (const ImageId image : kBuiltinImages) {
    const resources::PngData png = resources::BuiltinImagePng(image);
    platform::LoadImagePng(image, png.bytes, png.length);
  }
  platform::SetApplicationIcon(ImageLogo);
}

bool StartUp(int argc, char** argv) {
  AppState.ButtonFaceColour = platform::ButtonFaceColour();
  InitDialogPresets();
  CreateFonts();
  DecodeBuiltinImages();
  AppState.CommandLineSource = argc > 1 ? argv[1] : "";
  LocatePreferences();
  AppState.DialogYesFirst = 1;
  BuildLanguageCatalogue();
  ChooseCurrentLanguage();
  LoadLanguageStrings(LanguagePackPath(), AppState.Language);
  UpdatePresetTexts();
  if (!OpenMainWindow())
    return false;
  AddStartupPath();
  platform::ShowWindow(MainWindow);
  return true;
}

void ReadBackSelections() {
  for (int64_t index = 0; index < 5; ++index) {
    if (platform::IsControlChecked(MainWindow, kAlgorithmOptions[index])) {
      AppState.Algorithm = index;
    }
  }
  for (int64_t index = 0; index < 4; ++index) {
    if (platform::IsControlChecked(MainWindow, kBitsOptions[index]))
      AppState.Bits = index;
  }
}

void ExitSequence() {
  ReadBackSelections();
  SavePreferences();
  StopHelpProgram();
}

int RunProgram(int argc, char** argv) {
  if (!platform::Initialise(argc, argv))
    return 1;
  if (StartUp(argc, argv)) {
    AppState.QuitRequested = 0;
    RunEventLoop();
    ExitSequence();
  }
  // The worker and the help watcher are not joined: ending the process ends them.
  platform::EndProcess(0);
}
