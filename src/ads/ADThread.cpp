#include "ads/ADThread.h"

namespace quorbel {

void StartADThread(QObject *, const QString &, const QString &, const QString &) {}

void StartGetPicThread(QObject *, const QString &, const QString &, const QString &, int) {}

void ClearFolder(const QString &) {}

} // namespace quorbel
