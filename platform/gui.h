// The windowing layer: windows, controls, menus, images, fonts, one event queue, file dialogs and
// the clipboard, all addressed by small integer ids. This is the only door to the GUI toolkit;
// nothing above it sees a toolkit type.
//
// Every call is for the main thread, except the ones marked "any thread": those update a
// thread-safe row model or progress value and let the main thread repaint, coalesced.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A colour is 0xBBGGRR (red in the low byte); -1 means the default.
using Colour = int64_t;
constexpr Colour kDefaultColour = -1;

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// ---- Start and end -------------------------------------------------------------------------

// Creates the toolkit's application object. Prints "no display: set DISPLAY or use xvfb-run"
// and returns false when there is no display to open windows on.
bool Initialise(int& argc, char** argv);
bool IsInitialised();
// Ends the process at once with `code`; threads still running are not joined.
[[noreturn]] void EndProcess(int code);

// ---- Events ---------------------------------------------------------------------------------

enum class EventKind { None, Control, Menu, Size, Close, Drop, Key, Custom };

// Keys a window can ask to receive as Key events (see AddKeyShortcut).
enum KeyCode : int { KeyReturn = 1, KeyEscape = 2, KeyF1 = 3 };

struct Event {
  EventKind kind = EventKind::None;
  int window = -1;
  int id = -1;       // control id, menu item id, key code or custom event number
  std::string data;  // Drop: the dropped native paths, separated by '\n'
};

// Blocks until an event is queued, running the toolkit's loop meanwhile.
Event WaitEvent();
// Returns the next event if one is queued, after letting the toolkit handle pending input.
std::optional<Event> PollEvent();
// Puts an event at the end of the queue. Any thread.
void PostEvent(const Event& event);
// Puts an event back at the front of the queue, so it is the next one WaitEvent returns.
void PushBackEvent(const Event& event);
// Lets the toolkit handle what is pending (repaints, input) without taking events.
void ProcessPendingWork();

// ---- Images and fonts -----------------------------------------------------------------------

// Decodes 8-bit PNG data and keeps it under `image`. False when the data does not decode or is
// larger than `maxSide` pixels in either direction.
bool LoadImagePng(int image, const unsigned char* data, size_t length, int maxSide = 1024);
bool HasImage(int image);
Size ImageSize(int image);
void SetApplicationIcon(int image);

// Creates a font from a face name and a size in points.
bool CreateFont(int font, const std::u16string& face, int points, bool bold);
// The character height in logical pixels that `points` gives on this screen.
int FontPixelHeight(int points);

// ---- Windows --------------------------------------------------------------------------------

enum WindowFlags : unsigned {
  WindowResizable = 1u << 0,  // sizing border
  WindowMinimiseBox = 1u << 1,
  WindowMaximiseBox = 1u << 2,
  WindowCentredOnScreen = 1u << 3,
  WindowCentredOnOwner = 1u << 4,
  WindowWithMenuBar = 1u << 5,  // the inner size then includes the menu bar
};

struct WindowSpec {
  std::u16string title;
  Rect rect;  // x, y are ignored when centred; width × height is the inner area
  unsigned flags = 0;
  int owner = -1;  // owning window, or -1
};

// Creates the window hidden. False when it cannot be created.
bool OpenWindow(int window, const WindowSpec& spec);
void ShowWindow(int window);
void DestroyWindow(int window);
bool WindowExists(int window);
// A disabled window takes no input at all: no clicks, keys, menu commands or close requests.
void SetWindowEnabled(int window, bool enabled);
bool IsWindowEnabled(int window);
bool IsWindowVisible(int window);
void SetWindowTitle(int window, const std::u16string& title);
std::u16string WindowTitle(int window);
void SetWindowMinimumSize(int window, Size inner);
void SetWindowBackground(int window, Colour colour);
// The inner area (menu bar included) and the client area below the menu bar, logical pixels.
Size WindowInnerSize(int window);
Size WindowClientSize(int window);
void ResizeWindow(int window, Size inner);
// Top-left corner of the inner area on the screen.
Rect WindowScreenRect(int window);

// ---- Controls -------------------------------------------------------------------------------

enum class ControlKind {
  Frame,      // captioned group box
  TextField,  // single-line editable text
  Button,
  RadioButton,  // consecutive radio buttons form one group
  Label,        // plain text, wraps at words, '&' shown literally
  ImageView,
  ProgressBar,
  FileList,  // two-column report list with row images
};

bool CreateControl(int window, int control, ControlKind kind, Rect rect,
                   const std::u16string& text = {});
bool ControlExists(int window, int control);
void MoveControl(int window, int control, Rect rect);
Rect ControlRect(int window, int control);
void SetControlText(int window, int control, const std::u16string& text);
std::u16string ControlText(int window, int control);
void SetControlEnabled(int window, int control, bool enabled);
bool IsControlEnabled(int window, int control);
// Radio buttons. IsControlChecked may be called from any thread.
void SetControlChecked(int window, int control, bool checked);
bool IsControlChecked(int window, int control);
void SetControlFont(int window, int control, int font);
int ControlFont(int window, int control);  // -1: default
void SetControlImage(int window, int control, int image);
void SetControlToolTip(int window, int control, const std::u16string& text);
std::u16string ControlToolTip(int window, int control);
// Background and text colour; kDefaultColour keeps the default.
void SetControlColours(int window, int control, Colour background, Colour text);
void SetLabelAlignment(int window, int control, int textFlags);  // 0 left, 1 centre, 2 right
void SetFocus(int window, int control);

