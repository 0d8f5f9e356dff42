// Text files: reading whole files and lines, and the writer that replaces
// a file only when everything was written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "files/file_size_limit.h"
#include "platform/first_lines.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace vemu::platform;

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(TextFileRead, WholeFileComesBackByteForByte) {
  vemu::test::ScratchFolder folder(false);
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(i * 7 % 256);
  folder.write("a.bin", bytes);
  EXPECT_EQ(readFileBytes(folder.file("a.bin"), kCircuitReadLimit), bytes);
  folder.write("empty", "");
  EXPECT_EQ(readFileBytes(folder.file("empty"), kCircuitReadLimit), std::string());
}

TEST(TextFileRead, MissingFileFolderAndDeviceGiveNothing) {
  vemu::test::ScratchFolder folder(false);
  EXPECT_FALSE(readFileBytes(folder.file("missing.txt"), kCircuitReadLimit).has_value());
  EXPECT_FALSE(readFileBytes(folder.path(), kCircuitReadLimit).has_value());
  ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(readFileBytes(folder.file("pipe"), kCircuitReadLimit).has_value());  // and does not block
  EXPECT_FALSE(readLines(folder.file("missing.txt"), kCircuitReadLimit).has_value());
  EXPECT_FALSE(LineReader::open(folder.file("missing.txt"), kCircuitReadLimit).has_value());
}

TEST(TextFileRead, LinesEndInCrLfLfOrCr) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}}, {"a\r\n\r\n\n\rb\r\n", {"a", "", "", "", "b"}}, {"\n", {""}}, {"", {}},
      {"x\r", {"x"}}, {std::string("a\0b\n", 4), {std::string("a\0b", 3)}}, {"\r", {""}}, {"\r\r\n", {"", ""}},
      {"\n\r\n\r", {"", "", ""}}, {"a\r\rb", {"a", "", "b"}}, {"\n\n", {"", ""}}};
  for (const auto& [text, lines] : cases)
    EXPECT_EQ(std::make_pair(splitLines(text), countLines(text)), std::make_pair(lines, lines.size())) << text;
}

TEST(TextFileRead, LineReaderGivesEmptyLinesPastTheEnd) {
  vemu::test::ScratchFolder folder(false);
  folder.write("t.txt", "one\r\ntwo\r\n");
  auto reader = LineReader::open(folder.file("t.txt"), kCircuitReadLimit);
  ASSERT_TRUE(reader.has_value());
  EXPECT_EQ(reader->next(), "one");
  EXPECT_FALSE(reader->atEnd());
  EXPECT_EQ(reader->next(), "two");
  EXPECT_TRUE(reader->atEnd());
  EXPECT_EQ(reader->next(), "");
  EXPECT_EQ(reader->next(), "");
  EXPECT_EQ(reader->lineNumber(), 4u);
}

TEST(SafeFileWriterTest, WritesExactlyWhatWasGivenWithCrLfLines) {
  vemu::test::ScratchFolder folder(false);
  ASSERT_TRUE(writeLines(folder.file("t.txt"), {"first", "", "\xC0\xC1"}));
  EXPECT_EQ(folder.read("t.txt"), "first\r\n\r\n\xC0\xC1\r\n");

  SafeFileWriter w(folder.file("b.txt"));
  w.write(std::string_view("a\nb"));
  w.write(std::string("c\0d", 3));
  w.write("e");
  w.writeLine("f");
  ASSERT_TRUE(w.commit()) << w.error();
  EXPECT_EQ(folder.read("b.txt"), std::string("a\nbc\0def\r\n", 10));
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"b.txt", "t.txt"}));
}

TEST(SafeFileWriterTest, NothingIsWrittenWithoutCommit) {
  vemu::test::ScratchFolder folder(false);
  folder.write("t.txt", "old");
  {
    SafeFileWriter w(folder.file("t.txt"));
    w.write("new");
  }
  EXPECT_EQ(folder.read("t.txt"), "old");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"t.txt"}));
}

TEST(SafeFileWriterTest, MissingFolderFailsWithoutCreatingAnything) {
  vemu::test::ScratchFolder folder(false);
  std::string error;
  EXPECT_FALSE(writeLines(folder.file("no/t.txt"), {"x"}, &error));
  EXPECT_NE(error.find(folder.file("no/t.txt")), std::string::npos) << error;
  EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST(SafeFileWriterTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  vemu::test::ScratchFolder folder(false);
  folder.write("t.txt", "the old content");
  SafeFileWriter w(folder.file("t.txt"));
  w.write(std::string(100000, 'n'));
  bool committed = true;
  {
    vemu::test::FileSizeLimit diskFull(4096);
    committed = w.commit();
  }
  EXPECT_FALSE(committed);
  EXPECT_NE(w.error().find("t.txt"), std::string::npos) << w.error();
  EXPECT_EQ(folder.read("t.txt"), "the old content");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"t.txt"}));
}

