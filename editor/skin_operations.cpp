// The commands on the whole skin that the options category offers: starting
// the host with this skin, the report of unused and missing image files, and
// the view of the sections the editor does not model.
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "editor/editor_dialog.h"
#include "editor/host_location.h"
#include "analysis/skin_file_report.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {

namespace {

constexpr int kReportSeconds = 10;
constexpr int kInstallerReportSeconds = 30;

}  // namespace

void EditorDialog::RunHostWithSkin() {
  // skinFolder ends with its separator: the skin's name is the component before it.
  const std::string name = FileNameOf(RemoveFileSpec(skinFolder));
  if (name.empty()) {
    messages_.Report(J("スキン名が取得できません。"), kReportSeconds);
    return;
  }
  const std::string executable = hostControls_.HostLocation();
  if (executable.empty()) {
    messages_.Report(J("本体の場所が指定されていません。"), kReportSeconds);
    return;
  }
  const std::string file = MbsLower(FileNameOf(executable));
  if (!HostIdle(file, hostServices_)) {
    messages_.Report(J("本体起動処理中のため続行できません。"), kReportSeconds);
    return;
  }
  if (!InstallerIdle(file, hostServices_)) {
    messages_.Report(J("本体起動中のため続行できません。\n\n本体が完全に終了するのを待ってから再度実行してください。"),
                     kInstallerReportSeconds);
    return;
  }
  std::string userIni;
  if (!LocateUserIni(executable, hostServices_, userIni)) {
    messages_.Report(J("user.ini の場所が特定できなかったため、変更できませんでした。"), kReportSeconds);
    return;
  }
  // Written as '?' the name would select no skin, or another one.
  if (!hostServices_.ProfileCanHold(name)) {
    messages_.Report(J("スキン名「") + name +
                         J("」にはこのシステムの user.ini に書けない文字があるため、変更できませんでした。\n\n"
                           "スキンのフォルダー名を英数字などに変えてから、もう一度実行してください。"),
                     kReportSeconds);
    return;
  }
  if (!hostServices_.WriteProfileString("General", "Skin", name, userIni)) {
    messages_.Report(J("user.ini が変更できませんでした。"), kReportSeconds);
    return;
  }
  // A start that failed must not read as one that succeeded.
  if (!hostServices_.OpenProgram(executable)) {
    messages_.Report(J("本体を起動できませんでした。\n\nuser.ini のスキン名は変更済みです。"), kReportSeconds);
    return;
  }
  messages_.Report(J("本体起動中です。しばらくそのままでお待ちください。"), kReportSeconds);
}

void EditorDialog::CheckSkinFiles() {
  ShowCategory(SettingCategory::Controls);
  const SkinFileReport report =
      CompareSkinFiles(UsedImageNames(controlItems), PresentImageFiles(skinFolder + "controls"));

  currentCategory = SettingCategory::Report;
  ClearItemList();
  SetupColumns();
  SettingCatalogue rows;
  int number = 0;
  for (const std::string& name : report.missing) rows.AddReportRow(J("存在していないファイル"), number, name);
  number = 0;
  for (const std::string& name : report.unused) rows.AddReportRow(J("使用されていないファイル"), number, name);
  FillItemList(rows, false);
  missingFiles_ = report.missing;
}

bool EditorDialog::GoToReportedFile(int row) {
  // The missing files are the report's first rows, which nothing reorders.
  if (currentCategory != SettingCategory::Report || row < 0 || row >= itemList_.GetItemCount() ||
      row >= static_cast<int>(missingFiles_.size())) {
    return false;
  }
  const std::string name = missingFiles_[static_cast<std::size_t>(row)];
  // As the Controls button does; its rows are the catalogue's, in order.
  ShowCategory(SettingCategory::Controls);
  for (int i = 0; i < controlItems.Count() && i < itemList_.GetItemCount(); ++i) {
    if (EqualsNoCase(controlItems.At(i).FormatValue(), name)) {
      itemList_.SelectAndReveal(i);
      RefreshPreview();
      break;
    }
  }
  return true;
}

void EditorDialog::ShowExtraText() {
  currentCategory = SettingCategory::Report;
  ClearItemList();
  SetupColumns();
  itemList_.Hide();
  // Read afresh: the file may have changed since the skin was opened.
  CollectOtherSections(skinIniPath, skinText, extraText, messages_, &extraBytes);
  // The edit box breaks lines only at CR LF; lines that already end so keep
  // a single CR.
  controls_.ShowExtraText(NormalizeLineEnds(extraText));
}

}  // namespace orlavix
