// The catalogue tables. Each reads like the table it comes from: one append
// per line, in the order the list shows until the user sorts. Descriptions
// are UTF-8 here and enter the working code page through J().
#include "model/catalogues.h"

#include "support/mbtext.h"

namespace orlavix {

void BuildOptionItems(SettingCatalogue& c) {
  c.AddBool(J("プレビューを表示する"), option::ShowPreview, true);
  c.AddColor(J("プレビューの背景色"), option::PreviewBackground, 255, 255, 255);
  c.AddBool(J("スキンの説明を skin.ini に出力する"), option::OutputHelpString, true);
  c.AddBool(J("色指定ダイアログを使用する（OFF だとテキスト編集になります）"), option::UseColorDialog, true);
  c.AddAction(J("このスキンで本体を起動"), "RunWithThisSkin", kRunWithThisSkinMessage);
  c.AddAction(J("使用していないスキンを調べる"), "CheckUnusedSkinFiles", kCheckUnusedSkinFilesMessage);
  c.AddAction(J("スキンの特殊設定を表示する"), "ShowExtraData", kShowExtraDataMessage);
  c.AddBool(J("知らないキーやコメントを skin.ini に残す"), option::KeepUnknownLines, true);
  c.AddAction(J("バックアップから戻す"), "RestoreBackup", kRestoreBackupMessage);
}

void BuildGeneralItems(SettingCatalogue& c) {
  c.AddFromText(J("作者"), "Author", "", SettingKind::Text);
  c.AddFromText(J("スキンのバージョン"), "Version", "", SettingKind::Text);
  c.AddFromText(J("適用クライアントの最低バージョン"), "ClientMinVersion", "", SettingKind::Text);
  c.AddFromText(J("スキンの説明"), "Description", "", SettingKind::Text);
  c.AddNumber(J("ツールバーボタンの幅"), "ButtonWidth", 24);
  c.AddNumber(J("ツールバーボタンの高さ"), "ButtonHeight", 24);
  c.AddBool(J("ツールバーボタンにテキストを描写するか"), "ButtonText", true);
  c.AddBool(J("ツールバーボタンにドロップダウンを描写するか"), "ButtonDropDown", true);
}

void BuildSettingItems(SettingCatalogue& c) {
  c.AddChoice(J("アクティブタブを太字にするか"), "ActiveTabBold", "auto", choice::Auto | choice::Enable | choice::Disable);
}

// No defaults: a colour the skin does not set stays black and unticked.
void BuildColorItems(SettingCatalogue& c) {
  c.AddBlank(J("メニューの文字色"), "MenuText", SettingKind::Color);
  c.AddBlank(J("メニューでマウスをかざしたときの背景色"), "MenuHighlight", SettingKind::Color);
  c.AddBlank(J("メニューでマウスをかざしたときの文字色"), "MenuHighlightText", SettingKind::Color);
  c.AddBlank(J("ツールバー（標準ツールバー・リンクバー等）ボタンの文字色"), "ToolBarText", SettingKind::Color);
  c.AddBlank(J("ツールバーボタンでマウスをかざしたときの文字色"), "ToolBarHighlightText", SettingKind::Color);
  c.AddBlank(J("ツールバーボタン（無効）の文字色"), "ToolBarDisabledText", SettingKind::Color);
  c.AddBlank(J("リバー（アドレスバー・検索バー・リンクバー等）のタイトルの文字色"), "ReBarText", SettingKind::Color);
  c.AddBlank(J("リバーの境界線(明るい)"), "ReBarBorderLight", SettingKind::Color);
  c.AddBlank(J("リバーの境界線(暗い)"), "ReBarBorderShadow", SettingKind::Color);
  c.AddBlank(J("リバーの下空白"), "ReBarBottomSpace", SettingKind::Color);
  c.AddBlank(J("アクティブタブの文字色"), "TabActiveText", SettingKind::Color);
  c.AddBlank(J("非アクティブタブの文字色"), "TabDeactiveText", SettingKind::Color);
  c.AddBlank(J("タブの下の境界線色"), "TabBottomShadow", SettingKind::Color);
  c.AddBlank(J("未読タブの文字色"), "TabUnreadText", SettingKind::Color);
  c.AddBlank(J("エクスプローラバーの下のボーダー"), "ExplorerBarBottomShadow", SettingKind::Color);
  c.AddBlank(J("エクスプローラバーのアクティブタイトル"), "ExplorerBarActiveTitle", SettingKind::Color);
  c.AddBlank(J("エクスプローラバーの非アクティブタイトル"), "ExplorerBarDeactiveTitle", SettingKind::Color);
  c.AddBlank(J("背景の境界線(明るい)"), "BackgroundBorderLight", SettingKind::Color);
  c.AddBlank(J("背景の境界線(暗い)"), "BackgroundBorderShadow", SettingKind::Color);
  c.AddBlank(J("背景のテキスト"), "BackgroundText", SettingKind::Color);
  c.AddBlank(J("スクロールタブの背景"), "ScrollTabBkgnd", SettingKind::Color);
  c.AddBlank(J("スクロールタブのバー"), "ScrollTabBar", SettingKind::Color);
  c.AddBlank(J("ステータスバー文字列"), "StatusBarText", SettingKind::Color);
  c.AddBlank(J("メニュー項目の文字色1"), "MenuItemText1", SettingKind::Color);
  c.AddBlank(J("メニュー項目の文字色2"), "MenuItemText2", SettingKind::Color);
  c.AddBlank(J("メニュー項目の背景色1"), "MenuItemBkgnd1", SettingKind::Color);
  c.AddBlank(J("メニュー項目の背景色2"), "MenuItemBkgnd2", SettingKind::Color);
  c.AddBlank(J("メニュー項目でマウスをかざしたときの文字色"), "MenuItemHighlightText", SettingKind::Color);
  c.AddBlank(J("メニュー項目でマウスをかざしたときの背景色"), "MenuItemHighlightBkgnd", SettingKind::Color);
  c.AddBlank(J("メニュー無効項目の文字色"), "MenuItemDisabledText", SettingKind::Color);
  c.AddBlank(J("メニューのセパレータ(明るい)"), "MenuItemSeparatorLight", SettingKind::Color);
  c.AddBlank(J("メニューのセパレータ(暗い)"), "MenuItemSeparatorShadow", SettingKind::Color);
  c.AddBlank(J("情報バーの文字色"), "InformationDockText", SettingKind::Color);
  c.AddBlank(J("タイトルバーの文字色"), "TitleBarActiveText", SettingKind::Color);
  c.AddBlank(J("タイトルバーの文字色（非アクティブ）"), "TitleBarInactiveText", SettingKind::Color);
  c.AddBlank(J("Dock のタイトルの文字色"), "DockText", SettingKind::Color);
  c.AddBlank(J("Dock のツールバーボタンの文字色"), "DockToolBarText", SettingKind::Color);
  c.AddBlank(J("Dock のツールバーボタン（無効）の文字色"), "DockToolBarDisabledText", SettingKind::Color);
  c.AddBlank(J("Dock のツールバーボタンでマウスをかざしたときの文字色"), "DockToolBarHighlightText", SettingKind::Color);
}

void BuildControlItems(SettingCatalogue& c) {
  c.AddBlank(J("タブ上　　 [上、左、下、右]"), "TabSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ左　　 [上、左、下、右]"), "LeftTabSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ下 　　[上、左、下、右]"), "BottomTabSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ右 　　[上、左、下、右]"), "RightTabSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ上背景 [上、左、下、右]"), "TabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ左背景 [上、左、下、右]"), "LeftTabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ下背景 [上、左、下、右]"), "BottomTabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブ右背景 [上、左、下、右]"), "RightTabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ上"), "ExplorerBarTab_TabSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ左"), "ExplorerBarTab_LeftTabSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ下"), "ExplorerBarTab_BottomTabSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ右"), "ExplorerBarTab_RightTabSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ上背景"), "ExplorerBarTab_TabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ左背景"), "ExplorerBarTab_LeftTabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ下背景"), "ExplorerBarTab_BottomTabBgSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラタブ::タブ右背景"), "ExplorerBarTab_RightTabBgSkin", SettingKind::ImageFile);
  c.AddBool(J("ボタンにフォーカスを描画するか"), "ButtonDrawFocus", true);
  c.AddBlank(J("閉じるボタン 　　　　　　　　　　　　[通常、ホバー、押下]"), "BackgroundCloseSkin", SettingKind::ImageFile);
  c.AddBlank(J("背景 (tile固定)"), "BackgroundSkin", SettingKind::ImageFile);
  c.AddBlank(J("ボタン 　　　　　　　　　　　　　　　[通常、フォーカス、押下、無効、ホバー]"), "ButtonSkin", SettingKind::ImageFile);
  c.AddBlank(J("フラットボタン 　　　　　　　　　　　[ホバー、押下]"), "FlatButtonSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブの閉じるボタン 　　　　　　　　　[通常、ホバー、押下]"), "TabCloseSkin", SettingKind::ImageFile);
  c.AddBlank(J("タブスクロール 　　　　　　　　　　　[通常、ホバー、押下]"), "TabScrollSkin", SettingKind::ImageFile);
  c.AddBlank(J("選択タブの閉じるボタン 　　　　　　　[フォーカスあり、フォーカスなし]"), "SelectTabCloseSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラバーの閉じるボタン 　　[アクティブ(通常、ホバー、押下)、非アクティブ(通常、ホバー、押下)]"), "ExplorerBarCloseSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラバーのスプリッタ 　　　[スプリッタ](tile固定)"), "ExplorerBarSplitterSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラバーのタイトル 　　　　[アクティブ時、非アクティブ時]"), "ExplorerBarTitleSkin", SettingKind::ImageFile);
  c.AddBlank(J("エディット 　　　　　　　　　　　　　[通常、ホバー]"), "EditSkin", SettingKind::ImageFile);
  c.AddBlank(J("コンボ 　　　　　　　　　　　　　　　[通常、ホバー、ドロップ中(通常、ホバー、押下)、▼]"), "ComboBoxSkin", SettingKind::ImageFile);
  c.AddBool(J("コンボでドロップも同時にホバーするか"), "ComboBoxHoverBoth", false);
  c.AddBlank(J("ツールバー 　　　　　　　　　　　　　[フォーカス、押下、ホバー]"), "ToolBarSkin", SettingKind::ImageFile);
  c.AddBlank(J("ステータスバー 　　　　　　　　　　　[影、ペイン、表面]"), "StatusBarSkin", SettingKind::ImageFile);
  c.AddBlank(J("プログレスバー"), "ProgressBarSkin", SettingKind::ImageFile);
  c.AddBlank(J("プログレスバーの進捗"), "ProgressBarIndicatorSkin", SettingKind::ImageFile);
  c.AddBool(J("ステータスバーの最初のペインのフレームを描画するか"), "StatusBarHideFirstPaneFrame", false);
  c.AddBool(J("ツールバーで押下時イメージをずらすか"), "ToolBarShiftPressed", true);
  c.AddBool(J("ツールバーでホバー時イメージをずらすか"), "ToolBarShiftHovered", false);
  c.AddFromText(J("個別ツールバースキンの描画域の左側位置調整"), "ToolBarSkinX_Left", "0", SettingKind::Text);
  c.AddBlank(J("メニュー 　　　　　　　　　　　　　　[通常、フォーカス、押下、ホバー]"), "MenuSkin", SettingKind::ImageFile);
  c.AddBlank(J("リバーの背景"), "ReBarSkin", SettingKind::ImageFile);
  c.AddBlank(J("リバーのシェブロン"), "ReBarChevronSkin", SettingKind::ImageFile);
  c.AddBlank(J("リバーのロゴ"), "LogoSkin", SettingKind::ImageFile);
  c.AddBlank(J("リバーのグリップ"), "ReBarGripSkin", SettingKind::ImageFile);
  c.AddBool(J("ボタンにアイコンを描画するか"), "ButtonDrawIcon", true);
  c.AddBlank(J("情報バー背景"), "InformationDockSkin", SettingKind::ImageFile);
  c.AddFromText(J("情報バー背景の使用方法"), "InformationDockSkinType", "tile", SettingKind::FillMode);
  c.AddBlank(J("エクスプローラバーをサイドバーとして使うとき"), "ExplorerBarTabSideBarSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラバーをサイドバーとして使うときのグリップ"), "ExplorerBarTabSideBarGripSkin", SettingKind::ImageFile);
  c.AddBlank(J("情報バーのボタン"), "InformationDockButtonSkin", SettingKind::ImageFile);
  c.AddBool(J("情報バーのボタンにフォーカスを描画するか"), "InformationDockButtonDrawFocus", true);
  c.AddBlank(J("情報バーの閉じるボタン"), "InformationDockCloseSkin", SettingKind::ImageFile);
  c.AddBlank(J("エクスプローラバーのリバー背景"), "ExplorerBarReBarSkin", SettingKind::ImageFile);
  c.AddFromText(J("エクスプローラバーのリバー背景の使用方法"), "ExplorerBarReBarSkinType", "tile", SettingKind::FillMode);
  c.AddBlank(J("検索バーのドロップダウンマーク"), "SearchBarDropdownMark", SettingKind::ImageFile);
  c.AddBlank(J("メニュー項目の背景1"), "MenuItem1", SettingKind::ImageFile);
  c.AddBlank(J("メニュー項目の背景2"), "MenuItem2", SettingKind::ImageFile);
  c.AddBlank(J("メニュー無効項目の背景"), "MenuItemDisabled", SettingKind::ImageFile);
  c.AddBlank(J("メニュー項目のセパレータ"), "MenuItemSeparator", SettingKind::ImageFile);
  c.AddBlank(J("メニュー項目のチェックマーク"), "MenuItemChecked", SettingKind::ImageFile);
  c.AddBlank(J("メニュー項目のラジオボタン"), "MenuItemRadio", SettingKind::ImageFile);
  c.AddBlank(J("メニュー選択項目の背景"), "MenuItemHighlight", SettingKind::ImageFile);
  c.AddBlank(J("メニュー選択項目のチェックマーク"), "MenuItemHighlightChecked", SettingKind::ImageFile);
  c.AddBlank(J("メニュー選択項目のラジオボタン"), "MenuItemHighlightRadio", SettingKind::ImageFile);
  c.AddBlank(J("メニュー選択項目がアイコンを持っているときの背景"), "MenuItemIconEnable", SettingKind::ImageFile);
  c.AddBlank(J("メニュー項目のアイコン部分の背景"), "MenuItemIconBkgnd", SettingKind::ImageFile);
  c.AddFromText(J("メニュー項目のフォント名"), "MenuItemFontName", "", SettingKind::Text);
  c.AddNumber(J("メニュー項目のフォントサイズ"), "MenuItemFontSize", 0);
  c.AddNumber(J("メニュー項目のフォント種別（省略時は日本語(1=SHIFT_JIS)）"), "MenuItemFontCharSet", 1);
  c.AddFromText(J("Glass 描画時のツールバーのドロップダウンマーク"), "ToolBarDropDownMarkOnGlass", "toolbar_drop_down_glass.png", SettingKind::ImageFile);
  c.AddFromText(J("メニュー項目スキンの使用方法"), "MenuItemSkinType", "tile", SettingKind::FillMode);
  c.AddFromText(J("メニュー項目のセパレータの使用方法"), "MenuItemSeparatorSkinType", "tile", SettingKind::FillMode);
  c.AddNumber(J("メニュー項目の高さ"), "MenuItemHeight", 0);
  c.AddNumber(J("メニュー項目のセパレータの高さ"), "MenuItemSeparatorHeight", 0);
  c.AddNumber(J("メニュー項目のアイコン部分の幅"), "MenuItemIconWidth", 0);
  c.AddNumber(J("メニュー項目のテキスト描画開始位置"), "MenuItemTextOffset", 0);
  c.AddNumber(J("メニュー項目のセパレータ描画開始位置"), "MenuItemSeparatorOffset", 0);
  c.AddBool(J("メニュー項目のセパレータ描画開始位置をテキスト部分の位置を基準にするか（false のときはメニュー項目の左端を基準とします。）"), "MenuItemSeparatorBeginsWithText", false);
  c.AddBlank(J("リバー背景を IE7 風に描画するときのスキン"), "LikeIE7RebarBackgroundSkin", SettingKind::ImageFile);
  c.AddChoice(J("リバー背景を IE7 風に描画するときのスキンの使用方法"), "LikeIE7RebarBackgroundSkinType", "tile", 0x007);
  c.AddNumber(J("プログレスバーの進捗のパディングのサイズ(横方向)"), "ProgressBarIndicatorPaddingX", 0);
  c.AddNumber(J("プログレスバーの進捗のパディングのサイズ(縦方向)"), "ProgressBarIndicatorPaddingY", 0);
  c.AddChoice(J("リバー用スキンの使用方法"), "ReBarSkinType", "tile", 0x00F);
  c.AddFromText(J("リバーのグリップ用スキンの使用方法"), "ReBarGripSkinType", "tile", SettingKind::FillMode);
  c.AddFromText(J("タブの背景用スキンの使用方法"), "TabBgSkinType", "tile", SettingKind::FillMode);
  c.AddFromText(J("エクスプローラバータブ::タブ背景スキンの使用方法"), "ExplorerBarTabTabBgSkinType", "tile", SettingKind::FillMode);
  c.AddFromText(J("ステータスバー用スキンの使用方法"), "StatusBarSkinType", "tile", SettingKind::FillMode);
  c.AddBool(J("リバーで水平境界線を描画するか"), "ReBarDrawHorzBorder", false);
  c.AddBool(J("リバーで垂直境界線を描画するか"), "ReBarDrawVertBorder", false);
  c.AddBool(J("Vista のときメニュー選択項目で Vista 標準の色使い(グラデーション背景)を使用するか"), "MenuItemUseVistaHighlight", true);
  c.AddChoice(J("タイトルバー::スキンの描画方法"), "TitleBarSkinType", "stretch", 0x003);
  c.AddBlank(J("タイトルバー::閉じるボタン\t\t[通常、ホバー、押下、非アクティブ、無効]、サイズ自由"), "TitleBarCloseButtonSkin", SettingKind::ImageFile);
  c.AddBlank(J("タイトルバー::元に戻すボタン"), "TitleBarRestoreButtonSkin", SettingKind::ImageFile);
  c.AddBlank(J("タイトルバー::最大化ボタン"), "TitleBarMaximizeButtonSkin", SettingKind::ImageFile);
  c.AddBlank(J("タイトルバー::最小化ボタン"), "TitleBarMinimizeButtonSkin", SettingKind::ImageFile);
  c.AddBlank(J("タイトルバー::背景"), "TitleBarSkin", SettingKind::ImageFile);
  c.AddBlank(J("タイトルバー::最小化ボタンの描画開始横位置(右側からのオフセット)"), "TitleBarMinimizeButtonX", SettingKind::Number);
  c.AddBlank(J("タイトルバー::最小化ボタンの描画開始縦位置(上側からのオフセット)"), "TitleBarMinimizeButtonY", SettingKind::Number);
  c.AddBlank(J("タイトルバー::最大化・元に戻すボタンの描画開始横位置(右側からのオフセット)"), "TitleBarMaximizeRestoreButtonX", SettingKind::Number);
  c.AddBlank(J("タイトルバー::最大化・元に戻すボタンの描画開始縦位置(上側からのオフセット)"), "TitleBarMaximizeRestoreButtonY", SettingKind::Number);
  c.AddBlank(J("タイトルバー::閉じるボタンの描画開始横位置(右側からのオフセット)"), "TitleBarCloseButtonX", SettingKind::Number);
  c.AddBlank(J("タイトルバー::閉じるボタンの描画開始縦位置(上側からのオフセット)"), "TitleBarCloseButtonY", SettingKind::Number);
  c.AddNumber(J("タイトルバー::アプリケーションアイコンの描画開始位置(左上)(左端からの横距離)"), "ApplicationIconX", 6);
  c.AddNumber(J("タイトルバー::アプリケーションアイコンの描画開始位置(左上)(上端からの縦距離)"), "ApplicationIconY", 7);
  c.AddBlank(J("タイトルバー::テキストの描画開始位置(左上)(左端からの横距離。0 のときは自動計算)"), "TitleBarTextX", SettingKind::Number);
  c.AddBlank(J("タイトルバー::テキストの描画開始位置(左上)(上端からの縦距離。0 のときは自動計算)"), "TitleBarTextY", SettingKind::Number);
  c.AddChoice(J("タイトルバー::テキストの表示位置"), "TitleBarTextPosition", "left", 0x380);
  c.AddChoice(J("タイトルバー::システムボタンの表示位置"), "SystemButtonPosition", "right", 0x180);
  c.AddChoice(J("タイトルバー::アプリケーションアイコンの表示位置"), "ApplicationIconPosition", "left", 0x180);
  c.AddChoice(J("フレーム::スキンの描画方法"), "FrameSkinType", "stretch", 0x003);
  c.AddBlank(J("フレーム::上部"), "FrameTopSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::右上部"), "FrameTopRightSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::右部"), "FrameRightSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::右下部"), "FrameBottomRightSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::下部"), "FrameBottomSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::左下部"), "FrameBottomLeftSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::左部"), "FrameLeftSkin", SettingKind::ImageFile);
  c.AddBlank(J("フレーム::左上部"), "FrameTopLeftSkin", SettingKind::ImageFile);
  c.AddChoice(J("リバーのロゴの表示位置"), "LogoSkinPosition", "right", 0x180);
}

void BuildCatalogue(SettingCategory category, SettingCatalogue& c) {
  switch (category) {
    case SettingCategory::Options: BuildOptionItems(c); break;
    case SettingCategory::General: BuildGeneralItems(c); break;
    case SettingCategory::Colors: BuildColorItems(c); break;
    case SettingCategory::Controls: BuildControlItems(c); break;
    case SettingCategory::Settings: BuildSettingItems(c); break;
    case SettingCategory::Report: break;
  }
}

const char* SectionOf(SettingCategory category) {
  switch (category) {
    case SettingCategory::Options: return "General";
    case SettingCategory::General: return "General";
    case SettingCategory::Colors: return "Colors";
    case SettingCategory::Controls: return "Controls";
    case SettingCategory::Settings: return "Settings";
    case SettingCategory::Report: break;
  }
  return "";
}

}  // namespace orlavix
