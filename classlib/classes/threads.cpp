#include "classlib/classes/threads.h"

#include <chrono>
#include <exception>

#include "classlib/system/exceptions.h"

namespace {

std::recursive_mutex& SynchronizeLock() {
  static std::recursive_mutex lock;
  return lock;
}

void DefaultSynchronize(const TThreadMethod& method, bool) {
  std::lock_guard guard(SynchronizeLock());
  method();
}

std::mutex& HookLock() {
  static std::mutex lock;
  return lock;
}

TSynchronizeHook& CurrentHook() {
  static TSynchronizeHook hook = DefaultSynchronize;
  return hook;
}

std::function<void()>& CurrentWaitHook() {
  static std::function<void()> hook;
  return hook;
}

void RunThroughHook(const TThreadMethod& method, bool wait) {
  TSynchronizeHook hook;
  {
    std::lock_guard guard(HookLock());
    hook = CurrentHook();
  }
  hook(method, wait);
}

}  // namespace

// ---- TThread

TThread::TThread(bool createSuspended) : suspended_(createSuspended) {}

TThread::~TThread() {
  std::unique_lock guard(lock_);
  if (started_ && !finished_.load()) {
    terminated_ = true;
    suspended_ = false;
    changed_.notify_all();
  }
  guard.unlock();
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
    thread_.join();
  else if (thread_.joinable())
    thread_.detach();
}

void TThread::Start() {
  std::lock_guard guard(lock_);
  suspended_ = false;
  if (!started_) {
    started_ = true;
    thread_ = std::thread([this] { Run(); });
  }
  changed_.notify_all();
}

void TThread::Suspend() {
  std::lock_guard guard(lock_);
  suspended_ = true;
}

bool TThread::Suspended() const {
  std::lock_guard guard(lock_);
  return suspended_;
}

void TThread::Terminate() {
  terminated_ = true;
  std::lock_guard guard(lock_);
  changed_.notify_all();
}

int TThread::WaitFor() {
  std::function<void()> waitHook;
  {
    std::lock_guard guard(HookLock());
    waitHook = CurrentWaitHook();
  }
  std::unique_lock guard(lock_);
  if (!started_)
    return returnValue_;
  if (!waitHook) {
    changed_.wait(guard, [this] { return finished_.load(); });
    return returnValue_;
  }
  // The thread may be waiting for us to run a call it synchronized: look
  // after those between short waits.
  while (!changed_.wait_for(guard, std::chrono::milliseconds(10), [this] { return finished_.load(); })) {
    guard.unlock();
    waitHook();
    guard.lock();
  }
  return returnValue_;
}

void TThread::CheckSuspended() {
  std::unique_lock guard(lock_);
  changed_.wait(guard, [this] { return !suspended_ || terminated_.load(); });
}

void TThread::Run() {
  try {
    Execute();
  } catch (const std::exception& error) {
    fatalException_ = error.what();
  } catch (...) {
    fatalException_ = "Unknown exception";
  }
  std::unique_lock guard(lock_);
  finished_ = true;
  changed_.notify_all();
  if (!freeOnTerminate_)
    return;
  // Start has released the lock, so thread_ is set; detach before deleting
  // so the destructor does not try to join this very thread.
  thread_.detach();
  guard.unlock();
  delete this;
}

std::function<void()> TThread::SetWaitHook(std::function<void()> hook) {
  std::lock_guard guard(HookLock());
  std::function<void()> previous = std::move(CurrentWaitHook());
  CurrentWaitHook() = std::move(hook);
  return previous;
}

TSynchronizeHook TThread::SetSynchronizeHook(TSynchronizeHook hook) {
  std::lock_guard guard(HookLock());
  TSynchronizeHook previous = CurrentHook();
  CurrentHook() = hook ? std::move(hook) : TSynchronizeHook(DefaultSynchronize);
  return previous;
}

void TThread::Synchronize(TThread* thread, const TThreadMethod& method) {
  if (thread != nullptr)
    thread->CheckSuspended();
  RunThroughHook(method, true);
}

void TThread::Queue(TThread* thread, const TThreadMethod& method) {
  if (thread != nullptr)
    thread->CheckSuspended();
  RunThroughHook(method, false);
}

// ---- TSyncEvent

void TSyncEvent::SetEvent() {
  std::lock_guard guard(lock_);
  signalled_ = true;
  if (manualReset_)
    changed_.notify_all();
  else
    changed_.notify_one();
}

void TSyncEvent::ResetEvent() {
  std::lock_guard guard(lock_);
  signalled_ = false;
}

TWaitResult TSyncEvent::WaitFor(std::uint32_t timeout) {
  std::unique_lock guard(lock_);
  auto isSet = [this] { return signalled_; };
  if (timeout == INFINITE_TIMEOUT)
    changed_.wait(guard, isSet);
  else if (!changed_.wait_for(guard, std::chrono::milliseconds(timeout), isSet))
    return wrTimeout;
  if (!manualReset_)
    signalled_ = false;
  return wrSignaled;
}
