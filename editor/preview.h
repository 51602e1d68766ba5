// The preview window as the editor logic drives it: what to show, and when.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orlavix {

class Preview {
 public:
  virtual ~Preview() = default;

  // False until the window has been created (and after it is gone).
  virtual bool Exists() = 0;
  virtual void Hide() = 0;
  // Colour drawn behind an image (0x00BBGGRR), seen through transparent pixels.
  virtual void SetBackground(std::uint32_t color) = 0;
  virtual void SetImageFolder(const std::string& folder) = 0;
  // Shows the named file of the image folder from now on.
  virtual void SetImageName(const std::string& name) = 0;
  // The states the image holds one frame of each, by name; empty for an
  // image drawn whole.
  virtual void SetImageStates(const std::vector<std::string>& states) = 0;
  // Shows a swatch of the colour text ("#rrggbb") from now on.
  virtual void SetColorText(const std::string& text) = 0;
  // Repaints at once with what was set, then shows the window.
  virtual void RedrawAndShow() = 0;
  // Draws the image again if its file has changed on disk since it was read.
  virtual void CheckFileChanged() = 0;
};

}  // namespace orlavix
