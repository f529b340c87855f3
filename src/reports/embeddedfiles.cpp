#include "reports/embeddedfiles.h"

#include <cstring>

namespace Embedded {

QByteArray FileBytes(const EmbeddedFile* table, const char* name)
{
    for (const EmbeddedFile* file = table; file->name; ++file)
        if (std::strcmp(file->name, name) == 0) return QByteArray(file->data, file->size);
    return QByteArray();
}

}  // namespace Embedded
