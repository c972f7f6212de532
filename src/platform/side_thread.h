// A second thread for work done beside the caller's, started on another
// processor where the system has one.
//
// A new thread usually first runs on its creator's processor and takes it
// over until the system moves one of the two: on a virtual machine the
// creator then stood still for as long as the new thread's first 100 to
// 200 microseconds of work. Started away from the caller's processor, the
// two run side by side from the first instant; once running, the thread
// may go wherever the caller could.
#ifndef TARVEX_PLATFORM_SIDE_THREAD_H_
#define TARVEX_PLATFORM_SIDE_THREAD_H_

#include <functional>
#include <memory>

namespace tarvex {

class SideThread {
 public:
  SideThread();
  ~SideThread();  // joins
  SideThread(const SideThread&) = delete;
  SideThread& operator=(const SideThread&) = delete;

  // Runs `work` on a new thread. False, running nothing, when no thread is
  // to be had or one is running already. `work` must not throw.
  bool Start(std::function<void()> work);
  // Waits for the work to end; nothing when none was started.
  void Join();
  bool running() const;

 private:
  struct State;
  static void* Run(void* state);
  std::unique_ptr<State> state_;
};

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_SIDE_THREAD_H_
