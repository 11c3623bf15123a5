// The one writer of whole files: what lands on the disk, and what a failure
// leaves behind (nothing new, the earlier file intact).
#include "report/atomic_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace orbisca {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

mode_t ModeOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Every test writes into a folder of its own, so tests may run in parallel.
class AtomicFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "orbisca-atomic-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  // The names in the folder: a failed or finished write leaves no temporary.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder_)) names.insert(e.path().filename());
    return names;
  }

  fs::path folder_;
};

TEST_F(AtomicFile, NewFileGetsTheBytesAndTheUmaskMode) {
  const std::string bytes = std::string("{\\rtf1 a\0b}", 11) + std::string(100000, 'x');
  for (const mode_t mask : {mode_t{022}, mode_t{077}}) {
    SCOPED_TRACE(mask);
    const fs::path path = folder_ / "new.rtf";
    fs::remove(path);
    const mode_t previous = umask(mask);
    const std::optional<std::string> failure = WriteFileAtomically(path, bytes);
    umask(previous);
    ASSERT_EQ(failure, std::nullopt);
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_EQ(ModeOf(path), 0666 & ~mask);
    EXPECT_EQ(Names(), std::set<std::string>{"new.rtf"});
  }
}

TEST_F(AtomicFile, ReplacingAFileKeepsItsPermissions) {
  for (const mode_t mode : {mode_t{0400}, mode_t{0640}, mode_t{0604}}) {
    SCOPED_TRACE(mode);
    const fs::path path = folder_ / "kept.rtf";
    fs::remove(path);
    Put(path, "a longer earlier content than the new one");
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    ASSERT_EQ(WriteFileAtomically(path, "new"), std::nullopt);
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(ModeOf(path), mode);
    EXPECT_EQ(Names(), std::set<std::string>{"kept.rtf"});
  }
}

TEST_F(AtomicFile, SavingOverALinkWritesTheFileItPointsTo) {
  fs::create_directory(folder_ / "real");
  Put(folder_ / "real" / "chart.rtf", "old");
  ASSERT_EQ(chmod((folder_ / "real" / "chart.rtf").c_str(), 0600), 0);
  // A relative link in the folder and a link to that link.
  fs::create_symlink("real/chart.rtf", folder_ / "link.rtf");
  fs::create_symlink(folder_ / "link.rtf", folder_ / "link2.rtf");
  fs::create_symlink("real/missing.rtf", folder_ / "dangling.rtf");

  ASSERT_EQ(WriteFileAtomically(folder_ / "link2.rtf", "through two links"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.rtf"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "link2.rtf"));
  EXPECT_EQ(ReadAll(folder_ / "real" / "chart.rtf"), "through two links");
  EXPECT_EQ(ModeOf(folder_ / "real" / "chart.rtf"), 0600u);

  ASSERT_EQ(WriteFileAtomically(folder_ / "dangling.rtf", "made"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(folder_ / "dangling.rtf"));
  EXPECT_EQ(ReadAll(folder_ / "real" / "missing.rtf"), "made");
  EXPECT_EQ(Names(), (std::set<std::string>{"real", "link.rtf", "link2.rtf", "dangling.rtf"}));
}

TEST_F(AtomicFile, LongestNamesAreWritten) {
  // 255 bytes is the longest name ext4 and tmpfs allow; the temporary name
  // must not grow with it.
  for (const std::size_t length : {std::size_t{250}, std::size_t{255}}) {
    const std::string name = std::string(length - 4, 'n') + ".rtf";
    ASSERT_EQ(WriteFileAtomically(folder_ / name, "long"), std::nullopt) << length;
    EXPECT_EQ(ReadAll(folder_ / name), "long");
  }
  EXPECT_EQ(Names().size(), 2u);
}

TEST_F(AtomicFile, FailuresNameTheReasonAndLeaveNothing) {
  fs::create_directory(folder_ / "taken.rtf");
  Put(folder_ / "earlier.rtf", "earlier");
  fs::create_symlink("loop.rtf", folder_ / "loop.rtf");
  struct Row {
    const char* name;
    fs::path path;
    const char* reason;
  };
  const Row rows[] = {
      {"missing folder", folder_ / "no" / "such" / "x.rtf", "No such file or directory"},
      {"folder at the target", folder_ / "taken.rtf", "Is a directory"},
      {"file under a file", folder_ / "earlier.rtf" / "x.rtf", "Not a directory"},
      {"link to itself", folder_ / "loop.rtf", "Too many levels of symbolic links"},
      {"name over 255 bytes", folder_ / (std::string(252, 'n') + ".rtf"), "File name too long"},
      {"empty path", "", "No such file or directory"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(WriteFileAtomically(r.path, "bytes"), std::optional<std::string>(r.reason));
  }
  EXPECT_EQ(ReadAll(folder_ / "earlier.rtf"), "earlier");
  EXPECT_EQ(Names(), (std::set<std::string>{"taken.rtf", "earlier.rtf", "loop.rtf"}));
  EXPECT_TRUE(fs::is_empty(folder_ / "taken.rtf"));
}

// A target that is not a regular file is written straight and stays what it
// is: a FIFO (named, or through a link), a descriptor named as a file, and
// the devices, which a rename would replace (as root) with a regular file.
TEST_F(AtomicFile, TargetsThatAreNotRegularFilesAreWrittenStraight) {
  const fs::path fifo = folder_ / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("pipe", folder_ / "link");
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const struct {
    const char* what;
    std::string path;
  } fifos[] = {{"a FIFO", fifo}, {"a link to a FIFO", folder_ / "link"}, {"a descriptor", "/dev/fd/" + std::to_string(channel[1])}};
  for (const auto& f : fifos) {
    SCOPED_TRACE(f.what);
    // The reading end first, so that opening the FIFO to write does not wait.
    const int reader = f.path.starts_with("/dev/fd/") ? channel[0] : open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteFileAtomically(f.path, "bytes"), std::nullopt);
    char buffer[16] = {};
    EXPECT_EQ(read(reader, buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer), "bytes");
    if (reader != channel[0]) close(reader);
  }
  close(channel[0]);
  close(channel[1]);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(Names(), (std::set<std::string>{"pipe", "link"}));
  EXPECT_EQ(WriteFileAtomically("/dev/null", "bytes"), std::nullopt);
  EXPECT_EQ(WriteFileAtomically("/dev/full", "bytes"), std::optional<std::string>("No space left on device"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// Under a file-size limit the write fails with "File too large" instead of the
// process being killed, and the earlier file survives. Runs in a child so that
// the limit and the signal setting stay there.
TEST_F(AtomicFile, FileSizeLimitFailsTheWriteInsteadOfKillingTheProgram) {
  const fs::path path = folder_ / "earlier.rtf";
  Put(path, "earlier");
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(channel[0]);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    IgnoreFileSizeSignal();
    const std::optional<std::string> failure = WriteFileAtomically(path, std::string(100000, 'x'));
    const std::string said = failure ? *failure : "written";
    const ssize_t n = write(channel[1], said.data(), said.size());
    _exit(n == static_cast<ssize_t>(said.size()) ? 0 : 3);
  }
  close(channel[1]);
  std::string said;
  char buffer[256];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<std::size_t>(n));
  close(channel[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(said, "File too large");
  EXPECT_EQ(ReadAll(path), "earlier");
  EXPECT_EQ(Names(), std::set<std::string>{"earlier.rtf"});
}

}  // namespace
}  // namespace orbisca
