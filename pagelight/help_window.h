// The viewer's window: toolbar, table of contents, the page and the find bar.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <vector>

#include "pagelight/help_document.h"
#include "pagelight/position_history.h"

class QAction;
class QLabel;
class QSplitter;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace pagelight {

class FindBar;

class HelpWindow : public QMainWindow {
 public:
  HelpWindow();

  // Shows the help file, or a page saying why it cannot be shown.
  void ShowFile(const QString& path);
  // Shows the short usage note for a start without a file.
  void ShowUsage();

  // The page title (the level-1 heading), the window title, and the table of contents: the
  // level-2 and level-3 headings in document order.
  QString Title() const { return title_; }
  const std::vector<Heading>& Contents() const { return contents_; }
  QTreeWidget* ContentsTree() const { return contents_tree_; }
  QTextBrowser* Page() const { return page_; }
  FindBar* Finder() const { return find_bar_; }

  // Scrolls so that entry `index` of Contents() is at the top; a step of the history.
  void JumpToContentsEntry(int index);
  // An in-page "#anchor" jumps within the page; http and https go to the default browser;
  // anything else is ignored.
  void FollowLink(const QUrl& link);
  void GoBack();
  void GoForward();
  bool CanGoBack() const;
  bool CanGoForward() const;

  void ZoomIn();
  void ZoomOut();
  void ResetZoom();
  int ZoomPercent() const;

  // The document position at the top of the view: what Back returns to.
  int TopPosition() const;

  // Where web links are sent; the default hands them to the desktop. For tests.
  void SetWebLinkOpener(std::function<void(const QUrl&)> opener) {
    open_web_link_ = std::move(opener);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildActions();
  void ShowDocument(const QString& fallback_title);
  void FillContentsTree();
  void FitContentsPane();
  void JumpTo(int position);
  void MoveTo(int position);
  void ScrollToPosition(int position);
  void SetZoomStep(int step);
  void FitReadingWidth();
  void SyncContentsToView();
  void UpdateNavigation();

  QTextBrowser* page_;
  FindBar* find_bar_;
  QTreeWidget* contents_tree_;
  QWidget* contents_pane_;
  QSplitter* splitter_;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QAction* zoom_reset_ = nullptr;
  QAction* contents_action_ = nullptr;
  QFont base_font_;
  QString title_;
  std::vector<Heading> headings_;
  std::vector<Heading> contents_;
  PositionHistory history_;
  int zoom_step_;
  int last_target_ = 0;     // where the last jump or history step went
  int top_after_move_ = 0;  // TopPosition() right after it
  bool syncing_contents_ = false;
  std::function<void(const QUrl&)> open_web_link_;
};

}  // namespace pagelight
