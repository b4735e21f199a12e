#include "cli/linux/folder_tree.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli/core/messages.h"
#include "cli/linux/file_ops.h"

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

struct TFreeDeleter {
  void operator()(char* text) const { free(text); }
};

}  // namespace

TFolderTree::TNode* TFolderTree::Root(const std::string& path) {
  std::unique_ptr<TNode>& root = roots_[path];
  if (!root) {
    root = std::make_unique<TNode>();
    root->Name = path;
  }
  return root.get();
}

TFolderTree::TNode* TFolderTree::Child(TNode* parent, const std::string& name) {
  std::unique_ptr<TNode>& child = parent->Children[name];
  if (!child) {
    child = std::make_unique<TNode>();
    child->Parent = parent;
    child->Name = name;
    child->Depth = parent->Depth + 1;
  }
  return child.get();
}

TFolderTree::TNode* TFolderTree::AbsoluteNode(const std::string& path) {
  if (path.empty() || path[0] != '/') return nullptr;
  TNode* node = Root("/");
  for (std::size_t start = 1; start < path.size();) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(start, end - start);
    if (name == "." || name == "..") return nullptr;
    if (!name.empty()) node = Child(node, name);
    start = end + 1;
  }
  return node;
}

TFolderTree::TNode* TFolderTree::Walked(const std::string& path) const {
  const auto found = walked_.find(path);
  return found == walked_.end() ? nullptr : found->second;
}

bool TFolderTree::Matches(TNode* node, int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0) return false;
  if (!node->Known) {
    node->Known = true;
    node->Device = info.st_dev;
    node->Inode = info.st_ino;
    return true;
  }
  return node->Device == info.st_dev && node->Inode == info.st_ino;
}

TMaybeError TFolderTree::OpenRoot(TNode* node) {
  fd_.reset(open(node->Name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  at_ = nullptr;
  if (!fd_) return ErrorOfErrno(node->Name, errno);
  if (!Matches(node, fd_.get()))
    return TError{node->Name, _("has been replaced by another folder")};
  at_ = node;
  return std::nullopt;
}

TMaybeError TFolderTree::Descend(TNode* node) {
  TUniqueFd child(openat(fd_.get(), node->Name.c_str(), kFolderFlags));
  if (!child) {
    const int error = errno;
    at_ = nullptr;
    if (error == ELOOP || error == ENOTDIR) {
      return TError{node->Name, _("is no longer a folder (a link or a file has taken its place)")};
    }
    return ErrorOfErrno(node->Name, error);
  }
  if (!Matches(node, child.get())) {
    at_ = nullptr;
    return TError{node->Name, _("has been replaced by another folder")};
  }
  fd_ = std::move(child);
  at_ = node;
  return std::nullopt;
}

TResult<int> TFolderTree::Open(TNode* node) {
  if (at_ == node) return fd_.get();
  // The nearest folder above both where the tree stands and node: up to it
  // through "..", each parent checked, then down by name.
  std::vector<TNode*> down;  // node and its parents below that folder
  TNode* here = at_;
  TNode* there = node;
  if (here) {
    while (there->Depth > here->Depth) {
      down.push_back(there);
      there = there->Parent;
    }
    while (here->Depth > there->Depth) here = here->Parent;
    while (here && there && here != there) {
      down.push_back(there);
      here = here->Parent;
      there = there->Parent;
    }
  }
  bool from_root = here == nullptr || here != there;
  for (TNode* up = at_; !from_root && up != here; up = at_) {
    TUniqueFd parent(openat(fd_.get(), "..", kFolderFlags));
    if (!parent || !Matches(up->Parent, parent.get())) {
      from_root = true;
      break;
    }
    fd_ = std::move(parent);
    at_ = up->Parent;
  }
  if (from_root) {
    down.clear();
    TNode* root = node;
    for (; root->Parent; root = root->Parent) down.push_back(root);
    if (TMaybeError error = OpenRoot(root)) return *error;
  }
  for (auto step = down.rbegin(); step != down.rend(); ++step) {
    if (TMaybeError error = Descend(*step)) return *error;
  }
  return fd_.get();
}

TResult<std::string> TFolderTree::AbsolutePathOf(TNode* node) {
  if (!node->Absolute.empty()) return node->Absolute;
  if (!node->Parent) {
    if (node->Name == "/") return node->Absolute = "/";
    const std::unique_ptr<char, TFreeDeleter> resolved(realpath(node->Name.c_str(), nullptr));
    if (!resolved) return ErrorOfErrno(node->Name, errno);
    return node->Absolute = resolved.get();
  }
  TResult<std::string> parent = AbsolutePathOf(node->Parent);
  if (!parent) return parent;
  return node->Absolute = (*parent == "/" ? "" : *parent) + "/" + node->Name;
}
