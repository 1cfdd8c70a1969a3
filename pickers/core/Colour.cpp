#include "pickers/core/Colour.h"
#include "pickers/core/NumberText.h"
#include "platform/theme/ColorSpace.h"
#include "platform/xml/XmlDocument.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

/////////////////////////////////////////////////////////////////////////////
// OZU_Colour

OZU_Colour::OZU_Colour() : OZU_Colour(0, 255, 0, 0, -1)
{
}

OZU_Colour::OZU_Colour(BYTE red, BYTE green, BYTE blue, BYTE alpha, short index)
    : m_red(red), m_green(green), m_blue(blue), m_alpha(alpha), m_index(index)
{
}

OZU_Colour::OZU_Colour(BYTE red, BYTE green, BYTE blue, BYTE alpha) : OZU_Colour(red, green, blue, alpha, -1)
{
}

OZU_Colour::OZU_Colour(COLORREF value)
    : OZU_Colour((BYTE)(value & 0xFF), (BYTE)((value >> 8) & 0xFF), (BYTE)((value >> 16) & 0xFF),
                 (BYTE)((value >> 24) & 0xFF), -1)
{
}

namespace {

// channel x 255 truncated toward zero, low 8 bits kept. A channel far out of
// range (or not a number) gives 0 rather than an undefined conversion.
BYTE ChannelFromFloat(float channel)
{
    double scaled = (double)channel * 255.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 2147483647.0)
        return 0;
    return (BYTE)((long)scaled & 0xFF);
}

} // namespace

OZU_Colour::OZU_Colour(float red, float green, float blue, float alpha)
    : OZU_Colour(ChannelFromFloat(red), ChannelFromFloat(green), ChannelFromFloat(blue), ChannelFromFloat(alpha), -1)
{
}

COLORREF OZU_Colour::GetColourValue() const
{
    return (COLORREF)m_red | ((COLORREF)m_green << 8) | ((COLORREF)m_blue << 16) | ((COLORREF)m_alpha << 24);
}

bool OZU_Colour::operator==(const OZU_Colour& other) const
{
    return m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue && m_alpha == other.m_alpha;
}

short OZU_Colour::GetNearestIndex() const
{
    return GetNearestIndex(ColourPalette());
}

short OZU_Colour::GetNearestIndex(const OZU_ColourArray& palette) const
{
    if (m_index != -1)
        return m_index;
    int best = 3 * 255;
    short result = -1;
    uint32_t count = palette.GetSize() < (uint32_t)PALETTE_SIZE ? palette.GetSize() : (uint32_t)PALETTE_SIZE;
    for (uint32_t i = 0; i < count; ++i) {
        const OZU_Colour& entry = palette[i];
        if (entry == *this)
            return entry.GetIndex();
        int distance = std::abs((int)m_red - entry.m_red) + std::abs((int)m_green - entry.m_green) +
                       std::abs((int)m_blue - entry.m_blue);
        if (distance < best) {
            best = distance;
            result = entry.GetIndex();
        }
    }
    return result;
}

/////////////////////////////////////////////////////////////////////////////
// Hue, lightness and saturation (0..240)

COLORREF HLSToColour(WORD hue, WORD lightness, WORD saturation)
{
    return HLStoRGB(hue, lightness, saturation);
}

OZU_HLS ColourToHLS(COLORREF colour)
{
    // The hue comes back within 0..240 (a hue just below red is 23x, not a
    // number beyond the scale).
    OZU_HLS hls;
    RGBtoHLS(colour, &hls.hue, &hls.lightness, &hls.saturation);
    return hls;
}

/////////////////////////////////////////////////////////////////////////////
// The palette

