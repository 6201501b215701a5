#include "common/core/user_profile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "common/core/user_profile_lock.h"
#include "common/core/workbench_settings.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

namespace fs = std::filesystem;

// Records messages and lets a test look around while a message is shown.
struct ProbingSink : testing::RecordingSink {
  std::function<void()> onMessage;
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    RecordingSink::ShowMessage(text, icon);
    if (onMessage) onMessage();
  }
};

// True when nobody holds the file's exclusive lock right now.
bool CanLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  const bool free = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (fd >= 0) ::close(fd);
  return free;
}

// A new profile: its directory block and nothing more.
std::vector<uint8_t> EmptyProfile() {
  UserProfileDirectory directory{};
  std::memcpy(directory.ProfileMagic, kProfileMagic, sizeof kProfileMagic);
  directory.NextFreeBlock = 2;
  std::memcpy(directory.Reserved896, "carried", 7);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&directory);
  return {bytes, bytes + sizeof directory};
}

class UserProfileTest : public testing::TempDirTest {
 protected:
  UserProfileTest() {
    fs::create_directory(dir_ / "USERS");
    Store(EmptyProfile());
  }

  void Store(const std::vector<uint8_t>& bytes) { testing::WriteBytes(path_, bytes); }
  std::vector<uint8_t> Bytes() const { return testing::ReadBytes(path_); }
  UserProfileDirectory Directory() const {
    UserProfileDirectory directory{};
    std::memcpy(&directory, Bytes().data(), sizeof directory);
    return directory;
  }
  void ChangeDirectory(const std::function<void(UserProfileDirectory&)>& change) {
    std::vector<uint8_t> bytes = Bytes();
    UserProfileDirectory directory = Directory();
    change(directory);
    std::memcpy(bytes.data(), &directory, sizeof directory);
    Store(bytes);
  }
  bool Write(int id, const std::vector<std::string>& texts, std::span<const uint8_t> settings,
             const std::string* workDirectory = nullptr) {
    return WriteUserSection(sink_, path_, workDirectory, id, texts, settings);
  }
  // Reads a section's texts into texts_ and its settings into the buffer given.
  bool Read(int id, std::span<uint8_t> settings = {}, std::string* workDirectory = nullptr) {
    return ReadUserSection(sink_, path_, workDirectory, id, texts_, settings);
  }
  // Expects the read to fail with exactly this message.
  void ExpectReadRefused(int id, const std::string& message) {
    std::array<uint8_t, 16> settings{};
    sink_.Clear();
    EXPECT_FALSE(Read(id, settings));
    EXPECT_EQ(sink_.Texts(), std::vector<std::string>{message});
    EXPECT_EQ(sink_.Last().icon, MessageIcon::Stop);
  }

  std::string path_ = PathOf("USERS/lab one.USR");
  ProbingSink sink_;
  std::vector<std::string> texts_;
};

