#include "toolbars/model/DropRules.h"

namespace ozwtb {

namespace {

// Takes button nIndex out of a copy of the layout as RemoveButton does (the
// separators it leaves stranded go with it) and moves the insertion index
// *pIndex along (an index at the removed place stays there).
void SimulateRemove(Layout& buttons, int nIndex, int* pIndex)
{
    buttons.erase(buttons.begin() + nIndex);
    if (*pIndex > nIndex)
        (*pIndex)--;
    for (int drop : SeparatorsToDrop(buttons, nIndex)) {
        buttons.erase(buttons.begin() + drop);
        if (drop < *pIndex)
            (*pIndex)--;
    }
}

bool IsSep(const Layout& b, int i)
{
    return i >= 0 && i < (int)b.size() && b[i].IsSeparator();
}

bool IsButton(const Layout& b, int i)
{
    return i >= 0 && i < (int)b.size() && !b[i].IsSeparator();
}

} // namespace

std::vector<DropStep> PlanDrop(const DropInput& in)
{
    std::vector<DropStep> steps;
    const Layout& b = in.buttons;
    const int n = (int)b.size();
    const RECT& rc = in.rcDrop;
    const int sel = in.nSelected >= 0 && in.nSelected < n ? in.nSelected : -1;
    auto insert = [&steps](int nIndex) { steps.push_back({DropStep::insertButton, nIndex, FALSE}); };

    if (n == 0) {
        if (!in.bCopy && in.bOtherSelection)
            steps.push_back({DropStep::removeOther, -1, FALSE});
        insert(0);
        return steps;
    }
    if (!in.bCopy && sel >= 0 && n == 1)
        return steps;

    // Above or below the buttons: a separator, and the button beyond it.
    if (rc.bottom <= in.rcInside.top) {
        steps.push_back({DropStep::insertSeparator, 0, FALSE});
        insert(0);
        return steps;
    }
    if (rc.top >= in.rcInside.bottom) {
        steps.push_back({DropStep::insertSeparator, n, FALSE});
        insert(n + 1);
        return steps;
    }

    // The row under the drop's centre (else the last).
    const int yMid = (rc.top + rc.bottom) / 2;
    int rowFirst = 0;
    int rowEnd = n - 1;
    int top = in.rcInside.top;
    for (int i = 0; i < n;) {
        int last = i;
        while (last < n - 1 && !(b[last].Wraps() && !b[last].IsHidden()))
            last++;
        const int bottom = top + b[last].cy + (b[last].IsSeparator() ? in.metrics.SepBand() : 0);
        rowFirst = i;
        rowEnd = last;
        if (bottom >= yMid)
            break;
        top = bottom;
        i = last + 1;
    }
    while (rowEnd > rowFirst && (b[rowEnd].IsSeparator() || b[rowEnd].IsHidden()))
        rowEnd--;

    // A small sideways move of the selected button within its row.
    if (!in.bCopy && sel >= rowFirst && sel <= rowEnd) {
        const RECT rcSel = b[sel].Rect();
        if (rc.left >= rcSel.left && rc.right > rcSel.right && rc.left <= rcSel.right) {
            if (rc.left - rcSel.left < 2)
                return steps;
            if (IsButton(b, sel - 1))
                steps.push_back({DropStep::insertSeparator, sel, FALSE});
            else if (IsSep(b, sel + 1))
                steps.push_back({DropStep::removeHere, sel + 1, FALSE});
            return steps;
        }
        if (rc.left < rcSel.left && rc.right >= rcSel.left) {
            if (rcSel.left - rc.left < 2)
                return steps;
            if (IsSep(b, sel - 1))
                steps.push_back({DropStep::removeHere, sel - 1, FALSE});
            else if (IsButton(b, sel + 1))
                steps.push_back({DropStep::insertSeparator, sel + 1, FALSE});
            return steps;
        }
    }

    // After the first button whose right edge passes the drop's left edge.
    int index = rowEnd + 1;
    if (rc.left < in.rcInside.left) {
        index = rowFirst;
    }
    else {
        int x = in.rcInside.left;
        for (int i = rowFirst; i <= rowEnd; ++i) {
            if (b[i].IsHidden())
                continue;
            x += b[i].cx;
            if (x > rc.left) {
                index = i + 1;
                break;
            }
        }
    }

    Layout after = b;
    if (!in.bCopy) {
        if (sel >= 0) {
            if (index == sel)
                return steps;
            // The index follows the removal and the separators it takes.
            SimulateRemove(after, sel, &index);
            steps.push_back({DropStep::removeHere, sel, TRUE});
        }
        else if (in.bOtherSelection) {
            steps.push_back({DropStep::removeOther, -1, FALSE});
        }
    }

    // Dropped over a separator inside a row: the button takes its place.
    if (index < (int)after.size()) {
        const LayoutButton& sep = after[index];
        if (sep.IsSeparator() && !sep.Wraps() && rc.left + 1 < sep.x && rc.right + 1 > sep.x + sep.cx) {
            steps.push_back({DropStep::removeHere, index, TRUE});
            SimulateRemove(after, index, &index);
        }
    }
    if (index > (int)after.size())
        index = (int)after.size();
    insert(index);
    return steps;
}

} // namespace ozwtb
