// Windows, controls, menus, images, fonts, file dialogs and the clipboard on Qt Widgets.
// Toolkit signals only append events to the queue; no application code runs inside them.
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleFactory>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <deque>

#include "platform/files.h"
#include "platform/gui_internal.h"
#include "platform/png.h"
#include "platform/text.h"

namespace platform {
namespace internal {

namespace {

std::recursive_mutex g_registryMutex;
std::map<int, std::unique_ptr<WindowRecord>> g_windows;
std::map<int, QPixmap> g_images;
std::map<int, QFont> g_fonts;
QApplication* g_application = nullptr;

std::deque<std::vector<std::string>> g_scriptedFileAnswers;
FileDialogRecord g_lastFileDialog;

}  // namespace

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<size_t>(text.size()));
}

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QPixmap PixmapOf(int image) {
  auto found = g_images.find(image);
  return found == g_images.end() ? QPixmap() : found->second;
}

WindowRecord* FindWindow(int window) {
  std::lock_guard lock(g_registryMutex);
  auto found = g_windows.find(window);
  return found == g_windows.end() ? nullptr : found->second.get();
}

ControlRecord* FindControl(int window, int control) {
  std::lock_guard lock(g_registryMutex);
  auto found = g_windows.find(window);
  if (found == g_windows.end())
    return nullptr;
  auto control_found = found->second->controls.find(control);
  return control_found == found->second->controls.end() ? nullptr : control_found->second.get();
}

std::vector<ControlRecord*> FlushableControls() {
  std::lock_guard lock(g_registryMutex);
  std::vector<ControlRecord*> records;
  for (auto& [id, window] : g_windows) {
    for (auto& [control, record] : window->controls) {
      if (record->model != nullptr || record->kind == ControlKind::ProgressBar) {
        records.push_back(record.get());
      }
    }
  }
  return records;
}

// A top-level window: the menu bar on top, the client area below it. The close box never closes
// the window by itself; it only reports the request.
class TopWindow : public QMainWindow {
 public:
  TopWindow(int id, QWidget* owner) : QMainWindow(owner), id_(id) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    WindowRecord* record = FindWindow(id_);
    if (record != nullptr && record->enabled)
      Enqueue({EventKind::Close, id_, -1, {}});
  }

 private:
  int id_;
};

// The client area: reports its size changes.
class ClientArea : public QWidget {
 public:
  ClientArea(int id, QWidget* parent) : QWidget(parent), id_(id) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Enqueue({EventKind::Size, id_, -1, {}});
  }

 private:
  int id_;
};

// Window keys (Return, Escape, F1) are seen before any control: a focused button must not
// swallow Return, and the answer must not depend on which window the system thinks is active.
class WindowKeyFilter : public QObject {
 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !target->isWidgetType())
      return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
      return false;
    QWidget* top = static_cast<QWidget*>(target)->window();
    std::function<void()> handler;
    {
      std::lock_guard lock(g_registryMutex);
      for (auto& [id, record] : g_windows) {
        if (record->window.data() != top)
          continue;
        auto found = record->keyHandlers.find(key->key());
        if (found != record->keyHandlers.end())
          handler = found->second;
      }
    }
    if (!handler)
      return false;
    handler();
    return true;
  }
};

}  // namespace internal

using namespace internal;

// ---- Start and end ---------------------------------------------------------------------------

namespace {

// Qt aborts when it cannot reach the X server; tell the user plainly instead.
bool DisplayAvailable() {
  const std::string platformName = EnvironmentValue("QT_QPA_PLATFORM");
  if (!platformName.empty() && platformName.rfind("xcb", 0) != 0)
    return true;
  const std::string display = EnvironmentValue("DISPLAY");
  if (display.empty())
    return !EnvironmentValue("WAYLAND_DISPLAY").empty();
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool ok = connection != nullptr && xcb_connection_has_error(connection) == 0;
  if (connection != nullptr)
    xcb_disconnect(connection);
  return ok;
}

}  // namespace

