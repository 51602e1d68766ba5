#include "support/win32/dialog_font.h"

#include <string>
#include <vector>

namespace orlavix::win32 {
namespace {

// Hiragana, katakana and a kanji: a font without them shows boxes.
constexpr wchar_t kSample[] = L"\x3042\x30A2\x6F22";

bool ShowsJapanese(HDC dc, HFONT font) {
  const HGDIOBJ before = SelectObject(dc, font);
  WORD glyphs[3] = {};
  const DWORD got = GetGlyphIndicesW(dc, kSample, 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, before);
  if (got == GDI_ERROR) return true;  // cannot tell: leave the font as it is
  for (const WORD glyph : glyphs) {
    if (glyph == 0xFFFF) return false;
  }
  return true;
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
  // Faces whose name starts with '@' are the vertical-writing twins.
  if (font->lfFaceName[0] != L'@') reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(font->lfFaceName);
  return 1;
}

// The Japanese face to use: the first of the faces that Japanese Windows
// gives its dialogs, else any face with the Japanese character set.
std::wstring JapaneseFace(HDC dc) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  std::vector<std::wstring> faces;
  EnumFontFamiliesExW(dc, &wanted, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  for (const wchar_t* preferred : {L"MS UI Gothic", L"Meiryo UI", L"Yu Gothic UI", L"MS Gothic", L"Meiryo"}) {
    for (const std::wstring& face : faces) {
      if (face == preferred) return face;
    }
  }
  return faces.empty() ? std::wstring() : faces.front();
}

BOOL CALLBACK GiveFont(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

UniqueFont JapaneseFontLike(HFONT font) {
  if (!font) return UniqueFont();
  const HDC dc = GetDC(nullptr);
  if (!dc) return UniqueFont();
  UniqueFont replacement;
  LOGFONTW shape{};
  if (!ShowsJapanese(dc, font) && GetObjectW(font, sizeof shape, &shape) == sizeof shape) {
    const std::wstring face = JapaneseFace(dc);
    if (!face.empty() && face.size() < LF_FACESIZE) {
      shape.lfCharSet = SHIFTJIS_CHARSET;
      face.copy(shape.lfFaceName, face.size());
      shape.lfFaceName[face.size()] = L'\0';
      replacement.Reset(CreateFontIndirectW(&shape));
    }
  }
  ReleaseDC(nullptr, dc);
  return replacement;
}

void SetDialogFont(HWND dialog, HFONT font) {
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EnumChildWindows(dialog, &GiveFont, reinterpret_cast<LPARAM>(font));
}

}  // namespace orlavix::win32
