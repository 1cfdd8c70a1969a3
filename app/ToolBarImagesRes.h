// Resource ids of the main frame's toolbar images: per toolbar a small
// (16 x 16) and a large (32 x 32) toolbar resource, each with the bitmap
// strip of the same id.
#pragma once

#define IDR_TOOLBAR_COMPONENT_LARGE     262
#define IDR_TOOLBAR_COMPONENT           263
#define IDR_TOOLBAR_FILE_LARGE          264
#define IDR_TOOLBAR_FILE                265
#define IDR_TOOLBAR_FIND_LARGE          266
#define IDR_TOOLBAR_FIND                267
#define IDR_TOOLBAR_QUERY_LARGE         268
#define IDR_TOOLBAR_QUERY               269
