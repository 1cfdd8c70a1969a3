// Component colours: a colour value with the palette position it stands for,
// and the program-wide palette of 256 of them that the colour wells offer.
//
// A colour travels between controls and is stored in the database as a
// 32-bit colour value with red in the lowest byte (COLORREF layout, alpha in
// the highest byte), never as a palette position.
#pragma once

#include "units/OZU_Array.h"

#include <windows.h>

#include <cstdint>
#include <string>

class OZU_Colour
{
public:
    // Red 0, green 255, blue 0, alpha 0, index -1.
    OZU_Colour();
    OZU_Colour(BYTE red, BYTE green, BYTE blue, BYTE alpha, short index);
    OZU_Colour(BYTE red, BYTE green, BYTE blue, BYTE alpha);
    // Channels given as whole numbers keep their low 8 bits.
    OZU_Colour(int red, int green, int blue, int alpha)
        : OZU_Colour((BYTE)(red & 0xFF), (BYTE)(green & 0xFF), (BYTE)(blue & 0xFF), (BYTE)(alpha & 0xFF))
    {
    }
    // From a 32-bit colour value (red in the lowest byte, alpha in the highest).
    explicit OZU_Colour(COLORREF value);
    // From channels 0.0..1.0: each times 255 truncated toward zero, then cut
    // to its low 8 bits.
    OZU_Colour(float red, float green, float blue, float alpha);
    OZU_Colour(const OZU_Colour&) = default;
    OZU_Colour& operator=(const OZU_Colour&) = default;

    BYTE GetRed() const { return m_red; }
    BYTE GetGreen() const { return m_green; }
    BYTE GetBlue() const { return m_blue; }
    BYTE GetAlpha() const { return m_alpha; }
    // Changing the channel makes the colour stand for no palette entry.
    void SetGreen(BYTE green) { m_green = green; m_index = -1; }
    // The palette position this colour stands for; -1 for none.
    short GetIndex() const { return m_index; }

    // The 32-bit colour value, alpha in the highest byte.
    COLORREF GetColourValue() const;
    // The plain RGB value (alpha left out), as drawing wants it.
    COLORREF GetRGB() const { return RGB(m_red, m_green, m_blue); }
    float GetRedF() const { return m_red / 255.0f; }

    // Red, green, blue and alpha compared; the index is not.
    bool operator==(const OZU_Colour& other) const;
    bool operator!=(const OZU_Colour& other) const { return !(*this == other); }
    bool operator==(COLORREF value) const { return *this == OZU_Colour(value); }
    bool operator!=(COLORREF value) const { return !(*this == value); }

    // The palette position of this colour: its own index when it has one,
    // else the first entry of ColourPalette equal to it, else the entry
    // nearest to it (sum of the channel differences; ties keep the earlier).
    short GetNearestIndex() const;
    short GetNearestIndex(const OZU_Array<OZU_Colour>& palette) const;

private:
    BYTE m_red;
    BYTE m_green;
    BYTE m_blue;
    BYTE m_alpha;
    short m_index;
};

static_assert(sizeof(OZU_Colour) == 6, "a colour is six bytes");

typedef OZU_Array<OZU_Colour> OZU_ColourArray;

// The program-wide palette: 256 entries, built once (the built-in palette,
// with the entries that "VGA.vcpal" beside the program gives), read-only
// afterwards. It is read at start with the line types, on a thread of their
// own (see PickerFiles.h); the first use waits until it is read.
OZU_ColourArray& ColourPalette();

const int PALETTE_SIZE = 256;

// The program's "VGA.vcpal" when it was found damaged as the program's
// palette was read (its path; empty when it was read whole, or is absent;
// waits for the read like ColourPalette):
// the program tells the user once at start that the built-in colours take
// the place of what it does not give.
std::string DamagedPaletteFile();
// The same from another folder (a trailing separator is optional): the
// built-in palette, with the entries that the folder's "VGA.vcpal" gives
// whole when the file is there. *pDamaged tells whether the file was
// damaged (see LoadPaletteFile).
OZU_ColourArray LoadColourPaletteFrom(const std::string& folder, bool* pDamaged = nullptr);
// Fills the entries the palette file names, each only when whole: its
// four attributes present, each a number of 0 to 255 (the index, then red,
// green and blue). The file is damaged (*pDamaged) when it cannot be opened,
// is not well-formed, names no entry under its "Colors" root, or has an
// entry that is not whole (which is skipped). Returns nonzero unless the
// read was interrupted by an error (the entries read before it are kept).
int LoadPaletteFile(const std::string& path, OZU_ColourArray& palette, bool* pDamaged = nullptr);
// Overwrites the 256 entries with the built-in palette.
void MakeBuiltInPalette(OZU_ColourArray& palette);

// The entry of ColourPalette carrying the index (binary search by index); an
// index below 0 gives entry 0, one above 255 entry 255.
OZU_Colour& FindPaletteColour(int index);
OZU_Colour& FindPaletteColour(OZU_ColourArray& palette, int index);

// Hue, lightness and saturation on a 0..240 scale.
struct OZU_HLS
{
    WORD hue;
    WORD lightness;
    WORD saturation;
};
COLORREF HLSToColour(WORD hue, WORD lightness, WORD saturation);
OZU_HLS ColourToHLS(COLORREF colour);

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();
