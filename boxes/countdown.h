// The parts of the self-closing message box that need no window: which button
// the box presses, which icon it draws, and how its countdown reads.
#pragma once

#include <cstdint>
#include <string>

namespace orlavix {

// Control id of the default button that a message box of this type shows
// (button set in the low four bits, default position in bits 8 to 11); 0 when
// the set has no button at that position. The lone OK button of an OK-only box
// is looked for under id 2.
int DefaultButtonId(unsigned type);

// Where the default button may live instead when a box has nothing under
// DefaultButtonId: some systems give the lone OK button id 1 (IDOK). 0 when
// there is no such alternative.
int AlternateButtonId(unsigned type);

// The system icon id that the icon bits (bits 4 to 7) stand for, so that the
// box can draw it as a user icon; 0 for no icon.
int BoxIconId(unsigned type);

// The style that the box is shown with: the type without its icon bits, plus
// the user-icon flag when BoxIconId found an icon.
unsigned BoxStyle(unsigned type);

// The default button's label while it counts down: "%s(%d)".
std::string CountdownLabel(const std::string& text, unsigned remainingSeconds);

// Whether a window that the system offered as the box may be taken for the
// box of `owner`, from what the system says of it (handles as numbers, 0 for
// none): only a dialog box that `owner` owns is. Asked for its enabled popup,
// an owner may answer with itself while no box is up yet; it is not the box,
// though it has the box's button ids, and neither is a window of another kind
// or of another owner. An owner of 0 has no box.
bool IsBoxOf(std::uintptr_t owner, std::uintptr_t candidate, std::uintptr_t candidateOwner,
             bool candidateIsDialog);

// A countdown measured on a 32-bit millisecond tick counter. Elapsed time is
// taken as the difference from the start, so a counter that wraps around
// during the countdown changes nothing.
class Countdown {
 public:
  Countdown(std::uint32_t startTick, std::uint32_t seconds)
      : start_(startTick), total_(static_cast<std::uint64_t>(seconds) * 1000u) {}

  // The time is up once the tick count has passed the deadline.
  bool Expired(std::uint32_t now) const { return Elapsed(now) > total_; }

  // Whole seconds left; 0 once expired.
  unsigned RemainingSeconds(std::uint32_t now) const {
    const std::uint64_t elapsed = Elapsed(now);
    return elapsed >= total_ ? 0u : static_cast<unsigned>((total_ - elapsed) / 1000u);
  }

 private:
  std::uint64_t Elapsed(std::uint32_t now) const { return static_cast<std::uint32_t>(now - start_); }

  std::uint32_t start_;
  std::uint64_t total_;
};

}  // namespace orlavix