// Progress bar. SetProgressValue: any thread.
void SetProgressRange(int window, int control, int64_t minimum, int64_t maximum);
void SetProgressValue(int window, int control, int64_t value);
int64_t ProgressValue(int window, int control);
int64_t ProgressMaximum(int window, int control);

// ---- The file list ---------------------------------------------------------------------------
// Rows keep their path twice: as display text (column 0) and as the native bytes it came from,
// so a file whose name is not valid UTF-8 is still read.

void ListSetHeader(int window, int control, int column, const std::u16string& text);
std::u16string ListHeader(int window, int control, int column);
void ListSetColumnWidth(int window, int control, int column, int width);
int ListColumnWidth(int window, int control, int column);
void ListAppendRow(int window, int control, const std::string& nativePath, int image);
void ListRemoveRow(int window, int control, int row);
void ListClear(int window, int control);
std::vector<int> ListSelectedRows(int window, int control);
void ListSetSelected(int window, int control, int row, bool selected);
// Any thread:
int ListRowCount(int window, int control);
std::u16string ListCellText(int window, int control, int row, int column);
std::string ListRowNativePath(int window, int control, int row);
void ListSetCellText(int window, int control, int row, int column, const std::u16string& text);
void ListSetRowImage(int window, int control, int row, int image);
int ListRowImage(int window, int control, int row);
// Makes `row` the only selected row, gives it the focus mark and scrolls it into view.
void ListSelectOnly(int window, int control, int row);
// Applies what other threads changed in rows and progress bars now (normally done coalesced).
void FlushPendingUpdates();
// How many coalesced repaints the lists have asked for so far (for tests and benchmarks).
int64_t ListRepaintCount();

// ---- Menus ----------------------------------------------------------------------------------

// Menus sit at positions 0, 1, 2 … of the window's menu bar.
bool AddMenu(int window, int position, const std::u16string& title);
void AddMenuItem(int window, int position, int item, const std::u16string& text, int image = -1);
void AddMenuSeparator(int window, int position);
void SetMenuTitle(int window, int position, const std::u16string& title);
std::u16string MenuTitle(int window, int position);
void SetMenuItemText(int window, int item, const std::u16string& text);
std::u16string MenuItemText(int window, int item);
void SetMenuItemEnabled(int window, int item, bool enabled);
bool IsMenuItemEnabled(int window, int item);
void SetMenuItemChecked(int window, int item, bool checked);
bool IsMenuItemChecked(int window, int item);
int MenuItemImage(int window, int item);               // -1: none
std::vector<int> MenuItems(int window, int position);  // ids in order; separators as -1

// A key pressed in `window` arrives as a Menu event with `menuItem` (while that item is
// enabled, or when the window has no such item).
void AddMenuShortcut(int window, KeyCode key, int menuItem);
// A key pressed in `window` arrives as a Key event with the key code, whatever has the focus.
void AddKeyShortcut(int window, KeyCode key);

// ---- File dialogs and clipboard --------------------------------------------------------------

// `filter` is "description|pattern|description|pattern…"; the first pair is preselected.
// Returns the chosen native paths; empty when cancelled.
std::vector<std::string> ShowOpenFilesDialog(int owner, const std::u16string& title,
                                             const std::u16string& filter,
                                             const std::string& startFolder);
// Returns the chosen native path; empty when cancelled. Asks nothing before an existing file.
std::string ShowSaveFileDialog(int owner, const std::u16string& title, const std::u16string& filter,
                               const std::string& proposedPath);
// Test hook: the next file dialogs answer these, in order, without showing anything.
void ScriptFileDialogAnswers(const std::vector<std::vector<std::string>>& answers);
struct FileDialogRecord {
  std::u16string title;
  std::u16string filter;
  std::string start;
};
// What the last file dialog was asked to show (for tests).
FileDialogRecord LastFileDialog();

bool SetClipboardText(const std::u16string& text);
std::u16string ClipboardText();

// The system's button-face colour.
Colour ButtonFaceColour();

// ---- Test hooks ------------------------------------------------------------------------------

// Delivers a click on a control as the user would make it (through the toolkit).
void SimulateClick(int window, int control);
// Delivers a key press to the window's focused widget through the toolkit.
void SimulateKey(int window, KeyCode key);
// Drops a "text/uri-list" (as a file manager sends it) onto a file list.
void SimulateDrop(int window, int control, const std::string& uriList);
// Asks the window to close as its close box would.
void SimulateClose(int window);
// Activates a menu item as a click on it would.
void SimulateMenu(int window, int item);
// Makes a plain image of that size under `image` (for tests of image-dependent layout).
void CreateBlankImage(int image, Size size);
// Empties the event queue (between tests).
void DiscardQueuedEvents();

}  // namespace platform
