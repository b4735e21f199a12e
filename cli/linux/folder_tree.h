// Folders reached by descriptors, never by a path the kernel resolves anew:
// what -r walks and renames, and the folders of undo's records.
//
// A folder is a node under a root. A root is opened once by its path, as the
// kernel resolves it (the folder the user named, or "/" for the absolute
// paths of the journal); every folder below is opened relative to its
// parent's descriptor with O_NOFOLLOW, and checked to be the folder first
// seen there (device and inode), so that nothing swapped in while the
// command runs, a link or another folder, can lead it elsewhere. One
// descriptor is held at a time: the tree moves from folder to folder through
// ".." and the names below, which the order of a walk keeps short.
#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/core/outcome.h"
#include "engine/unique_handles.h"

class TFolderTree {
 public:
  struct TNode;

  // The node of a folder below parent named name (made when new).
  TNode* Child(TNode* parent, const std::string& name);
  // The root node opened by path as the kernel resolves it.
  TNode* Root(const std::string& path);
  // The node of an absolute path's folder, below the root "/"; components
  // "." and ".." are refused (nothing).
  TNode* AbsoluteNode(const std::string& path);

  // Descriptor (O_PATH) of the folder of node; valid until the next Open.
  TResult<int> Open(TNode* node);

  // A walked folder's node, by the path the walk gave it.
  TNode* Walked(const std::string& path) const;
  void NoteWalked(const std::string& path, TNode* node) { walked_[path] = node; }

  // The absolute path of node: the root's, resolved once, and the names below.
  TResult<std::string> AbsolutePathOf(TNode* node);

  struct TNode {
    TNode* Parent = nullptr;
    std::string Name;  // a root's: its path
    int Depth = 0;
    bool Known = false;  // identity seen
    dev_t Device = 0;
    ino_t Inode = 0;
    std::string Absolute;  // made when asked for
    std::map<std::string, std::unique_ptr<TNode>> Children;
  };

 private:
  // Opens node's folder from its parent's descriptor or, for a root, its path.
  TMaybeError Descend(TNode* node);
  TMaybeError OpenRoot(TNode* node);
  bool Matches(TNode* node, int fd);

  std::map<std::string, std::unique_ptr<TNode>> roots_;
  std::unordered_map<std::string, TNode*> walked_;
  TNode* at_ = nullptr;  // the folder fd_ holds
  TUniqueFd fd_;
};
