#include "app/UnitSortivo.h"

#include "ads/ADFreshness.h"
#include "ads/ADListFile.h"
#include "ads/ADServer.h"
#include "ads/ADThread.h"
#include "app/AppPath.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

using namespace quorbel;

namespace {

QString SupFolder()
{
    return AppPath + QStringLiteral("Sup/");
}

QString CacheFile()
{
    return SupFolder() + QStringLiteral("Ad.his");
}

} // namespace

void TFrmSortivo::LoadADList()
{
    // The rotation period starts anew from this moment, whatever happens below.
    struct RestartTimer
    {
        QTimer *timer;
        ~RestartTimer()
        {
            timer->stop();
            timer->start();
        }
    } restart{TimerAD};

    QDir().mkpath(SupFolder());
    FADList.clear();
    if (!QFileInfo::exists(CacheFile()))
        return;
    FADList = ParseADEntries(LoadTextLines(CacheFile()));
}

void TFrmSortivo::CheckADUpdate()
{
    const TADHeader header = ReadADHeader(CacheFile(), QLocale::system());
    if (IsADListFresh(header, QDateTime::currentDateTime()))
        return;
    StartADThread(this, header.Version, ADListURL(), CacheFile());
}
