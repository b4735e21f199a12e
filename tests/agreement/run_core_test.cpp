// The run core driven through the Linux command's own platform, where a
// test needs to make something fail that real files cannot: memory running
// out midway through a run.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "cli/core/command.h"
#include "cli/linux/linux_platform.h"

namespace {

// Everything as the Linux platform does it, but the renamer runs out of
// memory at its fourth rename.
class TFailingPlatform : public TCommandPlatform {
 public:
  class TFailingRenamer : public TRenamer {
   public:
    explicit TFailingRenamer(std::unique_ptr<TRenamer> real) : real_(std::move(real)) {}
    std::variant<TRenamePlan, TFileOutcome> Plan(const std::string& p) override {
      return real_->Plan(p);
    }
    bool NameTaken(const TRenamePlan& p) override { return real_->NameTaken(p); }
    std::optional<TSkip> Refusal(const TRenamePlan& p) override { return real_->Refusal(p); }
    TResult<TJournalRecord> Record(const TRenamePlan& p) override { return real_->Record(p); }
    std::optional<TSkip> Apply(const TRenamePlan& p) override {
      if (++applied_ == 4) throw std::bad_alloc();
      return real_->Apply(p);
    }

   private:
    std::unique_ptr<TRenamer> real_;
    int applied_ = 0;
  };

  TResult<std::unique_ptr<TRenamer>> StartRenames(const std::string& path,
                                                  const TCommandOptions& options) override {
    TResult<std::unique_ptr<TRenamer>> real = real_->StartRenames(path, options);
    if (!real) return real;
    return std::unique_ptr<TRenamer>(new TFailingRenamer(std::move(*real)));
  }

  // The rest as the Linux command has it.
  std::string ProfileFolder() override { return real_->ProfileFolder(); }
  bool IsPath(const std::string& v) override { return real_->IsPath(v); }
  bool IsRegularFile(const std::string& p) override { return real_->IsRegularFile(p); }
  std::optional<std::string> OtherKindAt(const std::string& p) override {
    return real_->OtherKindAt(p);
  }
  std::optional<std::string> ProfileInformation(const std::string& p) override {
    return real_->ProfileInformation(p);
  }
  TResult<std::string> ReadWholeFile(const std::string& p) override {
    return real_->ReadWholeFile(p);
  }
  bool IsFolderArgument(const std::string& p) override { return real_->IsFolderArgument(p); }
  TResult<std::vector<TFolderEntry>> ReadFolder(const std::string& p) override {
    return real_->ReadFolder(p);
  }
  std::string JoinPath(const std::string& f, const std::string& n) override {
    return real_->JoinPath(f, n);
  }
  std::string NameOf(const std::string& p) override { return real_->NameOf(p); }
  std::optional<TFileIdentity> IdentityAt(const std::string& p) override {
    return real_->IdentityAt(p);
  }
  bool Exists(const std::string& p) override { return real_->Exists(p); }
  bool SameEntryName(const std::string& a, const std::string& b) override {
    return real_->SameEntryName(a, b);
  }
  std::optional<TSkip> MoveNoReplace(const std::string& f, const std::string& t) override {
    return real_->MoveNoReplace(f, t);
  }
  std::optional<TSkip> RenameRefusal(const std::string& p) override {
    return real_->RenameRefusal(p);
  }
  TResult<std::string> StateFolder() override { return real_->StateFolder(); }
  TMaybeError MakePrivateFolder(const std::string& p) override {
    return real_->MakePrivateFolder(p);
  }
  TMaybeError CheckPrivateFolder(const std::string& p) override {
    return real_->CheckPrivateFolder(p);
  }
  TResult<std::unique_ptr<TLock>> LockFile(const std::string& p, bool w) override {
    return real_->LockFile(p, w);
  }
  TResult<std::unique_ptr<TJournalFile>> CreateNewFile(const std::string& p) override {
    return real_->CreateNewFile(p);
  }
  TMaybeError ReplaceFile(const std::string& p, const std::string& b) override {
    return real_->ReplaceFile(p, b);
  }
  TMaybeError RemoveFile(const std::string& p) override { return real_->RemoveFile(p); }
  TMaybeError AppendToFile(const std::string& p, const std::string& b) override {
    return real_->AppendToFile(p, b);
  }
  std::unique_ptr<TTextStream> OpenTextStream(bool from1251) override {
    return real_->OpenTextStream(from1251);
  }
  unsigned long ProcessId() override { return real_->ProcessId(); }
  std::string CurrentFolder() override { return real_->CurrentFolder(); }
  std::optional<std::string> AbsolutePath(const std::string& p) override {
    return real_->AbsolutePath(p);
  }
  bool IsInside(const std::string& p, const std::string& f) override {
    return real_->IsInside(p, f);
  }
  std::string FolderOf(const std::string& p) override { return real_->FolderOf(p); }
  bool IsTreeRoot(const std::string& p) override { return real_->IsTreeRoot(p); }
  bool Interrupted() override { return real_->Interrupted(); }

 private:
  std::unique_ptr<TCommandPlatform> real_ = MakeLinuxPlatform();
};

class TCapturingConsole : public TConsole {
 public:
  void Out(std::string_view text) override { out.append(text); }
  void Err(std::string_view text) override { err.append(text); }
  void FlushOut() override {}
  bool ErrIsTerminal() override { return false; }
  std::string out, err;
};

TEST(RunCore, OutOfMemoryMidwayTellsWhatWasRenamedExitsOneAndUndoPutsItBack) {
  char folder_template[] = "/tmp/translit-run-core-XXXXXX";
  const std::string folder = mkdtemp(folder_template);
  setenv("XDG_STATE_HOME", (folder + "/state").c_str(), 1);
  std::ofstream(folder + "/shch.pch") << "i\r\nl\r\nr\r\n\xd9 Shch\r\n";  // Cyrillic Shch
  std::vector<std::string> args = {"--profile", folder + "/shch.pch", folder + "/d"};
  ASSERT_EQ(mkdir((folder + "/d").c_str(), 0700), 0);
  for (const char* name : {"a1", "a2", "a3", "a4", "a5"}) {
    std::ofstream(folder + "/d/\xd0\xa9" + name) << name;  // Cyrillic Shch, in UTF-8
  }
  TFailingPlatform platform;
  TCapturingConsole console;
  EXPECT_EQ(RunCommand("translit", args, platform, console), TExitStatus::kSomeFilesKept);
  EXPECT_NE(console.err.find("translit: out of memory after 3 renames\n"), std::string::npos)
      << console.err;
  EXPECT_NE(console.err.find("3 renamed, 0 unchanged, 0 skipped"), std::string::npos)
      << console.err;

  const std::unique_ptr<TCommandPlatform> real = MakeLinuxPlatform();
  TCapturingConsole undo;
  EXPECT_EQ(RunCommand("translit", {"--undo", folder + "/d"}, *real, undo), TExitStatus::kOk)
      << undo.err;
  EXPECT_NE(undo.err.find("3 put back, 0 not put back"), std::string::npos) << undo.err;
  for (const char* name : {"a1", "a2", "a3", "a4", "a5"}) {
    EXPECT_EQ(access((folder + "/d/\xd0\xa9" + name).c_str(), F_OK), 0) << name;
  }
  ASSERT_EQ(system(("rm -rf '" + folder + "'").c_str()), 0);
}

}  // namespace
