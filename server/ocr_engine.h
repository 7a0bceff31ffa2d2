#pragma once
// One Tesseract engine (languages loaded once) and the picture decoding in
// front of it. An engine is used by one thread at a time: the recognition pool
// gives every worker its own.
#include <memory>
#include <optional>
#include <string>

#include "link/bytes.h"
#include "server/ocr_result.h"

namespace tesseract {
class TessBaseAPI;
}

namespace molan::server {

// 标准 recognises the picture as sent. 高精度 first enlarges a picture whose
// longer side is at most kAccurateMaxSide pixels to twice its size (bilinear
// on the grey image), which helps the LSTM model with the small text of
// screenshots, at the cost of a four times larger picture; boxes are mapped back.
enum class OcrMode { kStandard, kAccurate };
inline constexpr int kAccurateMaxSide = 2000;

struct OcrFailure {
  Bytes reason;  // GBK, follows "服务器异常" in the status field
};

class OcrEngine {
 public:
  OcrEngine();
  ~OcrEngine();
  OcrEngine(const OcrEngine&) = delete;
  OcrEngine& operator=(const OcrEngine&) = delete;

  // Loads the languages; `tessdata` empty means the engine's default folder.
  bool init(const std::string& tessdata, const std::string& languages, std::string* error);

  // Decodes the picture (BMP, PNG, JPEG, GIF, TIFF, ...) and recognises it.
  // Pictures above `maxPixels` are refused before they are decoded.
  std::optional<OcrResult> recognize(BytesView picture, OcrMode mode, long long maxPixels, OcrFailure* failure);

 private:
  std::unique_ptr<tesseract::TessBaseAPI> api_;
};

// Silences Leptonica's messages on stderr; call once at start.
void quietPictureLibrary();

}  // namespace molan::server
