// Resource ids of the component editor bases: the controls every editor
// template shares, and the bases' texts.
#pragma once

// The fields every component has.
#define IDC_NUMBER_CAPTION          1481    // "Pipe Number"...; bold
#define IDC_COMPONENT_NUMBER        1271    // the component's key; bold
#define IDC_DESCRIPTION_CAPTION     1302    // "Pipe Description"...; bold
#define IDC_DESCRIPTION             1268    // bold
#define IDC_USAGE                   1274    // drop-down list, upper case
#define IDC_WAREHOUSE_CODE          1275
#define IDC_SUPPLIER_CODE           1273
#define IDC_LABEL                   1270    // kinds with a label only
#define IDC_WHOLESALE_COST          1276
#define IDC_RETAIL_PRICE            1272

// Line components.
#define IDC_LINE_COLOUR             1355    // colour-well button
#define IDC_LINE_STYLE              1356    // line-style combo
#define IDC_WHOLESALE_PER           1414    // "per meter" / "per 100 ft"
#define IDC_RETAIL_PER              1415

// Symbol components.
#define IDC_SYMBOL_COLOUR           1445    // colour-well button
#define IDC_SYMBOL                  1446    // symbol combo
#define IDC_BROWSE_SYMBOL           1447    // "..."
#define IDC_SYMBOL_SIZE             1448
#define IDC_USE_SYMBOL_COLOURS      1483    // check box

#define IDS_SYMBOL_BLANK            290     // the name of the blank symbol
#define IDS_EDITOR_EDIT             456     // caption prefix, existing component
#define IDS_EDITOR_ADD              537     // caption prefix, new component
#define IDS_SELECT_SYMBOL           601     // title of the symbol file dialog
#define IDS_BLANK_SYMBOL_WARNING    638     // a blank symbol is invisible (Yes/No)
#define IDS_EDITOR_CONTINUE         9600    // the OK button while an assembly is built
#define IDS_SYMBOL_FILTER           9601    // the symbol file dialog's filter
