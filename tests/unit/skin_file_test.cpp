// Reading skin.ini from disk: decoding, failures, the size limit and sharing.
#include <gtest/gtest.h>

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "document/skin_document.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

const std::string kUtf8Skin = "[General]\r\nAuthor=\xE5\xB1\xB1\xE7\x94\xB0\r\n\r\n[Foo]\r\nX=1\r\n";

TEST(SkinDocumentFile, DecodesUtf8WithOrWithoutByteOrderMark) {
  TempDir dir;
  WriteBytes(dir.path() / "plain.ini", kUtf8Skin);
  WriteBytes(dir.path() / "bom.ini", "\xEF\xBB\xBF" + kUtf8Skin);
  RecordingMessages messages;
  SkinDocument plain, bom;
  plain.ReadFromFile(dir.File("plain.ini"), messages);
  bom.ReadFromFile(dir.File("bom.ini"), messages);
  ASSERT_TRUE(plain.HasText());
  ASSERT_TRUE(bom.HasText());
  EXPECT_EQ(plain.Text(), J("[General]\r\nAuthor=山田\r\n\r\n[Foo]\r\nX=1\r\n"));
  EXPECT_EQ(bom.Text(), plain.Text());
  EXPECT_EQ(bom.SectionEntries("General"), (std::vector<SectionEntry>{{"Author", J("山田")}}));
  EXPECT_TRUE(messages.alerts.empty());
}

TEST(SkinDocumentFile, ContentsEndAtNulAndBadUtf8StillReads) {
  TempDir dir;
  WriteBytes(dir.path() / "zero.ini", std::string("[A]\nX=1\n\0[B]\nY=2\n", 17));
  WriteBytes(dir.path() / "bad.ini", "[A]\nX=\xC3\n[B]\nY=2\n");
  WriteBytes(dir.path() / "empty.ini", "");
  RecordingMessages messages;
  SkinDocument doc;
  doc.ReadFromFile(dir.File("zero.ini"), messages);
  EXPECT_EQ(doc.Text(), "[A]\nX=1\n");
  doc.ReadFromFile(dir.File("bad.ini"), messages);
  ASSERT_TRUE(doc.HasText());
  EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(doc.SectionEntries("B"), (std::vector<SectionEntry>{{"Y", "2"}}));
  doc.ReadFromFile(dir.File("empty.ini"), messages);
  EXPECT_TRUE(doc.HasText());
  EXPECT_EQ(doc.Text(), "");
  EXPECT_TRUE(messages.alerts.empty());
}

// The file is decoded piece by piece while it is read: every character that
// straddles a piece boundary, well-formed or not, and a NUL or byte-order mark
// anywhere, must read as the whole buffer decoded at once would.
TEST(SkinDocumentFile, PiecesReadAcrossBoundariesDecodeAsOneBuffer) {
  TempDir dir;
  RecordingMessages messages;
  const std::string characters[] = {"\xC3\xA9",         "\xE5\x80\xA4",        "\xF0\x9F\x98\x80", "\xED\x95\x9C",
                                    "\xE5",             "\xE5\x80",            "\x80\x80",           "\xF8\xC3",
                                    std::string(1, '\0'), "\xF0\x9F\x98\n["};
  for (const bool mark : {false, true}) {
    for (const std::string& character : characters) {
      for (std::size_t shift = 0; shift <= 4; ++shift) {
        std::string bytes = mark ? "\xEF\xBB\xBF[General]\r\n" : "[General]\r\n";
        for (int n = 0; bytes.size() < platform::kReadPiece - shift - 40; ++n) {
          bytes += n % 500 == 0 ? "[S" + std::to_string(n) + "]\r\n" : "K" + std::to_string(n) + "=\xE5\x80\xA4\r\n";
        }
        bytes.append(platform::kReadPiece - shift - bytes.size(), 'x');
        bytes += character + "tail\r\n[Last]\r\nZ=1\r\n";
        WriteBytes(dir.path() / "skin.ini", bytes);
        SkinDocument doc, withBytes, reference;
        std::string utf8;
        doc.ReadFromFile(dir.File("skin.ini"), messages);
        withBytes.ReadFromFile(dir.File("skin.ini"), messages, &utf8);
        reference.SetText(DecodeSkinFileBytes(bytes));
        const std::string what = (mark ? "mark, " : "") + std::to_string(shift) + " before the boundary: " +
                                 ::testing::PrintToString(character);
        ASSERT_TRUE(doc.HasText()) << what;
        EXPECT_TRUE(doc.Text() == reference.Text()) << what;
        EXPECT_TRUE(withBytes.Text() == reference.Text()) << what;
        EXPECT_TRUE(utf8 == SkinFileUtf8(bytes)) << what;
        EXPECT_EQ(doc.SectionNames(), reference.SectionNames()) << what;
      }
    }
  }
  EXPECT_TRUE(messages.alerts.empty());
}

