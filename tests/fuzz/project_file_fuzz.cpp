// Any byte sequence given to the project file reader is refused with a reason or read into a
// project that writes bytes reading back to the same bytes; the reader never crashes or overreads.
#include <cstdint>
#include <cstdlib>

#include "model/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    rqx::FileHeader header;
    rqx::ParseFileHeader(bytes, header);

    rqx::Project project;
    QString reason;
    if (!rqx::ParseProject(bytes, project, &reason)) {
        if (reason.isEmpty())
            std::abort();
        return 0;
    }
    const QByteArray written = rqx::SerializeProject(project);
    rqx::Project again;
    if (!rqx::ParseProject(written, again, &reason) || rqx::SerializeProject(again) != written)
        std::abort();
    return 0;
}
