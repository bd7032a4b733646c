#pragma once

#include <QString>

class QObject;

namespace quorbel {

// Messages that the advertisement workers post to the main form. They arrive
// on the GUI thread, in posting order, as ADMessageEvent (ads/ADMessages.h).
constexpr int WM_ADLISTREADY = 1024 + 3; // a new list has been stored; LPARAM 0
constexpr int WM_ADPICREADY = 1024 + 4;  // a picture has been stored; LPARAM = entry index

// Starts a TADThread: fetches the list at `url` and, when it is valid and its
// version differs from `version`, empties the cache's folder, stores the list in
// `cacheFile` and posts WM_ADLISTREADY to `receiver`. GUI thread only.
void StartADThread(QObject *receiver, const QString &version, const QString &url, const QString &cacheFile);

// Starts a TGetPicThread: fetches the picture at `url` into a temporary file in
// `supFolder` (which ends in "/"), renames it to `picFile` when complete, then
// posts WM_ADPICREADY with `index` to `receiver`. Nothing starts for a `picFile`
// that is not a bare file name, for an address that is not http or https, or
// for a picture that is being fetched already. GUI thread only.
void StartGetPicThread(QObject *receiver, const QString &url, const QString &supFolder, const QString &picFile,
                       int index);

// Deletes the regular files of `folder` (hidden ones too) and symbolic links
// themselves, never what they point to; sub-folders and other kinds of entries
// stay. A deletion that fails is ignored.
void ClearFolder(const QString &folder);

} // namespace quorbel
