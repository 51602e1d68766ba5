// The dialogs are Japanese: on a system whose fonts for the template's face
// hold no Japanese (a Windows whose language is not Japanese, say), they
// take a font that does, at the same size.
#pragma once

#include <windows.h>

#include "platform/win32/guards.h"

namespace orlavix::win32 {

// A font like `font` that shows Japanese, when `font` itself does not; an
// empty owner when it does, or when the system has no Japanese font at all.
UniqueFont JapaneseFontLike(HFONT font);

// Gives the dialog and each of its controls `font`.
void SetDialogFont(HWND dialog, HFONT font);

}  // namespace orlavix::win32
