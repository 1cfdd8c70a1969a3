// The table types of the component grid, one per tab, in tab order. Kept
// apart from the grid's other tables, with no includes, so that window-free
// code above the grid (the application's state) can name the tabs without
// taking in the grid and the framework.
#pragma once

namespace kvgrid {

enum TableType
{
    TABLE_PIPE = 0,
    TABLE_TAPE = 1,
    TABLE_VALVE = 2,
    TABLE_HYDRAULIC = 3,
    TABLE_TAKE_OFF = 4,
    TABLE_COUPLER = 5,
    TABLE_ELBOW = 6,
    TABLE_TEE = 7,
    TABLE_CROSS = 8,
    TABLE_PUMP = 9,
    TABLE_OUTLET = 10,
    TABLE_OUTLET_CONNECTION = 11,
    TABLE_WIRE = 12,
    TABLE_CONTROLLER = 13,
    TABLE_LIGHT = 14,
    TABLE_ELECTRIC = 15,
    TABLE_COMPONENT = 16,
    TABLE_NOZZLE = 17,
    TABLE_QUERY = 18,
};

// Table types 0 to 17 show components; 18 shows the user's query.
const int ComponentTableCount = 18;
const int TableTypeCount = 19;

} // namespace kvgrid
