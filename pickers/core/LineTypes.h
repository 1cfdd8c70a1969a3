// Line types: named dash patterns read once from "Linetype.vclnt" beside the
// program. A line component stores its line type as a position in
// LineTypeList.
//
// The file is XML: a root Linetypes holding Linetype elements with a Name
// attribute, whose Dash and Space children (in order, names compared
// exactly) hold lengths in sample widths (1.0 = the whole drawn sample).
// The pattern keeps lengths in thousandths of the sample's width; it starts
// and ends with half of its first element, and one repetition never spans
// more than the sample.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct LineTypeEntry
{
    std::string name;               // UTF-8; empty when the file gives none
    std::vector<int32_t> pattern;   // dash, gap, dash, ... in thousandths
};

typedef std::vector<LineTypeEntry> LineTypeArray;

// The program-wide list, read once, read-only afterwards. Empty when the
// file is missing or unreadable. It is read at start with the palette, on a
// thread of their own (see PickerFiles.h); the first use waits until it is
// read.
LineTypeArray& LineTypeList();

// The program's "Linetype.vclnt" when it was found damaged as the program's
// list was read (its path; empty when it was read whole, or is absent; waits
// for the read like LineTypeList): the program tells the user once at start.
std::string DamagedLineTypeFile();
// The list read from a line-type file: empty when the file cannot be read or
// is not well-formed; an error while reading keeps the entries read so far.
// A Dash or Space that is not a number of 0 or more leaves its entry
// without a pattern (drawn as a solid line, not in dots), in its place. The
// file is damaged (*pDamaged) when it is there but cannot be read, names no
// line type under its "Linetypes" root, or has such a length.
LineTypeArray LoadLineTypesFrom(const std::string& path, bool* pDamaged = nullptr);

// The pattern of one line type from the values of its Dash and Space
// children, in order (a negative length counts as 0).
std::vector<int32_t> MakeLineTypePattern(const std::vector<double>& lengths);

// The dash and gap lengths in pixels of a pattern drawn on a sample
// `width` pixels wide: width x element / 1000, at least 1 pixel each (the
// pen takes no zero lengths), and no more than the 16 a pen takes. Empty
// for an empty pattern (a solid line).
std::vector<DWORD> LineTypeDashes(const std::vector<int32_t>& pattern, int width);

// The text a picker or a cell shows for a stored line type: the entry's name,
// or "<Unknown>" for a position outside the list.
std::string LineTypeName(const LineTypeArray& list, long position);
bool IsKnownLineType(const LineTypeArray& list, long position);
