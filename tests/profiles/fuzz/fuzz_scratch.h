#pragma once
// The file the fuzz targets hand their input to the readers through: the
// readers under test read files, as they do in the program.
#include <QByteArray>
#include <QString>

namespace q31::fuzz {

// A private folder that lives as long as the process (on a memory file system
// when there is one).
QString ScratchFolder();

// Writes the input as the file (replacing what an earlier run left, including
// files kept aside) and returns its path.
QString PutInput(const QString& name, const uint8_t* data, size_t size);

}  // namespace q31::fuzz
