#include "server/ocr_engine.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include "server/cjk_spacing.h"

namespace molan::server {
namespace {

struct PixDeleter {
  void operator()(Pix* p) const { pixDestroy(&p); }
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

std::optional<OcrResult> fail(OcrFailure* failure, BytesView reason) {
  if (failure) failure->reason = Bytes(reason);
  return std::nullopt;
}

// The picture as an 8-bit grey image, or nothing when it cannot be decoded.
PixPtr decodeGrey(BytesView picture) {
  const auto* data = reinterpret_cast<const l_uint8*>(picture.data());
  PixPtr pix(pixReadMem(data, picture.size()));
  if (!pix) return nullptr;
  if (pixGetSpp(pix.get()) == 4) {
    PixPtr flat(pixRemoveAlpha(pix.get()));
    if (!flat) return nullptr;
    pix = std::move(flat);
  }
  PixPtr grey(pixConvertTo8(pix.get(), 0));
  return grey;
}

}  // namespace

void quietPictureLibrary() { setMsgSeverity(L_SEVERITY_NONE); }

OcrEngine::OcrEngine() : api_(std::make_unique<tesseract::TessBaseAPI>()) {}

OcrEngine::~OcrEngine() {
  if (api_) api_->End();
}

bool OcrEngine::init(const std::string& tessdata, const std::string& languages, std::string* error) {
  if (api_->Init(tessdata.empty() ? nullptr : tessdata.c_str(), languages.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
    if (error) *error = "cannot load Tesseract languages '" + languages + "'";
    return false;
  }
  api_->SetVariable("debug_file", "/dev/null");
  api_->SetPageSegMode(tesseract::PSM_AUTO);
  return true;
}

std::optional<OcrResult> OcrEngine::recognize(BytesView picture, OcrMode mode, long long maxPixels,
                                              OcrFailure* failure) {
  l_int32 format = 0, w = 0, h = 0, bps = 0, spp = 0, cmap = 0;
  if (picture.size() < 8 || pixReadHeaderMem(reinterpret_cast<const l_uint8*>(picture.data()), picture.size(),
                                             &format, &w, &h, &bps, &spp, &cmap) != 0) {
    return fail(failure, "：无法识别的图片格式");
  }
  if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > maxPixels) return fail(failure, "：图片尺寸超出限制");
  PixPtr grey = decodeGrey(picture);
  if (!grey) return fail(failure, "：图片无法解码");

  int scale = 1;
  if (mode == OcrMode::kAccurate && std::max(w, h) <= kAccurateMaxSide) {
    PixPtr big(pixScaleGrayLI(grey.get(), 2.0f, 2.0f));
    if (big) {
      grey = std::move(big);
      scale = 2;
    }
  }

  api_->SetImage(grey.get());
  if (api_->Recognize(nullptr) != 0) {
    api_->Clear();
    return fail(failure, "：文字识别失败");
  }
  OcrResult result;
  std::unique_ptr<tesseract::ResultIterator> it(api_->GetIterator());
  if (it) {
    bool newParagraph = true;
    do {
      if (it->IsAtBeginningOf(tesseract::RIL_PARA)) newParagraph = true;
      if (it->Empty(tesseract::RIL_TEXTLINE)) continue;
      std::unique_ptr<char[]> raw(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
      std::string text = raw ? removeCjkBlanks(raw.get()) : std::string();
      if (text.empty()) continue;
      int left = 0, top = 0, right = 0, bottom = 0;
      it->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom);
      if (newParagraph || result.paragraphs.empty()) result.paragraphs.emplace_back();
      newParagraph = false;
      result.paragraphs.back().push_back(static_cast<int>(result.lines.size()));
      result.lines.push_back({std::move(text), top / scale, left / scale, (right - left) / scale, (bottom - top) / scale});
    } while (it->Next(tesseract::RIL_TEXTLINE));
  }
  api_->Clear();
  return result;
}

}  // namespace molan::server
