#include "pagelight/find_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <vector>

namespace pagelight {

namespace {

// Tinting stops here; a search this common is no help anyway.
constexpr int kMaxTintedMatches = 2000;

const QColor kMatchTint(255, 226, 110);
const QColor kNotFoundTint(255, 214, 214);

QToolButton* MakeButton(const QString& text, const QString& tip, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

FindBar::FindBar(QTextBrowser* browser, QWidget* parent)
    : QWidget(parent),
      browser_(browser),
      field_(new QLineEdit(this)),
      match_case_(new QCheckBox(QStringLiteral("Match case"), this)),
      status_(new QLabel(this)) {
  field_->setPlaceholderText(QStringLiteral("Find in page"));
  field_->setClearButtonEnabled(true);
  field_->setMinimumWidth(220);
  field_->installEventFilter(this);
  field_palette_ = field_->palette();
  QToolButton* previous =
      MakeButton(QStringLiteral("\u25B2"), QStringLiteral("Previous match (Shift+F3)"), this);
  QToolButton* next = MakeButton(QStringLiteral("\u25BC"), QStringLiteral("Next match (F3)"), this);
  QToolButton* close = MakeButton(QStringLiteral("\u2715"), QStringLiteral("Close (Esc)"), this);
  status_->setMinimumWidth(90);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(4);
  layout->addWidget(field_);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addSpacing(8);
  layout->addWidget(match_case_);
  layout->addSpacing(8);
  layout->addWidget(status_);
  layout->addStretch(1);
  layout->addWidget(close);

  connect(previous, &QToolButton::clicked, this, [this] { FindPrevious(); });
  connect(next, &QToolButton::clicked, this, [this] { FindNext(); });
  connect(close, &QToolButton::clicked, this, [this] { Close(); });
  // Searching while typing keeps the current match as long as it still fits the text.
  connect(field_, &QLineEdit::textChanged, this, [this] { Search(Start::kAtSelection); });
  connect(match_case_, &QCheckBox::toggled, this, [this] { Search(Start::kAtSelection); });
  hide();
}

void FindBar::Open() {
  show();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void FindBar::Close() {
  hide();
  browser_->setExtraSelections({});
  browser_->setFocus(Qt::OtherFocusReason);
}

bool FindBar::FindNext() {
  if (isHidden())
    show();
  if (field_->text().isEmpty()) {
    Open();
    return false;
  }
  return Search(Start::kAfterSelection);
}

bool FindBar::FindPrevious() {
  if (isHidden())
    show();
  if (field_->text().isEmpty()) {
    Open();
    return false;
  }
  return Search(Start::kBeforeSelection);
}

QString FindBar::StatusText() const {
  return status_->text();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::ShiftModifier) {
        FindPrevious();
      } else {
        FindNext();
      }
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      Close();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool FindBar::Search(Start start) {
  const QString text = field_->text();
  QTextDocument* document = browser_->document();
  if (text.isEmpty()) {
    ShowResult(QTextCursor());
    return false;
  }
  QTextDocument::FindFlags flags;
  if (match_case_->isChecked())
    flags |= QTextDocument::FindCaseSensitively;
  const bool backward = start == Start::kBeforeSelection;
  if (backward)
    flags |= QTextDocument::FindBackward;

  const QTextCursor current = browser_->textCursor();
  QTextCursor match;
  if (start == Start::kAtSelection) {
    match = document->find(text, current.selectionStart(), flags);
  } else {
    // A cursor with a selection: forward searches start after it, backward ones before it.
    match = document->find(text, current, flags);
  }
  if (match.isNull()) {
    // Round the end of the page to the other one.
    QTextCursor other_end(document);
    other_end.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    match = document->find(text, other_end, flags);
  }
  ShowResult(match);
  return !match.isNull();
}

void FindBar::ShowResult(const QTextCursor& match) {
  not_found_ = match.isNull() && !field_->text().isEmpty();
  QPalette palette = field_palette_;
  if (not_found_)
    palette.setColor(QPalette::Base, kNotFoundTint);
  field_->setPalette(palette);

  QList<QTextEdit::ExtraSelection> tints;
  int index = 0;
  int count = 0;
  if (!match.isNull()) {
    QTextDocument::FindFlags flags;
    if (match_case_->isChecked())
      flags |= QTextDocument::FindCaseSensitively;
    QTextCharFormat tint;
    tint.setBackground(kMatchTint);
    tint.setForeground(QColor(Qt::black));
    for (QTextCursor found = browser_->document()->find(field_->text(), 0, flags); !found.isNull();
         found = browser_->document()->find(field_->text(), found, flags)) {
      ++count;
      if (found.selectionStart() == match.selectionStart())
        index = count;
      if (count <= kMaxTintedMatches)
        tints.append({found, tint});
    }
    browser_->setTextCursor(match);
  } else {
    // Nothing selected that no longer matches; the next search starts where this one did.
    QTextCursor cursor = browser_->textCursor();
    cursor.setPosition(cursor.selectionStart());
    browser_->setTextCursor(cursor);
  }
  browser_->setExtraSelections(tints);

  if (field_->text().isEmpty()) {
    status_->clear();
  } else if (not_found_) {
    status_->setText(QStringLiteral("Not found"));
  } else {
    status_->setText(QStringLiteral("%1 of %2").arg(index).arg(count));
  }
}

}  // namespace pagelight
