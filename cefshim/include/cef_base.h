// Reference counting of every cefshim object, as CEF does it.
//
// Objects start with no reference; the first CefRefPtr that takes one owns
// the object, and the last Release() deletes it. Counting is atomic, so
// references may be taken and dropped on any thread; the objects themselves
// are not thread-safe unless their header says so.
#pragma once

#include <atomic>

#include "cef_ref_ptr.h"

// The interface of every reference-counted cefshim type. Classes derive from
// it virtually, so that one object may implement several interfaces and
// still hold a single count (supplied by IMPLEMENT_REFCOUNTING).
class CefBaseRefCounted {
 public:
  virtual void AddRef() const = 0;
  // Drops one reference; true when it was the last (the object is deleted).
  virtual bool Release() const = 0;
  virtual bool HasOneRef() const = 0;
  virtual bool HasAtLeastOneRef() const = 0;

 protected:
  virtual ~CefBaseRefCounted() = default;
};

// The count behind IMPLEMENT_REFCOUNTING.
class CefRefCount {
 public:
  CefRefCount() = default;
  CefRefCount(const CefRefCount&) = delete;
  CefRefCount& operator=(const CefRefCount&) = delete;

  void AddRef() const { count_.fetch_add(1, std::memory_order_relaxed); }
  // True when the count reached zero.
  bool Release() const { return count_.fetch_sub(1, std::memory_order_acq_rel) == 1; }
  bool HasOneRef() const { return count_.load(std::memory_order_acquire) == 1; }
  bool HasAtLeastOneRef() const { return count_.load(std::memory_order_acquire) >= 1; }

 private:
  mutable std::atomic<int> count_{0};
};

// Implements CefBaseRefCounted in the most derived class `ClassName`; the
// last Release() deletes the object through that class.
#define IMPLEMENT_REFCOUNTING(ClassName)                                        \
 public:                                                                        \
  void AddRef() const override { ref_count_.AddRef(); }                         \
  bool Release() const override {                                               \
    if (ref_count_.Release()) {                                                 \
      delete static_cast<const ClassName*>(this);                               \
      return true;                                                              \
    }                                                                           \
    return false;                                                               \
  }                                                                             \
  bool HasOneRef() const override { return ref_count_.HasOneRef(); }            \
  bool HasAtLeastOneRef() const override { return ref_count_.HasAtLeastOneRef(); } \
                                                                                \
 private:                                                                       \
  CefRefCount ref_count_
