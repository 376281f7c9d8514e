// The resource, command and string identifiers the program uses. These small
// integers are fixed: links, tests and data files refer to them.
#pragma once

namespace ResId {
// Resource types with a standard number; "JPG" is the one custom (named) type.
constexpr int RT_BITMAP = 2;
constexpr int RT_ICON = 3;
constexpr int RT_MENU = 4;
constexpr int RT_DIALOG = 5;
constexpr int RT_STRING = 6;
constexpr int RT_RCDATA = 10;
constexpr int RT_GROUP_ICON = 14;
constexpr int RT_VERSION = 16;
constexpr int RT_HTML = 23;
constexpr int RT_TOOLBAR = 241;
constexpr const char* RT_JPG = "JPG";
// The picture's first look, made by the build beside it (data/FirstLook.h).
constexpr const char* RT_FIRSTLOOK = "FIRSTLOOK";

// Data resources.
constexpr int IDR_MAP_PICTURE = 131;     // JPG
constexpr int IDR_PLACES = 133;          // RCDATA
constexpr int IDR_CHARACTERS = 134;      // RCDATA
constexpr int IDR_SPELLS = 138;          // RCDATA
constexpr int IDR_VENDORS = 139;         // RCDATA
constexpr int IDR_EFFECTS = 140;         // RCDATA
constexpr int IDR_VENDOR_LOCATIONS = 141;  // RCDATA
constexpr int IDR_ROADS = 142;           // RCDATA: the world's scale and roads
constexpr int IDR_BLANK_PAGE = 135;      // HTML
constexpr int IDR_ABOUT_PAGE = 136;      // HTML

// Menu, tool bar, icons.
constexpr int IDR_MAINFRAME = 128;       // menu, tool bar, tool bar strip, main icon, document string

// Commands.
constexpr int ID_ZOOM_IN = 32771;
constexpr int ID_ZOOM_OUT = 32772;
constexpr int ID_NPC_SEARCH = 32776;
constexpr int ID_SPELL_SEARCH = 32778;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// String table entries that are not command prompts.
constexpr int AFX_IDS_APP_TITLE = 57344;
constexpr int AFX_IDS_IDLEMESSAGE = 57345;
constexpr int ID_INDICATOR_EXT = 59136;
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
constexpr int ID_INDICATOR_OVR = 59140;
constexpr int ID_INDICATOR_REC = 59141;
constexpr int IDS_PRODUCT_TITLE = 61204;  // "Sarvenhal."
constexpr int IDS_ZOOM_SUFFIX = 61205;    // " (Zoom %d%%)"
}  // namespace ResId
