#include "check/check_command.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/folders.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix::check {
namespace {

const char kUsage[] =
    "使い方: orlavix-check パス… [--json] [--quiet]\n"
    "  パス     スキンのフォルダー (skin.ini があるフォルダー)、スキンのフォルダーを並べた\n"
    "           フォルダー、skin.ini、または本体の実行ファイル (その resources/skins のスキンすべて)\n"
    "  --json   結果を JSON (UTF-8) で出力します\n"
    "  --quiet  指摘のあるスキンだけを出力し、まとめの行を省きます\n"
    "ファイルは読むだけで、書き換えません。\n"
    "終了コード: 0 指摘なし、1 指摘あり、2 使い方の誤りまたは読めないパス\n";

// The name of the folder's skin.ini, whatever its letter case; "" when none.
std::string SkinIniIn(const std::string& folder) {
  if (platform::FileExists(JoinPath(folder, "skin.ini")) && !platform::IsFolder(JoinPath(folder, "skin.ini"))) {
    return "skin.ini";
  }
  std::vector<platform::FolderEntry> entries;
  platform::ListFolder(folder, entries);
  for (const platform::FolderEntry& entry : entries) {
    if (!entry.isFolder && EqualsNoCase(entry.name, "skin.ini")) return entry.name;
  }
  return "";
}

// Every sub-folder that holds a skin.ini, by name as a file list shows it.
void SkinsBelow(const std::string& folder, std::vector<SkinPlace>& skins) {
  std::vector<platform::FolderEntry> entries;
  platform::ListFolder(folder, entries);
  std::vector<std::string> names;
  for (const platform::FolderEntry& entry : entries) {
    if (entry.isFolder) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int folded = MbsCompare(MbsLower(a), MbsLower(b));
    return folded != 0 ? folded < 0 : MbsCompare(a, b) < 0;
  });
  for (const std::string& name : names) {
    const std::string skin = JoinPath(folder, name);
    const std::string ini = SkinIniIn(skin);
    if (!ini.empty()) skins.push_back({skin, ini});
  }
}

void AppendJsonString(std::string& out, const std::string& utf8) {
  out += '"';
  for (char c : utf8) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      static const char hex[] = "0123456789abcdef";
      switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += "\\u00"; out += hex[u >> 4]; out += hex[u & 15];
      }
    } else {
      out += c;
    }
  }
  out += '"';
}

// A working-code-page text as a JSON string, or null when empty.
std::string JsonText(const std::string& text, bool emptyIsNull = true) {
  if (text.empty() && emptyIsNull) return "null";
  std::string out;
  AppendJsonString(out, AnsiToUtf8(text));
  return out;
}

std::string JsonNumber(long long n, bool zeroIsNull = true) {
  return n == 0 && zeroIsNull ? "null" : std::to_string(n);
}

// The relative file's parts joined to the folder with the platform's
// separator ('/' is never a trail byte, so a plain search is safe).
std::string DisplayPath(const std::string& folder, const std::string& file) {
  std::string path = folder;
  std::size_t start = 0;
  while (start <= file.size()) {
    const std::size_t slash = std::min(file.find('/', start), file.size());
    path = JoinPath(path, file.substr(start, slash - start));
    start = slash + 1;
  }
  return path;
}

int Count(const std::vector<SkinResult>& results, bool withFindings) {
  return static_cast<int>(std::count_if(results.begin(), results.end(), [&](const SkinResult& r) {
    return !withFindings || !r.findings.empty();
  }));
}

std::size_t FindingCount(const std::vector<SkinResult>& results) {
  std::size_t n = 0;
  for (const SkinResult& r : results) n += r.findings.size();
  return n;
}

}  // namespace

bool FindSkins(const std::string& path, std::vector<SkinPlace>& skins, std::string& error) {
  if (platform::IsFolder(path)) {
    const std::string ini = SkinIniIn(path);
    if (!ini.empty()) {
      skins.push_back({path, ini});
      return true;
    }
    const std::size_t before = skins.size();
    SkinsBelow(path, skins);
    if (skins.size() > before) return true;
    error = path + J(": スキンが見つかりません (skin.ini のあるフォルダーでも、それを並べたフォルダーでもありません)");
    return false;
  }
  if (!platform::FileExists(path)) {
    error = path + J(": 見つかりません");
    return false;
  }
  if (EqualsNoCase(FileNameOf(path), "skin.ini")) {
    const std::string folder = RemoveFileSpec(path);
    skins.push_back({folder.empty() ? "." : folder, FileNameOf(path)});
    return true;
  }
  // A host executable: bin under the root, the skins under resources/skins.
  const std::string skinsFolder = JoinPath(JoinPath(RemoveFileSpec(RemoveFileSpec(path)), "resources"), "skins");
  if (!platform::IsFolder(skinsFolder)) {
    error = path + J(": 本体の実行ファイルとして見ましたが、スキンのフォルダー ") + skinsFolder + J(" がありません");
    return false;
  }
  const std::size_t before = skins.size();
  SkinsBelow(skinsFolder, skins);
  if (skins.size() > before) return true;
  error = skinsFolder + J(": スキンが見つかりません");
  return false;
}

