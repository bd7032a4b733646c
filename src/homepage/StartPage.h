#pragma once

#include <QString>

namespace quorbel {

// Where the browser's start page is kept for the current user.
inline const QString StartPageKey = QStringLiteral("HKEY_CURRENT_USER/SoftWare/MicroSoft/Internet Explorer/Main");
inline const QString StartPageValueName = QStringLiteral("Start Page");

// The current start page; the empty text when there is none or it cannot be
// read. Never throws and never shows anything.
void GetIEStartPage(QString &Page);

// Makes `Page` the start page, creating the key when it is missing. Throws
// AppError "Failed to set data for 'Start Page'" when it cannot be written.
void SetIEStartPage(const QString &Page);

} // namespace quorbel
