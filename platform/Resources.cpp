// Resources.cpp: the string table.
#include "Resources.h"

#include <map>
#include <string>

#include "Messages.h"

namespace tarvil::platform {
namespace {

std::map<unsigned int, std::string>& HostTable() {
  static std::map<unsigned int, std::string> table;
  return table;
}

}  // namespace

void SetStringResource(unsigned int id, const char* text) {
  if (text == nullptr) {
    HostTable().erase(id);
  } else {
    HostTable()[id] = text;
  }
}

const char* FindStringResource(unsigned int id) {
  auto& table = HostTable();
  auto it = table.find(id);
  if (it != table.end()) return it->second.c_str();
  return tarvil::resources::FindLibraryMessage(id);
}

}  // namespace tarvil::platform
