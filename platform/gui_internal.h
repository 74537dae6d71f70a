// Internals shared by the files of the windowing layer. Only platform/*.cpp include this.
#pragma once

#include <QAbstractTableModel>
#include <QAction>
#include <QButtonGroup>
#include <QMainWindow>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QTreeView>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gui.h"

namespace platform::internal {

QString ToQString(const std::u16string& text);
std::u16string FromQString(const QString& text);
QColor ToQColor(Colour colour);
QPixmap PixmapOf(int image);  // null pixmap when the image does not exist

void Enqueue(const Event& event);

class FileListModel;
class FileListView;

struct ControlRecord {
  ControlKind kind = ControlKind::Label;
  QPointer<QWidget> widget;
  int font = -1;
  std::atomic<bool> checked{false};  // radio buttons: readable from any thread
  // Progress bars: the values the bar should show; applied on the main thread.
  std::atomic<int64_t> progressMinimum{0};
  std::atomic<int64_t> progressMaximum{100};
  std::atomic<int64_t> progressValue{0};
  std::atomic<bool> progressDirty{false};
  FileListModel* model = nullptr;  // FileList only; owned by the view
  FileListView* view = nullptr;
};

struct MenuItemRecord {
  QAction* action = nullptr;
  int image = -1;
  bool wantChecked = false;
};

class TopWindow;

struct WindowRecord {
  int id = -1;
  QPointer<TopWindow> window;
  QWidget* client = nullptr;
  bool enabled = true;
  std::vector<QMenu*> menus;
  std::map<int, MenuItemRecord> items;
  std::map<int, std::unique_ptr<ControlRecord>> controls;
  // Keys the window handles whatever has the focus (Qt key code → handler).
  std::map<int, std::function<void()>> keyHandlers;
  QButtonGroup* currentRadioGroup = nullptr;  // radio buttons created in a row share it
  bool lastCreatedWasRadio = false;
};

// The window registry. Lookups lock briefly, so other threads can find a list or progress bar
// while the main thread creates or destroys other windows.
WindowRecord* FindWindow(int window);
ControlRecord* FindControl(int window, int control);
// Every list and progress bar of every window (for the coalesced flush).
std::vector<ControlRecord*> FlushableControls();

// File list pieces (file_list.cpp).
QWidget* CreateFileList(ControlRecord& record, QWidget* parent, int window, int control);
void FlushControl(ControlRecord& record);
void RequestFlush();

}  // namespace platform::internal
