#include "ads/ADThread.h"

#include "ads/ADListFile.h"
#include "ads/ADMessages.h"
#include "ads/ADPicPath.h"
#include "ads/ADServer.h"
#include "platform/ReplacingFile.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <atomic>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quorbel {

namespace {

// Worker bookkeeping lives in objects that are never destroyed: workers may
// still use them while the program ends.
std::atomic<int> g_runningWorkers{0};

struct PicturesInFlight
{
    std::mutex mutex;
    std::set<std::string> files;
};

PicturesInFlight &InFlight()
{
    static auto *inFlight = new PicturesInFlight();
    return *inFlight;
}

bool ClaimPicture(const std::string &file)
{
    PicturesInFlight &inFlight = InFlight();
    std::lock_guard<std::mutex> lock(inFlight.mutex);
    return inFlight.files.insert(file).second;
}

void ReleasePicture(const std::string &file)
{
    PicturesInFlight &inFlight = InFlight();
    std::lock_guard<std::mutex> lock(inFlight.mutex);
    inFlight.files.erase(file);
}

HttpTimeouts &Timeouts()
{
    static HttpTimeouts timeouts;
    return timeouts;
}

std::string NativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Runs `body` on a detached thread that owns `worker`. The count of running
// workers covers the whole life of the thread.
template <typename Worker>
void RunDetached(std::unique_ptr<Worker> worker, void (Worker::*body)())
{
    ++g_runningWorkers;
    try {
        std::thread([worker = std::move(worker), body]() mutable {
            try {
                ((*worker).*body)();
            } catch (...) {
                // Every failure of a download is silent.
            }
            worker.reset();
            --g_runningWorkers;
        }).detach();
    } catch (...) {
        --g_runningWorkers;
        throw;
    }
}

} // namespace

void SetADHttpTimeouts(const HttpTimeouts &timeouts)
{
    Timeouts() = timeouts;
}

HttpTimeouts ADHttpTimeouts()
{
    return Timeouts();
}

int RunningADWorkers()
{
    return g_runningWorkers.load();
}

// --- TADThread ---------------------------------------------------------------

TADThread::TADThread(std::shared_ptr<ADMessagePort> wnd, const QString &version, const QString &url,
                     const QString &fileName)
    : FURL(url.toStdString()), FVersion(version), FFileName(fileName), FWnd(std::move(wnd)),
      FTimeouts(ADHttpTimeouts())
{
}

void TADThread::Create(std::shared_ptr<ADMessagePort> wnd, const QString &version, const QString &url,
                       const QString &fileName)
{
    HttpGlobalInit();
    std::unique_ptr<TADThread> thread(new TADThread(std::move(wnd), version, url, fileName));
    RunDetached(std::move(thread), &TADThread::Execute);
}

void TADThread::Execute()
{
    std::string body;
    if (!HttpGetBytes(FURL, MaxADListBytes, FTimeouts, body))
        return;
    // Reading, converting and storing use Qt; the form, and so the application
    // object, outlives this step or it does not run at all.
    FWnd->whileAttached([this, &body] { StoreList(body); });
}

void TADThread::StoreList(const std::string &body)
{
    const QStringList lines = SplitTextLines(QByteArray::fromStdString(body));
    if (!IsValidServedList(lines))
        return;
    if (ServedListVersion(lines) == FVersion)
        return;
    const QStringList cache = ServedListToCache(lines, QDateTime::currentDateTime(), QLocale::system());
    const QByteArray bytes = EncodeTextLines(cache);

    ClearFolder(FFileName.left(FFileName.lastIndexOf(QLatin1Char('/')) + 1));
    if (!ReplacingFile::WriteWhole(NativePath(FFileName), bytes.constData(), std::size_t(bytes.size())))
        return;
    FWnd->post(WM_ADLISTREADY, 0);
}

// --- TGetPicThread -------------------------------------------------------------

TGetPicThread::TGetPicThread(std::shared_ptr<ADMessagePort> wnd, const QString &url, const QString &fileName,
                             int index)
    : FURL(url.toStdString()), FFileName(NativePath(fileName)), FIndex(index), FWnd(std::move(wnd)),
      FTimeouts(ADHttpTimeouts())
{
}

void TGetPicThread::Create(std::shared_ptr<ADMessagePort> wnd, const QString &url, const QString &fileName,
                           int index)
{
    HttpGlobalInit();
    std::unique_ptr<TGetPicThread> thread(new TGetPicThread(std::move(wnd), url, fileName, index));
    RunDetached(std::move(thread), &TGetPicThread::Execute);
}

void TGetPicThread::Execute()
{
    struct Release
    {
        const std::string &file;
        ~Release() { ReleasePicture(file); }
    } release{FFileName};

    ReplacingFile file(FolderOf(FFileName));
    if (!file.isOpen())
        return;
    const bool downloaded = HttpGet(FURL, MaxADPictureBytes, FTimeouts, [&file](const char *data, std::size_t size) {
        return file.write(data, size);
    });
    if (!downloaded || !file.commit(FFileName))
        return;
    FWnd->post(WM_ADPICREADY, FIndex);
}

// --- Starting workers and clearing the folder ---------------------------------------

void StartADThread(QObject *receiver, const QString &version, const QString &url, const QString &cacheFile)
{
    if (!receiver || !IsHttpURL(url))
        return;
    try {
        TADThread::Create(ADMessagePort::of(receiver), version, url, cacheFile);
    } catch (...) {
        // No thread, no refresh: the panel keeps what it has.
    }
}

void StartGetPicThread(QObject *receiver, const QString &url, const QString &supFolder, const QString &picFile,
                       int index)
{
    if (!receiver || !IsBarePicFileName(picFile) || !IsHttpURL(url))
        return;
    QString folder = supFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString fileName = folder + picFile;
    const std::string claimed = NativePath(fileName);
    if (!ClaimPicture(claimed))
        return;
    try {
        TGetPicThread::Create(ADMessagePort::of(receiver), url, fileName, index);
    } catch (...) {
        ReleasePicture(claimed);
    }
}

void ClearFolder(const QString &folder)
{
    const std::string path = NativePath(folder);
    DIR *dir = ::opendir(path.empty() ? "." : path.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info;
        if (::fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
            ::unlinkat(dirFd, name.c_str(), 0);
    }
    ::closedir(dir);
}

} // namespace quorbel