bool Initialise(int& argc, char** argv) {
  if (g_application != nullptr)
    return true;
  if (!DisplayAvailable()) {
    std::fputs("no display: set DISPLAY or use xvfb-run\n", stderr);
    return false;
  }
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  g_application = new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  g_application->installEventFilter(new WindowKeyFilter);
  // The program's faces resolve to metric-compatible free fonts.
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
  return true;
}

bool IsInitialised() {
  return g_application != nullptr;
}

void EndProcess(int code) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(code);
}

// ---- Images and fonts ------------------------------------------------------------------------

bool LoadImagePng(int image, const unsigned char* data, size_t length, int maxSide) {
  const std::optional<DecodedPng> decoded = DecodePng(data, length, maxSide);
  if (!decoded)
    return false;
  const QImage pixels(decoded->rgba.data(), decoded->width, decoded->height, decoded->width * 4,
                      QImage::Format_RGBA8888);
  // fromImage copies the pixels, so the decoded buffer may go.
  g_images[image] = QPixmap::fromImage(pixels);
  return true;
}

bool HasImage(int image) {
  return g_images.count(image) != 0;
}

Size ImageSize(int image) {
  const QPixmap pixmap = PixmapOf(image);
  return {pixmap.width(), pixmap.height()};
}

void SetApplicationIcon(int image) {
  if (HasImage(image))
    QApplication::setWindowIcon(QIcon(PixmapOf(image)));
}

int FontPixelHeight(int points) {
  // Our coordinates are logical pixels of a 96 dpi screen; Qt scales them for denser screens.
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

bool CreateFont(int font, const std::u16string& face, int points, bool bold) {
  QFont created(ToQString(face));
  created.setPixelSize(FontPixelHeight(points));
  created.setBold(bold);
  created.setStyleStrategy(QFont::PreferQuality);
  g_fonts[font] = created;
  return true;
}

// ---- Windows ---------------------------------------------------------------------------------

namespace {

QPoint CentredPosition(QSize size, QRect area) {
  // A window larger than the area starts at its left or top edge instead.
  const int x =
      size.width() >= area.width() ? area.left() : area.left() + (area.width() - size.width()) / 2;
  const int y = size.height() >= area.height() ? area.top()
                                               : area.top() + (area.height() - size.height()) / 2;
  return {x, y};
}

}  // namespace

bool OpenWindow(int window, const WindowSpec& spec) {
  if (g_application == nullptr || FindWindow(window) != nullptr)
    return false;
  WindowRecord* owner = spec.owner >= 0 ? FindWindow(spec.owner) : nullptr;
  auto record = std::make_unique<WindowRecord>();
  record->id = window;
  auto* top = new TopWindow(window, owner != nullptr ? owner->window.data() : nullptr);
  Qt::WindowFlags flags = (owner != nullptr ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  if (spec.flags & WindowMinimiseBox)
    flags |= Qt::WindowMinimizeButtonHint;
  if (spec.flags & WindowMaximiseBox)
    flags |= Qt::WindowMaximizeButtonHint;
  top->setWindowFlags(flags);
  top->setWindowTitle(ToQString(spec.title));
  top->setAttribute(Qt::WA_DeleteOnClose, false);
  auto* client = new ClientArea(window, top);
  top->setCentralWidget(client);
  if (spec.flags & WindowWithMenuBar)
    top->menuBar();  // exists before the size is set
  const QSize inner(spec.rect.width, spec.rect.height);
  if (spec.flags & WindowResizable) {
    top->resize(inner);
  } else {
    top->setFixedSize(inner);
  }
  QPoint position(spec.rect.x, spec.rect.y);
  if ((spec.flags & WindowCentredOnOwner) && owner != nullptr && owner->window) {
    const QRect ownerArea = owner->window->geometry();
    position = ownerArea.center() - QPoint(inner.width() / 2, inner.height() / 2);
  } else if (spec.flags & WindowCentredOnScreen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr)
      position = CentredPosition(inner, screen->availableGeometry());
  }
  top->move(position);
  record->window = top;
  record->client = client;
  std::lock_guard lock(g_registryMutex);
  g_windows[window] = std::move(record);
  return true;
}

void ShowWindow(int window) {
  if (WindowRecord* record = FindWindow(window); record && record->window) {
    record->window->show();
    record->window->raise();
    record->window->activateWindow();
  }
}

void DestroyWindow(int window) {
  std::unique_ptr<WindowRecord> record;
  {
    std::lock_guard lock(g_registryMutex);
    auto found = g_windows.find(window);
    if (found == g_windows.end())
      return;
    record = std::move(found->second);
    g_windows.erase(found);
  }
  if (record->window) {
    record->window->hide();
    delete record->window.data();
  }
}

bool WindowExists(int window) {
  return FindWindow(window) != nullptr;
}

void SetWindowEnabled(int window, bool enabled) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr)
    return;
  record->enabled = enabled;
  // The frame stays enabled so that owned windows (dialogs) keep working; everything the user
  // can reach inside it is switched.
  record->client->setEnabled(enabled);
  if (record->window && record->window->menuWidget() != nullptr) {
    record->window->menuWidget()->setEnabled(enabled);
  }
}