TEST(SkinDocumentFile, UnreadableFilesLeaveTheDocumentAbsentSilently) {
  TempDir dir;
  WriteBytes(dir.path() / "skin.ini", kUtf8Skin);
  RecordingMessages messages;
  SkinDocument doc;
  for (const std::string& path : {dir.File("missing.ini"), dir.path().string(), std::string()}) {
    doc.ReadFromFile(dir.File("skin.ini"), messages);
    ASSERT_TRUE(doc.HasText());
    doc.ReadFromFile(path, messages);  // the previous text must not survive
    EXPECT_FALSE(doc.HasText()) << path;
    EXPECT_TRUE(doc.SectionNames().empty());
  }
  EXPECT_TRUE(messages.alerts.empty());
  EXPECT_FALSE(platform::FileExists(dir.File("missing.ini")));
  EXPECT_TRUE(platform::FileExists(dir.File("skin.ini")));
}

TEST(SkinDocumentFile, PathsAreInTheWorkingCodePage) {
  TempDir dir;
  WriteBytes(dir.path() / std::filesystem::u8path("\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3.ini"), kUtf8Skin);
  const std::string path = dir.path().string() + static_cast<char>(std::filesystem::path::preferred_separator) +
                           J("スキン.ini");
  RecordingMessages messages;
  SkinDocument doc;
  doc.ReadFromFile(path, messages);
  ASSERT_TRUE(doc.HasText());
  EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"General", "Foo"}));
  EXPECT_TRUE(platform::FileExists(path));
}

// Makes a file of exactly `size` bytes without writing them (a sparse file),
// and answers how many bytes the disk really holds for it.
std::uint64_t MakeSparseFile(const std::string& path, std::uint64_t size) {
#ifdef _WIN32
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return UINT64_MAX;
  DWORD ignored = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  FILE_STANDARD_INFO info{};
  const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file) &&
                  GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info);
  CloseHandle(file);
  return ok ? static_cast<std::uint64_t>(info.AllocationSize.QuadPart) : UINT64_MAX;
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return UINT64_MAX;
  const bool ok = ftruncate(fd, static_cast<off_t>(size)) == 0;
  struct stat info {};
  fstat(fd, &info);
  close(fd);
  return ok ? static_cast<std::uint64_t>(info.st_blocks) * 512 : UINT64_MAX;
#endif
}

TEST(SkinDocumentFile, FileOfFourGibibytesIsRefusedWithOneAlert) {
  TempDir dir;
  const std::string path = dir.File("huge.ini");
  const std::uint64_t onDisk = MakeSparseFile(path, std::uint64_t{1} << 32);
  ASSERT_NE(onDisk, UINT64_MAX) << "could not make the sparse file";
  ASSERT_LT(onDisk, std::uint64_t{1} << 20) << "the file system did not keep the file sparse";
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "huge.ini"), std::uint64_t{1} << 32);

  WriteBytes(dir.path() / "skin.ini", kUtf8Skin);
  RecordingMessages messages;
  SkinDocument doc;
  doc.ReadFromFile(dir.File("skin.ini"), messages);
  ASSERT_TRUE(doc.HasText());
  doc.ReadFromFile(path, messages);
  EXPECT_FALSE(doc.HasText());
  EXPECT_EQ(messages.alerts, std::vector<std::string>{J("ファイルが大きすぎるため読み込めません。")});
  EXPECT_TRUE(messages.reports.empty());

  std::string bytes = "untouched";
  EXPECT_EQ(platform::ReadWholeFile(path, bytes), platform::ReadStatus::TooLarge);
  EXPECT_TRUE(bytes.empty());
}

#ifdef _WIN32
TEST(SkinDocumentFile, FileHeldOpenByAnotherProgramIsReadWhenItShares) {
  TempDir dir;
  const std::string path = dir.File("skin.ini");
  WriteBytes(dir.path() / "skin.ini", kUtf8Skin);
  RecordingMessages messages;
  SkinDocument doc;
  // A holder that lets nobody read keeps the file to itself.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  doc.ReadFromFile(path, messages);
  EXPECT_FALSE(doc.HasText());
  CloseHandle(held);
  // A sync client or an editor that shares it, even one holding it for
  // writing, does not keep us from reading it.
  for (const DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_READ | GENERIC_WRITE}}) {
    held = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    doc.ReadFromFile(path, messages);
    EXPECT_TRUE(doc.HasText()) << access;
    CloseHandle(held);
  }
  EXPECT_TRUE(messages.alerts.empty());
}
#endif

}  // namespace
}  // namespace orlavix
