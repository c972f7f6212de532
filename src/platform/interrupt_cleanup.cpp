#include "platform/interrupt_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex {
namespace {

constexpr int kSlots = 16;
constexpr std::size_t kMaxPath = 4096;

// A slot is free (0), being filled or emptied (1), or holds a path (2).
// The handler only reads slots that hold a path, so it never sees half a name.
struct Slot {
  std::atomic<int> state{0};
  char path[kMaxPath];
};
Slot g_slots[kSlots];

extern "C" void RemoveAndReraise(int sig) {
  for (Slot& slot : g_slots) {
    if (slot.state.load(std::memory_order_acquire) == 2) {
#ifdef _WIN32
      std::remove(slot.path);
#else
      ::unlink(slot.path);  // async-signal-safe, unlike std::remove
#endif
    }
  }
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void Install(int sig) {
#ifdef _WIN32
  if (std::signal(sig, RemoveAndReraise) == SIG_IGN) std::signal(sig, SIG_IGN);
#else
  struct sigaction previous;
  if (sigaction(sig, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) return;
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = RemoveAndReraise;
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
#endif
}

void InstallOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    Install(SIGINT);
    Install(SIGTERM);
#ifdef SIGHUP
    Install(SIGHUP);
#endif
  });
}

}  // namespace

void RegisterInterruptCleanup(const std::string& path) {
  if (path.empty() || path.size() >= kMaxPath) return;
  InstallOnce();
  for (Slot& slot : g_slots) {
    int expected = 0;
    if (slot.state.compare_exchange_strong(expected, 1, std::memory_order_acquire)) {
      std::memcpy(slot.path, path.c_str(), path.size() + 1);
      slot.state.store(2, std::memory_order_release);
      return;
    }
  }
}

void UnregisterInterruptCleanup(const std::string& path) {
  for (Slot& slot : g_slots) {
    int expected = 2;
    if (slot.state.load(std::memory_order_acquire) == 2 && path == slot.path &&
        slot.state.compare_exchange_strong(expected, 1, std::memory_order_acquire)) {
      slot.state.store(0, std::memory_order_release);
      return;
    }
  }
}

}  // namespace tarvex
