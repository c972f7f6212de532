#include "platform/side_thread.h"

#include <system_error>
#include <thread>
#include <utility>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

namespace tarvex {

struct SideThread::State {
  std::function<void()> work;
#if defined(__linux__)
  pthread_t thread{};
  bool started = false;
  bool moved = false;  // started away from the caller's processor
  cpu_set_t allowed;   // then the caller's processors, for the thread once running
#else
  std::thread thread;
#endif
};

SideThread::SideThread() : state_(std::make_unique<State>()) {}

SideThread::~SideThread() {
  Join();
}

#if defined(__linux__)

void* SideThread::Run(void* arg) {
  auto* state = static_cast<State*>(arg);
  // Away from the caller now: free to go wherever the caller may.
  if (state->moved) sched_setaffinity(0, sizeof state->allowed, &state->allowed);
  state->work();
  return nullptr;
}

bool SideThread::Start(std::function<void()> work) {
  if (state_->started) return false;
  state_->work = std::move(work);
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  // With one processor, or no knowing which, the thread starts as any would.
  state_->moved = false;
  const int here = sched_getcpu();
  if (here >= 0 && here < CPU_SETSIZE &&
      sched_getaffinity(0, sizeof state_->allowed, &state_->allowed) == 0) {
    cpu_set_t others = state_->allowed;
    CPU_CLR(here, &others);
    state_->moved =
        CPU_COUNT(&others) > 0 && pthread_attr_setaffinity_np(&attr, sizeof others, &others) == 0;
  }
  state_->started = pthread_create(&state_->thread, &attr, Run, state_.get()) == 0;
  pthread_attr_destroy(&attr);
  return state_->started;
}

void SideThread::Join() {
  if (!state_->started) return;
  pthread_join(state_->thread, nullptr);
  state_->started = false;
}

bool SideThread::running() const {
  return state_->started;
}

#else

bool SideThread::Start(std::function<void()> work) {
  if (state_->thread.joinable()) return false;
  try {
    state_->thread = std::thread(std::move(work));
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void SideThread::Join() {
  if (state_->thread.joinable()) state_->thread.join();
}

bool SideThread::running() const {
  return state_->thread.joinable();
}

#endif

}  // namespace tarvex