bool IsWindowEnabled(int window) {
  WindowRecord* record = FindWindow(window);
  return record != nullptr && record->enabled;
}

bool IsWindowVisible(int window) {
  WindowRecord* record = FindWindow(window);
  return record != nullptr && record->window && record->window->isVisible();
}

void SetWindowTitle(int window, const std::u16string& title) {
  if (WindowRecord* record = FindWindow(window); record && record->window) {
    record->window->setWindowTitle(ToQString(title));
  }
}

std::u16string WindowTitle(int window) {
  WindowRecord* record = FindWindow(window);
  return record && record->window ? FromQString(record->window->windowTitle()) : std::u16string();
}

void SetWindowMinimumSize(int window, Size inner) {
  if (WindowRecord* record = FindWindow(window); record && record->window) {
    record->window->setMinimumSize(inner.width, inner.height);
  }
}

void SetWindowBackground(int window, Colour colour) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || colour == kDefaultColour)
    return;
  QPalette palette = record->client->palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  record->client->setPalette(palette);
  record->client->setAutoFillBackground(true);
}

Size WindowInnerSize(int window) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || !record->window)
    return {};
  return {record->window->width(), record->window->height()};
}

Size WindowClientSize(int window) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr)
    return {};
  // A hidden window has not laid out its client area yet; do it now so the size is real.
  if (record->window && !record->window->isVisible() && record->window->layout() != nullptr) {
    record->window->layout()->activate();
  }
  return {record->client->width(), record->client->height()};
}

void ResizeWindow(int window, Size inner) {
  if (WindowRecord* record = FindWindow(window); record && record->window) {
    record->window->resize(inner.width, inner.height);
  }
}

