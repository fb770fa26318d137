#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace zemvo::win32 {

// Owns one reference to a COM interface, after WIL's com_ptr: move-only (a
// copy would be a second owner of the same reference; `copy()` takes a new
// one), moving empties the source, and `put()` releases what is held before
// it hands out the slot for an out parameter.
template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  // Takes over a reference the caller owns.
  explicit ComPtr(T* adopted) noexcept : pointer_(adopted) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  // A new reference to a pointer the caller only borrows.
  static ComPtr addRef(T* borrowed) noexcept {
    if (borrowed) borrowed->AddRef();
    return ComPtr(borrowed);
  }

  T* get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  T& operator*() const noexcept { return *pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  T** put() noexcept {
    reset();
    return &pointer_;
  }
  void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
  T* detach() noexcept { return std::exchange(pointer_, nullptr); }
  void reset() noexcept {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  ComPtr copy() const noexcept { return addRef(pointer_); }

  // QueryInterface for U; empty when the object does not have it.
  template <typename U>
  ComPtr<U> query() const noexcept {
    ComPtr<U> result;
    if (pointer_) pointer_->QueryInterface(__uuidof(U), result.putVoid());
    return result;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace zemvo::win32
