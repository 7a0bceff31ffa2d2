#include "recognition/picture_holder_win.h"

#include <cstring>
#include <mutex>

namespace molan::recognition {

void ensurePictureLibrary() {
  static std::once_flag started;
  std::call_once(started, [] {
    Gdiplus::GdiplusStartupInput input;  // version 1
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
  });
}

bool PictureHolder::decode(BytesView bytes) {
  release();
  if (bytes.size() <= 4 || bytes.size() > 0x7FFFFFFF) return false;
  ensurePictureLibrary();
  memory_.reset(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory_) return false;
  void* block = GlobalLock(memory_.get());
  if (!block) {
    release();
    return false;
  }
  std::memcpy(block, bytes.data(), bytes.size());
  GlobalUnlock(memory_.get());
  IStream* stream = nullptr;
  // The stream does not free the block: the holder owns it.
  if (FAILED(CreateStreamOnHGlobal(memory_.get(), FALSE, &stream)) || !stream) {
    release();
    return false;
  }
  stream_.reset(stream);
  image_.reset(Gdiplus::Image::FromStream(stream_.get()));
  if (!image_ || image_->GetLastStatus() != Gdiplus::Ok) {
    release();
    return false;
  }
  return true;
}

void PictureHolder::readSize() {
  if (sizeRead_ || !image_) return;
  width_ = static_cast<int>(image_->GetWidth());
  height_ = static_cast<int>(image_->GetHeight());
  sizeRead_ = true;
}

int PictureHolder::width() {
  readSize();
  return width_;
}

int PictureHolder::height() {
  readSize();
  return height_;
}

void PictureHolder::release() {
  image_.reset();
  stream_.reset();
  memory_.reset();
  width_ = height_ = 0;
  sizeRead_ = false;
}

}  // namespace molan::recognition
