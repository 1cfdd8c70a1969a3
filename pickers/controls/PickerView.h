// What the database pickers need of the main view; the view implements it
// and hands itself to the pickers of its editors.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

class CPickerView
{
public:
    virtual ~CPickerView() = default;
    // The document's open connection; null without one.
    virtual CDatabase* GetDatabase() const = 0;
};
