#pragma once

// Every resource id of the program, grouped by kind and range.
// Icons are named resources: "LARGE_ICON", "SMALL_ICON", "TRAY_ICON".

// Dialog templates (99 .. 299)
#define IDD_PLAYLIST 99       // the playlist window: an empty borderless template
#define IDD_ADD_SONG 100      // "Add Song to Playlist"
#define IDD_EDIT_PLAYLIST 120 // "Edit playlist"
#define IDD_OPTIONS 140       // "Lumivoxen Player Options", the tabbed dialog
#define IDD_CONFIG_PAGE 149
#define IDD_SKIN_PAGE 200
#define IDD_DEFAULT_PAGE 220
#define IDD_ABOUT_PAGE 230
#define IDD_NAME_CHOOSER 240 // "Choose Names", the releases a lookup found

// Add-song dialog controls (101 .. 104)
#define IDC_ADD_LIST 101
#define IDC_ADD_ADD 102
#define IDC_ADD_CLOSE 103
#define IDC_ADD_ALL 104

// Playlist editor controls (121 .. 127; Cancel is IDCANCEL)
#define IDC_EDIT_ARTIST 121
#define IDC_EDIT_TITLE 122
#define IDC_EDIT_LIST 123
#define IDC_EDIT_NAME 124
#define IDC_EDIT_SET_NAME 125
#define IDC_EDIT_SAVE 126
#define IDC_EDIT_ADD 127

// Name chooser controls (241)
#define IDC_CHOOSER_LIST 241

// Config page controls for the name lookups (172 .. 173)
#define IDC_CONFIG_LOOKUP 172
#define IDC_CONFIG_EMAIL 173

// Strings: tooltips (200 .. 499), in the order of the controls that carry them
#define IDS_TIP_PLAYER_BUTTONS 200   // 200 .. 211: the 12 player buttons
#define IDS_TIP_PLAYLIST_BUTTONS 230 // 230 .. 235: the 6 playlist buttons
#define IDS_TIP_SLIDERS 300          // 300 .. 303: seek, left, right and master volume
#define IDS_TIP_TIME 400             // the time display

// Strings: disc database and engine texts (500 .. 599)
#define IDS_UNKNOWN_ARTIST 500
#define IDS_UNKNOWN_ALBUM 501
#define IDS_UNKNOWN_TRACK 502
#define IDS_DATA_DISC 503
#define IDS_DISC_ERROR 504
#define IDS_NOTHING_TO_PLAY 505

// Strings: the options dialog (600 .. 699)
#define IDS_TAB_CONFIG 600 // 600 .. 603: the four tabs
#define IDS_CHANGE_DRIVE 610
#define IDS_CHANGE_DRIVE_CAPTION 611
#define IDS_BUILTIN_SKIN 620      // the built-in skin's entry in the skin list
#define IDS_BUILTIN_SKIN_INFO 621 // its description, "%s" the web address
#define IDS_SET_OURS 630
#define IDS_SET_OTHER 631
#define IDS_QUESTION_CAPTION 632
#define IDS_NO_PLAYER_PATH 633
#define IDS_ERROR_CAPTION 634
#define IDS_ALL_OK 635
#define IDS_OK_CAPTION 636
#define IDS_REGISTRY_FAILED 637 // "%s": the key that could not be written
#define IDS_CDA_TYPE_NAME 638
#define IDS_WEB_ADDRESS 640
#define IDS_MAIL_ADDRESS 641

// Strings: the virtual drive (700 .. 799)
#define IDS_IMAGE_FAILED 700 // "%s": why, naming the file and the sheet's line
#define IDS_IMAGE_GONE 701   // the same for the image remembered from the last session
#define IDS_IMAGE_CAPTION 702
#define IDS_IMAGE_GONE_DEMO 703 // the same when the demo disc takes the image's place
#define IDS_OPEN_IMAGE_TITLE 704
#define IDS_OPEN_IMAGE_FILTER 705 // the open dialog's filter, '|' between its parts
#define IDS_OPEN_FOLDER_TITLE 706
#define IDS_LOOKUP_OFF 710     // the menu's lookup while lookups are turned off
#define IDS_LOOKUP_NO_DISC 711 // the menu's lookup without a disc

