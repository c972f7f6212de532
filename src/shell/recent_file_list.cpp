#include "shell/recent_file_list.h"

#include <algorithm>

#include "keywords/ascii_case.h"

namespace tarvex::shell {
namespace {

std::string EntryName(int n) {
  return "File" + std::to_string(n);
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters of `text`: code points for UTF-8, else bytes.
int Length(const std::string& text, bool utf8) {
  if (!utf8) return static_cast<int>(text.size());
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

// The first `count` characters of `text`.
std::string Left(const std::string& text, int count, bool utf8) {
  if (!utf8) return text.substr(0, static_cast<std::size_t>(std::max(count, 0)));
  std::size_t at = 0;
  for (int n = 0; at < text.size() && n < count; ++n) {
    ++at;
    while (at < text.size() && IsContinuation(text[at])) ++at;
  }
  return text.substr(0, at);
}

bool IsDrive(const std::string& part) {
  return part.size() == 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

}  // namespace

bool RecentFileList::Same(const std::string& a, const std::string& b) const {
  return foldCase_ ? EqualsIgnoreAsciiCase(a, b) : a == b;
}

int RecentFileList::IndexOf(const std::string& path) const {
  for (std::size_t n = 0; n < paths_.size(); ++n) {
    if (Same(paths_[n], path)) return static_cast<int>(n);
  }
  return -1;
}

void RecentFileList::Add(const std::string& path) {
  if (const int at = IndexOf(path); at >= 0) paths_.erase(paths_.begin() + at);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kSize) paths_.resize(kSize);
}

void RecentFileList::Remove(int index) {
  if (index >= 0 && index < static_cast<int>(paths_.size())) paths_.erase(paths_.begin() + index);
}

void RecentFileList::Load(SettingsStore& store) {
  paths_.clear();
  for (int n = 1; n <= kSize; ++n) {
    const std::optional<std::string> path = store.ReadString(kRecentFileSection, EntryName(n));
    if (path && !path->empty() && IndexOf(*path) < 0) paths_.push_back(*path);
  }
}

void RecentFileList::Save(SettingsStore& store) const {
  for (int n = 1; n <= kSize; ++n) {
    if (n <= static_cast<int>(paths_.size())) {
      store.WriteString(kRecentFileSection, EntryName(n), paths_[n - 1]);
    } else {
      store.Remove(kRecentFileSection, EntryName(n));
    }
  }
}

std::string RecentFileList::DisplayName(const std::string& path, int maxLength, bool utf8) {
  if (Length(path, utf8) <= maxLength) return path;
  const char separator = path.find('\\') != std::string::npos ? '\\' : '/';
  std::vector<std::string> parts;
  for (std::size_t at = 0;;) {
    const std::size_t next = path.find(separator, at);
    parts.push_back(path.substr(at, next - at));
    if (next == std::string::npos) break;
    at = next + 1;
  }
  const std::string& name = parts.back();
  if (Length(name, utf8) > maxLength) return Left(name, maxLength - 3, utf8) + "...";
  // "<root>/first/.../last folders/name": needs a root (nothing before the
  // first "/", or a drive), a first folder and something to leave out.
  if (parts.size() < 4 || !(parts.front().empty() || IsDrive(parts.front()))) return name;
  const std::string head = parts[0] + separator + parts[1] + separator + "...";
  std::string tail = separator + name;
  if (Length(head, utf8) + Length(tail, utf8) > maxLength) return name;
  for (std::size_t k = parts.size() - 2; k >= 2; --k) {
    const std::string longer = separator + parts[k] + tail;
    if (Length(head, utf8) + Length(longer, utf8) > maxLength) break;
    tail = longer;
  }
  return head + tail;
}

std::string RecentFileList::MenuText(int index, const std::string& path, bool utf8) {
  // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) about
  // "&" + std::to_string(...) at -O3.
  std::string text = "&";
  text += std::to_string(index + 1);
  text += ' ';
  for (char c : DisplayName(path, kDisplayLength, utf8)) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

}  // namespace tarvex::shell
