// Thin typed wrappers over the combo box and the edit control, beside the
// list view's: each method one or two messages, texts in the working code
// page, carried to and from the control as UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"

namespace orlavix::win32 {

// A drop-down list.
class ComboBox {
 public:
  void Attach(HWND combo) { combo_ = combo; }
  HWND Window() const { return combo_; }

  void Clear() { SendMessageW(combo_, CB_RESETCONTENT, 0, 0); }
  // Appends an entry (or puts it in its sorted place); its index.
  int Add(std::string_view text);
  int Count() const { return static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0)); }
  // The entry's text; empty for an index out of range.
  std::string Text(int index) const;
  // The selected entry's index, or -1.
  int Selected() const;
  void Select(int index) { SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

 private:
  HWND combo_ = nullptr;
};

// A single- or multi-line edit box.
class EditControl {
 public:
  void Attach(HWND edit) { edit_ = edit; }
  HWND Window() const { return edit_; }

  // The text as typed, with what the working code page could not keep.
  NarrowText Text() const;
  void SetText(std::string_view text);
  // Puts the caret (an empty selection) at `position` and scrolls it into view.
  void PlaceCaret(int position);
  // The caret at the end of the text, scrolled into view.
  void PlaceCaretAtEnd() { PlaceCaret(GetWindowTextLengthW(edit_)); }
  // Adds or removes ES_NUMBER, touching the style only when it changes.
  void SetDigitsOnly(bool digitsOnly);

 private:
  HWND edit_ = nullptr;
};

}  // namespace orlavix::win32
