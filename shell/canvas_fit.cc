#include "shell/canvas_fit.h"

namespace molan::shell {

PictureFit fitPicture(int cw, int ch, int pw, int ph) {
  if (pw <= 0 || ph <= 0) return {1.0f, 0, 0, 0, 0};
  if (pw <= cw && ph <= ch) return {1.0f, (cw - pw) / 2, (ch - ph) / 2, pw, ph};
  const double rw = static_cast<double>(cw) / pw;
  const double rh = static_cast<double>(ch) / ph;
  PictureFit fit{};
  if (rw - rh < -0.0000001) {
    fit.scale = static_cast<float>(rw);
    fit.x = 0;
    fit.y = static_cast<int>((ch - ph * static_cast<double>(fit.scale)) / 2);
  } else {
    fit.scale = static_cast<float>(rh);
    fit.x = static_cast<int>((cw - pw * static_cast<double>(fit.scale)) / 2);
    fit.y = 0;
  }
  fit.width = static_cast<int>(pw * static_cast<double>(fit.scale));
  fit.height = static_cast<int>(ph * static_cast<double>(fit.scale));
  return fit;
}

}  // namespace molan::shell
