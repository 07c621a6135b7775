#include "nodename.h"

#include <Inventor/SoPath.h>
#include <Inventor/nodes/SoNode.h>

SbName nearestName(const SoPath *path)
{
    for (int i = 0; i < path->getLength(); ++i) {
        const SbName name = path->getNodeFromTail(i)->getName();
        if (name.getLength() > 0)
            return name;
    }
    return SbName("");
}
