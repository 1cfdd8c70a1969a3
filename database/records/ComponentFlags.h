// The bits of a component's [Flags]. Kept apart from the record classes,
// with no includes, so that window-free code above the records (the
// application's state) can read a row's flags without taking in the
// database classes.
#pragma once

// [Flags] bits; other bits pass through unchanged.
enum ComponentFlags
{
    COMPONENT_FLAG_ASSEMBLY = 0x1,     // items are the Assemblies rows of its key
    COMPONENT_FLAG_TAPE = 0x2,         // a pipe that is a tape, with a Tapes row
    COMPONENT_FLAG_HAS_NOZZLES = 0x4,  // an outlet with nozzles
};