TEST(SafeFileWriterTest, TargetThatIsAFolderOrAnyOtherNodeButAFileIsLeftAlone) {
  vemu::test::ScratchFolder folder(false);
  folder.makeDir("t.txt");
  folder.write("t.txt/inside", "x");
  const auto at = [&](const std::string& name) { return folder.file(name); };
  const auto inode = [&](const std::string& n) { struct stat st {}; return ::stat(at(n).c_str(), &st) == 0 ? st.st_ino : 0; };
  const bool devices = ::mknod(at("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;  // not in every container
  sockaddr_un address{AF_UNIX, {}};
  const int sock = (at("sock").copy(address.sun_path, 100), ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) + ::mkfifo(at("fifo").c_str(), 0600) +
            ::symlink("fifo", at("to-fifo").c_str()) + ::symlink("null", at("l").c_str()) + ::symlink(at("l").c_str(), at("l2").c_str()), 0);
  for (const std::string c : {"t.txt:Is a directory", "fifo:a FIFO", "to-fifo:a FIFO", "sock:a socket", "null:a character device", "l2:a character device"}) {
    const std::string name = c.substr(0, c.find(':')), kind = c.substr(name.size() + 1);
    if (!devices && kind.ends_with("device")) continue;
    std::string said;
    const auto before = inode(name);  // l2: a chain of links
    EXPECT_FALSE(writeLines(at(name), {"x"}, &said) || inode(name) != before) << name;  // the same node stays
    EXPECT_EQ(said, "Cannot replace file " + at(name) + ": " + (name == "t.txt" ? kind : "it is not a regular file (" + kind + ")"));
  }
  ::close(sock);
  EXPECT_EQ(folder.read("t.txt/inside"), "x");
  EXPECT_EQ(namesIn(folder.path()).size(), devices ? 7u : 5u);  // no temporary file
}

TEST(SafeFileWriterTest, ReplacedFileKeepsItsPermissionsAndOneWithoutWritePermissionIsKept) {
  vemu::test::ScratchFolder folder(false);
  // By the file's own bits, for the superuser too.
  const std::string t = folder.file("t.txt");
  for (const mode_t mode : {0640u, 0200u, 0444u, 0400u, 0044u}) {
    const bool replaced = (mode & S_IWUSR) != 0;
    folder.write("t.txt", "old");
    ::chmod(t.c_str(), mode);
    std::string error;
    EXPECT_EQ(writeLines(t, {"new"}, &error), replaced) << mode;
    EXPECT_EQ(fs::status(t).permissions(), fs::perms(mode));
    EXPECT_EQ(folder.read("t.txt"), replaced ? "new\r\n" : "old");
    EXPECT_EQ(error, replaced ? "" : "Cannot replace file " + t + ": Permission denied (the file is read-only)");
    ::chmod(t.c_str(), 0600);
  }
  ASSERT_TRUE(writeLines(folder.file("fresh.txt"), {"new"}));
  EXPECT_EQ(fs::status(folder.file("fresh.txt")).permissions(), fs::perms(0644));
  // Another user's file keeps its owner, group and the set-id bits a change of owner clears (as superuser only).
  if (::geteuid() != 0 || ::chown(t.c_str(), 65534, 65534) + ::chmod(t.c_str(), 06640) != 0) return;
  struct stat st {};
  ASSERT_TRUE(writeLines(t, {"theirs"}) && ::stat(t.c_str(), &st) == 0);
  EXPECT_TRUE(st.st_uid == 65534 && st.st_gid == 65534 && (st.st_mode & 07777) == 06640) << st.st_mode;
}

TEST(SafeFileWriterTest, ConcurrentSavesOfOneFileEachTellTheTruthAndLeaveNoTemporaryFile) {
  vemu::test::ScratchFolder folder(false);
  constexpr int kWriters = 6, kSaves = 25;
  const auto content = [](int w, int s) { return std::to_string(s) + std::string(40000, static_cast<char>('a' + w)); };
  // Each child saves its own content again and again and exits with the
  // number of saves that failed; one more sweeps the folder meanwhile.
  std::vector<pid_t> children;
  for (int w = 0; w <= kWriters; ++w) {
    children.push_back(::fork());
    ASSERT_GE(children.back(), 0);
    if (children.back() > 0) continue;
    int failures = 0;
    for (int s = 0; s < kSaves * (w == kWriters ? 20 : 1); ++s) {
      SafeFileWriter writer(folder.file("shared.txt"));
      writer.write(content(w, s));
      if (w == kWriters) removeLeftoverTemporaryFiles(folder.path());
      else failures += !writer.commit();
    }
    ::_exit(failures);
  }
  for (const pid_t pid : children) {
    int status = -1;
    EXPECT_TRUE(::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  // The last rename wins: the file holds one writer's last save, whole.
  const std::string last = folder.read("shared.txt");
  EXPECT_EQ(last, content(last.at(2) - 'a', kSaves - 1)) << last.substr(0, 4) << ", " << last.size() << " bytes";
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"shared.txt"}));
}

