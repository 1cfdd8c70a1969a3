// The tree's column 0: its layout (indent, state image, image, label),
// measuring and painting with lines and buttons, the hit test, and drag
// images.
#include "listtree/tree/view/TreeBaseV.h"

#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The text of a single-line label: up to its first line feed, at most 259
// characters (the tip draws the same part).
int SingleLineLength(LPCSTR psz)
{
    return OZWListTip::FirstLine(psz).GetLength();
}

// The image size of a list, or 0 x 0.
CSize ImageSize(CImageList* pList)
{
    IMAGEINFO info = {};
    if (pList == nullptr || pList->m_hImageList == nullptr || pList->GetImageCount() == 0 ||
        !pList->GetImageInfo(0, &info))
        return CSize(0, 0);
    return CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Layout and measuring

int OZWTreeBaseV::IndentOf(const OZWTreeItemNode* pNode)
{
    int x = (std::max<int>(1, pNode->GetLevel()) - 1) * m_nIndent;
    if ((m_dwTreeStyle & TVS_LINESATROOT) && (m_dwTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES)))
        x += m_nIndent;
    return x;
}

BOOL OZWTreeBaseV::HasButton(OZWTreeItemNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    for (OZWTreeItemNode* p = pNode->FirstChild(); p != nullptr; p = p->NextSibling())
        if (!(p->m_nItemFlags & OZWTIF_HIDDEN))
            return TRUE;
    return ChildrenCount(pNode) >= 1;
}

CFont* OZWTreeBaseV::LabelFont(OZWTreeItemNode* pNode)
{
    CFont* pFont = GetItemFont();
    if (pNode == nullptr || !(pNode->m_item.state & TVIS_BOLD) || pFont == nullptr)
        return pFont;
    // One shared bold copy of the item font, made again when the item font
    // is another one.
    static CFont s_bold;
    static LOGFONT s_base = {};
    LOGFONT lf = {};
    pFont->GetLogFont(&lf);
    if (s_bold.m_hObject == nullptr || std::memcmp(&lf, &s_base, sizeof lf) != 0) {
        s_base = lf;
        lf.lfWeight = FW_BOLD;
        CFont bold;
        if (!bold.CreateFontIndirect(&lf))
            return pFont;
        // Drawing code may hold the old copy selected: it goes when replaced.
        HGDIOBJ hOld = s_bold.Detach();
        s_bold.Attach(bold.Detach());
        if (hOld != nullptr)
            ::DeleteObject(hOld);
    }
    return &s_bold;
}

