#include "pagelight/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <array>

#include "pagelight/document_style.h"
#include "pagelight/find_bar.h"

namespace pagelight {

namespace {

constexpr std::array kZoomPercents = {50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
constexpr int kNormalZoomStep = 4;

// Text size at 100 %: a little larger than the interface font, as a page is read, not scanned.
constexpr double kPageFontScale = 1.15;
// Lines longer than this many average characters are tiring to read; wider windows get margins.
constexpr double kReadingColumnChars = 96;
constexpr double kMinSideMargin = 24;
constexpr double kTopBottomMargin = 18;
// A jump leaves this much room above the heading it lands on.
constexpr int kTopGap = 10;

// Room around the contents entries: pane margin, item padding, a possible scroll bar.
constexpr int kContentsPaneSlack = 48;
constexpr int kMinContentsWidth = 200;
constexpr int kMaxContentsWidth = 340;

const QString kProgramName = QStringLiteral("Pagelight");

QAction* AddAction(QWidget* owner, const QString& text, const QList<QKeySequence>& keys) {
  auto* action = new QAction(text, owner);
  action->setShortcuts(keys);
  if (!keys.isEmpty()) {
    action->setToolTip(
        QStringLiteral("%1 (%2)").arg(text, keys.front().toString(QKeySequence::NativeText)));
  }
  owner->addAction(action);
  return action;
}

}  // namespace

HelpWindow::HelpWindow()
    : page_(new QTextBrowser),
      find_bar_(new FindBar(page_, nullptr)),
      contents_tree_(new QTreeWidget),
      contents_pane_(new QWidget),
      splitter_(new QSplitter(Qt::Horizontal)),
      zoom_step_(kNormalZoomStep),
      open_web_link_([](const QUrl& link) { QDesktopServices::openUrl(link); }) {
  setWindowTitle(kProgramName);
  resize(900, 700);

  page_->setOpenLinks(false);
  page_->setFrameShape(QFrame::NoFrame);
  page_->document()->setUndoRedoEnabled(false);
  // The current match stays visible while the keyboard is in the find field.
  QPalette palette = page_->palette();
  for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  page_->setPalette(palette);
  base_font_ = page_->font();
  base_font_.setPointSizeF(base_font_.pointSizeF() * kPageFontScale);

  auto* contents_label = new QLabel(QStringLiteral("Contents"));
  QFont label_font = contents_label->font();
  label_font.setBold(true);
  contents_label->setFont(label_font);
  contents_label->setContentsMargins(4, 10, 8, 6);
  contents_tree_->setHeaderHidden(true);
  contents_tree_->setRootIsDecorated(false);
  contents_tree_->setIndentation(16);
  contents_tree_->setFrameShape(QFrame::NoFrame);
  contents_tree_->setTextElideMode(Qt::ElideRight);  // the tool tip shows the whole entry
  contents_tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  contents_tree_->header()->setStretchLastSection(true);
  // A side pane in the window's colour, with a little air around each entry.
  contents_tree_->setStyleSheet(
      QStringLiteral("QTreeWidget { background: palette(window); }"
                     "QTreeWidget::item { padding: 3px 6px; }"));
  auto* contents_layout = new QVBoxLayout(contents_pane_);
  contents_layout->setContentsMargins(6, 0, 0, 0);
  contents_layout->setSpacing(0);
  contents_layout->addWidget(contents_label);
  contents_layout->addWidget(contents_tree_);

  auto* page_column = new QWidget;
  auto* page_layout = new QVBoxLayout(page_column);
  page_layout->setContentsMargins(0, 0, 0, 0);
  page_layout->setSpacing(0);
  page_layout->addWidget(page_, 1);
  find_bar_->setParent(page_column);
  page_layout->addWidget(find_bar_);

  splitter_->addWidget(contents_pane_);
  splitter_->addWidget(page_column);
  splitter_->setStretchFactor(1, 1);
  splitter_->setChildrenCollapsible(false);
  setCentralWidget(splitter_);

  BuildActions();

  const auto jump = [this](QTreeWidgetItem* item) {
    JumpToContentsEntry(item->data(0, Qt::UserRole).toInt());
  };
  connect(contents_tree_, &QTreeWidget::itemClicked, this, jump);
  connect(contents_tree_, &QTreeWidget::itemActivated, this, jump);
  connect(page_, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& link) { FollowLink(link); });
  connect(page_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { SyncContentsToView(); });
  page_->viewport()->installEventFilter(this);
  page_->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::BuildActions() {
  QToolBar* toolbar = addToolBar(QStringLiteral("Navigation"));
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolbar->toggleViewAction()->setEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);

