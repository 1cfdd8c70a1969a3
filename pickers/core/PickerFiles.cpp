#include "pickers/core/PickerFiles.h"
#include "pickers/core/Colour.h"
#include "pickers/core/LineTypes.h"

#include <objbase.h>

#include <future>
#include <string>

namespace {

// The program's lists, and the program's files found damaged as they were
// read (their paths; empty when read whole, or absent).
struct PickerLists
{
    OZU_ColourArray palette;
    LineTypeArray lineTypes;
    std::string damagedPalette;
    std::string damagedLineTypes;
};

PickerLists& Lists()
{
    static PickerLists lists;
    return lists;
}

const std::shared_future<void>& Reading()
{
    // The lists are made before the read starts, so that they outlive it: at
    // an exit while the files are still read (a second start that gives way
    // to the first), the read is waited for before the lists go. The read
    // writes nothing else.
    static const std::shared_future<void> reading = (Lists(), std::async(std::launch::async, [] {
        PickerLists& lists = Lists();
        const std::string folder = ProgramFolder();
        // One apartment for both files, so that the XML library is loaded
        // once for them.
        const HRESULT hr = ::CoInitialize(nullptr);
        bool damaged = false;
        const std::string lineTypes = folder + "Linetype.vclnt";
        lists.lineTypes = LoadLineTypesFrom(lineTypes, &damaged);
        lists.damagedLineTypes = damaged ? lineTypes : std::string();
        lists.palette = LoadColourPaletteFrom(folder, &damaged);
        lists.damagedPalette = damaged ? folder + "VGA.vcpal" : std::string();
        if (SUCCEEDED(hr))
            ::CoUninitialize();
    }).share());
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

std::string DamagedPaletteFile()
{
    Reading().wait();
    return Lists().damagedPalette;
}

std::string DamagedLineTypeFile()
{
    Reading().wait();
    return Lists().damagedLineTypes;
}
