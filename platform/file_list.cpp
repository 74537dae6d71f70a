// The file list: a tree view over our own flat model. The rows live in a vector behind a mutex,
// so the checksum worker can read and change them from its thread; the view is told about
// changes on the main thread, at most once per repaint interval, however many rows changed.
#include <QApplication>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/gui_internal.h"
#include "platform/threads.h"

namespace platform {
namespace internal {

namespace {

constexpr int kRepaintIntervalMs = 30;
std::atomic<int64_t> g_repaintCount{0};
std::atomic<bool> g_flushRequested{false};

// Decodes one "file://" URI of a uri-list into native path bytes. Percent-escapes carry the raw
// bytes of the name, so a name that is not valid UTF-8 survives.
std::string LocalPathFromUri(const std::string& uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.compare(0, kScheme.size(), kScheme) != 0)
    return {};
  const size_t pathStart = uri.find('/', kScheme.size());
  if (pathStart == std::string::npos)
    return {};
  std::string path;
  for (size_t i = pathStart; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() &&
        std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
      path.push_back(static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16)));
      i += 2;
    } else {
      path.push_back(uri[i]);
    }
  }
  return path;
}

std::string DroppedPaths(const QMimeData* mime) {
  std::string list = mime->data(QStringLiteral("text/uri-list")).toStdString();
  std::string joined;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find_first_of("\r\n", start);
    if (end == std::string::npos)
      end = list.size();
    const std::string line = list.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#')
      continue;
    const std::string path = LocalPathFromUri(line);
    if (path.empty())
      continue;
    if (!joined.empty())
      joined.push_back('\n');
    joined += path;
  }
  return joined;
}

}  // namespace

class FileListModel : public QAbstractTableModel {
 public:
  struct Row {
    std::u16string cells[2];
    std::string nativePath;
    int image = -1;
  };

  explicit FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.isValid())
      return 0;
    return shownRows_;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : 2;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid())
      return {};
    std::lock_guard lock(mutex_);
    if (index.row() >= static_cast<int>(rows_.size()))
      return {};
    const Row& row = rows_[index.row()];
    if (role == Qt::DisplayRole)
      return ToQString(row.cells[index.column()]);
    if (role == Qt::DecorationRole && index.column() == 0 && row.image >= 0) {
      return PixmapOf(row.image);
    }
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 1) {
      return {};
    }
    return ToQString(headers_[section]);
  }

  void SetHeader(int column, const std::u16string& text) {
    headers_[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
  }
  std::u16string Header(int column) const { return headers_[column]; }

  // Main thread only: the row count changes only here, so the view and the vector agree.
  void Append(const std::string& nativePath, int image) {
    const int at = shownRows_;
    beginInsertRows({}, at, at);
    {
      std::lock_guard lock(mutex_);
      rows_.push_back({{Utf8Display(nativePath), {}}, nativePath, image});
    }
    shownRows_ = at + 1;
    endInsertRows();
  }
  void Remove(int row) {
    if (row < 0 || row >= shownRows_)
      return;
    beginRemoveRows({}, row, row);
    {
      std::lock_guard lock(mutex_);
      rows_.erase(rows_.begin() + row);
      dirtyFirst_ = INT_MAX;
      dirtyLast_ = -1;
    }
    shownRows_ -= 1;
    endRemoveRows();
  }
  void Clear() {
    beginResetModel();
    {
      std::lock_guard lock(mutex_);
      rows_.clear();
      dirtyFirst_ = INT_MAX;
      dirtyLast_ = -1;
      pendingSelection_ = -1;
    }
    shownRows_ = 0;
    endResetModel();
  }

  // Any thread.
  int Count() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
  }
  std::u16string Cell(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column > 1)
      return {};
    return rows_[row].cells[column];
  }
  std::string NativePath(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()))
      return {};
    return rows_[row].nativePath;
  }
  int Image(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()))
      return -1;
    return rows_[row].image;
  }
  void SetCell(int row, int column, const std::u16string& text) {
    if (column < 0 || column > 1)
      return;
    Change(row, [&](Row& r) { r.cells[column] = text; });
  }
  void SetImage(int row, int image) {
    Change(row, [&](Row& r) { r.image = image; });
  }
  void RequestSelection(int row) {
    {
      std::lock_guard lock(mutex_);
      pendingSelection_ = row;
    }
    RequestFlush();
  }

  // Main thread: tells the view what changed since the last flush. Returns the row to select
  // exclusively, or -1.
  int Flush() {
    int first = 0;
    int last = -1;
    int selection = -1;
    {
      std::lock_guard lock(mutex_);
      first = dirtyFirst_;
      last = std::min(dirtyLast_, shownRows_ - 1);
      selection = pendingSelection_ < shownRows_ ? pendingSelection_ : -1;
      dirtyFirst_ = INT_MAX;
      dirtyLast_ = -1;
      pendingSelection_ = -1;
    }
    if (first <= last) {
      emit dataChanged(index(first, 0), index(last, 1));
      g_repaintCount.fetch_add(1);
    }
    return selection;
  }

 private:
  template <typename Mutation>
  void Change(int row, Mutation mutate) {
    {
      std::lock_guard lock(mutex_);
      if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
      mutate(rows_[row]);
      dirtyFirst_ = std::min(dirtyFirst_, row);
      dirtyLast_ = std::max(dirtyLast_, row);
    }
    RequestFlush();
  }

  static std::u16string Utf8Display(const std::string& nativePath);

  mutable std::mutex mutex_;
  std::vector<Row> rows_;
  int shownRows_ = 0;  // the count the view knows; main thread only
  int dirtyFirst_ = INT_MAX;
  int dirtyLast_ = -1;
  int pendingSelection_ = -1;
  std::u16string headers_[2];
};

