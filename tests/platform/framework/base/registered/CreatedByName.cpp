// A class of a library of its own that no code names: only its registration
// for creation by name reaches it.
#include "platform/framework/base/Object.h"

class CCreatedOnlyByName : public CObject
{
    DECLARE_DYNCREATE(CCreatedOnlyByName)
public:
    CCreatedOnlyByName() = default;
};

IMPLEMENT_DYNCREATE(CCreatedOnlyByName, CObject)
