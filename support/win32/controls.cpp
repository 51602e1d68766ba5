#include "support/win32/controls.h"

#include "support/win32/window_text.h"

namespace orlavix::win32 {

int ComboBox::Add(std::string_view text) {
  return static_cast<int>(SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

std::string ComboBox::Text(int index) const {
  if (index < 0) return std::string();
  const LRESULT length = SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length < 0) return std::string();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  if (copied == CB_ERR || copied < 0) return std::string();
  text.resize(static_cast<std::size_t>(copied));
  return Narrow(text).text;
}

int ComboBox::Selected() const {
  const LRESULT selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

NarrowText EditControl::Text() const { return WindowText(edit_); }

void EditControl::SetText(std::string_view text) { win32::SetText(edit_, text); }

void EditControl::PlaceCaret(int position) {
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void EditControl::SetDigitsOnly(bool digitsOnly) {
  const LONG style = GetWindowLongW(edit_, GWL_STYLE);
  const LONG wanted = digitsOnly ? (style | ES_NUMBER) : (style & ~ES_NUMBER);
  if (wanted != style) SetWindowLongW(edit_, GWL_STYLE, wanted);
}

}  // namespace orlavix::win32
