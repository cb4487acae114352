#pragma once

#include <QString>

// Copies a host file over another one through a temporary file beside the target, renamed into
// place at the end, so the target is either the old file or a whole copy, never a torn one.
// With keepModified the copy gets the source's last-modified time, as a Windows copy does.
bool copyFileReplacing(const QString &fromHost, const QString &toHost, bool keepModified,
                       QString *error = nullptr);