TEST(FileHelpers, ExistsRemoveAndCopy) {
  vemu::test::ScratchFolder folder(false);
  folder.write("a.txt", "abc\r\n");
  EXPECT_TRUE(fileExists(folder.file("a.txt")));
  EXPECT_FALSE(fileExists(folder.path()));
  EXPECT_TRUE(directoryExists(folder.path()));
  EXPECT_FALSE(directoryExists(folder.file("a.txt")));
  EXPECT_FALSE(fileExists(folder.file("b.txt")));

  ASSERT_TRUE(copyFile(folder.file("a.txt"), folder.file("b.txt"), kCircuitReadLimit));
  EXPECT_EQ(folder.read("b.txt"), "abc\r\n");
  std::string error;
  EXPECT_FALSE(copyFile(folder.file("none.txt"), folder.file("c.txt"), kCircuitReadLimit, &error));
  EXPECT_NE(error.find("none.txt"), std::string::npos);
  EXPECT_FALSE(fileExists(folder.file("c.txt")));

  EXPECT_TRUE(removeFile(folder.file("b.txt")));
  EXPECT_FALSE(fileExists(folder.file("b.txt")));
  EXPECT_FALSE(removeFile(folder.file("b.txt")));
}

}  // namespace

TEST(SafeFileWriterTest, LongestFileNameCanBeReplaced) {
  vemu::test::ScratchFolder folder(false);
  const std::string name(255, 'n');  // the longest name a folder entry may have
  folder.write(name, "old");
  EXPECT_TRUE(writeLines(folder.file(name), {"new"}));
  EXPECT_EQ(folder.read(name), "new\r\n");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{name}));
}

