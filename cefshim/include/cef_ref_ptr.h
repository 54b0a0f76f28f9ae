// CefRefPtr<T>: an intrusive smart pointer to a reference-counted object.
//
// Holding a CefRefPtr keeps one reference; copying takes another, moving
// transfers it, destruction and reset() drop it. A null pointer tests false.
// A CefRefPtr itself is not synchronised: share the object, not one pointer
// variable, between threads.
#pragma once

#include <cstddef>
#include <utility>

template <class T>
class CefRefPtr {
 public:
  CefRefPtr() = default;
  CefRefPtr(std::nullptr_t) {}
  CefRefPtr(T* object) : ptr_(object) { AddRefIfAny(); }
  CefRefPtr(const CefRefPtr& other) : ptr_(other.ptr_) { AddRefIfAny(); }
  CefRefPtr(CefRefPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U>
  CefRefPtr(const CefRefPtr<U>& other) : ptr_(other.get()) { AddRefIfAny(); }
  template <class U>
  CefRefPtr(CefRefPtr<U>&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}

  ~CefRefPtr() { ReleaseIfAny(); }

  CefRefPtr& operator=(CefRefPtr other) noexcept {
    swap(other);
    return *this;
  }
  CefRefPtr& operator=(std::nullptr_t) {
    reset();
    return *this;
  }

  T* get() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

  void reset() { CefRefPtr().swap(*this); }
  void swap(CefRefPtr& other) noexcept { std::swap(ptr_, other.ptr_); }

 private:
  template <class U>
  friend class CefRefPtr;

  void AddRefIfAny() const {
    if (ptr_) ptr_->AddRef();
  }
  void ReleaseIfAny() const {
    if (ptr_) ptr_->Release();
  }

  T* ptr_ = nullptr;
};

template <class T, class U>
bool operator==(const CefRefPtr<T>& a, const CefRefPtr<U>& b) {
  return a.get() == b.get();
}
template <class T, class U>
bool operator!=(const CefRefPtr<T>& a, const CefRefPtr<U>& b) {
  return a.get() != b.get();
}
template <class T>
bool operator==(const CefRefPtr<T>& a, std::nullptr_t) {
  return a.get() == nullptr;
}
template <class T>
bool operator!=(const CefRefPtr<T>& a, std::nullptr_t) {
  return a.get() != nullptr;
}
template <class T>
bool operator==(std::nullptr_t, const CefRefPtr<T>& a) {
  return a.get() == nullptr;
}
template <class T>
bool operator!=(std::nullptr_t, const CefRefPtr<T>& a) {
  return a.get() != nullptr;
}
