#include "cli/core/undo_simulation.h"

std::optional<std::string> TUndoSimulation::OnDisk(const std::string& path) {
  for (auto move = folders_.rbegin(); move != folders_.rend(); ++move) {  // the latest decides
    if (path == move->Simulated || !platform_.IsInside(path, move->Simulated)) continue;
    if (!move->Disk) return std::nullopt;
    return *move->Disk + path.substr(move->Simulated.size());
  }
  return path;
}

std::optional<TFileIdentity> TUndoSimulation::IdentityAt(const std::string& path) {
  if (const auto found = moved_.find(path); found != moved_.end()) return found->second;
  const std::optional<std::string> disk = OnDisk(path);
  if (!disk) return std::nullopt;
  return platform_.IdentityAt(*disk);
}

void TUndoSimulation::Move(const std::string& from, const std::string& to,
                           const TFileIdentity& identity) {
  if (identity.IsFolder) {
    const std::optional<std::string> disk = OnDisk(from);
    folders_.push_back({from, std::nullopt});
    if (disk) folders_.push_back({to, disk});
  }
  moved_[from] = std::nullopt;
  moved_[to] = identity;
}
