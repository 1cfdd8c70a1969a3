// CEditorHost: the main view's component editors. The ways into an edit
// (Add Item, Edit Item, an edit by key from a side grid), the editor of each
// kind opened on the component, one at a time, the store of what it holds
// (ViewSaveComponent.cpp), the end of a cancelled edit, and the curve-fit
// bar told which editor takes its coefficients and which component it
// shows. The view, which the editors know as their CEditorView, hands these
// over to it.
#pragma once

#include "platform/framework/Framework.h"

class CKelvaronView;
class CRecords;
class OZU_ComponentDialog;

class CEditorHost
{
public:
    explicit CEditorHost(CKelvaronView& view);
    CEditorHost(const CEditorHost&) = delete;
    CEditorHost& operator=(const CEditorHost&) = delete;

    // The editor now open; null when none.
    OZU_ComponentDialog* GetOpenEditor() const { return m_pOpenDialog; }

    // Add Item: a new component of the current tab, starting as a copy of
    // the current row (or empty, on the append row).
    void OnAddComponent();
    // Edit Item: the editor of the current row.
    void OnEditComponent();
    // The editor of a component found by its key (from a side grid); an
    // open editor keeps its edit.
    void EditComponentByKey(long nKey);
    // Shows a component in the curve-fit bar (after the main grid's changed
    // record is settled); the record shown before is let go.
    void ShowComponentInCurveFit(long nKey);
    // The curve-fit bar lets go of the record it shows, which goes.
    void ReleaseCurveFitRecord();

    // See CKelvaronView::OpenComponentDialog.
    void OpenComponentDialog(CRecords& record, BOOL bFromGridRow, BOOL bEditExisting);
    // CEditorView: the store, the end of a cancelled edit, the editor gone.
    BOOL SaveComponent(OZU_ComponentDialog* pEditor);
    void EndEdit();
    void ClearCurrentDialog(OZU_ComponentDialog* pEditor);
    // Destroys the open editor, if any, saving nothing of it.
    void CloseOpenEditor();

private:
    // Tells the main frame which editor takes the curve-fit bar's
    // coefficients (null: none).
    void TellCurveFitEditor(CWnd* pEditor);
    // Ends the edit of the grid's row as a cancelled editor does; nEditedTab
    // is the tab the edit belongs to (-1: an edit by key).
    void AbandonEdit(int nEditedTab);
    // The record of the main grid's current row as a component record (the
    // Components columns of a tape's row); FALSE when the grid has no record
    // there.
    BOOL CopyCurrentRecord(CRecords& record);

    CKelvaronView& m_view;
    OZU_ComponentDialog* m_pOpenDialog = nullptr;
    CRecords* m_pCurveFitRecord = nullptr;
};