std::u16string FileListModel::Utf8Display(const std::string& nativePath) {
  return FromQString(
      QString::fromUtf8(nativePath.data(), static_cast<qsizetype>(nativePath.size())));
}

// Draws the grid lines between rows and columns, in the button-face colour.
class GridDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QApplication::palette().color(QPalette::Button).darker(110));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
  }
};

class FileListView : public QTreeView {
 public:
  // Files dropped from a file manager become one Drop event with their native paths.
  void TakeDrop(QDropEvent* event) {
    if (!event->mimeData()->hasUrls())
      return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Enqueue({EventKind::Drop, window_, control_, DroppedPaths(event->mimeData())});
  }

  FileListView(QWidget* parent, int window, int control)
      : QTreeView(parent), window_(window), control_(control) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setItemDelegate(new GridDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // The selection stays visible while another control has the focus.
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
      colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QTreeView::mousePressEvent(event);
    ReportActivity();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QTreeView::mouseDoubleClickEvent(event);
    ReportActivity();
  }
  void keyPressEvent(QKeyEvent* event) override {
    QTreeView::keyPressEvent(event);
    ReportActivity();
  }
  void dragEnterEvent(QDragEnterEvent* event) override { AcceptFiles(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { AcceptFiles(event); }
  void dropEvent(QDropEvent* event) override { TakeDrop(event); }

 private:
  void ReportActivity() { Enqueue({EventKind::Control, window_, control_, {}}); }
  static void AcceptFiles(QDropEvent* event) {
    if (event->mimeData()->hasUrls()) {
      event->setDropAction(Qt::CopyAction);
      event->accept();
    } else {
      event->ignore();
    }
  }

  int window_;
  int control_;
};

// Runs the coalesced flush on the main thread.
class Flusher : public QObject {
 public:
  Flusher() {
    timer_.setSingleShot(true);
    timer_.setInterval(kRepaintIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [] { FlushPendingUpdates(); });
  }
  void Arm() {
    if (!timer_.isActive())
      timer_.start();
  }

 private:
  QTimer timer_;
};

Flusher* TheFlusher() {
  static Flusher* flusher = new Flusher;
  return flusher;
}

void RequestFlush() {
  if (g_flushRequested.exchange(true))
    return;
  if (!QCoreApplication::instance())
    return;
  if (IsMainThread()) {
    TheFlusher()->Arm();
  } else {
    QMetaObject::invokeMethod(
        qApp, [] { TheFlusher()->Arm(); }, Qt::QueuedConnection);
  }
}

QWidget* CreateFileList(ControlRecord& record, QWidget* parent, int window, int control) {
  TheFlusher();  // created on the main thread, so its timer lives there
  auto* view = new FileListView(parent, window, control);
  auto* model = new FileListModel(view);
  view->setModel(model);
  record.view = view;
  record.model = model;
  return view;
}

void FlushControl(ControlRecord& record) {
  if (record.model != nullptr) {
    const int select = record.model->Flush();
    if (select >= 0 && record.view != nullptr) {
      const QModelIndex index = record.model->index(select, 0);
      record.view->selectionModel()->setCurrentIndex(
          index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      record.view->scrollTo(index, QAbstractItemView::EnsureVisible);
    }
  }
  if (record.kind == ControlKind::ProgressBar && record.progressDirty.exchange(false)) {
    if (auto* bar = qobject_cast<QProgressBar*>(record.widget.data())) {
      const auto clampInt = [](int64_t v) {
        return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
      };
      bar->setRange(clampInt(record.progressMinimum), clampInt(record.progressMaximum));
      bar->setValue(clampInt(record.progressValue));
    }
  }
}

}  // namespace internal

using internal::FindControl;

namespace {
internal::FileListModel* ModelOf(int window, int control) {
  internal::ControlRecord* record = FindControl(window, control);
  return record != nullptr ? record->model : nullptr;
}
}  // namespace

void ListSetHeader(int window, int control, int column, const std::u16string& text) {
  if (auto* model = ModelOf(window, control); model && (column == 0 || column == 1)) {
    model->SetHeader(column, text);
  }
}

std::u16string ListHeader(int window, int control, int column) {
  auto* model = ModelOf(window, control);
  return model && (column == 0 || column == 1) ? model->Header(column) : std::u16string();
}

void ListSetColumnWidth(int window, int control, int column, int width) {
  if (auto* record = FindControl(window, control); record && record->view) {
    record->view->header()->resizeSection(column, width);
  }
}

int ListColumnWidth(int window, int control, int column) {
  auto* record = FindControl(window, control);
  return record && record->view ? record->view->header()->sectionSize(column) : 0;
}

void ListAppendRow(int window, int control, const std::string& nativePath, int image) {
  if (auto* model = ModelOf(window, control))
    model->Append(nativePath, image);
}

void ListRemoveRow(int window, int control, int row) {
  if (auto* model = ModelOf(window, control))
    model->Remove(row);
}

void ListClear(int window, int control) {
  if (auto* model = ModelOf(window, control))
    model->Clear();
}

std::vector<int> ListSelectedRows(int window, int control) {
  FlushPendingUpdates();
  std::vector<int> rows;
  auto* record = FindControl(window, control);
  if (!record || !record->view)
    return rows;
  for (const QModelIndex& index : record->view->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ListSetSelected(int window, int control, int row, bool selected) {
  FlushPendingUpdates();
  auto* record = FindControl(window, control);
  if (!record || !record->view || row < 0 || row >= record->model->rowCount())
    return;
  record->view->selectionModel()->select(
      record->model->index(row, 0),
      (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
          QItemSelectionModel::Rows);
}

int ListRowCount(int window, int control) {
  auto* model = ModelOf(window, control);
  return model ? model->Count() : 0;
}

std::u16string ListCellText(int window, int control, int row, int column) {
  auto* model = ModelOf(window, control);
  return model ? model->Cell(row, column) : std::u16string();
}

std::string ListRowNativePath(int window, int control, int row) {
  auto* model = ModelOf(window, control);
  return model ? model->NativePath(row) : std::string();
}

void ListSetCellText(int window, int control, int row, int column, const std::u16string& text) {
  if (auto* model = ModelOf(window, control))
    model->SetCell(row, column, text);
}

void ListSetRowImage(int window, int control, int row, int image) {
  if (auto* model = ModelOf(window, control))
    model->SetImage(row, image);
}

int ListRowImage(int window, int control, int row) {
  auto* model = ModelOf(window, control);
  return model ? model->Image(row) : -1;
}

void ListSelectOnly(int window, int control, int row) {
  if (auto* model = ModelOf(window, control))
    model->RequestSelection(row);
}

void SimulateDrop(int window, int control, const std::string& uriList) {
  internal::ControlRecord* record = FindControl(window, control);
  if (record == nullptr || record->view == nullptr || !record->view->isEnabled())
    return;
  QMimeData mime;
  mime.setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(uriList));
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  record->view->TakeDrop(&drop);
}

int64_t ListRepaintCount() {
  return internal::g_repaintCount.load();
}

void FlushPendingUpdates() {
  if (!IsMainThread())
    return;
  internal::g_flushRequested = false;
  for (internal::ControlRecord* record : internal::FlushableControls()) {
    internal::FlushControl(*record);
  }
}

void SetProgressValue(int window, int control, int64_t value) {
  auto* record = FindControl(window, control);
  if (!record || record->kind != ControlKind::ProgressBar)
    return;
  record->progressValue = value;
  record->progressDirty = true;
  internal::RequestFlush();
}

void SetProgressRange(int window, int control, int64_t minimum, int64_t maximum) {
  auto* record = FindControl(window, control);
  if (!record || record->kind != ControlKind::ProgressBar)
    return;
  record->progressMinimum = minimum;
  record->progressMaximum = maximum;
  record->progressDirty = true;
  internal::RequestFlush();
}

int64_t ProgressValue(int window, int control) {
  auto* record = FindControl(window, control);
  return record ? record->progressValue.load() : 0;
}

int64_t ProgressMaximum(int window, int control) {
  auto* record = FindControl(window, control);
  return record ? record->progressMaximum.load() : 0;
}

}  // namespace platform
