#include "dialogs/about.h"

#include "app/ids.h"
#include "app/product_info.h"
#include "lang/string_table.h"

std::u16string ComposeAboutText() {
  return std::u16string(u"v") + kProductVersion + u" (x64)\n\n" + LookupText(u"tAboutCODE") +
         u"\n" + kAuthorName + u"\n\n" + kRightsLine + u"\n" + kCompanyName + u"\n\n" +
         kWebAddress + u"\n";
}

void ShowAboutWindow() {
  using platform::ControlKind;
  const std::u16string text = ComposeAboutText();
  if (!platform::OpenWindow(AboutWindow, {LookupText(u"tAboutTITLE"),
                                          {228, 172, 600, 250},
                                          platform::WindowCentredOnOwner,
                                          MainWindow})) {
    return;
  }
  platform::SetWindowEnabled(MainWindow, false);
  platform::CreateControl(AboutWindow, AboutLogo, ControlKind::ImageView, {5, 5, 128, 128});
  platform::SetControlImage(AboutWindow, AboutLogo, ImageLogo);
  platform::CreateControl(AboutWindow, AboutTitle, ControlKind::Label, {150, 10, 445, 45},
                          kProductName);
  platform::SetControlFont(AboutWindow, AboutTitle, FontAboutTitle);
  platform::CreateControl(AboutWindow, AboutText, ControlKind::Label, {150, 55, 445, 160}, text);
  platform::SetControlFont(AboutWindow, AboutText, FontNormal);
  const int okX = platform::WindowClientSize(AboutWindow).width - 105;
  platform::CreateControl(AboutWindow, AboutOkButton, ControlKind::Button, {okX, 220, 100, 25},
                          LookupText(u"tGenOK"));
  platform::ShowWindow(AboutWindow);
}

void HandleAboutWindowEvent(const platform::Event& event) {
  const bool closes = (event.kind == platform::EventKind::Control && event.id == AboutOkButton) ||
                      event.kind == platform::EventKind::Close;
  if (!closes)
    return;
  platform::DestroyWindow(AboutWindow);
  platform::SetWindowEnabled(MainWindow, true);
}