  back_ = AddAction(this, QStringLiteral("Back"), {QKeySequence(Qt::ALT | Qt::Key_Left)});
  back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  connect(back_, &QAction::triggered, this, [this] { GoBack(); });
  forward_ = AddAction(this, QStringLiteral("Forward"), {QKeySequence(Qt::ALT | Qt::Key_Right)});
  forward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  connect(forward_, &QAction::triggered, this, [this] { GoForward(); });

  contents_action_ = AddAction(this, QStringLiteral("Contents"), {});
  contents_action_->setCheckable(true);
  contents_action_->setChecked(true);
  contents_action_->setToolTip(QStringLiteral("Show or hide the table of contents"));
  connect(contents_action_, &QAction::toggled, contents_pane_, &QWidget::setVisible);

  QAction* find = AddAction(this, QStringLiteral("Find"), {QKeySequence::Find});
  connect(find, &QAction::triggered, this, [this] { find_bar_->Open(); });
  QAction* find_next = AddAction(this, QStringLiteral("Find next"), {QKeySequence(Qt::Key_F3)});
  connect(find_next, &QAction::triggered, this, [this] { find_bar_->FindNext(); });
  QAction* find_previous =
      AddAction(this, QStringLiteral("Find previous"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
  connect(find_previous, &QAction::triggered, this, [this] { find_bar_->FindPrevious(); });
  QAction* close_find =
      AddAction(this, QStringLiteral("Close find bar"), {QKeySequence(Qt::Key_Escape)});
  connect(close_find, &QAction::triggered, this, [this] {
    if (find_bar_->isVisible())
      find_bar_->Close();
  });

  // Ctrl+= as well: on most keyboards "+" needs Shift.
  QAction* zoom_out =
      AddAction(this, QStringLiteral("Zoom out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
  zoom_out->setIconText(QStringLiteral("\u2212"));
  connect(zoom_out, &QAction::triggered, this, [this] { ZoomOut(); });
  zoom_reset_ =
      AddAction(this, QStringLiteral("Actual size"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
  connect(zoom_reset_, &QAction::triggered, this, [this] { ResetZoom(); });
  QAction* zoom_in =
      AddAction(this, QStringLiteral("Zoom in"),
                {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoom_in->setIconText(QStringLiteral("+"));
  connect(zoom_in, &QAction::triggered, this, [this] { ZoomIn(); });

  QAction* quit =
      AddAction(this, QStringLiteral("Quit"),
                {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_W)});
  connect(quit, &QAction::triggered, this, &QWidget::close);

  toolbar->addAction(back_);
  toolbar->addAction(forward_);
  toolbar->addSeparator();
  toolbar->addAction(contents_action_);
  toolbar->addAction(find);
  auto* spacer = new QWidget;
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  toolbar->addWidget(spacer);
  toolbar->addAction(zoom_out);
  toolbar->addAction(zoom_reset_);
  toolbar->addAction(zoom_in);
}

void HelpWindow::ShowFile(const QString& path) {
  const HelpFile file = ReadHelpFile(path);
  if (file.status == LoadStatus::kLoaded) {
    LoadMarkdown(page_->document(), file.markdown);
    ShowDocument(QFileInfo(path).fileName());
  } else {
    LoadMessage(page_->document(), file);
    ShowDocument({});
  }
}

void HelpWindow::ShowUsage() {
  LoadMessage(page_->document(), HelpFile{});
  ShowDocument({});
}

void HelpWindow::ShowDocument(const QString& fallback_title) {
  QTextDocument* document = page_->document();
  StyleDocument(document, page_->palette());
  headings_ = FindHeadings(*document);
  title_ = DocumentTitle(headings_);
  if (title_.isEmpty())
    title_ = fallback_title;
  setWindowTitle(title_.isEmpty() || title_ == kProgramName
                     ? kProgramName
                     : QStringLiteral("%1 \u2014 %2").arg(title_, kProgramName));

  contents_.clear();
  bool has_sections = false;
  bool has_title_entry = false;
  for (const Heading& heading : headings_) {
    if (heading.level == 1 && !has_title_entry) {
      contents_.push_back(heading);
      has_title_entry = true;
    } else if (heading.level == 2 || heading.level == 3) {
      contents_.push_back(heading);
      has_sections = true;
    }
  }
  FillContentsTree();
  // A page without sections (a message) has nothing to list.
  contents_action_->setEnabled(has_sections);
  contents_action_->setChecked(has_sections);
  contents_pane_->setVisible(has_sections);

  history_ = PositionHistory{};
  SetZoomStep(zoom_step_);
  MoveTo(0);
  UpdateNavigation();
}

void HelpWindow::FillContentsTree() {
  contents_tree_->clear();
  QTreeWidgetItem* section = nullptr;
  for (int index = 0; index < static_cast<int>(contents_.size()); ++index) {
    const Heading& heading = contents_[index];
    QTreeWidgetItem* item = nullptr;
    if (heading.level == 3 && section != nullptr) {
      item = new QTreeWidgetItem(section);
    } else {
      item = new QTreeWidgetItem(contents_tree_);
      if (heading.level == 2)
        section = item;
    }
    item->setText(0, heading.text);
    item->setToolTip(0, heading.text);
    item->setData(0, Qt::UserRole, index);
    if (heading.level == 1) {
      QFont font = item->font(0);
      font.setBold(true);
      item->setFont(0, font);
    }
  }
  contents_tree_->expandAll();
  FitContentsPane();
}

void HelpWindow::FitContentsPane() {
  // Wide enough for the longest entry, within limits.
  double widest = 0;
  for (QTreeWidgetItemIterator item(contents_tree_); *item; ++item) {
    const QFontMetricsF metrics((*item)->font(0));
    const int depth = (*item)->parent() != nullptr ? 1 : 0;
    widest = std::max(widest, metrics.horizontalAdvance((*item)->text(0)) +
                                  depth * contents_tree_->indentation());
  }
  const int pane = std::clamp(static_cast<int>(widest) + kContentsPaneSlack, kMinContentsWidth,
                              kMaxContentsWidth);
  splitter_->setSizes({pane, std::max(width() - pane, 1)});
}

void HelpWindow::JumpToContentsEntry(int index) {
  if (index < 0 || index >= static_cast<int>(contents_.size()))
    return;
  JumpTo(contents_[index].position);
}

void HelpWindow::FollowLink(const QUrl& link) {
  const QString scheme = link.scheme().toLower();
  if (scheme == QStringLiteral("http") || scheme == QStringLiteral("https")) {
    open_web_link_(link);
    return;
  }
  // Only links within this page; the viewer opens no other files.
  if (!scheme.isEmpty() || !link.path().isEmpty() || !link.hasFragment())
    return;
  const std::optional<int> position =
      FindAnchor(*page_->document(), headings_, link.fragment(QUrl::FullyDecoded));
  if (position)
    JumpTo(*position);
}

void HelpWindow::GoBack() {
  if (const std::optional<int> position = StepBack(history_, TopPosition()))
    MoveTo(*position);
  UpdateNavigation();
}

void HelpWindow::GoForward() {
  if (const std::optional<int> position = StepForward(history_, TopPosition()))
    MoveTo(*position);
  UpdateNavigation();
}

bool HelpWindow::CanGoBack() const {
  return CanStepBack(history_);
}
bool HelpWindow::CanGoForward() const {
  return CanStepForward(history_);
}

void HelpWindow::ZoomIn() {
  SetZoomStep(zoom_step_ + 1);
}
void HelpWindow::ZoomOut() {
  SetZoomStep(zoom_step_ - 1);
}
void HelpWindow::ResetZoom() {
  SetZoomStep(kNormalZoomStep);
}
int HelpWindow::ZoomPercent() const {
  return kZoomPercents[zoom_step_];
}

int HelpWindow::TopPosition() const {
  const QTextDocument* document = page_->document();
  const QPointF point(document->rootFrame()->frameFormat().leftMargin() + 1,
                      page_->verticalScrollBar()->value() + kTopGap);
  return std::max(0, document->documentLayout()->hitTest(point, Qt::FuzzyHit));
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_->viewport()) {
    switch (event->type()) {
      case QEvent::Resize:
        FitReadingWidth();
        break;
      case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
          if (wheel->angleDelta().y() > 0)
            ZoomIn();
          if (wheel->angleDelta().y() < 0)
            ZoomOut();
          return true;
        }
        break;
      }
      case QEvent::MouseButtonPress: {
        // The side buttons of a mouse step through the history, as in a web browser.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::BackButton) {
          GoBack();
          return true;
        }
        if (mouse->button() == Qt::ForwardButton) {
          GoForward();
          return true;
        }
        break;
      }
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::JumpTo(int position) {
  // A second jump to the place just reached, with the view unmoved, is no new step: a click on a
  // contents entry can arrive both as click and as activation.
  if (position == last_target_ && TopPosition() == top_after_move_)
    return;
  RecordJump(history_, TopPosition(), position);
  MoveTo(position);
  UpdateNavigation();
}

void HelpWindow::MoveTo(int position) {
  last_target_ = position;
  QTextCursor cursor(page_->document());
  cursor.setPosition(std::clamp(position, 0, page_->document()->characterCount() - 1));
  page_->setTextCursor(cursor);
  ScrollToPosition(cursor.position());
  top_after_move_ = TopPosition();
}

void HelpWindow::ScrollToPosition(int position) {
  QTextDocument* document = page_->document();
  const QTextBlock block = document->findBlock(position);
  if (!block.isValid())
    return;
  double top = document->documentLayout()->blockBoundingRect(block).top();
  int line_number = 0;
  if (const QTextLayout* layout = block.layout()) {
    const QTextLine line = layout->lineForTextPosition(position - block.position());
    if (line.isValid()) {
      top += line.y();
      line_number = line.lineNumber();
    }
  }
  // The first line is shown with the page's top margin above it, as when the page opened.
  const bool first_line = block == document->begin() && line_number == 0;
  page_->verticalScrollBar()->setValue(first_line ? 0 : static_cast<int>(top) - kTopGap);
  SyncContentsToView();
}

void HelpWindow::SetZoomStep(int step) {
  const int top = TopPosition();
  zoom_step_ = std::clamp(step, 0, static_cast<int>(kZoomPercents.size()) - 1);
  const double factor = kZoomPercents[zoom_step_] / 100.0;
  QFont font = base_font_;
  font.setPointSizeF(base_font_.pointSizeF() * factor);
  page_->setFont(font);
  SetSpacing(page_->document(), factor);
  FitReadingWidth();
  ScrollToPosition(top);
  zoom_reset_->setIconText(QStringLiteral("%1 %").arg(kZoomPercents[zoom_step_]));
}

void HelpWindow::FitReadingWidth() {
  QTextDocument* document = page_->document();
  const double factor = kZoomPercents[zoom_step_] / 100.0;
  const double column = QFontMetricsF(page_->font()).averageCharWidth() * kReadingColumnChars;
  const double side = std::max(kMinSideMargin * factor, (page_->viewport()->width() - column) / 2);
  QTextFrameFormat format = document->rootFrame()->frameFormat();
  const double top = kTopBottomMargin * factor;
  if (format.leftMargin() == side && format.topMargin() == top)
    return;
  format.setLeftMargin(side);
  format.setRightMargin(side);
  format.setTopMargin(top);
  format.setBottomMargin(top * 2);
  document->rootFrame()->setFrameFormat(format);
}

void HelpWindow::SyncContentsToView() {
  if (contents_.empty())
    return;
  QTextDocument* document = page_->document();
  const int view_top = page_->verticalScrollBar()->value() + kTopGap + 2;
  int current = 0;
  for (int index = 0; index < static_cast<int>(contents_.size()); ++index) {
    const QTextBlock block = document->findBlock(contents_[index].position);
    if (document->documentLayout()->blockBoundingRect(block).top() > view_top)
      break;
    current = index;
  }
  // At the end of the page the last sections cannot reach the top. There the section the reader
  // went to stays the current one while it is on screen.
  const QScrollBar* bar = page_->verticalScrollBar();
  if (bar->value() >= bar->maximum()) {
    for (int index = 0; index < static_cast<int>(contents_.size()); ++index) {
      if (contents_[index].position != last_target_)
        continue;
      const QTextBlock block = document->findBlock(last_target_);
      const double top = document->documentLayout()->blockBoundingRect(block).top();
      if (top >= bar->value() && top < bar->value() + page_->viewport()->height())
        current = index;
    }
  }
  for (QTreeWidgetItemIterator item(contents_tree_); *item; ++item) {
    if ((*item)->data(0, Qt::UserRole).toInt() == current) {
      contents_tree_->setCurrentItem(*item);
      break;
    }
  }
}

void HelpWindow::UpdateNavigation() {
  back_->setEnabled(CanGoBack());
  forward_->setEnabled(CanGoForward());
}

}  // namespace pagelight