Rect WindowScreenRect(int window) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || !record->window)
    return {};
  const QRect geometry = record->window->geometry();
  return {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

// ---- Controls --------------------------------------------------------------------------------

namespace {

QWidget* WidgetOf(int window, int control) {
  ControlRecord* record = FindControl(window, control);
  return record != nullptr ? record->widget.data() : nullptr;
}

QWidget* MakeWidget(WindowRecord& window, ControlRecord& record, int control,
                    const std::u16string& text) {
  QWidget* parent = window.client;
  const int windowId = window.id;
  const QString caption = ToQString(text);
  switch (record.kind) {
    case ControlKind::Frame:
      return new QGroupBox(caption, parent);
    case ControlKind::TextField: {
      auto* field = new QLineEdit(caption, parent);
      return field;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, [windowId, control] {
        Enqueue({EventKind::Control, windowId, control, {}});
      });
      return button;
    }
    case ControlKind::RadioButton: {
      auto* radio = new QRadioButton(caption, parent);
      radio->setAutoExclusive(false);
      if (!window.lastCreatedWasRadio || window.currentRadioGroup == nullptr) {
        window.currentRadioGroup = new QButtonGroup(parent);
        window.currentRadioGroup->setExclusive(true);
      }
      window.currentRadioGroup->addButton(radio);
      std::atomic<bool>* mirror = &record.checked;
      QObject::connect(radio, &QRadioButton::toggled, [mirror](bool on) { *mirror = on; });
      QObject::connect(radio, &QRadioButton::clicked, [windowId, control] {
        Enqueue({EventKind::Control, windowId, control, {}});
      });
      return radio;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(caption, parent);
      label->setTextFormat(Qt::PlainText);  // '&' and '<' are shown as typed
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::ImageView: {
      auto* view = new QLabel(parent);
      view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return view;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      bar->setRange(0, 100);
      bar->setValue(0);
      return bar;
    }
    case ControlKind::FileList:
      return CreateFileList(record, parent, windowId, control);
  }
  return nullptr;
}

}  // namespace

bool CreateControl(int window, int control, ControlKind kind, Rect rect,
                   const std::u16string& text) {
  WindowRecord* windowRecord = FindWindow(window);
  if (windowRecord == nullptr || FindControl(window, control) != nullptr)
    return false;
  auto record = std::make_unique<ControlRecord>();
  record->kind = kind;
  QWidget* widget = MakeWidget(*windowRecord, *record, control, text);
  if (widget == nullptr)
    return false;
  windowRecord->lastCreatedWasRadio = kind == ControlKind::RadioButton;
  widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  widget->show();
  record->widget = widget;
  std::lock_guard lock(g_registryMutex);
  windowRecord->controls[control] = std::move(record);
  return true;
}

bool ControlExists(int window, int control) {
  return FindControl(window, control) != nullptr;
}

void MoveControl(int window, int control, Rect rect) {
  if (QWidget* widget = WidgetOf(window, control)) {
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  }
}

Rect ControlRect(int window, int control) {
  QWidget* widget = WidgetOf(window, control);
  if (widget == nullptr)
    return {};
  const QRect geometry = widget->geometry();
  return {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

void SetControlText(int window, int control, const std::u16string& text) {
  QWidget* widget = WidgetOf(window, control);
  const QString value = ToQString(text);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
    field->setText(value);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(value);
  }
}

std::u16string ControlText(int window, int control) {
  QWidget* widget = WidgetOf(window, control);
  if (auto* button = qobject_cast<QAbstractButton*>(widget))
    return FromQString(button->text());
  if (auto* field = qobject_cast<QLineEdit*>(widget))
    return FromQString(field->text());
  if (auto* label = qobject_cast<QLabel*>(widget))
    return FromQString(label->text());
  if (auto* frame = qobject_cast<QGroupBox*>(widget))
    return FromQString(frame->title());
  return {};
}

void SetControlEnabled(int window, int control, bool enabled) {
  if (QWidget* widget = WidgetOf(window, control))
    widget->setEnabled(enabled);
}

bool IsControlEnabled(int window, int control) {
  // The control's own state: a disabled window does not change what its controls report.
  QWidget* widget = WidgetOf(window, control);
  return widget != nullptr && !widget->testAttribute(Qt::WA_ForceDisabled);
}

void SetControlChecked(int window, int control, bool checked) {
  ControlRecord* record = FindControl(window, control);
  if (record == nullptr)
    return;
  if (auto* radio = qobject_cast<QRadioButton*>(record->widget.data())) {
    radio->setChecked(checked);
    record->checked = radio->isChecked();
  }
}

bool IsControlChecked(int window, int control) {
  ControlRecord* record = FindControl(window, control);
  return record != nullptr && record->checked.load();
}

void SetControlFont(int window, int control, int font) {
  ControlRecord* record = FindControl(window, control);
  auto found = g_fonts.find(font);
  if (record == nullptr || !record->widget || found == g_fonts.end())
    return;
  record->widget->setFont(found->second);
  record->font = font;
}

int ControlFont(int window, int control) {
  ControlRecord* record = FindControl(window, control);
  return record != nullptr ? record->font : -1;
}

void SetControlImage(int window, int control, int image) {
  if (auto* label = qobject_cast<QLabel*>(WidgetOf(window, control))) {
    label->setPixmap(PixmapOf(image));
  }
}

void SetControlToolTip(int window, int control, const std::u16string& text) {
  if (QWidget* widget = WidgetOf(window, control))
    widget->setToolTip(ToQString(text));
}

std::u16string ControlToolTip(int window, int control) {
  QWidget* widget = WidgetOf(window, control);
  return widget != nullptr ? FromQString(widget->toolTip()) : std::u16string();
}

void SetControlColours(int window, int control, Colour background, Colour text) {
  QWidget* widget = WidgetOf(window, control);
  if (widget == nullptr)
    return;
  QPalette palette = widget->palette();
  if (background != kDefaultColour) {
    palette.setColor(QPalette::Window, ToQColor(background));
    widget->setAutoFillBackground(true);
  }
  if (text != kDefaultColour)
    palette.setColor(QPalette::WindowText, ToQColor(text));
  widget->setPalette(palette);
}

void SetLabelAlignment(int window, int control, int textFlags) {
  constexpr Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  auto* label = qobject_cast<QLabel*>(WidgetOf(window, control));
  if (label == nullptr)
    return;
  const Qt::Alignment horizontal =
      textFlags >= 0 && textFlags <= 2 ? kAlignments[textFlags] : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignTop);
}

void SetFocus(int window, int control) {
  if (QWidget* widget = WidgetOf(window, control))
    widget->setFocus();
}

// ---- Menus -----------------------------------------------------------------------------------

bool AddMenu(int window, int position, const std::u16string& title) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || !record->window || position != static_cast<int>(record->menus.size())) {
    return false;
  }
  QMenu* menu = record->window->menuBar()->addMenu(ToQString(title));
  record->menus.push_back(menu);
  return true;
}

