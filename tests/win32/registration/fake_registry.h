// An in-memory classes root: keys and names without regard to letter case,
// as in the registry, and keys that can be told to refuse changes.
#ifndef TARVEX_TESTS_WIN32_REGISTRATION_FAKE_REGISTRY_H_
#define TARVEX_TESTS_WIN32_REGISTRATION_FAKE_REGISTRY_H_

#include <map>
#include <set>
#include <string>
#include <vector>

#include "keywords/ascii_case.h"
#include "win32/registration/registry_access.h"

namespace tarvex::win32::registration {

class FakeRegistry : public RegistryAccess {
 public:
  // Key (folded) → value name (folded) → value.
  using Contents = std::map<std::string, std::map<std::string, std::string>>;

  bool KeyExists(const std::string& key) const override { return keys_.count(Fold(key)) > 0; }
  std::optional<std::string> ReadString(const std::string& key,
                                        const std::string& name) const override {
    const auto k = keys_.find(Fold(key));
    if (k == keys_.end()) return std::nullopt;
    const auto v = k->second.find(Fold(name));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }
  bool IsKeyEmpty(const std::string& key) const override {
    const auto k = keys_.find(Fold(key));
    if (k == keys_.end() || !k->second.empty()) return false;
    const std::string prefix = k->first + "\\";
    for (const auto& [other, values] : keys_) {
      if (other.compare(0, prefix.size(), prefix) == 0) return false;
    }
    return true;
  }
  std::vector<std::string> SubKeys(const std::string& key) const override {
    std::vector<std::string> names;
    const std::string prefix = Fold(key) + "\\";
    for (const auto& [other, values] : keys_) {
      if (other.compare(0, prefix.size(), prefix) == 0 &&
          other.find('\\', prefix.size()) == std::string::npos) {
        names.push_back(other.substr(prefix.size()));
      }
    }
    return names;
  }
  std::vector<std::string> ValueNames(const std::string& key) const override {
    std::vector<std::string> names;
    const auto k = keys_.find(Fold(key));
    if (k != keys_.end()) {
      for (const auto& [name, value] : k->second) names.push_back(name);
    }
    return names;
  }
  bool WriteString(const std::string& key, const std::string& name,
                   const std::string& value) override {
    if (Refuses(key)) return false;
    CreateKey(Fold(key));
    keys_[Fold(key)][Fold(name)] = value;
    return true;
  }
  bool DeleteValue(const std::string& key, const std::string& name) override {
    if (Refuses(key)) return false;
    const auto k = keys_.find(Fold(key));
    if (k != keys_.end()) k->second.erase(Fold(name));
    return true;
  }
  bool DeleteTree(const std::string& key) override {
    const std::string folded = Fold(key);
    const std::string prefix = folded + "\\";
    for (auto k = keys_.begin(); k != keys_.end(); ++k) {
      if ((k->first == folded || k->first.compare(0, prefix.size(), prefix) == 0) &&
          Refuses(k->first)) {
        return false;
      }
    }
    for (auto k = keys_.begin(); k != keys_.end();) {
      if (k->first == folded || k->first.compare(0, prefix.size(), prefix) == 0) {
        k = keys_.erase(k);
      } else {
        ++k;
      }
    }
    return true;
  }

  // Changes to this key (and below it) are refused from now on.
  void Refuse(const std::string& key) { refused_.insert(Fold(key)); }
  const Contents& contents() const { return keys_; }

 private:
  static std::string Fold(const std::string& text) { return FoldAsciiCase(text); }
  bool Refuses(const std::string& key) const {
    const std::string folded = Fold(key);
    for (const std::string& r : refused_) {
      if (folded == r || folded.compare(0, r.size() + 1, r + "\\") == 0) return true;
    }
    return false;
  }
  void CreateKey(const std::string& folded) {
    for (std::size_t at = folded.find('\\'); at != std::string::npos;
         at = folded.find('\\', at + 1)) {
      keys_[folded.substr(0, at)];
    }
    keys_[folded];
  }

  Contents keys_;
  std::set<std::string> refused_;
};

}  // namespace tarvex::win32::registration

#endif  // TARVEX_TESTS_WIN32_REGISTRATION_FAKE_REGISTRY_H_
