#pragma once
// MessageFrame: fields each followed by "<||||>", beginning with the maker and
// product tags. Frames are byte strings; text fields are GBK.
#include <array>
#include <initializer_list>

#include "link/bytes.h"

namespace molan {

inline constexpr BytesView kSeparator = "<||||>";
inline constexpr BytesView kFrameTags = "青柯<||||>墨澜<||||>";
// Largest pack the transport carries, in bytes (0x3FFFFF).
inline constexpr size_t kMaxPackSize = 0x3FFFFF;

// "青柯<||||>墨澜<||||>" + command + "<||||>" then each field + "<||||>".
// Fields may be text or raw bytes; they are appended unchanged.
Bytes buildFrame(BytesView command, std::initializer_list<BytesView> fields = {});

// The leading fields by which a reply is recognised:
// "青柯<||||>墨澜<||||>" + reply name + "<||||>".
Bytes ReplyPrefix(BytesView replyName);

// A frame begins with a prefix when the prefix's first occurrence is at byte 0.
bool beginsWith(BytesView frame, BytesView prefix);

// The reply carries `status` as its status field: it begins with the reply
// prefix, the status and "<||||>" (or, with open = true, the status alone,
// for "服务器异常" and "正在传文件", whatever follows them).
bool hasStatus(BytesView frame, BytesView replyName, BytesView status, bool open = false);

// The reply name of a request command: the command followed by "返回".
Bytes replyNameOf(BytesView command);

// The twelve commands the client speaks, in the order of the reply dispatch.
struct CommandInfo {
  BytesView command;
  BytesView replyName;
};
inline constexpr std::array<CommandInfo, 12> kCommandIndex = {{
    {"取推送版本号", "取推送版本号返回"},
    {"取新版本客户端", "取新版本客户端返回"},
    {"注册账号", "注册账号返回"},
    {"登录", "登录返回"},
    {"安全验证", "安全验证返回"},
    {"设置新密码", "设置新密码返回"},
    {"取公告", "取公告返回"},
    {"反馈留言", "反馈留言返回"},
    {"通用文字识别_标准", "通用文字识别_标准返回"},
    {"通用文字识别_标准含位置", "通用文字识别_标准含位置返回"},
    {"通用文字识别_高精度", "通用文字识别_高精度返回"},
    {"通用文字识别_高精度含位置", "通用文字识别_高精度含位置返回"},
}};
// The first kFirstChainSize entries form one chain (the first match ends it);
// the rest are tested afterwards for every frame.
inline constexpr size_t kFirstChainSize = 8;

inline constexpr BytesView kBusyStatus = "服务器网络繁忙";

}  // namespace molan
