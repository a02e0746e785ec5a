// Registry.cpp: the registry functions over the hive files.
//
// A handle holds a snapshot of its key's values taken when it was opened
// (the file is read again at every open) and refreshed by its own writes.
#include "Registry.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include <pwd.h>
#include <unistd.h>

#include "RegistryFileInternal.h"
#include "RegistryStoreInternal.h"

namespace tarvil::platform {

using registry::Hive;

struct RegistryKey {
  Hive hive;
  std::string path;
  std::vector<registry::Value> values;
  DWORD access;
  bool synthetic;  // presented from the locale, not stored
};

namespace {

constexpr DWORD kKeySetValue = 0x0002;
constexpr const char* kInternational = "Control Panel\\International";

// Handles in use; a handle not in the set is refused instead of followed.
// Any thread may open and close handles (the string class's first use and a
// modern settings reader run at once), so the set is touched only under its
// lock.
struct HandleSet {
  std::mutex lock;
  std::set<RegistryKey*> live;
};

HandleSet& LiveHandles() {
  static auto* handles = new HandleSet;
  return *handles;
}

bool IsLive(HKEY key) {
  HandleSet& handles = LiveHandles();
  std::lock_guard<std::mutex> guard(handles.lock);
  return handles.live.count(key) != 0;
}

void AddLive(RegistryKey* key) {
  HandleSet& handles = LiveHandles();
  std::lock_guard<std::mutex> guard(handles.lock);
  handles.live.insert(key);
}

// Forgets `key`; false when it was not a handle in use.
bool RemoveLive(HKEY key) {
  HandleSet& handles = LiveHandles();
  std::lock_guard<std::mutex> guard(handles.lock);
  return handles.live.erase(key) != 0;
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? std::string(v) : std::string();
}

std::string HivePath(Hive hive) {
  return hive == Hive::kMachine ? MachineRegistryPath() : UserRegistryPath();
}

// The hive and path that `root` plus `subKey` name; false for an unknown root.
bool Resolve(HKEY root, const char* subKey, Hive& hive, std::string& path) {
  std::string base;
  if (root == HKEY_CURRENT_USER) {
    hive = Hive::kUser;
  } else if (root == HKEY_LOCAL_MACHINE) {
    hive = Hive::kMachine;
  } else if (root != nullptr && IsLive(root)) {
    hive = root->hive;
    base = root->path;
  } else {
    return false;
  }
  path = registry::NormalisePath(subKey);
  if (!base.empty()) path = path.empty() ? base : base + "\\" + path;
  return true;
}

bool HasLineBreak(const char* text, std::size_t length) {
  for (std::size_t i = 0; i < length && text[i] != '\0'; ++i)
    if (text[i] == '\n' || text[i] == '\r') return true;
  return false;
}

bool HasLineBreak(const char* text) {
  return text != nullptr && HasLineBreak(text, std::strlen(text));
}

// Where the values of a key come from: the hive file, or presented from the
// locale without being stored.
enum class KeySource { kStored, kSynthetic };

HKEY NewHandle(Hive hive, const std::string& path, std::vector<registry::Value> values,
               DWORD access, KeySource source) {
  auto* key =
      new RegistryKey{hive, path, std::move(values), access, source == KeySource::kSynthetic};
  AddLive(key);
  return key;
}

// Opens the key in the document, or the presented regional key; null when
// the key does not exist.
HKEY OpenIn(const registry::Document& doc, Hive hive, const std::string& path, DWORD access) {
  if (registry::KeyExists(doc, hive, path))
    return NewHandle(hive, path, registry::KeyValues(doc, hive, path), access,
                     KeySource::kStored);
  if (hive == Hive::kUser && registry::EqualNoCase(path, kInternational))
    return NewHandle(hive, path, registry::SynthesiseInternational(), access,
                     KeySource::kSynthetic);
  return nullptr;
}

// A handle for `key`: itself, or a temporary one for a predefined root
// (`owned` then receives it, to be closed by the caller).
RegistryKey* Use(HKEY key, HKEY& owned) {
  owned = nullptr;
  if (key == nullptr) return nullptr;
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
    if (RegOpenKeyEx(key, "", 0, KEY_ALL_ACCESS, &owned) != ERROR_SUCCESS) return nullptr;
    return owned;
  }
  return IsLive(key) ? key : nullptr;
}

}  // namespace

std::string UserRegistryPath() {
  std::string file = Env("TARVIL_USER_REGISTRY");
  if (!file.empty()) return file;
  std::string config = Env("XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') {
    std::string home = Env("HOME");
    if (home.empty()) {
      if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        home = pw->pw_dir;
    }
    if (home.empty()) return std::string();
    config = home + "/.config";
  }
  return config + "/orvanta/registry.reg";
}

