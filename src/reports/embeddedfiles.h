#pragma once
// Files built into the program (the race viewer's script, style and page): the build turns
// them into byte arrays with cmake/EmbedFiles.cmake.
#include <QByteArray>

namespace Embedded {

struct EmbeddedFile {
    const char* name;  // the file's name without folder; null ends a table
    const char* data;
    int size;
};

// The race viewer's files, in the order the build lists them.
extern const EmbeddedFile ViewerFiles[];

// The bytes of the named file of a table; empty when there is none.
QByteArray FileBytes(const EmbeddedFile* table, const char* name);

}  // namespace Embedded
