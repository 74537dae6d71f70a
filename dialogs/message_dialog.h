// The program's one message box: a picture, a text and one or two buttons on a band, modal
// over the main window. Answers 1 for yes/OK (or Return) and 0 for no, Escape or the close box.
#pragma once

#include <string>
#include <vector>

#include "dialogs/message_dialog_spec.h"

// Sets every field of the three presets but their texts.
void InitDialogPresets();
// Titles and button captions of the presets from the current language.
void UpdatePresetTexts();

int ShowMessageDialog(const MessageDialogSpec& spec, const std::u16string& text);

// The text as the dialog shows it: backslash + n (either case) becomes a line feed.
std::u16string ExpandLineBreaks(const std::u16string& text);

// ---- Test hooks ----
// The next dialogs answer these, in order, without opening a window.
void ScriptMessageDialogAnswers(const std::vector<int>& answers);
struct ShownMessageDialog {
  MessageDialogSpec spec;
  std::u16string text;
};
// Every dialog asked for since the last ClearShownMessageDialogs, scripted or shown.
const std::vector<ShownMessageDialog>& ShownMessageDialogs();
void ClearShownMessageDialogs();
// Called once the dialog window is visible, before it waits for an answer.
void SetMessageDialogOpenHook(void (*hook)());
