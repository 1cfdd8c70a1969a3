// What a component editor needs of the main view that opened it. The main
// view implements it; CGridView gives the rest: the database, the text widths
// of the Components columns, the nominal-size conversion of diameters and
// the state the view shares with its grids (the assembly being built, the
// copy flags, whether the edited component exists already).
#pragma once

#include "grids/window/GridView.h"

class OZU_ComponentDialog;

class CEditorView : public CGridView
{
public:
    ~CEditorView() override = default;

    // The window the editors are made in (their parent).
    virtual CWnd* GetEditorParent() = 0;
    // Stores the component the editor holds, reading its members and
    // converting its values into the units the database keeps. FALSE when
    // nothing was stored (the user has been told why): the editor stays
    // open with the user's values.
    virtual BOOL SaveComponent(OZU_ComponentDialog* pEditor) = 0;
    // The editor was cancelled: the view ends its edit of the grid's row.
    virtual void EndEdit() = 0;
    // The editor's window is going: the view forgets the editor (and tells
    // the curve-fit bar that no editor is open). Called once per editor.
    virtual void ClearCurrentDialog(OZU_ComponentDialog* pEditor) = 0;
    // The folder of the symbol drawings; empty when none is set.
    virtual CString GetSymbolFolder() const = 0;
};
