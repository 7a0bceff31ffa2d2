#include "recognition/picture_holder_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "recognition/recognition_wintest_support.h"

namespace molan::recognition {
namespace {

// `width` x `height` picture encoded by GDI+ in the format of `mime`
// ("image/png", "image/jpeg"), as the bytes of a file.
Bytes encodedPicture(const wchar_t* mime, int width, int height) {
  ensurePictureLibrary();
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<char> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, encoders);
  const CLSID* clsid = nullptr;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(encoders[i].MimeType, mime) == 0) clsid = &encoders[i].Clsid;
  }
  if (!clsid) return {};
  Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return {};
  Bytes bytes;
  if (bitmap.Save(stream, clsid, nullptr) == Gdiplus::Ok) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
  }
  stream->Release();
  return bytes;
}

TEST(PictureHolder, DecodesBmpPngAndJpegAndReportsTheirSize) {
  const struct {
    const char* name;
    Bytes bytes;
    int width, height;
  } cases[] = {
      {"BMP", testing::solidBmp(37, 21, RGB(1, 2, 3)), 37, 21},
      {"PNG", encodedPicture(L"image/png", 300, 17), 300, 17},
      {"JPEG", encodedPicture(L"image/jpeg", 64, 480), 64, 480},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_GT(c.bytes.size(), 4u);
    PictureHolder holder;
    EXPECT_TRUE(holder.decode(c.bytes));
    EXPECT_EQ(holder.width(), c.width);
    EXPECT_EQ(holder.height(), c.height);
  }
}

TEST(PictureHolder, RefusesShortAndUndecodableBytes) {
  PictureHolder holder;
  const Bytes bmp = testing::solidBmp(8, 8, RGB(0, 0, 0));
  EXPECT_FALSE(holder.decode(bmp.substr(0, 4)));
  EXPECT_EQ(holder.width(), 0);
  EXPECT_EQ(holder.height(), 0);
  EXPECT_FALSE(holder.decode(""));
  EXPECT_FALSE(holder.decode("this is not a picture at all"));
  EXPECT_EQ(holder.width(), 0);
}

TEST(PictureHolder, ASecondDecodeReleasesTheFirstAndReadsTheSizeAfresh) {
  PictureHolder holder;
  ASSERT_TRUE(holder.decode(testing::solidBmp(10, 20, RGB(9, 9, 9))));
  EXPECT_EQ(holder.width(), 10);
  ASSERT_TRUE(holder.decode(testing::solidBmp(30, 40, RGB(9, 9, 9))));
  EXPECT_EQ(holder.width(), 30);
  EXPECT_EQ(holder.height(), 40);
  EXPECT_FALSE(holder.decode("abcd"));
  EXPECT_EQ(holder.width(), 0);
  holder.release();
  EXPECT_EQ(holder.height(), 0);
}

}  // namespace
}  // namespace molan::recognition
