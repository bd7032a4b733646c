#pragma once

#include <QByteArray>
#include <QString>

namespace quorbel {

// The picture reader for an advertisement picture file, chosen by the file's
// extension without regard to case: "bmp", "ico", "jpeg" (for .jpg and
// .jpeg), "gif", "wmf" and "emf". An empty result means the extension has no
// reader and the file fails to load. Whether a reader of that name is present
// is for the image library to say (Qt has none for wmf and emf).
QByteArray ADPictureFormat(const QString &fileName);

} // namespace quorbel
