#pragma once

#include <QString>

namespace quorbel {

// The address of the advertisement list: the server base (scheme, host and
// port) + "/AD/AD002.txt". The base is QUORBEL_AD_SERVER from the environment
// when it is set and not empty, else the one chosen at build time.
QString ADListURL();

// True for an absolute http or https address (scheme compared without regard
// to case). Nothing else is ever fetched.
bool IsHttpURL(const QString &url);

} // namespace quorbel
