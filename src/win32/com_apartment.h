#pragma once

#include <windows.h>
#include <objidl.h>

#include <chrono>

#include "win32/com_ptr.h"

namespace zemvo::win32 {

// COM on the calling thread as a single-threaded apartment, for the life of
// the object, with a message filter that retries calls a busy server rejects
// (what VB does with its "component busy" handling). Windows calls the
// filter's RetryRejectedCall; Wine never does, which is why the late-bound
// helper retries as well. Must be created and destroyed on the same thread,
// after every COM object of the thread has been released.
class ComApartment {
 public:
  // Throws zemvo::Error when COM cannot be initialised.
  explicit ComApartment(std::chrono::milliseconds busyLimit = std::chrono::milliseconds(10000));
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  ComPtr<IMessageFilter> filter_;
  ComPtr<IMessageFilter> previousFilter_;
};

}  // namespace zemvo::win32
