// String ids of the grid library: the names of its cell controls and user
// attributes, and its messages. Kept to preprocessor definitions so that the
// resource script can include this file.
#pragma once

// Cell controls (each id is also the control's name in the string table).
#define GR_IDS_CTRL_EDIT              52512
#define GR_IDS_CTRL_STATIC            52513
#define GR_IDS_CTRL_CHECKBOX          52514
#define GR_IDS_CTRL_COMBOBOX          52515   // editable combo box
#define GR_IDS_CTRL_CBS_DROPDOWNLIST  52516   // drop-down list: only listed values
#define GR_IDS_CTRL_HEADER            52517

// User attributes of styles.
#define GR_IDS_UA_TOOLTIPTEXT         52530   // "Tooltip-Text": the cell's tool tip

// Messages and texts.
#define GR_IDS_STATUS_COPYING         52540   // status text while cells are copied
#define GR_IDS_RECORD                 52541   // "Record" on the record beam
#define GR_IDS_RECORD_OF              52542   // "of %s" after the record number
#define GR_IDS_NOTFOUND               52543   // "Cannot find \"%s\"."
#define GR_IDS_REPLACED               52544   // "%d occurrences replaced."
#define GR_IDS_FLUSH_FAILED           52545   // "The record could not be stored."
