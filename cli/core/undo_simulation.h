// The file system as a dry run of --undo leaves it: the put-backs it would
// make, laid over what is on the disk, so that it answers as the real undo
// will find things (a folder put back first makes the paths under it valid
// again; a chain of names frees each name for the next).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/core/platform.h"

class TUndoSimulation {
 public:
  explicit TUndoSimulation(TCommandPlatform& platform) : platform_(platform) {}

  // What is at path in the simulated tree.
  std::optional<TFileIdentity> IdentityAt(const std::string& path);
  // Simulates moving what is at from to to (folders with what they hold).
  void Move(const std::string& from, const std::string& to, const TFileIdentity& identity);

 private:
  // The disk path holding what the simulated tree has at path, or nothing
  // when the simulation has moved it away.
  std::optional<std::string> OnDisk(const std::string& path);

  TCommandPlatform& platform_;
  std::map<std::string, std::optional<TFileIdentity>> moved_;  // paths the simulation changed
  // Folders moved, in order: what is under Simulated is on the disk under
  // Disk, or nowhere (a folder moved away).
  struct TFolderMove {
    std::string Simulated;
    std::optional<std::string> Disk;
  };
  std::vector<TFolderMove> folders_;
};