namespace {

struct HueBlock
{
    int first, last;   // positions
    WORD hue;
    int base;
    WORD saturation;
    int stepChange;    // from this position on the step is 7.75
};

const HueBlock kHueBlocks[] = {
    { 17, 46, 160, 17, 240, 32 },     { 47, 78, 191, 49, 240, 64 },
    { 79, 110, 222, 81, 240, 96 },    { 111, 142, 13, 113, 240, 128 },
    { 143, 174, 44, 145, 240, 160 },  { 175, 206, 75, 177, 240, 192 },
    { 207, 238, 106, 209, 240, 224 }, { 239, 255, 160, 240, 0, 256 },
};

const BYTE kFixedColours[17][3] = {
    { 0, 0, 0 },     { 0, 0, 128 },   { 0, 128, 0 },     { 0, 128, 128 },   { 128, 0, 0 },   { 128, 0, 128 },
    { 128, 128, 0 }, { 128, 128, 128 }, { 192, 192, 192 }, { 0, 0, 255 },   { 0, 255, 0 },   { 0, 255, 255 },
    { 255, 0, 0 },   { 255, 0, 255 }, { 255, 255, 0 },   { 0, 0, 0 },       { 255, 255, 255 },
};

bool FileExists(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(path.c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(hFind);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string WithSeparator(const std::string& folder)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder;
    return folder + "\\";
}

} // namespace

void MakeBuiltInPalette(OZU_ColourArray& palette)
{
    if (palette.GetSize() != (uint32_t)PALETTE_SIZE)
        palette.SetSize(PALETTE_SIZE);
    for (int i = 0; i <= 16; ++i)
        palette[i] = OZU_Colour(kFixedColours[i][0], kFixedColours[i][1], kFixedColours[i][2], 0, (short)i);
    for (const HueBlock& block : kHueBlocks) {
        for (int position = block.first; position <= block.last; ++position) {
            double step = position < block.stepChange ? 7.5 : 7.75;
            WORD lightness = (WORD)(short)(233.0 - (position - block.base) * step);
            COLORREF rgb = HLSToColour(block.hue, lightness, block.saturation);
            palette[position] = OZU_Colour(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), 0, (short)position);
        }
    }
}

int LoadPaletteFile(const std::string& path, OZU_ColourArray& palette, bool* pDamaged)
{
    bool damaged = false;
    int result = 1;
    // Others may read the file meanwhile, but not change it.
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        damaged = true;
    } else {
        try {
            const bool read = kvxml::ForEachSelected(path, "Colors/Color", [&](const kvxml::XmlNode& node) {
                // An entry is taken only whole: four attributes, each a
                // number of 0 to 255.
                std::string text[4];
                int value[4] = {};
                bool whole = node.Attribute("Index", text[0]) && node.Attribute("Red", text[1]) &&
                             node.Attribute("Green", text[2]) && node.Attribute("Blue", text[3]);
                for (int i = 0; i < 4 && whole; ++i)
                    whole = kvpickers::ReadWholeNumber(text[i].c_str(), value[i]) && value[i] >= 0 && value[i] <= 255;
                if (!whole || (uint32_t)value[0] >= palette.GetSize()) {
                    damaged = true;
                    return;
                }
                palette[(uint32_t)value[0]] =
                    OZU_Colour((BYTE)value[1], (BYTE)value[2], (BYTE)value[3], 0, (short)value[0]);
            });
            damaged = damaged || !read;
        }
        catch (const std::exception&) {
            // The entries read before the error are kept.
            damaged = true;
            result = 0;
        }
        ::CloseHandle(hFile);
    }
    if (pDamaged != nullptr)
        *pDamaged = damaged;
    return result;
}

OZU_ColourArray LoadColourPaletteFrom(const std::string& folder, bool* pDamaged)
{
    // The built-in palette gives every entry the file does not give whole.
    OZU_ColourArray palette(0, 10);
    MakeBuiltInPalette(palette);
    std::string path = WithSeparator(folder) + "VGA.vcpal";
    bool damaged = false;
    if (FileExists(path))
        LoadPaletteFile(path, palette, &damaged);
    if (pDamaged != nullptr)
        *pDamaged = damaged;
    return palette;
}

OZU_Colour& FindPaletteColour(int index)
{
    return FindPaletteColour(ColourPalette(), index);
}

OZU_Colour& FindPaletteColour(OZU_ColourArray& palette, int index)
{
    int last = (int)palette.GetSize() - 1;
    int low = 0, high = last, middle = 0;
    while (low <= high) {
        middle = (low + high) / 2;
        int found = palette[(uint32_t)middle].GetIndex();
        if (found == index)
            return palette[(uint32_t)middle];
        if (found >= index)
            high = middle - 1;
        else
            low = middle + 1;
    }
    // A palette file may leave entries without an index, and the search
    // above then misses entries that are there: look for one by a scan
    // before settling for the nearest end.
    if (index >= 0 && index <= last) {
        for (int i = 0; i <= last; ++i) {
            if (palette[(uint32_t)i].GetIndex() == index)
                return palette[(uint32_t)i];
        }
    }
    return palette[(uint32_t)middle];
}

std::string ProgramFolder()
{
    HMODULE hModule = ::GetModuleHandleA("KELVARON.EXE");
    if (hModule == nullptr)
        hModule = ::GetModuleHandleA(nullptr);
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(hModule, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    size_t cut = folder.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
}
