// The find bar under the page: a field, previous / next, "Match case" and a status. Every match
// is tinted; the current one is selected, so the next search continues from it.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QTextCursor;

namespace pagelight {

class FindBar : public QWidget {
 public:
  FindBar(QTextBrowser* browser, QWidget* parent);

  // Shows the bar with the keyboard in its field, the field's text selected.
  void Open();
  // Hides the bar, drops the tints and gives the keyboard back to the page.
  void Close();

  // Moves to the next / previous match, continuing at the other end of the page after the last
  // one. Without a search text the bar only opens. Answers whether a match was found.
  bool FindNext();
  bool FindPrevious();

  QLineEdit* Field() const { return field_; }
  // "3 of 12", "Not found", or empty while there is no search text.
  QString StatusText() const;
  bool NotFound() const { return not_found_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Start { kAfterSelection, kAtSelection, kBeforeSelection };
  bool Search(Start start);
  void ShowResult(const QTextCursor& match);

  QTextBrowser* browser_;
  QLineEdit* field_;
  QCheckBox* match_case_;
  QLabel* status_;
  QPalette field_palette_;
  bool not_found_ = false;
};

}  // namespace pagelight
