#include "shell/command_router.h"

namespace tarvex::shell {

bool CommandRouter::Execute(int id) const {
  const auto it = handlers_.find(id);
  if (it == handlers_.end()) return false;
  // A copy: the handler may change the table (it never does today) or
  // destroy what owns it.
  const Handler handler = it->second;
  handler();
  return true;
}

}  // namespace tarvex::shell
