#pragma once
// Files the user cannot afford to lose: written so that a crash, a kill or a
// full disk leaves either the old or the new content, and never overwritten
// when they cannot be read.
#include <QByteArray>
#include <QString>

namespace q31 {

// Writes the bytes to a temporary file in the same folder, flushes it to disk
// and renames it over the file. False (with a debug line) when any step failed;
// the old file is then as it was.
bool WriteFileSafely(const QString& path, const QByteArray& bytes);

// Renames a file that exists but cannot be used to "<path>.bad" (or
// "<path>.bad.1", "<path>.bad.2", ... when earlier ones are there), so that the
// default that replaces it loses nothing. True when there was nothing to keep or
// the file was moved aside.
bool KeepUnreadableFile(const QString& path);

// Copies a file that is about to be rewritten with part of it left out to the
// next free ".bad" name; the file itself stays until the rewrite replaces it.
// True when there was nothing to keep or the copy was made.
bool KeepCopyOfFile(const QString& path);

}  // namespace q31