void AddMenuItem(int window, int position, int item, const std::u16string& text, int image) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || position < 0 || position >= static_cast<int>(record->menus.size())) {
    return;
  }
  QAction* action = record->menus[position]->addAction(ToQString(text));
  if (HasImage(image))
    action->setIcon(QIcon(PixmapOf(image)));
  action->setIconVisibleInMenu(true);
  QObject::connect(action, &QAction::triggered, [window, item, action] {
    // Qt flips a checkable item by itself; the check mark is ours to place.
    if (WindowRecord* owner = FindWindow(window)) {
      auto found = owner->items.find(item);
      if (found != owner->items.end())
        action->setChecked(found->second.wantChecked);
      if (!owner->enabled)
        return;
    }
    Enqueue({EventKind::Menu, window, item, {}});
  });
  record->items[item] = {action, HasImage(image) ? image : -1, false};
}

void AddMenuSeparator(int window, int position) {
  WindowRecord* record = FindWindow(window);
  if (record != nullptr && position >= 0 && position < static_cast<int>(record->menus.size())) {
    record->menus[position]->addSeparator();
  }
}

void SetMenuTitle(int window, int position, const std::u16string& title) {
  WindowRecord* record = FindWindow(window);
  if (record != nullptr && position >= 0 && position < static_cast<int>(record->menus.size())) {
    record->menus[position]->setTitle(ToQString(title));
  }
}

std::u16string MenuTitle(int window, int position) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || position < 0 || position >= static_cast<int>(record->menus.size())) {
    return {};
  }
  return FromQString(record->menus[position]->title());
}

namespace {
MenuItemRecord* FindMenuItem(int window, int item) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr)
    return nullptr;
  auto found = record->items.find(item);
  return found == record->items.end() ? nullptr : &found->second;
}
}  // namespace

void SetMenuItemText(int window, int item, const std::u16string& text) {
  if (MenuItemRecord* record = FindMenuItem(window, item))
    record->action->setText(ToQString(text));
}

