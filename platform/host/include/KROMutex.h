#pragma once

#include <mutex>

// Re-entrant lock of the host threading library: the thread that holds it may take it again.
class KROMutex {
 public:
  // The arguments are the host library's (spin count, recursive, shared); every KROMutex is
  // recursive whatever they say, since callers rely on taking it again on the same thread.
  explicit KROMutex(int spinCount = 0, int recursive = 1, int shared = 0);
  KROMutex(const KROMutex&) = delete;
  KROMutex& operator=(const KROMutex&) = delete;

  void LockF() { _Mutex.lock(); }
  void UnlockF() { _Mutex.unlock(); }
  bool TryLockF() { return _Mutex.try_lock(); }

 private:
  std::recursive_mutex _Mutex;
};

// Holds a KROMutex for a scope.
class KROMutexLock {
 public:
  explicit KROMutexLock(KROMutex& mutex) : _Mutex(mutex) { _Mutex.LockF(); }
  KROMutexLock(const KROMutexLock&) = delete;
  KROMutexLock& operator=(const KROMutexLock&) = delete;
  ~KROMutexLock() { _Mutex.UnlockF(); }

 private:
  KROMutex& _Mutex;
};
