#include "shell/main_window_controls_win.h"

#include <commctrl.h>

#include <deque>
#include <vector>

#include "shell/canvas_win.h"
#include "shell/main_window_names.h"

namespace molan::shell {
namespace {

constexpr DWORD kVisible = WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kPanel = kVisible | WS_CLIPCHILDREN;
constexpr DWORD kOwnerButton = kVisible | BS_OWNERDRAW;
constexpr DWORD kLabel = kVisible | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
constexpr DWORD kTab = kVisible | WS_CLIPCHILDREN;

constexpr PageAction kPageActions[] = {
    {L"图片", 0, L"导入图片，支持bmp、jpg、png格式"},
    {L"截图", 56, L"可能就是你想的那种截图"},
    {L"识别", 144, L"提取出图片中的文字"},
    {L"复制", 240, L"一键复制右侧的识别结果"},
    {L"导出", 296, L"导出识别结果到文档"},
};

// The fixed part: title bar and the outer tab controls.
constexpr win::ControlSpec kTitleBar[] = {
    {L"外形框_标题栏", kPanelClass, kPanel, 0, 0, 1280, 80, L"", 100},
    {L"图片框_图标", WC_STATICW, kVisible | SS_OWNERDRAW, 24, 24, 32, 32, L"", 101, L"外形框_标题栏"},
    {L"透明标签_标题", WC_STATICW, kLabel, 64, 24, 48, 32, L"墨澜", 102, L"外形框_标题栏"},
    {L"透明标签_标题1", WC_STATICW, kLabel, 116, 36, 76, 16, L"文字识别 OCR", 103, L"外形框_标题栏"},
    {L"超级按钮_通用", WC_BUTTONW, kOwnerButton, 304, 28, 40, 24, L"通用", 110, L"外形框_标题栏"},
    {L"外形框_通用", kPanelClass, kVisible, 304, 64, 40, 2, L"", 120, L"外形框_标题栏"},
    {L"超级按钮_卡证", WC_BUTTONW, kOwnerButton, 376, 28, 40, 24, L"卡证", 111, L"外形框_标题栏"},
    {L"外形框_卡证", kPanelClass, 0, 376, 64, 40, 2, L"", 121, L"外形框_标题栏"},
    {L"超级按钮_财务票据", WC_BUTTONW, kOwnerButton, 448, 28, 72, 24, L"财务票据", 112, L"外形框_标题栏"},
    {L"外形框_财务票据", kPanelClass, 0, 448, 64, 72, 2, L"", 122, L"外形框_标题栏"},
    {L"超级按钮_医疗票据", WC_BUTTONW, kOwnerButton, 552, 28, 72, 24, L"医疗票据", 113, L"外形框_标题栏"},
    {L"外形框_医疗票据", kPanelClass, 0, 552, 64, 72, 2, L"", 123, L"外形框_标题栏"},
    {L"超级按钮_汽车", WC_BUTTONW, kOwnerButton, 656, 28, 40, 24, L"汽车", 114, L"外形框_标题栏"},
    {L"外形框_汽车", kPanelClass, 0, 656, 64, 40, 2, L"", 124, L"外形框_标题栏"},
    {L"超级按钮_教育", WC_BUTTONW, kOwnerButton, 728, 28, 40, 24, L"教育", 115, L"外形框_标题栏"},
    {L"外形框_教育", kPanelClass, 0, 728, 64, 40, 2, L"", 125, L"外形框_标题栏"},
    {L"超级按钮_其他", WC_BUTTONW, kOwnerButton, 800, 28, 40, 24, L"其他", 116, L"外形框_标题栏"},
    {L"外形框_其他", kPanelClass, 0, 800, 64, 40, 2, L"", 126, L"外形框_标题栏"},
    {L"外形框_账户", kPanelClass, WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 896, 48, 184, 24, L"", 130, L"外形框_标题栏"},
    {L"图片框_账户", WC_STATICW, kVisible | SS_OWNERDRAW | SS_NOTIFY, 0, 0, 24, 24, L"", 131, L"外形框_账户"},
    {L"透明标签_账户", WC_STATICW, kLabel | SS_NOTIFY, 32, 0, 104, 24, L"", 132, L"外形框_账户"},
    {L"超级按钮_注册", WC_BUTTONW, kOwnerButton, 944, 32, 56, 16, L"注册", 140, L"外形框_标题栏"},
    {L"超级按钮_登录", WC_BUTTONW, kOwnerButton, 1000, 32, 56, 16, L"登录", 141, L"外形框_标题栏"},
    {L"图形按钮_分享", WC_BUTTONW, kOwnerButton, 1064, 32, 16, 16, L"", 150, L"外形框_标题栏"},
    {L"图形按钮_消息", WC_BUTTONW, kOwnerButton, 1088, 32, 16, 16, L"", 151, L"外形框_标题栏"},
    {L"图形按钮_综合", WC_BUTTONW, kOwnerButton, 1112, 32, 16, 16, L"", 152, L"外形框_标题栏"},
    {L"图形按钮_最小化", WC_BUTTONW, kOwnerButton, 1152, 32, 16, 16, L"", 153, L"外形框_标题栏"},
    {L"图形按钮_最大化", WC_BUTTONW, kOwnerButton, 1192, 32, 16, 16, L"", 154, L"外形框_标题栏"},
    {L"图形按钮_关闭", WC_BUTTONW, kOwnerButton, 1232, 32, 16, 16, L"", 155, L"外形框_标题栏"},
    {L"选择夹_主", WC_TABCONTROLW, kTab, 0, 80, 1280, 640, L"", 200},
    {L"外形框_通用_功能列表", kPanelClass, kPanel, 0, 0, 192, 616, L"", 201, L"选择夹_主"},
    {L"选择夹_通用", WC_TABCONTROLW, kTab, 192, 0, 1088, 616, L"", 202, L"选择夹_主"},
    {L"高级选择夹_通用文字识别", WC_TABCONTROLW, kTab | TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED, 0, 0, 1072, 584, L"",
     203, L"选择夹_通用"},
};

std::deque<std::wstring>& nameStore() {
  static std::deque<std::wstring> store;  // stable addresses for the generated names
  return store;
}
const wchar_t* keep(std::wstring text) { return nameStore().emplace_back(std::move(text)).c_str(); }

void addFunctionList(std::vector<win::ControlSpec>& table) {
  for (int k = 0; k < kFunctionCount; ++k) {
    const std::wstring f = kFunctions[static_cast<size_t>(k)];
    const int y = 8 + 48 * k;
    table.push_back({keep(L"图片框_" + f), WC_STATICW, (k == 0 ? kVisible : 0) | SS_OWNERDRAW, 8, y, 24, 48, L"",
                     300 + k, L"外形框_通用_功能列表"});
    table.push_back({keep(L"超级按钮_" + f), WC_BUTTONW, kOwnerButton, 32, y, 160, 48,
                     kFunctionCaptions[static_cast<size_t>(k)], 310 + k, L"外形框_通用_功能列表"});
  }
}

void addVariantPage(std::vector<win::ControlSpec>& table, int v) {
  const DWORD shown = v == 0 ? kVisible : WS_CLIPSIBLINGS;
  const int id = 400 + 20 * v;
  const wchar_t* tab = L"高级选择夹_通用文字识别";
  table.push_back({keep(pageControlName(L"透明标签", v, L"原图")), WC_STATICW, shown | SS_LEFT | SS_CENTERIMAGE, 8, 40,
                   96, 24, L"原    图    >", id, tab});
  table.push_back({keep(pageControlName(L"透明标签", v, L"结果")), WC_STATICW, shown | SS_LEFT | SS_CENTERIMAGE, 408,
                   40, 96, 24, L"结    果    >", id + 1, tab});
  table.push_back({keep(pageControlName(L"画板", v, L"原图")), win::kCanvasClass, shown, 8, 72, 440, 504, L"", id + 2,
                   tab});
  table.push_back({keep(pageControlName(L"编辑框", v, L"结果")), WC_EDITW,
                   shown | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL, 552, 72, 464, 496,
                   L"", id + 3, tab});
  const wchar_t* column = keep(pageControlName(L"外形框", v, L"按钮"));
  table.push_back({column, kPanelClass, shown | WS_CLIPCHILDREN, 472, 120, 64, 328, L"", id + 4, tab});
  int n = 5;
  for (const PageAction& a : kPageActions) {
    table.push_back({keep(pageControlName(L"超级按钮", v, a.action)), WC_BUTTONW, kOwnerButton, 0, a.y, 64, 32,
                     a.action, id + n++, column});
  }
}

std::vector<win::ControlSpec> buildTable() {
  std::vector<win::ControlSpec> table(std::begin(kTitleBar), std::end(kTitleBar));
  addFunctionList(table);
  for (int v = 0; v < kVariantCount; ++v) addVariantPage(table, v);
  return table;
}

}  // namespace

std::wstring pageControlName(const wchar_t* kind, int variant, const wchar_t* role) {
  return std::wstring(kind) + L"_通用_通用文字识别_" + kVariants[static_cast<size_t>(variant)] + L"_" + role;
}

std::span<const win::ControlSpec> mainWindowControls() {
  static const std::vector<win::ControlSpec> table = buildTable();
  return table;
}

TabPageMember tabPageOf(const std::wstring& name) {
  if (name == L"外形框_通用_功能列表" || name == L"选择夹_通用") return {L"选择夹_主", 0};
  if (name == L"高级选择夹_通用文字识别") return {L"选择夹_通用", 0};
  for (int v = 0; v < kVariantCount; ++v) {
    for (const wchar_t* role : {L"透明标签|原图", L"透明标签|结果", L"画板|原图", L"编辑框|结果", L"外形框|按钮"}) {
      const std::wstring r = role;
      const size_t bar = r.find(L'|');
      if (name == pageControlName(r.substr(0, bar).c_str(), v, r.substr(bar + 1).c_str()))
        return {L"高级选择夹_通用文字识别", v};
    }
  }
  return {nullptr, -1};
}

std::span<const PageAction> pageActions() { return kPageActions; }

}  // namespace molan::shell
