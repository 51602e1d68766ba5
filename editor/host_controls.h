// The main dialog's controls that name the host and choose the skin, as the
// editor logic drives them.
#pragma once

#include <string>
#include <vector>

namespace orlavix {

class HostControls {
 public:
  virtual ~HostControls() = default;

  // The host location field (read-only for the person; only the program writes it).
  virtual std::string HostLocation() = 0;
  virtual void SetHostLocation(const std::string& path) = 0;

  // The skin drop-down list. It keeps its entries sorted without regard to
  // case; SkinNames gives them in that order.
  virtual void ClearSkins() = 0;
  virtual void AddSkin(const std::string& name) = 0;
  virtual std::vector<std::string> SkinNames() = 0;
  virtual void SelectSkin(int index) = 0;
  virtual void EnableSkinList(bool enable) = 0;
  // "編集開始(&H)".
  virtual void EnableStartButton(bool enable) = 0;

  // The open-file dialog for the host executable, starting in `startFolder`;
  // false when the person cancels.
  virtual bool AskForHostExecutable(const std::string& startFolder, std::string& chosen) = 0;
};

}  // namespace orlavix
