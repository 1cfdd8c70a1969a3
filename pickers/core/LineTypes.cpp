#include "pickers/core/LineTypes.h"
#include "pickers/core/Colour.h"
#include "pickers/core/NumberText.h"
#include "platform/xml/XmlDocument.h"

#include <exception>

namespace {

// A length of more than a thousand samples is as good as a solid line; the
// cap keeps the arithmetic below within 32 bits.
const double kMaxLength = 1000.0;

// A user-styled pen takes at most 16 lengths.
const size_t kMaxPenStyleEntries = 16;

int32_t Thousandths(double length)
{
    return (int32_t)(length * 1000.0);
}

} // namespace

std::vector<int32_t> MakeLineTypePattern(const std::vector<double>& lengths)
{
    std::vector<int32_t> pattern;
    float half = 0.0f;
    bool first = true;
    for (double value : lengths) {
        if (!(value > 0.0))
            value = 0.0;   // negative, or not a number
        if (value > kMaxLength)
            value = kMaxLength;
        if (first) {
            // The first element is split: half starts the pattern, the other
            // half ends it, so that a repeated sample looks even at both ends.
            half = (float)(value / 2);
            pattern.push_back((int32_t)(half * 1000.0f));
            first = false;
        }
        else {
            pattern.push_back(Thousandths(value));
        }
    }
    if (half > 0.0f)
        pattern.push_back((int32_t)(half * 1000.0f));
    uint32_t sum = 0;
    for (int32_t element : pattern)
        sum += (uint32_t)element;
    if (sum > 1000) {
        for (int32_t& element : pattern) {
            double scaled = element / (double)sum * 1000.0;
            element = (int32_t)(scaled == 0.0 ? 1.0 : scaled);
        }
    }
    return pattern;
}

LineTypeArray LoadLineTypesFrom(const std::string& path, bool* pDamaged)
{
    LineTypeArray list;
    bool damaged = false;
    // Without the file there is nothing to load; the DOM is not started.
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        try {
            const bool read = kvxml::ForEachSelected(path, "Linetypes/Linetype", [&](const kvxml::XmlNode& node) {
                LineTypeEntry entry;
                if (!node.IsNull()) {
                    node.Attribute("Name", entry.name);
                    std::vector<double> lengths;
                    bool whole = true;
                    for (const kvxml::XmlNode& child : node.Children()) {
                        if (!child.IsElement())
                            continue;
                        std::string name = child.Name();
                        if (name != "Dash" && name != "Space")
                            continue;
                        double length = 0.0;
                        whole = whole && kvpickers::ReadDecimalNumber(child.Text().c_str(), length) && length >= 0.0;
                        lengths.push_back(length);
                    }
                    // A damaged pattern is drawn solid rather than as the
                    // dots its missing lengths would make.
                    if (whole)
                        entry.pattern = MakeLineTypePattern(lengths);
                    else
                        damaged = true;
                }
                list.push_back(std::move(entry));
            });
            damaged = damaged || !read;
        }
        catch (const std::exception&) {
            // The entries read so far are kept.
            damaged = true;
        }
    }
    if (pDamaged != nullptr)
        *pDamaged = damaged;
    return list;
}

std::vector<DWORD> LineTypeDashes(const std::vector<int32_t>& pattern, int width)
{
    std::vector<DWORD> dashes;
    dashes.reserve(pattern.size());
    for (int32_t element : pattern) {
        if (dashes.size() == kMaxPenStyleEntries)
            break;
        long long pixels = (long long)width * element / 1000;
        dashes.push_back(pixels < 1 ? 1 : (DWORD)pixels);
    }
    return dashes;
}

bool IsKnownLineType(const LineTypeArray& list, long position)
{
    return position >= 0 && (unsigned long)position < list.size();
}

std::string LineTypeName(const LineTypeArray& list, long position)
{
    return IsKnownLineType(list, position) ? list[(size_t)position].name : std::string("<Unknown>");
}
