// What the portable logic shows the person at the screen. The Win32 binding
// implements it with message boxes; tests record the calls.
#pragma once

#include <string>

namespace orlavix {

class Messages {
 public:
  virtual ~Messages() = default;
  // A plain system message box: no owner, the system's default caption, OK only.
  virtual void Alert(const std::string& text) = 0;
  // A self-closing report owned by the main dialog: caption "報告",
  // information icon, OK only, pressed by itself after `seconds`.
  virtual void Report(const std::string& text, int seconds) = 0;
  // A warning owned by the main dialog that stays until it is answered:
  // caption "報告", warning icon, OK only.
  virtual void Warn(const std::string& text) = 0;

  enum class Answer { Yes, No, Cancel };
  // "変更されていますが、保存されていません。\n変更を保存しますか？" owned by the
  // main dialog: caption "確認", Yes/No/Cancel, question icon, system modal.
  // Closing the program makes Cancel the default button; otherwise Yes is.
  virtual Answer AskToSave(bool cancelIsDefault) = 0;
  // The question before a save that would leave out or change something the
  // file holds: `text` owned by the main dialog, caption "確認", warning
  // icon, Yes/No with No the default. True for Yes.
  virtual bool ConfirmSave(const std::string& text) = 0;
  // A question owned by the main dialog: caption "確認", question icon,
  // Yes/No. True for Yes; where nobody can be asked, the answer is No.
  virtual bool AskYesNo(const std::string& /*text*/) { return false; }
};

}  // namespace orlavix