std::string MachineRegistryPath() {
  std::string file = Env("TARVIL_MACHINE_REGISTRY");
  return file.empty() ? std::string("/etc/orvanta/registry.reg") : file;
}

LONG RegOpenKeyEx(HKEY root, const char* subKey, DWORD, DWORD samDesired, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Hive hive;
  std::string path;
  if (!Resolve(root, subKey, hive, path)) return ERROR_INVALID_PARAMETER;
  const registry::Document doc = registry::ReadHive(HivePath(hive));
  *result = OpenIn(doc, hive, path, samDesired);
  return *result != nullptr ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG RegCreateKeyEx(HKEY root, const char* subKey, DWORD, const char*, DWORD, DWORD samDesired,
                    void*, HKEY* result, DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Hive hive;
  std::string path;
  if (!Resolve(root, subKey, hive, path) || HasLineBreak(subKey)) return ERROR_INVALID_PARAMETER;

  const std::string file = HivePath(hive);
  if (HKEY key = OpenIn(registry::ReadHive(file), hive, path, samDesired)) {
    if (disposition != nullptr) *disposition = REG_OPENED_EXISTING_KEY;
    *result = key;
    return ERROR_SUCCESS;
  }
  bool created = false;
  registry::Document after;
  const bool ok = registry::ModifyHive(
      file, [&](registry::Document& doc) { return created = registry::AddKey(doc, hive, path); },
      after);
  if (!ok) return ERROR_CANTWRITE;
  *result = NewHandle(hive, path, registry::KeyValues(after, hive, path), samDesired,
                      KeySource::kStored);
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char* name, DWORD*, DWORD* type, BYTE* data, DWORD* cbData) {
  HKEY owned;
  RegistryKey* k = Use(key, owned);
  if (k == nullptr) return ERROR_INVALID_HANDLE;
  const registry::Value* value = registry::FindValue(k->values, name != nullptr ? name : "");
  LONG status = ERROR_SUCCESS;
  if (value == nullptr) {
    status = ERROR_FILE_NOT_FOUND;
  } else if (data != nullptr && cbData == nullptr) {
    status = ERROR_INVALID_PARAMETER;
  } else {
    const bool text = value->type == REG_SZ || value->type == 2;  // REG_EXPAND_SZ too
    const std::size_t size = value->data.size() + (text ? 1 : 0);
    if (type != nullptr) *type = value->type;
    if (data != nullptr) {
      if (size > *cbData) {
        status = ERROR_MORE_DATA;
      } else {
        std::memcpy(data, value->data.data(), value->data.size());
        if (text) data[value->data.size()] = 0;
      }
    }
    if (cbData != nullptr) *cbData = static_cast<DWORD>(size);
  }
  if (owned != nullptr) RegCloseKey(owned);
  return status;
}

LONG RegSetValueEx(HKEY key, const char* name, DWORD, DWORD type, const BYTE* data,
                   DWORD cbData) {
  HKEY owned;
  RegistryKey* k = Use(key, owned);
  if (k == nullptr) return ERROR_INVALID_HANDLE;
  LONG status = ERROR_SUCCESS;
  registry::Value value{name != nullptr ? name : "", type, std::string()};
  if (owned == nullptr && (k->access & kKeySetValue) == 0) {
    status = ERROR_ACCESS_DENIED;
  } else if (k->synthetic) {
    status = ERROR_ACCESS_DENIED;  // presented from the locale, not stored
  } else if (HasLineBreak(name) || (data == nullptr && cbData != 0)) {
    status = ERROR_INVALID_PARAMETER;
  } else if (type == REG_SZ) {
    const char* text = reinterpret_cast<const char*>(data);
    std::size_t length = 0;
    while (length < cbData && text[length] != '\0') ++length;
    if (HasLineBreak(text, length)) status = ERROR_INVALID_PARAMETER;
    else value.data.assign(text != nullptr ? text : "", length);
  } else if (type == REG_DWORD && cbData == 4) {
    value.data.assign(reinterpret_cast<const char*>(data), 4);
  } else {
    status = ERROR_INVALID_PARAMETER;
  }
  if (status == ERROR_SUCCESS) {
    registry::Document after;
    const bool ok = registry::ModifyHive(
        HivePath(k->hive),
        [&](registry::Document& doc) {
          registry::SetValue(doc, k->hive, k->path, value);
          return true;
        },
        after);
    if (ok) k->values = registry::KeyValues(after, k->hive, k->path);
    else status = ERROR_CANTWRITE;
  }
  if (owned != nullptr) RegCloseKey(owned);
  return status;
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  if (key == nullptr || !RemoveLive(key)) return ERROR_INVALID_HANDLE;
  delete key;
  return ERROR_SUCCESS;
}

}  // namespace tarvil::platform
