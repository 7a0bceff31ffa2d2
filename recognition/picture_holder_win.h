#pragma once
// PictureHolder: one picture decoded with GDI+ from a copy of its bytes, so
// that its width and height can be read. Pictures are never re-encoded.
#include <windows.h>
#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>

#include <memory>

#include "link/bytes.h"

namespace molan::recognition {

// Starts GDI+ (version 1) once per process; it is never shut down.
void ensurePictureLibrary();

class PictureHolder {
 public:
  PictureHolder() = default;
  ~PictureHolder() { release(); }
  PictureHolder(const PictureHolder&) = delete;
  PictureHolder& operator=(const PictureHolder&) = delete;

  // Releases what the holder held, then decodes `bytes`. Four bytes or fewer
  // are refused without asking the library. True when an image was decoded.
  bool decode(BytesView bytes);
  // The decoded image's size in pixels, read once; 0 without an image.
  int width();
  int height();
  // Disposes the image and the stream and frees the memory block.
  void release();

 private:
  void readSize();

  struct GlobalFreer {
    void operator()(void* block) const { GlobalFree(block); }
  };
  struct StreamReleaser {
    void operator()(IStream* stream) const { stream->Release(); }
  };
  // Destroyed in reverse order: image, then stream, then the block under it.
  std::unique_ptr<void, GlobalFreer> memory_;
  std::unique_ptr<IStream, StreamReleaser> stream_;
  std::unique_ptr<Gdiplus::Image> image_;
  int width_ = 0, height_ = 0;
  bool sizeRead_ = false;
};

}  // namespace molan::recognition
