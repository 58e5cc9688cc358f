#pragma once

// Every resource id of the program, grouped by kind and range.
// Icons are named resources: "LARGE_ICON", "SMALL_ICON", "TRAY_ICON".

// Dialog templates (99 .. 299)

// Strings: disc database and engine texts (500 .. 599)
#define IDS_UNKNOWN_ARTIST 500
#define IDS_UNKNOWN_ALBUM 501
#define IDS_UNKNOWN_TRACK 502
#define IDS_DATA_DISC 503
#define IDS_DISC_ERROR 504
#define IDS_NOTHING_TO_PLAY 505

// Built-in skin records (900 .. 949) and bitmaps (950 .. 959)

// Menus (1000 ..)

// Commands (1010 .. 1300); buttons 100 .. 111, sliders 200 .. 203, time display 300

// The status timer and the second-start hand-off command
#define IDT_STATUS 500
#define STATUS_INTERVAL_MS 200
#define IDC_HANDOFF_PLAY 9999
