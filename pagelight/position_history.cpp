#include "pagelight/position_history.h"

namespace pagelight {

void RecordJump(PositionHistory& history, int from, int to) {
  history.positions[history.current] = from;
  if (from == to)
    return;
  history.positions.resize(history.current + 1);
  history.positions.push_back(to);
  if (history.positions.size() > kMaxHistoryEntries) {
    history.positions.erase(history.positions.begin());
  }
  history.current = history.positions.size() - 1;
}

std::optional<int> StepBack(PositionHistory& history, int from) {
  if (!CanStepBack(history))
    return std::nullopt;
  history.positions[history.current] = from;
  --history.current;
  return history.positions[history.current];
}

std::optional<int> StepForward(PositionHistory& history, int from) {
  if (!CanStepForward(history))
    return std::nullopt;
  history.positions[history.current] = from;
  ++history.current;
  return history.positions[history.current];
}

bool CanStepBack(const PositionHistory& history) {
  return history.current > 0;
}

bool CanStepForward(const PositionHistory& history) {
  return history.current + 1 < history.positions.size();
}

}  // namespace pagelight
