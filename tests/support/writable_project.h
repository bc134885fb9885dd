#pragma once
// Tests set the document's project up directly, as a file read would; the program itself changes it only
// through the document's calls.

#include "document/project_document.h"

namespace rqx::test {

inline Project &Writable(ProjectDocument &doc)
{
    return doc.recordedEdit([](Project &project) -> Project & { return project; });
}

}  // namespace rqx::test
