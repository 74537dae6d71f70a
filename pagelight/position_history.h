// Back and forward through the places the reader jumped to within one document.
//
// A place is a character position in the document, not a scroll offset, so that going back
// after a zoom lands on the same text. Plain C++: the window feeds it positions and scrolls to
// what it answers.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace pagelight {

struct PositionHistory {
  // Never empty: the first entry is where the document was opened.
  std::vector<int> positions{0};
  std::size_t current = 0;
};

// Enough for any reading session; the oldest entries go first.
inline constexpr std::size_t kMaxHistoryEntries = 500;

// The reader leaves `from` (where the view stands now) for `to`. Forward entries are dropped,
// as in a web browser. A jump to where the view already stands adds nothing.
void RecordJump(PositionHistory& history, int from, int to);

// Where to go for Back / Forward, or nothing at the ends. `from` is remembered in the entry being
// left, so that the opposite step returns to where the reader had scrolled.
std::optional<int> StepBack(PositionHistory& history, int from);
std::optional<int> StepForward(PositionHistory& history, int from);

bool CanStepBack(const PositionHistory& history);
bool CanStepForward(const PositionHistory& history);

}  // namespace pagelight
