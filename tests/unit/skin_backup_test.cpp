// Numbered backups and the file write that follows them.
#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "document/skin_writer.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SkinBackup, TakesTheLowestFreeNumberAndCopiesBytesExactly) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  const std::string first = "\xEF\xBB\xBF[General]\nAuthor=a\n";
  WriteBytes(ini, first);
  EXPECT_EQ(BackupName(ini, 7), ini + ".007");

  ASSERT_TRUE(BackupSkinFile(ini));
  EXPECT_EQ(ReadBytes(ini + ".000"), first);
  WriteBytes(ini, "second");
  ASSERT_TRUE(BackupSkinFile(ini));
  EXPECT_EQ(ReadBytes(ini + ".001"), "second");
  EXPECT_EQ(ReadBytes(ini + ".000"), first);

  std::filesystem::remove(ini + ".000");
  WriteBytes(ini, "third");
  ASSERT_TRUE(BackupSkinFile(ini));
  EXPECT_EQ(ReadBytes(ini + ".000"), "third");
  EXPECT_FALSE(platform::FileExists(ini + ".002"));
}

TEST(SkinBackup, OverwritesTheLastNumberWhenAllThousandExist) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  for (int n = 0; n < 1000; ++n) WriteBytes(BackupName(ini, n), "old " + std::to_string(n));
  WriteBytes(ini, "current");
  ASSERT_TRUE(BackupSkinFile(ini));
  EXPECT_EQ(ReadBytes(ini + ".999"), "current");
  EXPECT_EQ(ReadBytes(ini + ".998"), "old 998");
  EXPECT_FALSE(platform::FileExists(ini + ".1000"));
}

TEST(SkinBackup, MissingFileOrUnwritableBackupWritesNothing) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  EXPECT_FALSE(BackupSkinFile(""));
  EXPECT_FALSE(BackupSkinFile(ini));
  EXPECT_FALSE(WriteSkinFile(ini, "[General]\nA=1\n"));
  EXPECT_FALSE(platform::FileExists(ini));
  EXPECT_FALSE(platform::FileExists(ini + ".000"));

  // The backup's place is taken by a folder: the copy fails, so the skin
  // file must stay exactly as it was.
  WriteBytes(ini, "keep me");
  for (int n = 0; n < 999; ++n) WriteBytes(BackupName(ini, n), "x");
  std::filesystem::create_directory(ini + ".999");
  EXPECT_FALSE(WriteSkinFile(ini, "[General]\nA=1\n"));
  EXPECT_EQ(ReadBytes(ini), "keep me");
}

TEST(SkinFileWrite, WritesUtf8WithCrLfAndKeepsTheOldBytesInTheBackup) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  const std::string old = "\xEF\xBB\xBF[General]\nAuthor=x\n";
  WriteBytes(ini, old);
  ASSERT_TRUE(WriteSkinFile(ini, J("[General]\nAuthor=山田\r[Foo]\n\rx=1\n")));
  EXPECT_EQ(ReadBytes(ini), "[General]\r\nAuthor=\xE5\xB1\xB1\xE7\x94\xB0\r\n[Foo]\r\nx=1\r\n");
  EXPECT_EQ(ReadBytes(ini + ".000"), old);

  ASSERT_TRUE(WriteSkinFile(ini, ""));
  EXPECT_EQ(ReadBytes(ini), "");
  EXPECT_EQ(ReadBytes(ini + ".001"), "[General]\r\nAuthor=\xE5\xB1\xB1\xE7\x94\xB0\r\n[Foo]\r\nx=1\r\n");
}

#ifdef _WIN32
TEST(SkinFileWrite, FileHeldOpenWithoutSharingIsNotReplaced) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  WriteBytes(ini, "held");
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteSkinFile(ini, "[General]\nA=1\n"));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(ini), "held");
  // The copy could not read the held file either, so no backup was made.
  EXPECT_FALSE(platform::FileExists(ini + ".000"));
}
#endif

}  // namespace
}  // namespace orlavix