TEST_F(UserProfileTest, SectionsRoundTripAndKeepTheirPlace) {
  WorkbenchSettings settings = DefaultWorkbenchSettings();
  settings.FullFile = 1;
  const std::string work = "/data/lab";
  ASSERT_TRUE(Write(kWorkbenchSectionId, {"/data/b.raw", "/data/a.raw"}, SettingsBytes(settings), &work));
  const std::vector<uint8_t> viewer(512, 0x5A);
  ASSERT_TRUE(Write(kViewerSectionId, {"x"}, viewer));

  // 516 settings bytes: 2 text blocks and 2 more; the directory's reserved bytes are carried over.
  const UserProfileDirectory d = Directory();
  EXPECT_EQ((std::array{+d.SectionCount, +d.SectionBlockCount[0], +d.SectionBlock[1], +d.NextFreeBlock}),
            (std::array{2, 4, 6, 9}));
  EXPECT_EQ(std::memcmp(d.Reserved896, "carried", 7), 0);

  settings.FullFile = 0;  // rewriting keeps the place and replaces texts and settings
  ASSERT_TRUE(Write(kWorkbenchSectionId, {"/data/c.raw"}, SettingsBytes(settings)));
  EXPECT_EQ(Bytes().size(), 9u * 512);

  WorkbenchSettings read{};
  std::string workRead;
  ASSERT_TRUE(Read(kWorkbenchSectionId, SettingsBytes(read), &workRead));
  EXPECT_EQ(texts_, std::vector<std::string>{"/data/c.raw"});
  EXPECT_EQ(workRead, work);
  EXPECT_EQ(std::memcmp(&read, &settings, sizeof read), 0);

  std::vector<uint8_t> all;
  ASSERT_TRUE(ReadUserSection(sink_, path_, nullptr, kViewerSectionId, texts_, all));
  EXPECT_EQ(all, viewer);
  // A buffer larger than the section gets what the section holds; the rest keeps the caller's defaults.
  std::vector<uint8_t> larger(516, 0xEE), expected = viewer;
  expected.resize(516, 0xEE);
  ASSERT_TRUE(Read(kViewerSectionId, larger));
  EXPECT_EQ(larger, expected);
  EXPECT_TRUE(sink_.Empty());
}

TEST_F(UserProfileTest, TextListLimits) {
  ASSERT_TRUE(Write(kViewerSectionId, {}, {}));
  std::vector<uint8_t> bytes = Bytes();
  const char nine[] = "1\0002\0003\0004\0005\0006\0007\0008\0009";
  std::memcpy(bytes.data() + 1024, nine, sizeof nine);
  Store(bytes);
  ASSERT_TRUE(Read(kViewerSectionId));
  EXPECT_EQ(texts_, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));

  std::fill(bytes.begin() + 1024, bytes.end(), 'A');  // no terminator anywhere in the text area
  Store(bytes);
  ASSERT_TRUE(Read(kViewerSectionId));
  EXPECT_EQ(texts_, std::vector<std::string>{std::string(1024, 'A')});

  // The writer keeps texts while they fit in 1023 bytes with their terminators.
  ASSERT_TRUE(Write(kViewerSectionId, {std::string(600, 'a'), std::string(421, 'b'), "c"}, {}));
  ASSERT_TRUE(Read(kViewerSectionId));
  EXPECT_EQ(texts_, (std::vector<std::string>{std::string(600, 'a'), std::string(421, 'b')}));
}

TEST_F(UserProfileTest, SectionWithoutSettingsZeroesFirstEightBytes) {
  ASSERT_TRUE(Write(kWorkbenchSectionId, {"a.raw"}, {}));
  EXPECT_EQ(Directory().SectionBlockCount[0], 2);
  for (const int id : {kWorkbenchSectionId, kCalibrationSectionId}) {
    std::array<uint8_t, 12> settings;
    settings.fill(0xAA);
    texts_ = {"stale"};
    ASSERT_TRUE(Read(id, settings));
    EXPECT_EQ(texts_.size(), id == kWorkbenchSectionId ? 1u : 0u);
    EXPECT_EQ(settings, (std::array<uint8_t, 12>{0, 0, 0, 0, 0, 0, 0, 0, 0xAA, 0xAA, 0xAA, 0xAA}));
  }
}

