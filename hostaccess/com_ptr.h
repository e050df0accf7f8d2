// An owning reference to a COM interface: releases exactly once, never copies a reference
// silently. Moves transfer ownership.
#pragma once

#include <utility>

#include "hostaccess/com_base.h"

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Takes over a reference the caller already holds (as QueryInterface hands it out).
  static ComPtr Adopt(T* ptr) {
    ComPtr result;
    result.ptr_ = ptr;
    return result;
  }

  // Asks `source` for interface `iid`; empty when it is not offered.
  static ComPtr Query(IUnknown* source, REFIID iid) {
    ComPtr result;
    if (source != nullptr) {
      void* out = nullptr;
      if (source->QueryInterface(iid, &out) == S_OK && out != nullptr) {
        result.ptr_ = static_cast<T*>(out);
      }
    }
    return result;
  }

  void Reset(T* ptr = nullptr) {
    T* old = std::exchange(ptr_, ptr);
    if (old != nullptr) old->Release();
  }
  T* Detach() { return std::exchange(ptr_, nullptr); }
  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

 private:
  T* ptr_ = nullptr;
};
