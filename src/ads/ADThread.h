#pragma once

#include "platform/HttpGet.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <string>

class QObject;

namespace quorbel {

class ADMessagePort;

// Messages that the advertisement workers post to the main form. They arrive
// on the GUI thread, in posting order, as ADMessageEvent (ads/ADMessages.h).
constexpr int WM_ADLISTREADY = 1024 + 3; // a new list has been stored; LPARAM 0
constexpr int WM_ADPICREADY = 1024 + 4;  // a picture has been stored; LPARAM = entry index

// Larger answers fail like any other failed download.
constexpr std::size_t MaxADListBytes = std::size_t(1) << 20;
constexpr std::size_t MaxADPictureBytes = std::size_t(8) << 20;

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

// The time limits given to workers started from now on. GUI thread only.
void SetADHttpTimeouts(const HttpTimeouts &timeouts);
HttpTimeouts ADHttpTimeouts();

// Workers started and not yet ended (they are never waited for).
int RunningADWorkers();

// The list refresh worker. It runs at once, owns copies of everything it uses,
// never touches the form and frees itself when done.
class TADThread
{
public:
    static void Create(std::shared_ptr<ADMessagePort> wnd, const QString &version, const QString &url,
                       const QString &fileName);

private:
    TADThread(std::shared_ptr<ADMessagePort> wnd, const QString &version, const QString &url,
              const QString &fileName);
    void Execute();
    void StoreList(const std::string &body);

    std::string FURL;
    QString FVersion;
    QString FFileName;
    std::shared_ptr<ADMessagePort> FWnd;
    HttpTimeouts FTimeouts;
};

// One picture download. Same life as TADThread.
class TGetPicThread
{
public:
    static void Create(std::shared_ptr<ADMessagePort> wnd, const QString &url, const QString &fileName, int index);

private:
    TGetPicThread(std::shared_ptr<ADMessagePort> wnd, const QString &url, const QString &fileName, int index);
    void Execute();

    std::string FURL;
    std::string FFileName;
    int FIndex;
    std::shared_ptr<ADMessagePort> FWnd;
    HttpTimeouts FTimeouts;
};

} // namespace quorbel