// Built-in skin records (900 .. 949) and bitmaps (950 .. 959)
#define IDR_SKIN_MAIN_RECTS 900       // main and titlebar rectangles
#define IDR_SKIN_BUTTONS 901          // the 12 player buttons: placement, source strip
#define IDR_SKIN_SLIDERS 902          // the 4 player sliders: placement, source strip
#define IDR_SKIN_TEXT_MAP 903         // the bitmap font's text map, NUL-terminated
#define IDR_SKIN_TEXT_BOXES 904       // the 6 text box placements
#define IDR_SKIN_PLAYLIST_TOP 905     // the playlist window's 4 title strip pieces
#define IDR_SKIN_PLAYLIST_BOTTOM 906  // its 3 bottom strip pieces
#define IDR_SKIN_PLAYLIST_SIDES 907   // its 2 side borders (46 bytes stored of 48)
#define IDR_SKIN_PLAYLIST_SLIDER 908  // sbListBox: width, thumb strip, track
#define IDR_SKIN_PLAYLIST_LIST 909    // lbPlaylist: background, item height, bar colours
#define IDR_SKIN_PLAYLIST_BUTTONS 910 // the 6 playlist buttons: placement, source strip
#define IDB_SKIN_MAIN 950             // main.bmp, 275 x 116
#define IDB_SKIN_TITLEBAR 951         // titlebar.bmp, inactive above active
#define IDB_SKIN_CBUTTONS 952         // cbuttons.bmp, the player buttons' cells
#define IDB_SKIN_SCROLL 953           // scroll.bmp, the player sliders' thumbs
#define IDB_SKIN_FONT 954             // font.bmp, glyphs on black (transparent)
#define IDB_SKIN_PLAYLIST 955         // playlist.bmp, everything of the playlist window
#define IDB_TAB_IMAGES 956            // the options dialog's six 16 x 16 tab images
#define IDB_TAB_MASK 957              // their monochrome mask
#define IDB_SKIN_PAGE 958             // the Skin page's picture, 100 x 200
#define IDB_ABOUT 959                 // the About page's picture, 320 x 170
#define IDB_TAB_IMAGES_2X 960         // the tab images at 2x, 32 x 32 each
#define IDB_TAB_MASK_2X 961           // their mask
#define IDB_SKIN_PAGE_2X 962          // the Skin page's picture at 2x, 200 x 400
#define IDB_ABOUT_2X 963              // the About page's picture at 2x, 640 x 340

// Menus (1000 ..)
#define IDM_MAIN 1000 // the right-click menu; its first popup is "MainMenu"

// Menu commands (1010 .. 1353)
#define IDM_ABOUT 1010
#define IDM_SHOW_PLAYLIST 1020
#define IDM_ALWAYS_ON_TOP 1040
#define IDM_MINIMIZE_TO_TRAY 1050
#define IDM_SHOW_TOOLTIPS 1060
#define IDM_KEY_SHORTCUTS 1070
#define IDM_SNAP_WINDOWS 1080
#define IDM_ESC_MINIMIZE 1090
#define IDM_STOP_ON_EXIT 1100
#define IDM_EXIT_ON_REMOVE 1110
#define IDM_MINIMIZE_ON_START 1120
#define IDM_PLAY_ON_START 1130
#define IDM_REPEAT_TRACK 1140
#define IDM_REPEAT_PLAYLIST 1150
#define IDM_TIME_ELAPSED 1160
#define IDM_EXIT 1180
#define IDM_CONFIG 1190
#define IDM_SKIN 1200
#define IDM_RANDOM_START 1210
#define IDM_INTRO_5 1220 // 1220 .. 1280: intro lengths 5, 10, 15, 30, 45, 60, 120 s
#define IDM_INTRO_120 1280
#define IDM_DEFAULT_PLAYER 1290
#define IDM_INTRO_PLAY 1300
#define IDM_OPEN_IMAGE 1310   // "Open Disc Image...": the standard open dialog
#define IDM_OPEN_FOLDER 1320  // "Open Disc Folder...": the folder browser
#define IDM_RECENT_NONE 1330  // "(none)", greyed, in "Recent Images" while it is empty
#define IDM_RECENT_FIRST 1331 // 1331 .. 1335: the recent images, newest first
#define IDM_LOOKUP_NAMES 1340 // "Look Up Names Online"
#define IDM_SCALE_AUTO 1350   // "Scale": 1350 Auto, 1351 .. 1353 1x .. 3x
#define IDM_SCALE_3X 1353

// Player window controls: buttons 100 .. 111, sliders 200 .. 203, text boxes 300 .. 305
#define IDC_PLAYER_BUTTON 100
#define IDC_PLAYER_SLIDER 200
#define IDC_PLAYER_TEXT 300
// Playlist window controls: buttons 100 .. 105, slider 400, list 450
#define IDC_PLAYLIST_BUTTON 100
#define IDC_PLAYLIST_SLIDER 400
#define IDC_PLAYLIST_LIST 450

// The status timer and the second-start hand-off command
#define IDT_STATUS 500
#define STATUS_INTERVAL_MS 200
#define IDC_HANDOFF_PLAY 9999
