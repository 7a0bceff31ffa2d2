#pragma once
// Design names of the main window's navigation: the seven categories, the
// seven functions of category 通用 and the four recognition variants, each in
// the order of its tab pages (index 0 first).
#include <array>

namespace molan::shell {

inline constexpr int kCategoryCount = 7;
inline constexpr int kFunctionCount = 7;
inline constexpr int kVariantCount = 4;

inline constexpr std::array<const wchar_t*, kCategoryCount> kCategories = {
    L"通用", L"卡证", L"财务票据", L"医疗票据", L"汽车", L"教育", L"其他"};

inline constexpr std::array<const wchar_t*, kFunctionCount> kFunctions = {
    L"通用文字识别", L"办公文档识别", L"网络图片文字识别", L"数字识别",
    L"手写文字识别", L"表格文字识别", L"二维码识别"};

// Captions of the function buttons, padded with blanks so that they line up.
inline constexpr std::array<const wchar_t*, kFunctionCount> kFunctionCaptions = {
    L"  通用文字识别          ", L"办公文档识别          ", L"网络图片文字识别    ",
    L"数字识别                ", L"手写文字识别          ", L"表格文字识别          ",
    L"二维码识别             "};

inline constexpr std::array<const wchar_t*, kVariantCount> kVariants = {L"标准", L"标准含位置", L"高精度",
                                                                        L"高精度含位置"};
inline constexpr std::array<const wchar_t*, kVariantCount> kVariantCaptions = {
    L"【标准】", L"【标准含位置】", L"【高精度】", L"【高精度含位置】"};

// Items of the menu "设置菜单", top to bottom.
inline constexpr std::array<const wchar_t*, 5> kMenuItems = {L"公告", L"版本升级", L"反馈留言", L"设置", L"关于"};

}  // namespace molan::shell
