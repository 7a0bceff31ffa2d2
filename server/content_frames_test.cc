#include "server/content_frames.h"

#include <gtest/gtest.h>

#include "link/fields.h"
#include "link/frame.h"

namespace molan::server {
namespace {

TEST(ContentFrames, VersionFieldStandsRightBeforeForcedField) {
  const Bytes reply = versionReply("1.2.3.4", true);
  EXPECT_EQ(reply, Bytes("青柯<||||>墨澜<||||>取推送版本号返回<||||>客户端最新版本：1.2.3.4<||||>是否强制更新：是<||||>"));
  EXPECT_EQ(TextBetween(versionReply("2.0", false), "<||||>是否强制更新：", "<||||>"), "否");
}

TEST(ContentFrames, DownloadSeriesAsTheClientReadsIt) {
  const Bytes content = Bytes("ab<||||>cd") + Bytes(3, '\0') + "efghij";
  for (size_t chunk : {size_t{1}, size_t{4}, size_t{19}, size_t{1000}}) {
    const auto frames = downloadReplies("new.exe", content, chunk);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->size(), 2 + (content.size() + chunk - 1) / chunk);
    EXPECT_TRUE(hasStatus(frames->front(), "取新版本客户端返回", "传文件准备"));
    EXPECT_EQ(ReadInt32At(BytesBetween(frames->front(), "发送的块大小：", "<||||>")), static_cast<int32_t>(chunk));
    Bytes joined;
    for (size_t i = 1; i + 1 < frames->size(); ++i) {
      const Bytes& f = (*frames)[i];
      ASSERT_TRUE(hasStatus(f, "取新版本客户端返回", "正在传文件", true));
      EXPECT_EQ(ReadInt32At(BytesBetween(f, "文件大小：", "<||||>")), static_cast<int32_t>(content.size()));
      joined += BytesAfter(f, BytesBetween(f, "文件名：", "<||||>") + "<||||>");
    }
    EXPECT_EQ(joined, content);
    EXPECT_TRUE(hasStatus(frames->back(), "取新版本客户端返回", "传文件结束"));
    EXPECT_EQ(BytesBetween(frames->back(), "文件名：", "<||||>"), "new.exe");
  }
}

TEST(ContentFrames, EmptyFileAndUnusableNames) {
  const auto empty = downloadReplies("new.exe", "", 10);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->size(), 2u);
  // Names the client would misread: a separator, path characters, or a name
  // that already occurs before its own field in a chunk.
  for (const Bytes& name : {Bytes(""), Bytes("a<||||>b"), Bytes("dir/a.exe"), Bytes("a\\b"), Bytes("墨澜"),
                           Bytes("正在传文件"), Bytes("a\0b", 3)}) {
    EXPECT_FALSE(downloadReplies(name, "x", 10)) << name;
  }
}

TEST(ContentFrames, AnnouncementTextEndsTheFrame) {
  EXPECT_EQ(announcementReply("第一行\n第二行\r\n"),
            Bytes("青柯<||||>墨澜<||||>取公告返回<||||>开始发送公告文件<||||>第一行\r\n第二行\r\n"));
  const Bytes tricky = announcementReply(Bytes("a<||||>b\0c", 10));
  EXPECT_EQ(BytesAfter(tricky, "<||||>", true), "abc");
}

}  // namespace
}  // namespace molan::server
