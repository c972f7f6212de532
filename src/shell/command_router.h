// Commands by id: menu items, buttons, keys and the core's SendFrameCommand
// all end in one table, so that a command sent by number does exactly what
// its menu item does.
#ifndef TARVEX_SHELL_COMMAND_ROUTER_H_
#define TARVEX_SHELL_COMMAND_ROUTER_H_

#include <functional>
#include <map>

namespace tarvex::shell {

class CommandRouter {
 public:
  using Handler = std::function<void()>;

  // The first handler added for an id keeps it: handlers are added view
  // first, then frame, then application, the order commands are offered in.
  void Add(int id, Handler handler) { handlers_.emplace(id, std::move(handler)); }

  bool Handles(int id) const { return handlers_.count(id) != 0; }

  // Runs the handler of `id` to its end; false when no one handles it.
  bool Execute(int id) const;

 private:
  std::map<int, Handler> handlers_;
};

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_COMMAND_ROUTER_H_