std::u16string MenuItemText(int window, int item) {
  MenuItemRecord* record = FindMenuItem(window, item);
  return record != nullptr ? FromQString(record->action->text()) : std::u16string();
}

void SetMenuItemEnabled(int window, int item, bool enabled) {
  if (MenuItemRecord* record = FindMenuItem(window, item))
    record->action->setEnabled(enabled);
}

bool IsMenuItemEnabled(int window, int item) {
  MenuItemRecord* record = FindMenuItem(window, item);
  return record != nullptr && record->action->isEnabled();
}

void SetMenuItemChecked(int window, int item, bool checked) {
  MenuItemRecord* record = FindMenuItem(window, item);
  if (record == nullptr)
    return;
  record->wantChecked = checked;
  record->action->setCheckable(true);
  record->action->setChecked(checked);
}

bool IsMenuItemChecked(int window, int item) {
  MenuItemRecord* record = FindMenuItem(window, item);
  return record != nullptr && record->action->isChecked();
}

int MenuItemImage(int window, int item) {
  MenuItemRecord* record = FindMenuItem(window, item);
  return record != nullptr ? record->image : -1;
}

std::vector<int> MenuItems(int window, int position) {
  std::vector<int> ids;
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || position < 0 || position >= static_cast<int>(record->menus.size())) {
    return ids;
  }
  for (QAction* action : record->menus[position]->actions()) {
    int id = -1;
    for (const auto& [item, itemRecord] : record->items) {
      if (itemRecord.action == action)
        id = item;
    }
    ids.push_back(id);
  }
  return ids;
}

namespace {

QList<QKeySequence> SequencesOf(KeyCode key) {
  switch (key) {
    case KeyReturn:
      return {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)};
    case KeyEscape:
      return {QKeySequence(Qt::Key_Escape)};
    case KeyF1:
      return {QKeySequence(Qt::Key_F1)};
  }
  return {};
}

void AddShortcut(int window, KeyCode key, std::function<void()> onKey) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr)
    return;
  for (const QKeySequence& sequence : SequencesOf(key)) {
    record->keyHandlers[sequence[0].key()] = onKey;
  }
}

}  // namespace

void AddMenuShortcut(int window, KeyCode key, int menuItem) {
  AddShortcut(window, key, [window, menuItem] {
    WindowRecord* record = FindWindow(window);
    if (record == nullptr || !record->enabled)
      return;
    MenuItemRecord* item = FindMenuItem(window, menuItem);
    if (item != nullptr && !item->action->isEnabled())
      return;
    Enqueue({EventKind::Menu, window, menuItem, {}});
  });
}

void AddKeyShortcut(int window, KeyCode key) {
  AddShortcut(window, key, [window, key] {
    WindowRecord* record = FindWindow(window);
    if (record != nullptr && record->enabled)
      Enqueue({EventKind::Key, window, key, {}});
  });
}

// ---- File dialogs and clipboard --------------------------------------------------------------

namespace {

// "Text files|*.txt|All files|*.*" → Qt's "Text files (*.txt)" entries. Windows-style
// pattern lists separated by ";" become blank-separated.
QStringList QtFilters(const std::u16string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
  }
  if (filters.isEmpty())
    filters << QStringLiteral("* (*)");
  return filters;
}

std::optional<std::vector<std::string>> TakeScriptedAnswer(const std::u16string& title,
                                                           const std::u16string& filter,
                                                           const std::string& start) {
  g_lastFileDialog = {title, filter, start};
  if (g_scriptedFileAnswers.empty())
    return std::nullopt;
  std::vector<std::string> answer = std::move(g_scriptedFileAnswers.front());
  g_scriptedFileAnswers.pop_front();
  return answer;
}

QWidget* OwnerWidget(int owner) {
  WindowRecord* record = FindWindow(owner);
  return record != nullptr ? record->window.data() : nullptr;
}

