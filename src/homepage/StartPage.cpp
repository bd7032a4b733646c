#include "homepage/StartPage.h"

#include "homepage/UserRegistry.h"

namespace quorbel {

void GetIEStartPage(QString &Page)
{
    Page = ReadUserRegistryString(StartPageKey, StartPageValueName);
}

void SetIEStartPage(const QString &Page)
{
    WriteUserRegistryString(StartPageKey, StartPageValueName, Page);
}

} // namespace quorbel
