#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

#include "platform/folders.h"
#include "support/mbtext.h"
#include "support/paths.h"
#include "platform/files.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

TEST(Paths, TakesPathsApartByCharacter) {
  const std::string sep(1, kPathSeparator);
  // 0x95 0x5C is one character whose trail byte is a backslash.
  const std::string hyo = "\x95\x5C";
  struct Row {
    std::string path, parent, name, ext, stem;
  };
  const std::vector<Row> rows = {
      {"C:\\Apps\\bin\\Velquor.exe", "C:\\Apps\\bin", "Velquor.exe", ".exe", "Velquor"},
      {"C:\\Apps", "C:\\", "Apps", "", "Apps"},
      {"C:\\", "C:\\", "C:\\", "", "C:\\"},
      {"skin", "", "skin", "", "skin"},
      {"/home/a/b.tar.gz", "/home/a", "b.tar.gz", ".gz", "b.tar"},
      {"/b", "/", "b", "", "b"},
      {"C:\\" + hyo + "\\x.png", "C:\\" + hyo, "x.png", ".png", "x"},
      {"C:\\a\\" + hyo, "C:\\a", hyo, "", hyo},
      {"C:\\a\\b\\", "C:\\a\\b", "b\\", "", "b\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(RemoveFileSpec(row.path), row.parent);
    EXPECT_EQ(FileNameOf(row.path), row.name);
    EXPECT_EQ(ExtensionOf(row.path), row.ext);
    EXPECT_EQ(StemOf(row.path), row.stem);
  }
  EXPECT_EQ(JoinPath("a", "b"), "a" + sep + "b");
  EXPECT_EQ(JoinPath("a\\", "b"), "a\\b");
  EXPECT_EQ(JoinPath("a/", "\\b"), "a/b");
  EXPECT_EQ(JoinPath("", "b"), "b");
  EXPECT_EQ(JoinPath("a", ""), "a");
  // A trail byte 0x5C does not end the folder with a separator.
  EXPECT_EQ(JoinPath(hyo, "b"), hyo + sep + "b");
}

TEST(Folders, ListsFilesAndFoldersApart) {
  testing::TempDir dir;
  const std::string root = dir.path().string();
  std::filesystem::create_directory(dir.path() / "Aqua");
  ASSERT_TRUE(platform::WriteWholeFile(JoinPath(root, "readme.txt"), "x"));
  const std::string japanese = J("画像.png");
  ASSERT_TRUE(platform::WriteWholeFile(JoinPath(root, japanese), "x"));
  std::vector<platform::FolderEntry> entries;
  ASSERT_TRUE(platform::ListFolder(root, entries));
  ASSERT_EQ(entries.size(), 3u);
  int folders = 0, japaneseSeen = 0;
  for (const auto& entry : entries) {
    folders += entry.isFolder;
    japaneseSeen += entry.name == japanese;
    if (entry.isFolder) {
      EXPECT_EQ(entry.name, "Aqua");
    }
  }
  EXPECT_EQ(folders, 1);
  EXPECT_EQ(japaneseSeen, 1);
  EXPECT_TRUE(platform::IsFolder(JoinPath(root, "Aqua")));
  EXPECT_FALSE(platform::IsFolder(JoinPath(root, "readme.txt")));
  EXPECT_FALSE(platform::ListFolder(JoinPath(root, "missing"), entries));
  EXPECT_TRUE(entries.empty());
}

}  // namespace
}  // namespace orlavix