std::string FormatReadable(const std::vector<SkinResult>& results, std::size_t unreadable, bool quiet) {
  std::string out;
  for (const SkinResult& skin : results) {
    if (skin.findings.empty()) {
      if (!quiet) out += skin.folder + J(": 指摘はありません") + "\n";
      continue;
    }
    for (const Finding& f : skin.findings) {
      out += DisplayPath(skin.folder, f.file);
      if (f.line > 0) out += ":" + std::to_string(f.line);
      out += ": [" + f.code + "] ";
      if (!f.key.empty()) out += f.key + ": ";
      out += f.message + "\n";
    }
  }
  if (!quiet) {
    const int withFindings = Count(results, true);
    out += J("スキン ") + std::to_string(results.size()) + J(" 個を調べました: ");
    out += withFindings ? J("指摘 ") + std::to_string(FindingCount(results)) + J(" 件 (スキン ") +
                              std::to_string(withFindings) + J(" 個)")
                        : J("指摘はありません");
    if (unreadable) out += J("、読めなかったもの ") + std::to_string(unreadable) + J(" 個");
    out += "\n";
  }
  return out;
}

std::string FormatJson(const std::vector<SkinResult>& results, const std::vector<std::string>& errors, bool quiet) {
  std::string out = "{\n  \"version\": 1,\n  \"skins\": [";
  bool firstSkin = true;
  for (const SkinResult& skin : results) {
    if (quiet && skin.findings.empty()) continue;
    out += firstSkin ? "\n" : ",\n";
    firstSkin = false;
    out += "    {\n      \"name\": " + JsonText(skin.name, false) + ",\n      \"path\": " + JsonText(skin.folder, false) +
           ",\n      \"findings\": [";
    for (std::size_t i = 0; i < skin.findings.size(); ++i) {
      const Finding& f = skin.findings[i];
      out += i ? ",\n" : "\n";
      out += "        {\"family\": \"" + std::string(FindingFamilyName(f.family)) + "\", \"code\": \"" + f.code +
             "\", \"file\": " + JsonText(f.file, false) + ", \"line\": " + JsonNumber(f.line) +
             ", \"key\": " + JsonText(f.key) + ", \"name\": " + JsonText(f.name);
      if (f.code == "duplicate-key") {
        out += ", \"lines\": [";
        for (std::size_t k = 0; k < f.lines.size(); ++k) out += (k ? ", " : "") + std::to_string(f.lines[k]);
        out += "]";
      }
      out += ", \"message\": " + JsonText(f.message, false) + "}";
    }
    out += skin.findings.empty() ? "],\n" : "\n      ],\n";
    out += "      \"images\": [";
    for (std::size_t i = 0; i < skin.images.size(); ++i) {
      const UsedImage& image = skin.images[i];
      out += i ? ",\n" : "\n";
      out += "        {\"name\": " + JsonText(image.name, false) + ", \"keys\": [";
      for (std::size_t k = 0; k < image.keys.size(); ++k) out += (k ? ", " : "") + JsonText(image.keys[k], false);
      out += "], \"file\": " + JsonText(image.file) + ", \"format\": " + JsonText(image.format) +
             ", \"width\": " + JsonNumber(image.width) + ", \"height\": " + JsonNumber(image.height);
      if (image.states > 0) out += ", \"states\": " + std::to_string(image.states);
      out += "}";
    }
    out += skin.images.empty() ? "]\n    }" : "\n      ]\n    }";
  }
  out += firstSkin ? "],\n" : "\n  ],\n";
  out += "  \"errors\": [";
  for (std::size_t i = 0; i < errors.size(); ++i) out += (i ? ", " : "") + JsonText(errors[i], false);
  out += "],\n  \"summary\": {\"skins\": " + std::to_string(results.size()) +
         ", \"skinsWithFindings\": " + std::to_string(Count(results, true)) +
         ", \"findings\": " + std::to_string(FindingCount(results)) + "}\n}\n";
  return out;
}

int RunCheck(const std::vector<std::string>& args, Console& console) {
  bool json = false, quiet = false, optionsEnded = false;
  std::vector<std::string> paths;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--json") {
      json = true;
    } else if (!optionsEnded && arg == "--quiet") {
      quiet = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h" || arg == "/?")) {
      console.Out(J(kUsage));
      return kNoFindings;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      console.Err("orlavix-check: " + J("知らないオプションです: ") + arg + "\n" + J(kUsage));
      return kUsageOrUnreadable;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.empty()) {
    console.Err("orlavix-check: " + J("調べるパスを指定してください") + "\n" + J(kUsage));
    return kUsageOrUnreadable;
  }

  const KnownKeys known;
  std::vector<SkinResult> results;
  std::vector<std::string> errors;
  for (const std::string& path : paths) {
    std::vector<SkinPlace> skins;
    std::string error;
    if (!FindSkins(path, skins, error)) {
      errors.push_back(error);
      continue;
    }
    for (const SkinPlace& place : skins) {
      SkinResult result;
      if (CheckSkin(place.folder, place.iniName, known, result, error)) {
        results.push_back(std::move(result));
      } else {
        errors.push_back(error);
      }
    }
  }
  for (const std::string& error : errors) console.Err("orlavix-check: " + error + "\n");
  if (json) {
    console.OutUtf8(FormatJson(results, errors, quiet));
  } else {
    console.Out(FormatReadable(results, errors.size(), quiet));
  }
  if (!errors.empty()) return kUsageOrUnreadable;
  return FindingCount(results) ? kFindings : kNoFindings;
}

}  // namespace orlavix::check
