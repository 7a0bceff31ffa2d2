#pragma once
// The client's folders and start-up files. Paths are GBK text with "\".
#include "link/bytes.h"

namespace molan::app {

// Folder of the running executable (no trailing "\").
Bytes runFolder();
// The file name of the running executable.
Bytes ownExeName();
// The per-user roaming application-data folder, with a trailing "\".
Bytes appDataFolder();

// Returns when a file or folder of that name exists or has been made (one
// level); otherwise shows "创建目录失败，编号<code>，…" and ends the process.
void ensureFolder(BytesView path, BytesView code);
// Returns when the file exists (left alone) or has been written with `bytes`;
// otherwise shows "创建文件失败，编号<code>，…" and ends the process.
void ensureFile(BytesView path, BytesView code, BytesView bytes);

// Puts HPSocket4C.dll (carried as a resource) beside the executable. An
// existing file that cannot be deleted is kept and used; a failed write shows
// "写出HPSocket4C.dll文件失败！" and ends the process.
void writeNetworkLibrary();
Bytes networkLibraryPath();

}  // namespace molan::app
