// The screen scale the owner-drawn pickers size their items by.
#pragma once

namespace kvpickers {

// The setting "AppSettings\DPIScale" when it holds a value above 0, else the
// screen's vertical dots per inch / 96 (1.0 at 96 dots per inch).
float ReadScreenScale();
// The height of a picker's items at a scale: 16 pixels, 24 from 1.5, 32
// from 2.0.
int ItemHeightForScale(float scale);

} // namespace kvpickers
