#include "dialogs/message_dialog.h"

#include <deque>

#include "app/app_state.h"
#include "app/ids.h"
#include "lang/string_table.h"
#include "platform/gui.h"

namespace {

constexpr int64_t kWhite = 0xFFFFFF;
constexpr int64_t kBlack = 0;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 25;
constexpr int kBandHeight = 35;

std::deque<int> g_scriptedAnswers;
std::vector<ShownMessageDialog> g_shown;
void (*g_openHook)() = nullptr;

struct Captions {
  bool twoButtons = false;
  std::u16string first;   // the negative answer
  std::u16string second;  // the affirmative answer
};

Captions SplitCaptions(const std::u16string& buttons) {
  const size_t bar = buttons.find(u'|');
  if (bar == std::u16string::npos)
    return {false, buttons, {}};
  const size_t secondEnd = buttons.find(u'|', bar + 1);
  return {true, buttons.substr(0, bar), buttons.substr(bar + 1, secondEnd - (bar + 1))};
}

// Where the strip goes: x and width by style; the top edge is always H − 35.
struct StripShape {
  bool exists = false;
  int x = 0;
  int width = 0;
  int height = 0;
};

StripShape StripFor(const MessageDialogSpec& spec, int imageWidth, bool hasImage) {
  const int width = static_cast<int>(spec.Width);
  const int textX = hasImage ? imageWidth + 10 : 5;
  switch (spec.BarStyle) {
    case 1:
      return {true, textX, width - textX - 5, 1};
    case 2:
      return {true, 0, width, 1};
    case 3:
      return {true, 0, width, kBandHeight};
    default:
      return {};
  }
}

// Builds the dialog window; false when the window cannot be created.
bool BuildDialogWindow(const MessageDialogSpec& spec, const std::u16string& text) {
  using namespace platform;
  const bool hasImage = spec.Image != -1 && HasImage(static_cast<int>(spec.Image));
  const Size image = hasImage ? ImageSize(static_cast<int>(spec.Image)) : Size{};
  int height = static_cast<int>(spec.Height);
  if (hasImage && image.height + 9 >= height)
    height = image.height + 10;
  const int width = static_cast<int>(spec.Width);

  WindowSpec window{spec.Title,
                    {static_cast<int>(spec.X), static_cast<int>(spec.Y), width, height},
                    WindowCentredOnOwner,
                    MainWindow};
  if (!OpenWindow(MessageWindow, window))
    return false;
  SetWindowBackground(MessageWindow, spec.WindowColor);

  if (hasImage) {
    CreateControl(MessageWindow, DialogImage, ControlKind::ImageView,
                  {5, 5, image.width, image.height});
    SetControlImage(MessageWindow, DialogImage, static_cast<int>(spec.Image));
  }
  const int textX = hasImage ? image.width + 10 : 5;
  CreateControl(MessageWindow, DialogText, ControlKind::Label,
                {textX, 5, width - textX - 5, height - 40}, ExpandLineBreaks(text));
  SetLabelAlignment(MessageWindow, DialogText, spec.TextFlags);
  if (spec.Font != -1)
    SetControlFont(MessageWindow, DialogText, static_cast<int>(spec.Font));
  SetControlColours(MessageWindow, DialogText, spec.WindowColor, spec.TextColor);

  const StripShape strip = StripFor(spec, image.width, hasImage);
  if (strip.exists) {
    CreateControl(MessageWindow, DialogStrip, ControlKind::Label,
                  {strip.x, height - kBandHeight, strip.width, strip.height});
    SetControlColours(MessageWindow, DialogStrip, spec.BarColor, kDefaultColour);
  }

  const Captions captions = SplitCaptions(spec.Buttons);
  const int buttonY = height - 30;
  const bool yesFirst = AppState.DialogYesFirst == 1;
  if (captions.twoButtons && (spec.ButtonAlign == 0 || spec.ButtonAlign == 1)) {
    const int x = spec.ButtonAlign == 0 ? textX : width - 190;
    CreateControl(MessageWindow, DialogSecondButton, ControlKind::Button,
                  {x, buttonY, kButtonWidth, kButtonHeight},
                  yesFirst ? captions.second : captions.first);
  }
  const std::u16string rightCaption =
      !captions.twoButtons ? captions.first : (yesFirst ? captions.first : captions.second);
  CreateControl(MessageWindow, DialogRightButton, ControlKind::Button,
                {width - 95, buttonY, kButtonWidth, kButtonHeight}, rightCaption);

  AddKeyShortcut(MessageWindow, KeyEscape);
  AddKeyShortcut(MessageWindow, KeyReturn);
  return true;
}

// The answer an event of the dialog window gives, or -1 for an event that answers nothing.
int AnswerFor(const platform::Event& event) {
  using platform::EventKind;
  const int rightAnswer = AppState.DialogYesFirst == 1 ? 0 : 1;
  switch (event.kind) {
    case EventKind::Control:
      if (event.id == DialogRightButton)
        return rightAnswer;
      if (event.id == DialogSecondButton)
        return 1 - rightAnswer;
      return -1;
    case EventKind::Key:
      if (event.id == platform::KeyReturn)
        return 1;
      if (event.id == platform::KeyEscape)
        return 0;
      return -1;
    case EventKind::Close:
      return 0;
    default:
      return -1;
  }
}

// Events that must outlive the dialog: the end of a job, and the main window's last size.
bool KeepForMainLoop(const platform::Event& event) {
  return event.window == MainWindow &&
         ((event.kind == platform::EventKind::Custom && event.id == EventJobFinished) ||
          event.kind == platform::EventKind::Size);
}

}  // namespace

