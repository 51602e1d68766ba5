// The preview window bound to the interface the editor logic drives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/preview.h"
#include "values/win32/preview_window.h"

namespace orlavix::win32 {

class PreviewBinding : public Preview {
 public:
  explicit PreviewBinding(PreviewWindow& window) : window_(window) {}
  bool Exists() override { return window_.Window() != nullptr; }
  void Hide() override { window_.HidePreviewWindow(); }
  void SetBackground(std::uint32_t color) override { window_.background = color; }
  void SetImageFolder(const std::string& folder) override { window_.SetImageFolder(folder); }
  void SetImageName(const std::string& name) override { window_.SetImageName(name); }
  void SetImageStates(const std::vector<std::string>& states) override { window_.SetImageStates(states); }
  void SetColorText(const std::string& text) override { window_.SetColorText(text); }
  // Painted at once, so that the window has its new size before it shows.
  void RedrawAndShow() override;
  void CheckFileChanged() override { window_.CheckFileChanged(); }

 private:
  PreviewWindow& window_;
};

}  // namespace orlavix::win32
