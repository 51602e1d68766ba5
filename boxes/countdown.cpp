#include "boxes/countdown.h"

#include <cstdio>

namespace orlavix {
namespace {

// Button control ids as the message box numbers them.
constexpr int kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7,
              kTryAgain = 10, kContinue = 11;

struct ButtonSet {
  int ids[3];
  int count;
};

// Indexed by the button-set bits; the lone OK button is looked for under
// IDCANCEL, where the classic box puts it.
constexpr ButtonSet kButtonSets[] = {
    {{kCancel, 0, 0}, 1},                  // MB_OK
    {{kOk, kCancel, 0}, 2},                // MB_OKCANCEL
    {{kAbort, kRetry, kIgnore}, 3},        // MB_ABORTRETRYIGNORE
    {{kYes, kNo, kCancel}, 3},             // MB_YESNOCANCEL
    {{kYes, kNo, 0}, 2},                   // MB_YESNO
    {{kRetry, kCancel, 0}, 2},             // MB_RETRYCANCEL
    {{kCancel, kTryAgain, kContinue}, 3},  // MB_CANCELTRYCONTINUE
};

int DefaultPosition(unsigned type) {
  switch (type & 0xF00u) {
    case 0x100u: return 1;
    case 0x200u: return 2;
    case 0x300u: return 3;
    default: return 0;
  }
}

}  // namespace

int DefaultButtonId(unsigned type) {
  const unsigned set = type & 0x0Fu;
  if (set >= sizeof kButtonSets / sizeof kButtonSets[0]) return 0;
  const int position = DefaultPosition(type);
  return position < kButtonSets[set].count ? kButtonSets[set].ids[position] : 0;
}

int AlternateButtonId(unsigned type) {
  return (type & 0x0Fu) == 0 && DefaultButtonId(type) != 0 ? kOk : 0;
}

int BoxIconId(unsigned type) {
  switch (type & 0xF0u) {
    case 0x10u: return 32513;  // IDI_HAND
    case 0x20u: return 32514;  // IDI_QUESTION
    case 0x30u: return 32515;  // IDI_EXCLAMATION
    case 0x40u: return 32516;  // IDI_ASTERISK
    default: return 0;
  }
}

unsigned BoxStyle(unsigned type) {
  constexpr unsigned kUserIcon = 0x80u;  // MB_USERICON
  const unsigned style = type & ~0xF0u;
  return BoxIconId(type) != 0 ? style | kUserIcon : style;
}

bool IsBoxOf(std::uintptr_t owner, std::uintptr_t candidate, std::uintptr_t candidateOwner,
             bool candidateIsDialog) {
  return owner != 0 && candidate != 0 && candidate != owner && candidateOwner == owner && candidateIsDialog;
}

std::string CountdownLabel(const std::string& text, unsigned remainingSeconds) {
  char number[16];
  std::snprintf(number, sizeof number, "(%d)", static_cast<int>(remainingSeconds));
  return text + number;
}

}  // namespace orlavix