TEST_F(UserProfileTest, RefusedWritesLeaveTheFileAlone) {
  auto expectRefused = [&](int id, std::span<const uint8_t> settings, const std::string& message) {
    const std::vector<uint8_t> before = Bytes();
    EXPECT_FALSE(Write(id, {"w"}, settings));
    EXPECT_EQ(sink_.LastText(), message + "\n\n" + path_);
    EXPECT_EQ(Bytes(), before);
  };
  const std::vector<uint8_t> settings(512, 1);
  ASSERT_TRUE(Write(kViewerSectionId, {"v"}, settings));
  expectRefused(kViewerSectionId, std::vector<uint8_t>(513, 2), "User file section is too small for these settings.");
  for (int id = 100; Directory().SectionCount < kProfileSectionSlots; ++id) ASSERT_TRUE(Write(id, {}, {}));
  expectRefused(kWorkbenchSectionId, {}, "User file has no room for another section.");
  EXPECT_TRUE(Write(kViewerSectionId, {"still writable"}, settings));
  ChangeDirectory([](UserProfileDirectory& d) { d.SectionCount = 1, d.NextFreeBlock = 3; });  // stale
  expectRefused(kWorkbenchSectionId, {}, "Invalid file format or version.");
}

TEST_F(UserProfileTest, BrokenProfilesAreRefused) {
  ASSERT_TRUE(Write(kViewerSectionId, {"v"}, std::vector<uint8_t>(512, 1)));
  const std::vector<uint8_t> good = Bytes();
  const std::string invalid = "Invalid file format or version.\n\n" + path_;
  const std::function<void(UserProfileDirectory&)> breakages[] = {
      [](UserProfileDirectory& d) { d.ProfileMagic[7] = '2'; },
      [](UserProfileDirectory& d) { d.SectionCount = -1; },
      [](UserProfileDirectory& d) { d.SectionCount = 65; },
      [](UserProfileDirectory& d) { d.SectionBlock[0] = 1; },
      [](UserProfileDirectory& d) { d.SectionBlock[0] = -4; },
      [](UserProfileDirectory& d) { d.SectionBlockCount[0] = -3; },
      [](UserProfileDirectory& d) { d.SectionBlockCount[0] = 1; },
      [](UserProfileDirectory& d) { d.SectionBlock[0] = 5; },  // starts at the end of the file
  };
  for (const auto& breakage : breakages) {
    Store(good);
    ChangeDirectory(breakage);
    ExpectReadRefused(kViewerSectionId, invalid);
  }
  const std::string endOfFile = "End of file reached: " + path_;
  for (const size_t size : {size_t{1000}, size_t{3 * 512 - 1}, size_t{4 * 512 + 8}}) {
    Store({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)});
    ExpectReadRefused(kViewerSectionId, endOfFile);
  }
}

TEST_F(UserProfileTest, SuiteLockIsHeldThroughoutAndReleasedAfterFailure) {
  const std::string lockFile = UserProfileLock::LockFileFor(path_);
  EXPECT_EQ(lockFile, PathOf("USERS/Qdif_Mutex_Userfile"));
  bool heldDuringMessage = false;
  sink_.onMessage = [&] { heldDuringMessage = !CanLock(lockFile); };
  ChangeDirectory([](UserProfileDirectory& d) { d.SectionCount = 99; });
  ExpectReadRefused(4, "Invalid file format or version.\n\n" + path_);
  EXPECT_TRUE(heldDuringMessage && CanLock(lockFile));
  heldDuringMessage = false;
  EXPECT_FALSE(Write(4, {}, {}));
  EXPECT_TRUE(heldDuringMessage && CanLock(lockFile));
  // The profile itself locked by another program.
  const int holder = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  ExpectReadRefused(4, "User file cannot be opened (sharing violation).\n\n" + path_);
  ::close(holder);
}

TEST(UserProfileSection, FullDiskLeavesTheDirectoryUnchanged) {
  const std::vector<uint8_t> empty = EmptyProfile();
  MemoryProfileStore store(empty, 2048);
  testing::RecordingSink sink;
  EXPECT_FALSE(WriteProfileSection(sink, "p.USR", store, nullptr, 4, {"a"}, std::vector<uint8_t>(516, 1)));
  EXPECT_EQ(sink.LastText(), "User file cannot be accessed.\n\np.USR");
  EXPECT_TRUE(std::equal(empty.begin(), empty.end(), store.Bytes().begin()));
}

}  // namespace
}  // namespace km