TEST(SafeFileWriterTest, TemporaryFileIsEachWritersOwnAndNeverFollowsALink) {
  vemu::test::ScratchFolder folder(false);
  const std::string prefix = SafeFileWriter::TemporaryPrefixFor(folder.file("t.txt"));
  EXPECT_EQ(prefix, folder.file(".t.txt.vemu-new."));
  // Leftovers of writers that ended (also under the earlier single name)
  // are removed; one a live writer holds locked stays.
  folder.write(".t.txt.vemu-new", "stale");
  folder.write(".t.txt.vemu-new.99.0123abcd", "stale");
  folder.write(".t.txt.vemu-new.98.0123abcd", "being written");
  const int live = ::open(folder.file(".t.txt.vemu-new.98.0123abcd").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);
  ASSERT_TRUE(writeLines(folder.file("t.txt"), {"one"}));
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{".t.txt.vemu-new.98.0123abcd", "t.txt"}));
  EXPECT_EQ(removeLeftoverTemporaryFiles(folder.path()), 0);
  ::close(live);
  // A link planted under a temporary name is neither followed nor removed;
  // a save leaves other targets' leftovers to the folder's sweep.
  folder.write("victim", "keep");
  folder.write(".other.vemu-new.96.0123abcd", "stale");
  const std::string planted = prefix + "97.0123abcd";
  ASSERT_EQ(::symlink(folder.file("victim").c_str(), planted.c_str()), 0);
  ASSERT_TRUE(writeLines(folder.file("t.txt"), {"two"}));
  EXPECT_EQ(folder.read("victim"), "keep");
  EXPECT_EQ(removeLeftoverTemporaryFiles(folder.file("")), 1);
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{".t.txt.vemu-new.97.0123abcd", "t.txt", "victim"}));
  ::unlink(planted.c_str());
  // Saving onto a link replaces the file it points to; the link stays.
  ASSERT_EQ(::symlink("t.txt", folder.file("link.txt").c_str()), 0);
  ASSERT_TRUE(writeLines(folder.file("link.txt"), {"three"}));
  EXPECT_EQ(folder.read("t.txt"), "three\r\n");
  struct stat st {};
  ASSERT_EQ(::lstat(folder.file("link.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  // A name too long for the extras still gets a name of its own.
  const std::string longName(250, 'n');
  EXPECT_LE(SafeFileWriter::TemporaryPrefixFor(folder.file(longName)).size() - folder.path().size() + 20, 256u);
  EXPECT_NE(SafeFileWriter::TemporaryPrefixFor(folder.file(longName)),
            SafeFileWriter::TemporaryPrefixFor(folder.file(longName + "x")));
}

TEST(TextFileRead, AFileOverTheReadersLimitIsRefusedBeforeItIsRead) {
  vemu::test::ScratchFolder folder(false);
  folder.write("big", std::string(kSettingsReadLimit + 1, 'x'));
  std::string reason, error;
  EXPECT_FALSE(readLines(folder.file("big"), kSettingsReadLimit, &reason).has_value());
  EXPECT_EQ(withSizeReason("Cannot open file x", reason), "Cannot open file x: too large: 16777217 bytes, more than 16 MiB");
  EXPECT_EQ(readLines(folder.file("big"), kCircuitReadLimit)->at(0).size(), kSettingsReadLimit + 1);
  EXPECT_FALSE(copyFile(folder.file("big"), folder.file("copy"), kSettingsReadLimit, &error));
  EXPECT_EQ(error, "Cannot read file " + folder.file("big") + ": " + reason);
  EXPECT_FALSE(readFileBytes(folder.file("missing"), kCircuitReadLimit, &reason).has_value());
  EXPECT_EQ(withSizeReason("Cannot open file x", reason), "Cannot open file x");  // other reasons as before
  // A file that grows after its size is taken (a /proc file says 0 bytes, then gives more) stops at the limit.
  EXPECT_TRUE(!readFileBytes("/proc/self/status", 64, &reason) && isTooLarge(reason)) << reason;
  EXPECT_FALSE(readFirstLines("/proc/self/status", 1000, 100, 64, &error).has_value());
  EXPECT_EQ(error, "too large: 65 bytes, more than 64 bytes");
}

TEST(SafeFileWriterTest, ALinkPlantedInASharedStickyFolderIsNeverFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to give a link to another user";
  vemu::test::ScratchFolder folder(false);
  folder.makeDir("s");
  const std::string s = folder.file("s/");
  folder.write("victim", "keep");
  const auto link = [&](const char* name, const std::string& to, uid_t owner) {
    ASSERT_EQ(::symlink(to.c_str(), (s + name).c_str()), 0);
    ASSERT_EQ(::lchown((s + name).c_str(), owner, static_cast<gid_t>(-1)), 0);
  };
  link("planted", folder.file("victim"), 4321);
  link("dangling", folder.file("made"), 4321);
  link("mine", s + "planted", 0);  // the user's own link, on to a planted one
  link("dir", folder.path(), 4321);  // folder links: planted, and the user's own
  link("own", folder.path(), 0);
  ASSERT_EQ(::chmod(s.c_str(), 01777), 0);
  for (const std::string name : {"planted", "dangling", "mine", "dir/victim", "own/s/dir/new"}) {
    std::string error;
    EXPECT_FALSE(writeLines(s + name, {"new"}, &error));
    const std::string refused = name == "dangling" ? name : name.find("dir") != std::string::npos ? "dir" : "planted";
    EXPECT_EQ(error, "Cannot replace file " + s + refused + ": it is a link of another user");
  }
  EXPECT_EQ(folder.read("victim"), "keep");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"s", "victim"}));
  EXPECT_EQ(namesIn(s).size(), 5u);
  EXPECT_TRUE(writeLines(s + "own/./victim", {"mine"}));
  EXPECT_EQ(folder.read("victim"), "mine\r\n");
  // The folder owner's links are followed, and so is any link in a folder that is not sticky.
  ASSERT_EQ(::chown(s.c_str(), 4321, 0), 0);
  EXPECT_TRUE(writeLines(s + "planted", {"new"}));
  ASSERT_EQ(::chown(s.c_str(), 0, 0) + ::chmod(s.c_str(), 0777), 0);
  EXPECT_TRUE(writeLines(s + "dangling", {"new"}));
  EXPECT_EQ(folder.read("victim") + folder.read("made"), "new\r\nnew\r\n");
}