std::string NativeOf(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

std::vector<std::string> ShowOpenFilesDialog(int owner, const std::u16string& title,
                                             const std::u16string& filter,
                                             const std::string& startFolder) {
  if (auto scripted = TakeScriptedAnswer(title, filter, startFolder))
    return *scripted;
  QFileDialog dialog(OwnerWidget(owner), ToQString(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters(QtFilters(filter));
  if (!startFolder.empty())
    dialog.setDirectory(QFile::decodeName(startFolder.c_str()));
  std::vector<std::string> chosen;
  if (dialog.exec() == QDialog::Accepted) {
    for (const QString& file : dialog.selectedFiles())
      chosen.push_back(NativeOf(file));
  }
  return chosen;
}

std::string ShowSaveFileDialog(int owner, const std::u16string& title, const std::u16string& filter,
                               const std::string& proposedPath) {
  if (auto scripted = TakeScriptedAnswer(title, filter, proposedPath)) {
    return scripted->empty() ? std::string() : scripted->front();
  }
  QFileDialog dialog(OwnerWidget(owner), ToQString(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(QtFilters(filter));
  const QString proposed = QFile::decodeName(proposedPath.c_str());
  const qsizetype slash = proposed.lastIndexOf(QLatin1Char('/'));
  if (slash >= 0)
    dialog.setDirectory(proposed.left(slash + 1));
  dialog.selectFile(proposed.mid(slash + 1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return NativeOf(dialog.selectedFiles().front());
}

void ScriptFileDialogAnswers(const std::vector<std::vector<std::string>>& answers) {
  g_scriptedFileAnswers.assign(answers.begin(), answers.end());
}

FileDialogRecord LastFileDialog() {
  return g_lastFileDialog;
}

bool SetClipboardText(const std::u16string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr)
    return false;
  clipboard->setText(ToQString(text));
  return true;
}

std::u16string ClipboardText() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard != nullptr ? FromQString(clipboard->text()) : std::u16string();
}

bool OpenWebAddress(const std::u16string& address) {
  return QDesktopServices::openUrl(QUrl(ToQString(address)));
}

Colour ButtonFaceColour() {
  const QColor colour = QApplication::palette().color(QPalette::Button);
  return static_cast<Colour>(colour.red()) | (static_cast<Colour>(colour.green()) << 8) |
         (static_cast<Colour>(colour.blue()) << 16);
}

// ---- Test hooks ------------------------------------------------------------------------------

void SimulateClick(int window, int control) {
  ControlRecord* record = FindControl(window, control);
  if (record == nullptr || !record->widget || !record->widget->isEnabled())
    return;
  if (auto* button = qobject_cast<QAbstractButton*>(record->widget.data())) {
    button->click();
  } else if (record->kind == ControlKind::FileList) {
    Enqueue({EventKind::Control, window, control, {}});
  }
}

void SimulateKey(int window, KeyCode key) {
  WindowRecord* record = FindWindow(window);
  if (record == nullptr || !record->window)
    return;
  const QList<QKeySequence> sequences = SequencesOf(key);
  if (sequences.isEmpty())
    return;
  QWidget* target = record->window->focusWidget();
  if (target == nullptr)
    target = record->client;
  const auto qtKey = static_cast<Qt::Key>(sequences.front()[0].key());
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

void CreateBlankImage(int image, Size size) {
  QPixmap pixmap(size.width, size.height);
  pixmap.fill(Qt::gray);
  g_images[image] = pixmap;
}

void SimulateClose(int window) {
  if (WindowRecord* record = FindWindow(window); record && record->window) {
    record->window->close();
  }
}

void SimulateMenu(int window, int item) {
  WindowRecord* record = FindWindow(window);
  MenuItemRecord* menuItem = FindMenuItem(window, item);
  if (record == nullptr || menuItem == nullptr || !record->enabled ||
      !menuItem->action->isEnabled()) {
    return;
  }
  menuItem->action->trigger();
}

}  // namespace platform