void InitDialogPresets() {
  const auto preset = [](int64_t height, int64_t textColour, int64_t image, uint8_t align) {
    MessageDialogSpec spec;
    spec.Width = 440;
    spec.Height = height;
    spec.WindowColor = kWhite;
    spec.TextFlags = 0;
    spec.TextColor = textColour;
    spec.Font = FontDialog;
    spec.Image = image;
    spec.BarStyle = 3;
    spec.BarColor = AppState.ButtonFaceColour;
    spec.ButtonAlign = align;
    return spec;
  };
  AppState.NoticePreset = preset(160, -1, ImageBulb, 0);
  AppState.WarningPreset = preset(120, kBlack, ImageWarning, 1);
  AppState.QuestionPreset = preset(120, -1, ImageQuestion, 1);
}

void UpdatePresetTexts() {
  const std::u16string title = LookupText(u"tGenMESSAGE");
  const std::u16string noYes = LookupText(u"tGenNO") + u"|" + LookupText(u"tGenYES");
  AppState.NoticePreset.Title = title;
  AppState.WarningPreset.Title = title;
  AppState.QuestionPreset.Title = title;
  AppState.NoticePreset.Buttons = LookupText(u"tGenOK");
  AppState.WarningPreset.Buttons = noYes;
  AppState.QuestionPreset.Buttons = noYes;
}

std::u16string ExpandLineBreaks(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size() && (text[i + 1] == u'n' || text[i + 1] == u'N')) {
      out.push_back(u'\n');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

int ShowMessageDialog(const MessageDialogSpec& spec, const std::u16string& text) {
  g_shown.push_back({spec, text});
  if (!g_scriptedAnswers.empty()) {
    const int answer = g_scriptedAnswers.front();
    g_scriptedAnswers.pop_front();
    return answer;
  }

  platform::SetWindowEnabled(MainWindow, false);
  if (!BuildDialogWindow(spec, text)) {
    // Escape's answer leaves every caller's state as it was.
    platform::SetWindowEnabled(MainWindow, true);
    return 0;
  }
  platform::ShowWindow(MessageWindow);
  platform::SetFocus(MessageWindow, DialogRightButton);
  if (g_openHook != nullptr)
    g_openHook();

  std::vector<platform::Event> kept;
  int answer = -1;
  while (answer < 0) {
    const platform::Event event = platform::WaitEvent();
    if (event.window == MessageWindow) {
      answer = AnswerFor(event);
    } else if (KeepForMainLoop(event)) {
      kept.push_back(event);
    }
  }

  platform::DestroyWindow(MessageWindow);
  platform::SetWindowEnabled(MainWindow, true);
  // Hand the kept events back in their order, ahead of anything queued meanwhile.
  for (auto it = kept.rbegin(); it != kept.rend(); ++it)
    platform::PushBackEvent(*it);
  return answer;
}

void ScriptMessageDialogAnswers(const std::vector<int>& answers) {
  g_scriptedAnswers.assign(answers.begin(), answers.end());
}

const std::vector<ShownMessageDialog>& ShownMessageDialogs() {
  return g_shown;
}

void ClearShownMessageDialogs() {
  g_shown.clear();
}

void SetMessageDialogOpenHook(void (*hook)()) {
  g_openHook = hook;
}
