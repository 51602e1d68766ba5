#include "editor/skin_on_disk.h"

#include <new>

#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "model/catalogues.h"
#include "support/mbtext.h"

namespace orlavix {

namespace {

constexpr SettingCategory kSkinCategories[4] = {SettingCategory::General, SettingCategory::Colors,
                                                SettingCategory::Controls, SettingCategory::Settings};

std::string ReasonOf(platform::FileError error) {
  switch (error) {
    case platform::FileError::InUse: return J("ほかのプログラムがファイルを開いています。");
    case platform::FileError::ReadOnly: return J("ファイルを読む権限がありません。");
    case platform::FileError::None:
    case platform::FileError::DiskFull:
    case platform::FileError::Missing:
    case platform::FileError::Other: break;
  }
  return std::string();
}

// Fresh catalogues of the four sections with what the text gives them.
void LoadCatalogues(const SkinDocument& text, SettingCatalogue (&catalogues)[4]) {
  for (int s = 0; s < 4; ++s) {
    catalogues[s].Clear();
    BuildCatalogue(kSkinCategories[s], catalogues[s]);
    LoadSectionFrom(text, kSkinSections[s], catalogues[s]);
  }
}

}  // namespace

SkinValues ValuesAsWritten(const SettingCatalogue& general, const SettingCatalogue& colors,
                           const SettingCatalogue& controls, const SettingCatalogue& settings) {
  static const std::string noOtherSections;
  SkinDocument text;
  text.SetText(BuildSkinText({general, colors, controls, settings, noOtherSections}, SectionStyle()));
  SettingCatalogue read[4];
  LoadCatalogues(text, read);
  return ValuesOf(read[0], read[1], read[2], read[3]);
}

SkinValues SkinOnDisk::Values() const {
  return ValuesOf(catalogues[0], catalogues[1], catalogues[2], catalogues[3]);
}

namespace {

DiskRead ReadText(const std::string& path, SkinOnDisk& disk, std::string& why) {
  disk.text.Clear();
  // Taken first: a change while we read shows as a newer stamp next time.
  disk.stamp = platform::FileStamp();
  platform::ReadFileStamp(path, disk.stamp);
  std::string bytes;
  platform::FileError error = platform::FileError::None;
  switch (platform::ReadWholeFile(path, bytes, nullptr, &error)) {
    case platform::ReadStatus::Ok: break;
    case platform::ReadStatus::TooLarge:
      why = J("ファイルが大きすぎます。");
      return DiskRead::Failed;
    case platform::ReadStatus::Failed:
      if (error == platform::FileError::Missing) return DiskRead::Missing;
      why = ReasonOf(error);
      return DiskRead::Failed;
  }
  try {
    disk.text.SetText(DecodeSkinFileBytes(bytes));
  } catch (const std::bad_alloc&) {
    disk.text.Clear();
    return DiskRead::Failed;
  }
  return DiskRead::Read;
}

}  // namespace

DiskRead ReadSkinOnDisk(const std::string& path, SkinOnDisk& disk, std::string& why) {
  why.clear();
  const DiskRead read = ReadText(path, disk, why);
  // Without a text (a missing file) every setting keeps its default.
  LoadCatalogues(disk.text, disk.catalogues);
  return read;
}

std::string ReadFailureText(const std::string& path, const std::string& why) {
  std::string text = J("skin.ini を読み込めませんでした。編集を始めません。") + "\n\n" + path;
  if (!why.empty()) text += "\n\n" + why;
  return text;
}

std::string SaveReadFailureText(const std::string& why) {
  std::string text = J("skin.ini を保存できませんでした。") + "\n\n" + J("保存の前にファイルを読み込めませんでした。");
  if (!why.empty()) text += "\n" + why;
  return text;
}

}  // namespace orlavix
