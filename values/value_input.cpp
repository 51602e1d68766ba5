#include "values/value_input.h"

#include "support/mbtext.h"

namespace orlavix {
namespace {

// Collects what FillChoiceList puts into a combo box.
class EntryCollector : public ComboBox {
 public:
  explicit EntryCollector(ValueInputLayout& layout) : layout_(layout) {}
  void ResetContent() override {
    layout_.entries.clear();
    layout_.selection = -1;
  }
  int AddString(const std::string& text) override {
    layout_.entries.push_back(text);
    return static_cast<int>(layout_.entries.size()) - 1;
  }
  void SetCurSel(int index) override { layout_.selection = index; }

 private:
  ValueInputLayout& layout_;
};

void TextBox(ValueInputLayout& layout, const SettingItem& item, const char* labelUtf8,
             bool digitsOnly) {
  layout.control = ValueControl::TextBox;
  layout.label = labelUtf8 ? J(labelUtf8) : std::string();
  layout.text = item.FormatValue();
  layout.digitsOnly = digitsOnly;
}

void List(ValueInputLayout& layout, std::vector<std::string> entries, int selection) {
  layout.control = ValueControl::ChoiceList;
  layout.entries = std::move(entries);
  layout.selection = selection;
}

}  // namespace

bool EditsInColorChooser(const SettingItem& item, bool useColorChooser) {
  return item.kind == SettingKind::Color && useColorChooser;
}

ValueInputLayout LayoutForItem(const SettingItem& item, bool useColorChooser) {
  ValueInputLayout layout;
  switch (item.kind) {
    case SettingKind::Text:
      TextBox(layout, item, "テキスト", false);
      break;
    case SettingKind::Color:
      if (!useColorChooser) TextBox(layout, item, "色", false);
      break;
    case SettingKind::Number:
      TextBox(layout, item, "数値", true);
      break;
    case SettingKind::ImageFile:
      TextBox(layout, item, nullptr, false);
      break;
    case SettingKind::Bool:
      List(layout, {"true", "false"}, item.boolValue ? 0 : 1);
      break;
    case SettingKind::FillMode:
      List(layout, {"tile", "stretch"},
           item.fillMode == fill::Tile ? 0 : item.fillMode == fill::Stretch ? 1 : -1);
      break;
    case SettingKind::Choice: {
      layout.control = ValueControl::ChoiceList;
      EntryCollector collector(layout);
      FillChoiceList(item, collector);
      break;
    }
    default:
      break;
  }
  return layout;
}

std::string NormalizeColorText(std::string_view typed) {
  std::string text = TrimSpace(typed);
  if (text.size() == 6 && text[0] != '#') text.insert(text.begin(), '#');
  return text;
}

void ConfirmValue(SettingItem& item, bool useColorChooser, const ValueInputAnswer& answer) {
  item.checked = true;
  switch (item.kind) {
    case SettingKind::Text:
    case SettingKind::ImageFile:
      item.text = answer.text;
      item.checked = !item.text.empty();
      break;
    case SettingKind::Color:
      if (!useColorChooser) item.ParseValue(NormalizeColorText(answer.text));
      break;
    case SettingKind::Bool:
      item.boolValue = answer.selection == 0;
      break;
    case SettingKind::Number:
      item.ParseValue(answer.text);
      break;
    case SettingKind::FillMode:
      item.ParseValue(answer.selection < 0 ? std::string() : answer.selectedText);
      break;
    case SettingKind::Choice:
      item.choice = answer.selection < 0 ? 0 : ChoiceFromWord(answer.selectedText);
      break;
    default:
      break;
  }
}

void AcceptChosenColor(SettingItem& item, std::uint32_t color) {
  item.color = color & 0xFFFFFF;
  item.checked = true;
}

}  // namespace orlavix
