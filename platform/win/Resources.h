#pragma once
// The program's resources: dialog templates, menus, strings and images, kept
// as data in res/ and built into the window layer. Dialog templates, menus and
// strings are written in resource scripts (res/*.rc) in the familiar form:
//
//   130 DIALOGEX 0, 0, 668, 412
//   STYLE DS_SETFONT | WS_CHILD
//   FONT 8, "MS Shell Dlg"
//   BEGIN
//       EDITTEXT        1004, 224, 49, 8, 12, ES_AUTOHSCROLL | NOT WS_VISIBLE
//       CONTROL         "", 1001, "Static", SS_BLACKFRAME, 7, 7, 173, 70
//       DEFPUSHBUTTON   "OK", IDOK, 10, 10, 50, 14
//   END
//
//   195 MENU
//   BEGIN
//       POPUP "&File"
//       BEGIN
//           MENUITEM "&Exit", 32784
//           MENUITEM SEPARATOR
//       END
//   END
//
//   STRINGTABLE
//   BEGIN
//       101 "&About Mirtal..."
//   END
//
//   194 BITMAP "bitmaps/194.bmp"
//
// Places and sizes are dialog units. Control statements: CONTROL, LTEXT,
// RTEXT, CTEXT, EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON, CHECKBOX, AUTOCHECKBOX,
// RADIOBUTTON, AUTORADIOBUTTON, GROUPBOX, COMBOBOX, LISTBOX, ICON, each with
// the default styles of the resource-script language; "NOT X" in a style takes
// a default bit away. Strings take \n, \t, \r, \\, \" and "" for a quote.
#include "platform/win/WinTypes.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace win {

struct DialogItemTemplate {
    std::string className; // "Static", "Edit", "Button", "ComboBox", "ListBox", "msctls_trackbar32", ...
    std::string text;
    UINT imageId = 0;      // the bitmap or icon of an image static (its text was a number)
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontName;
    int fontSize = 0;
    UINT menuId = 0;
    std::vector<DialogItemTemplate> items;
};

struct MenuTemplateItem {
    std::string text;
    UINT id = 0;
    bool separator = false;
    bool popup = false;
    bool checked = false;
    bool grayed = false;
    std::vector<MenuTemplateItem> children;
};

// A toolbar: the size of each picture in its bitmap strip and its buttons'
// command ids in order (0 for a separator, which takes no picture).
struct ToolBarTemplate {
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<UINT> buttons;
};

struct ResourceSet {
    std::map<UINT, DialogTemplate> dialogs;
    std::map<UINT, std::vector<MenuTemplateItem>> menus;
    std::map<UINT, std::string> strings;
    std::map<UINT, std::string> images; // bitmaps and sounds: file name relative to res/
    std::map<UINT, std::string> icons;  // icons and cursors, a kind of their own as on Windows
    std::map<UINT, ToolBarTemplate> toolbars;
};

class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses a resource script; a mistake raises ResourceError naming the line.
ResourceSet ParseResourceScript(const std::string& text, const std::string& name = "script");

// The program's resources (every res/*.rc), parsed at first use.
const DialogTemplate* FindDialogTemplate(UINT id);
const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT id);
const ToolBarTemplate* FindToolBarTemplate(UINT id);
std::optional<std::string> FindString(UINT id);
// The Qt resource path of an image or sound, empty when there is none.
std::string FindImagePath(UINT id);
// The Qt resource path of an icon; an id that names only a bitmap gives that
// bitmap (a picture shown as an icon), empty when there is neither.
std::string FindIconPath(UINT id);
// The bytes of a resource file (a WAVE sound), empty when there is none.
std::string LoadResourceData(UINT id);

// Adds resources from a script to the program's (tests add their own
// templates). A dialog whose id is taken is a mistake: ResourceError, and
// nothing of the script is added. (Two scripts of res/ giving one dialog id
// are the same mistake, found at first use.)
void AddResourceScript(const std::string& text);

} // namespace win

// The text of a string resource, empty when there is none.
std::string LoadResourceString(UINT id);
