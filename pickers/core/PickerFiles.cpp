#include "pickers/core/PickerFiles.h"
#include "pickers/core/Colour.h"
#include "pickers/core/LineTypes.h"

#include <objbase.h>

#include <future>

namespace {

struct PickerLists
{
    OZU_ColourArray palette;
    LineTypeArray lineTypes;
};

PickerLists& Lists()
{
    static PickerLists lists;
    return lists;
}

const std::shared_future<void>& Reading()
{
    static const std::shared_future<void> reading = std::async(std::launch::async, [] {
        // One apartment for both files, so that the XML library is loaded
        // once for them.
        const HRESULT hr = ::CoInitialize(nullptr);
        Lists().lineTypes = LoadLineTypes();
        Lists().palette = LoadColourPalette();
        if (SUCCEEDED(hr))
            ::CoUninitialize();
    }).share();
    return reading;
}

} // namespace

void StartReadingPickerFiles()
{
    Reading();
}

OZU_ColourArray& ColourPalette()
{
    Reading().wait();
    return Lists().palette;
}

LineTypeArray& LineTypeList()
{
    Reading().wait();
    return Lists().lineTypes;
}