int OZWTreeBaseV::MeasureLabel(CDC* pDC, OZWTreeItemNode* pNode, LPCSTR lpszText, CRect& rc)
{
    if (lpszText == nullptr)
        lpszText = "";
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, LabelFont(pNode)->m_hObject);
    if (!(m_dwListStyle & OZWLS_NOLABELWRAP)) {
        rc.top = rc.bottom = 0;
        if (pNode != nullptr && pNode->m_bSplit) {
            const CSize first = pDC->GetTextExtent(pNode->m_strFirstPart);
            pNode->m_nFirstPartWidth = first.cx;
            CRect second(rc.left + first.cx, 0, std::max<int>(rc.right, rc.left + first.cx + 1), 0);
            pDC->DrawText(pNode->m_strSecondPart, pNode->m_strSecondPart.GetLength(), &second,
                        DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
            rc.right = std::max<int>(second.right, rc.left + first.cx);
            rc.bottom = std::max<int>(second.Height(), first.cy);
        } else {
            const int n = (int)std::strlen(lpszText);
            pDC->DrawText(n > 0 ? lpszText : " ", n > 0 ? n : 1, &rc,
                        DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
            if (n == 0)
                rc.right = rc.left;
        }
        rc.bottom += 2;
    } else {
        const int n = SingleLineLength(lpszText);
        CRect calc(rc.left, 0, rc.left, 0);
        pDC->DrawText(n > 0 ? lpszText : " ", n > 0 ? n : 1, &calc,
                    DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
        const int nTabbed = n > 0 ? (int)pDC->GetTabbedTextExtent(lpszText, n, 0, nullptr).cx : 0;
        rc.top = 0;
        rc.bottom = calc.Height();
        rc.right = rc.left + (n > 0 ? std::max<int>(calc.Width(), nTabbed) : 0);
        rc.top -= 1;
        rc.bottom += 1;
        rc.OffsetRect(0, 1);
    }
    ::SelectObject(pDC->m_hDC, hOld);
    return rc.Height();
}

void OZWTreeBaseV::MeasureCell(OZWListPaintContext* pCtx, int* pnHeight)
{
    if (pCtx->m_item.iSubItem != 0) {
        OZWListView::MeasureCell(pCtx, pnHeight);
        return;
    }
    OZWListItem* pRow = pCtx->m_pItem;
    OZWTreeItemNode* pNode = NodeOfRow(pCtx->m_item.iItem);
    if (pNode == nullptr) {
        OZWListView::MeasureCell(pCtx, pnHeight);
        return;
    }
    const int x0 = IndentOf(pNode);
    CRect state(x0, 0, x0, 0), image(x0, 0, x0, 0);
    const UINT nStateImage = (pNode->m_item.state >> 12) & 0xF;
    const CSize stateSize = ImageSize(m_pImageLists[LVSIL_STATE]);
    if (m_pImageLists[LVSIL_STATE] != nullptr && nStateImage != 0)
        state.SetRect(x0, 0, x0 + stateSize.cx, stateSize.cy);
    const CSize imageSize = ImageSize(m_pImageLists[LVSIL_NORMAL]);
    const int nImage = pNode->m_item.iImage;
    if (m_pImageLists[LVSIL_NORMAL] != nullptr && nImage != OZWTreeItemNode::NoImage && nImage >= 0)
        image.SetRect(state.right, 0, state.right + imageSize.cx, imageSize.cy);
    else
        image.SetRect(state.right, 0, state.right, 0);
    const int nLabelLeft = std::max(image.right, state.right) + 6;
    int nRight = 10000;
    if (GetColumnCount() >= 2)
        nRight = GetColumnWidth(0) - 5;
    else if (IsLabelWrap()) {
        CRect inside;
        GetInsideRect(&inside);
        nRight = inside.Width() - 5;
    }
    CRect label(nLabelLeft, 0, std::max(nLabelLeft + 1, nRight), 0);
    MeasureLabel(pCtx->m_pDC, pNode, pCtx->m_item.pszText, label);
    // Labels and images are centred in the row, whose height is even.
    int nHeight = std::max({ (int)label.Height(), (int)image.Height(), (int)state.Height() });
    nHeight += nHeight & 1;
    label.OffsetRect(0, (nHeight - label.Height()) / 2 - label.top);
    image.OffsetRect(0, (nHeight - image.Height()) / 2);
    state.OffsetRect(0, (nHeight - state.Height()) / 2);
    pRow->m_rcLabel = label;
    pRow->m_rcIcon = image;
    pRow->m_rcStateIcon = state;
    *pnHeight = nHeight;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

OZWListPaintContext* OZWTreeBaseV::NewPaintContext(CDC* pDC)
{
    return new OZWTreePaintContext(pDC);
}

void OZWTreeBaseV::PrepareCell(OZWListPaintContext* pCtx)
{
    auto* pTree = static_cast<OZWTreePaintContext*>(pCtx);
    OZWTreeItemNode* pNode = NodeOfRow(pCtx->m_item.iItem);
    pTree->m_pNode = pNode;
    if (pNode != nullptr) {
        pTree->m_treeItem = ItemOf(pNode);
        pCtx->m_nRowFlags = HasInheritedFlag(pNode, OZWTIF_GRAYED) ? OZWROW_GRAYED : 0;
    }
    OZWListView::PrepareCell(pCtx);
    if (pNode != nullptr && pCtx->m_item.iSubItem == 0) {
        pCtx->m_pFont = LabelFont(pNode);
        const BOOL bSelectedLook = pCtx->m_crTextBk != GetTextBkColor();
        if (pNode->m_crItem != 0 && !bSelectedLook && IsWindowEnabledState())
            pCtx->m_crText = pNode->m_crItem;
    }
}

void OZWTreeBaseV::DrawDots(CDC* pDC, int x, int y, int dx, int dy, int n)
{
    if (pDC->IsPrinting()) {
        pDC->MoveTo(x, y);
        pDC->LineTo(x + dx * n, y + dy * n);
        return;
    }
    const COLORREF crDot = ::GetSysColor(COLOR_BTNSHADOW), crGap = GetBkColor();
    for (int i = 0; i < n; ++i)
        pDC->SetPixelV(x + dx * i, y + dy * i, (i & 1) ? crGap : crDot);
}

void OZWTreeBaseV::DrawHorzDots(CDC* pDC, int x1, int x2, int y)
{
    DrawDots(pDC, std::min(x1, x2), y, 1, 0, std::abs(x2 - x1));
}

void OZWTreeBaseV::DrawVertDots(CDC* pDC, int x, int y1, int y2)
{
    DrawDots(pDC, x, std::min(y1, y2), 0, 1, std::abs(y2 - y1));
}

void OZWTreeBaseV::DrawLines(OZWTreePaintContext* pCtx)
{
    OZWTreeItemNode* pNode = pCtx->m_pNode;
    CDC* pDC = pCtx->m_pDC;
    const CRect& rc = pCtx->m_rcCell;
    const int L = std::max<int>(1, pNode->GetLevel()) - 1;
    const BOOL bAtRoot = (m_dwTreeStyle & TVS_LINESATROOT) && (m_dwTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES));
    const CRect& image = pCtx->m_pItem->m_rcIcon;
    const int nHalf = image.IsRectEmpty() ? 8 : image.Width() / 2;
    int x = (L - 1) * m_nIndent + rc.left + nHalf + (bAtRoot ? m_nIndent : 0);
    int y = (rc.top + rc.bottom) / 2;
    // The dots keep their places while the list scrolls.
    if ((y & 1) != (m_nVertOffset & 1))
        ++y;
    if ((x & 1) != (m_nHorzOffset & 1))
        ++x;
    const int nTargetLeft = rc.left + (image.IsRectEmpty() ? pCtx->m_pItem->m_rcLabel.left : image.left);
    if (L >= 1 || bAtRoot)
        DrawHorzDots(pDC, x, nTargetLeft, y);
    if (pCtx->m_item.iItem != 0)
        DrawVertDots(pDC, x, rc.top, y);
    // Down to the children.
    if (pNode->IsExpanded() && HasButton(pNode))
        DrawVertDots(pDC, x + m_nIndent, y + image.Height() / 2, rc.bottom);
    auto hasLaterVisibleSibling = [](const OZWTreeItemNode* p) {
        for (const OZWTreeItemNode* q = p->NextSibling(); q != nullptr; q = q->NextSibling())
            if (!(q->m_nItemFlags & OZWTIF_HIDDEN))
                return true;
        return false;
    };
    if ((L >= 1 || bAtRoot) && hasLaterVisibleSibling(pNode))
        DrawVertDots(pDC, x, y, rc.bottom);
    // The columns of the ancestors that have later siblings.
    int xa = x;
    const int nLevels = L + (bAtRoot ? 1 : 0);
    const OZWTreeItemNode* pAncestor = pNode->Parent();
    for (int k = 1; k < nLevels && pAncestor != nullptr && pAncestor != m_pRoot; ++k, pAncestor = pAncestor->Parent()) {
        xa -= m_nIndent;
        if (hasLaterVisibleSibling(pAncestor))
            DrawVertDots(pDC, xa, rc.top, rc.bottom);
    }
}

BOOL OZWTreeBaseV::GetButtonRect(RECT* pRect, int nRow, const RECT& rcRow)
{
    OZWTreeItemNode* pNode = NodeOfRow(nRow);
    OZWListItem* pRowItem = GetItemRecord(nRow);
    if (pNode == nullptr || pRowItem == nullptr)
        return FALSE;
    const int nLevel = std::max<int>(1, pNode->GetLevel());
    int y = (rcRow.top + rcRow.bottom) / 2;
    if ((y & 1) != (m_nVertOffset & 1))
        ++y;
    int x, nSize;
    const CRect& image = pRowItem->m_rcIcon;
    const CRect& state = pRowItem->m_rcStateIcon;
    if (!image.IsRectEmpty()) {
        x = image.Width() / 2 + (nLevel - 2) * m_nIndent + rcRow.left;
        nSize = std::min(15, (int)(image.Height() / 1.65));
    } else if (!state.IsRectEmpty()) {
        x = state.Width() / 2 + (nLevel - 2) * m_nIndent + rcRow.left;
        nSize = std::min(15, (int)(state.Height() / 1.65));
    } else {
        x = (nLevel - 2) * m_nIndent + rcRow.left + 8;
        nSize = 8;
    }
    if ((x & 1) != (m_nHorzOffset & 1))
        ++x;
    if ((m_dwTreeStyle & TVS_LINESATROOT) && (m_dwTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES)))
        x += m_nIndent;
    if ((nSize & 1) == 0)
        ++nSize; // a centre pixel for the glyph
    pRect->left = x - nSize / 2;
    pRect->top = y - nSize / 2;
    pRect->right = pRect->left + nSize;
    pRect->bottom = pRect->top + nSize;
    return TRUE;
}

void OZWTreeBaseV::DrawButton(OZWTreePaintContext* pCtx)
{
    OZWTreeItemNode* pNode = pCtx->m_pNode;
    if (!HasButton(pNode))
        return;
    CRect box;
    if (!GetButtonRect(&box, pCtx->m_item.iItem, pCtx->m_rcCell))
        return;
    CDC* pDC = pCtx->m_pDC;
    const BOOL bExpanded = pNode->IsExpanded();
    if (!pDC->IsPrinting() && UXIsThemeActive() && UXIsAppThemed()) {
        if (m_hTheme == nullptr) {
            CWnd* pMain = AfxGetMainWnd();
            m_hTheme = UXOpenThemeData(pMain != nullptr ? pMain->m_hWnd : ::GetDesktopWindow(), "TREEVIEW");
        }
        if (m_hTheme != nullptr && SUCCEEDED(UXDrawThemeBackground(m_hTheme, pDC->m_hDC, 2, bExpanded ? 2 : 1, &box, nullptr)))
            return;
    }
    // Classic: a box with a minus, or a plus while collapsed. The pens are
    // made once per process.
    static CPen s_frame(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    static CPen s_glyph(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    CPen* pOld = pDC->SelectObject(&s_frame);
    CBrush fill(IsWindowEnabledState() ? RGB(255, 255, 255) : GetBkColor());
    CBrush* pOldBrush = pDC->SelectObject(&fill);
    pDC->Rectangle(&box);
    pDC->SelectObject(&s_glyph);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const int a = box.Width() / 3;
    pDC->MoveTo(cx - a + 1, cy);
    pDC->LineTo(cx + a, cy);
    if (!bExpanded) {
        pDC->MoveTo(cx, cy - a + 1);
        pDC->LineTo(cx, cy + a);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOld);
}

void OZWTreeBaseV::DrawSubItem(OZWListPaintContext* pCtx)
{
    auto* pTree = static_cast<OZWTreePaintContext*>(pCtx);
    OZWTreeItemNode* pNode = pTree->m_pNode;
    if (pCtx->m_item.iSubItem != 0 || pNode == nullptr) {
        OZWListView::DrawSubItem(pCtx);
        return;
    }
    CDC* pDC = pCtx->m_pDC;
    const CRect& cell = pCtx->m_rcCell;
    const OZWListItem* pRow = pCtx->m_pItem;
    pDC->FillSolidRect(&cell, pCtx->m_crCellFill);
    // State image.
    CImageList* pState = m_pImageLists[LVSIL_STATE];
    const int nStateImage = (int)((pNode->m_item.state >> 12) & 0xF);
    if (pState != nullptr && nStateImage != 0 && nStateImage < pState->GetImageCount())
        pState->Draw(pDC, nStateImage, CPoint(cell.left + pRow->m_rcStateIcon.left, cell.top + pRow->m_rcStateIcon.top),
                     ILD_NORMAL);
    // Normal image: the selected one for a selected item.
    CImageList* pImages = m_pImageLists[LVSIL_NORMAL];
    const BOOL bSelected = (pCtx->m_item.state & LVIS_SELECTED) != 0;
    int nImage = bSelected ? pNode->m_item.iSelectedImage : pNode->m_item.iImage;
    if (pImages != nullptr && nImage != OZWTreeItemNode::NoImage && nImage >= 0) {
        if (nImage >= pImages->GetImageCount())
            nImage = 0;
        UINT nStyle = ILD_NORMAL | (pNode->m_item.state & TVIS_OVERLAYMASK);
        const BOOL bDrop = (pCtx->m_item.state & LVIS_DROPHILITED) != 0;
        if ((m_dwListStyleEx & OZWLS_EX_BLENDSELIMAGE) && ((bSelected && IsWindowFocused()) || bDrop))
            nStyle |= ILD_BLEND50;
        pImages->Draw(pDC, nImage, CPoint(cell.left + pRow->m_rcIcon.left, cell.top + pRow->m_rcIcon.top), nStyle);
    }
    if (m_dwTreeStyle & TVS_HASLINES)
        DrawLines(pTree);
    if (m_dwTreeStyle & TVS_HASBUTTONS)
        DrawButton(pTree);
    // The label, in its colours.
    CRect label = pRow->m_rcLabel;
    label.OffsetRect(cell.left, cell.top);
    label.right = std::min<int>(label.right, cell.right);
    const BOOL bEdited = pCtx->m_item.iItem == m_nEditItem && pCtx->m_nColumn == m_nEditColumn;
    HGDIOBJ hOldFont = ::SelectObject(pDC->m_hDC, pCtx->m_pFont->m_hObject);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pCtx->m_crText);
    CRect fill = label;
    fill.InflateRect(2, 0);
    pDC->FillSolidRect(&fill, pCtx->m_crTextBk);
    LPCSTR psz = ozwlist::IsOwned(pCtx->m_item.pszText) ? pCtx->m_item.pszText : "";
    if (!bEdited) {
        if (m_dwListStyle & OZWLS_NOLABELWRAP) {
            const UINT nFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS |
                                 OZWListColumn::AlignFlags(pCtx->m_pColumn);
            pDC->DrawText(psz, SingleLineLength(psz), &label, nFormat);
        } else if (pNode->m_bSplit) {
            CRect first(label.left, label.top, label.left + pNode->m_nFirstPartWidth, label.bottom);
            pDC->DrawText(pNode->m_strFirstPart, &first, DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
            CRect second(first.right, label.top, label.right, label.bottom);
            pDC->DrawText(pNode->m_strSecondPart, &second, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        } else {
            CRect text = label;
            text.top += 1;
            pDC->DrawText(psz, (int)std::strlen(psz), &text,
                        DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER);
        }
    }
    ::SelectObject(pDC->m_hDC, hOldFont);
    if (pCtx->m_item.iItem == m_nFocusItem && IsWindowFocused() && !pDC->IsPrinting() &&
        (!(m_dwListStyleEx & OZWLS_EX_FULLROWSELECT) || GetColumnCount() == 1)) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->DrawFocusRect(&fill);
    }
}

void OZWTreeBaseV::RedrawTreeItem(HTREEITEM hItem)
{
    const int nRow = RowOf(NodeOf(hItem));
    if (nRow >= 0)
        OZWListView::RedrawItem(nRow);
}

/////////////////////////////////////////////////////////////////////////////
// Hit test

HTREEITEM OZWTreeBaseV::HitTest(CPoint pt, UINT* pFlags)
{
    UINT nHit = 0;
    int nColumn = -1;
    const int nRow = OZWListModel::HitTest(pt.x, pt.y, &nHit, &nColumn);
    UINT nFlags = 0;
    HTREEITEM hResult = nullptr;
    if (nRow >= 0 && (nHit & OZWHT_ONROW)) {
        OZWTreeItemNode* pNode = NodeOfRow(nRow);
        const OZWListItem* pRow = GetItemRecord(nRow);
        if (nHit & OZWHT_ONLABEL)
            nFlags = OZWTVHT_ONROW | TVHT_ONITEMLABEL;
        else if (nHit & OZWHT_ONICON)
            nFlags = OZWTVHT_ONROW | TVHT_ONITEMICON;
        else if (nHit & OZWHT_ONSTATEICON)
            nFlags = OZWTVHT_ONROW | TVHT_ONITEMSTATEICON;
        else if (nHit & OZWHT_RIGHTOFLABEL)
            nFlags = OZWTVHT_ONROW | TVHT_ONITEMRIGHT;
        else if ((nHit & OZWHT_LEFTOFLABEL) && pNode != nullptr) {
            CRect rows;
            GetRowsArea(rows);
            const int nLeft = rows.left + GetColumnLeft(nColumn);
            const int nImagesLeft = nLeft + std::min(pRow->m_rcStateIcon.left, pRow->m_rcIcon.left);
            if (pt.x < nImagesLeft) {
                CRect rcRow(nLeft, GetRowTop(nRow), nLeft + GetColumnWidth(nColumn), GetRowTop(nRow) + pRow->m_nHeight);
                CRect box;
                if ((m_dwTreeStyle & TVS_HASBUTTONS) && HasButton(pNode) && GetButtonRect(&box, nRow, rcRow) &&
                    box.PtInRect(pt))
                    nFlags = OZWTVHT_ONROW | TVHT_ONITEMBUTTON;
                else
                    nFlags = OZWTVHT_ONROW | TVHT_ONITEMINDENT;
            } else {
                nFlags = OZWTVHT_ONROW;
            }
        } else {
            nFlags = OZWTVHT_ONROW;
        }
        if (nFlags != OZWTVHT_ONROW || (m_dwListStyleEx & OZWLS_EX_FULLROWSELECT))
            hResult = HandleOf(pNode);
    } else {
        if (nHit & OZWHT_ABOVE)
            nFlags |= TVHT_ABOVE;
        if (nHit & OZWHT_BELOW)
            nFlags |= TVHT_BELOW;
        if (nHit & OZWHT_TOLEFT)
            nFlags |= TVHT_TOLEFT;
        if (nHit & OZWHT_TORIGHT)
            nFlags |= TVHT_TORIGHT;
        if (nHit & OZWHT_ONHEADER)
            nFlags = OZWTVHT_ONHEADER;
        if (nHit & OZWHT_ONDIVIDER)
            nFlags = OZWTVHT_ONDIVIDER;
        if (nFlags == 0)
            nFlags = TVHT_NOWHERE;
    }
    if (pFlags != nullptr)
        *pFlags = nFlags;
    return hResult;
}

/////////////////////////////////////////////////////////////////////////////
// Drag images

CBitmap* OZWTreeBaseV::CreateTextBitmap(CDC* pDC, LPCSTR lpszText)
{
    CRect rc(0, 0, 0, 0);
    pDC->DrawText(lpszText, -1, &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    if (rc.IsRectEmpty())
        rc.SetRect(0, 0, 1, 1);
    auto* pBitmap = new CBitmap;
    CClientDC screen(this);
    if (!pBitmap->CreateCompatibleBitmap(&screen, rc.Width(), rc.Height())) {
        delete pBitmap;
        return nullptr;
    }
    CBitmap* pOld = pDC->SelectObject(pBitmap);
    pDC->FillSolidRect(&rc, GetBkColor());
    pDC->SetTextColor(GetTextColor());
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(lpszText, -1, &rc, DT_NOPREFIX | DT_EXPANDTABS);
    pDC->SelectObject(pOld);
    return pBitmap;
}

CImageList* OZWTreeBaseV::CreateTextDragImage(CDC* pDC, LPCSTR lpszText)
{
    std::unique_ptr<CBitmap> bitmap(CreateTextBitmap(pDC, lpszText));
    if (bitmap == nullptr)
        return nullptr;
    BITMAP info = {};
    bitmap->GetBitmap(&info);
    auto* pList = new CImageList;
    if (!pList->Create(info.bmWidth, info.bmHeight, ILC_MASK | ILC_COLOR24, 1, 1) ||
        pList->Add(bitmap.get(), GetBkColor()) < 0) {
        delete pList;
        return nullptr;
    }
    return pList;
}

CImageList* OZWTreeBaseV::CreateIconDragImage(CImageList* pList, int nImage)
{
    if (pList == nullptr || pList->m_hImageList == nullptr)
        return nullptr;
    HICON hIcon = ImageList_GetIcon(pList->m_hImageList, nImage, 0);
    if (hIcon == nullptr)
        return nullptr;
    const CSize size = ImageSize(pList);
    auto* pIcon = new CImageList;
    if (!pIcon->Create(size.cx, size.cy, ILC_MASK | ILC_COLOR24, 1, 1) ||
        ImageList_ReplaceIcon(pIcon->m_hImageList, -1, hIcon) < 0) {
        delete pIcon;
        pIcon = nullptr;
    }
    ::DestroyIcon(hIcon);
    return pIcon;
}

CImageList* OZWTreeBaseV::MergeDragImages(CImageList* pIcon, CImageList* pText)
{
    if (pIcon == nullptr || pText == nullptr)
        return nullptr;
    const CSize icon = ImageSize(pIcon);
    HIMAGELIST hMerged = ImageList_Merge(pIcon->m_hImageList, 0, pText->m_hImageList, 0, icon.cx + 6, 0);
    if (hMerged == nullptr)
        return nullptr;
    auto* pList = new CImageList;
    pList->Attach(hMerged);
    return pList;
}

CImageList* OZWTreeBaseV::CreateDragImage(HTREEITEM hItem)
{
    CImageList* pImages = m_pImageLists[LVSIL_NORMAL];
    if (pImages == nullptr || pImages->m_hImageList == nullptr || m_hWnd == nullptr)
        return nullptr;
    OZWTreeItemNode* pNode = NodeOf(hItem);
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = m_pTextBuffer;
    item.cchTextMax = OZWLIST_TEXTBUFFER;
    GetItem(&item, TRUE, TRUE);
    const CString strText(ozwlist::IsOwned(item.pszText) ? item.pszText : "");
    CClientDC screen(this);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, LabelFont(pNode)->m_hObject);
    std::unique_ptr<CImageList> text(CreateTextDragImage(&dc, strText));
    ::SelectObject(dc.m_hDC, hOldFont);
    std::unique_ptr<CImageList> icon;
    if (item.iImage >= 0 && item.iImage < pImages->GetImageCount())
        icon.reset(CreateIconDragImage(pImages, item.iImage));
    if (icon != nullptr && text != nullptr)
        return MergeDragImages(icon.get(), text.get());
    return icon != nullptr ? icon.release() : text.release();
}
