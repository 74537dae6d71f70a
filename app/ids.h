// The small fixed numbers that name windows, controls, menu items, images, fonts and the
// end-of-job event. Every subsystem uses these names.
#pragma once

enum WindowId : int {
  MainWindow = 0,
  AboutWindow = 1,
  MessageWindow = 2,  // the message dialog's window
};

enum ControlId : int {
  SourceFrame = 0,
  SourceField = 1,
  BrowseButton = 2,
  FileList = 3,
  ClipboardButton = 4,
  SaveButton = 5,
  DeleteButton = 6,
  DeleteAllButton = 7,
  SettingsFrame = 8,
  AlgorithmLabel = 11,
  BitsLabel = 12,
  Crc32Option = 13,
  Md5Option = 14,
  Sha1Option = 15,
  Sha2Option = 16,
  Sha3Option = 17,
  Bits224Option = 18,
  Bits256Option = 19,
  Bits384Option = 20,
  Bits512Option = 21,
  JobProgress = 22,
  CalculateButton = 23,
  AboutLogo = 24,
  AboutTitle = 25,
  AboutText = 26,
  AboutOkButton = 27,
  // The message dialog's controls.
  DialogImage = 40,
  DialogText = 41,
  DialogStrip = 42,
  DialogSecondButton = 43,
  DialogRightButton = 44,
};

enum MenuItemId : int {
  MenuOpen = 0,
  MenuQuit = 1,
  MenuHelp = 2,
  MenuAbout = 3,
  MenuWeb = 4,
  MenuLanguageFirst = 5,  // the i-th language of the catalogue is MenuLanguageFirst + i
};

enum ImageId : int {
  ImageLogo = 0,
  ImageWeb = 1,
  ImageBulb = 3,
  ImageQuestion = 4,
  ImageWarning = 5,
  ImageMenuOpen = 6,
  ImageMenuAbout = 7,
  ImageMenuHelp = 8,
  ImageMenuQuit = 9,
  ImageRowBusy = 10,
  ImageRowDone = 11,
  ImageRowQueued = 12,
  ImageRowFailed = 13,
};

enum FontId : int {
  FontNormal = 0,
  FontCalculate = 1,
  FontList = 2,
  FontDialog = 3,
  FontAboutTitle = 4,
};

// Posted by the checksum worker as its last action; belongs to MainWindow.
constexpr int EventJobFinished = 65536;

// The algorithm options in AlgorithmIndex order, the digest-size options in BitsIndex order.
constexpr ControlId kAlgorithmOptions[] = {Crc32Option, Md5Option, Sha1Option, Sha2Option,
                                           Sha3Option};
constexpr ControlId kBitsOptions[] = {Bits224Option, Bits256Option, Bits384Option, Bits512Option};
