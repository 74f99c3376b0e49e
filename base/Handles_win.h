// Move-only owners for the Win32 handles and COM interfaces the project
// creates. Each is a std::unique_ptr whose deleter names the handle type as
// its pointer.
#pragma once

#include <windows.h>

#include <memory>

struct KernelHandleCloser {
  using pointer = HANDLE;
  void operator()(HANDLE h) const noexcept {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

struct ViewUnmapper {
  void operator()(void* view) const noexcept { UnmapViewOfFile(view); }
};
using UniqueView = std::unique_ptr<void, ViewUnmapper>;

struct GdiObjectDeleter {
  using pointer = HGDIOBJ;
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using UniqueGdiObject = std::unique_ptr<void, GdiObjectDeleter>;

struct WindowDestroyer {
  using pointer = HWND;
  void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<HWND__, WindowDestroyer>;

struct ModuleFreer {
  using pointer = HMODULE;
  void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<HINSTANCE__, ModuleFreer>;

// A COM interface, released when its owner goes.
struct ComReleaser {
  void operator()(IUnknown* object) const noexcept { object->Release(); }
};
template <class T>
using UniqueCom = std::unique_ptr<T, ComReleaser>;

// COM on the calling thread, in a single-threaded apartment, for as long as
// the object lives (the shell's dialogs and links need it).
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};
