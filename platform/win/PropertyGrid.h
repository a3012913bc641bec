#pragma once
// The property grid of the settings pages: named values in two columns
// ("Property" and "Value") under collapsible groups, with a pane under the
// list that shows the selected row's label in bold and its description.
//
// Groups and rows are owned by the grid once added; a group's items are
// addressed by insertion order (GetSubItem), sub-groups counting as items.
// Values set from code are shown and returned as they are (also a number
// outside its spin range or a text that is no option); only the cell editors
// keep to the range and the options. A value the user changed away from its
// construction value is drawn bold (MarkModifiedProperties); loading marks
// nothing. Esc closes an open cell editor without taking its text and goes no
// further; without an editor it reaches the dialog as usual.
#include "platform/win/Gdi.h"
#include "platform/win/Wnd.h"

#include <memory>
#include <string>
#include <vector>

class QTreeWidgetItem;
class CMFCPropertyGridCtrl;

// Sent to the grid's parent after the user changed a row: wParam the grid's
// control id, lParam the CMFCPropertyGridProperty*.
constexpr UINT AFX_WM_PROPERTY_CHANGED = 0xBF00;

// Variant types of the values the grid holds.
enum : unsigned short { VT_EMPTY = 0, VT_I4 = 3, VT_BSTR = 8, VT_BOOL = 11 };

class COleVariant {
public:
    unsigned short vt = VT_EMPTY;

    COleVariant() = default;
    COleVariant(const char* text) : vt(VT_BSTR), m_text(text ? text : "") {}
    COleVariant(const std::string& text) : vt(VT_BSTR), m_text(text) {}
    COleVariant(int value) : vt(VT_I4), m_int(value) {}
    COleVariant(long value) : vt(VT_I4), m_int(int(value)) {}
    COleVariant(bool value) : vt(VT_BOOL), m_int(value ? 1 : 0) {}

    const std::string& Text() const { return m_text; }
    int Int() const { return m_int; }
    bool Bool() const { return m_int != 0; }
    bool operator==(const COleVariant& o) const { return vt == o.vt && m_text == o.m_text && m_int == o.m_int; }
    bool operator!=(const COleVariant& o) const { return !(*this == o); }

private:
    std::string m_text;
    int m_int = 0;
};

class CMFCPropertyGridProperty {
public:
    // A group that carries only its name.
    explicit CMFCPropertyGridProperty(const std::string& groupName, UINT_PTR data = 0, BOOL valueList = FALSE);
    // A value row; edit mask, template and valid characters are not used by the program.
    CMFCPropertyGridProperty(const std::string& name, const COleVariant& value, const std::string& description = "",
                             UINT_PTR data = 0, const char* editMask = nullptr, const char* editTemplate = nullptr,
                             const char* validChars = nullptr);
    virtual ~CMFCPropertyGridProperty();
    CMFCPropertyGridProperty(const CMFCPropertyGridProperty&) = delete;
    CMFCPropertyGridProperty& operator=(const CMFCPropertyGridProperty&) = delete;

    // Items of a group, in the order they were added. Items may be added after the group is in a grid.
    BOOL AddSubItem(CMFCPropertyGridProperty* item);
    CMFCPropertyGridProperty* GetSubItem(int index) const;
    int GetSubItemsCount() const { return int(m_items.size()); }
    CMFCPropertyGridProperty* GetParent() const { return m_parent; }
    BOOL IsGroup() const { return m_group; }

    // Options of a choice; with AllowEdit(FALSE) the editor offers only them.
    BOOL AddOption(const std::string& option, BOOL insertUnique = TRUE);
    int GetOptionCount() const { return int(m_options.size()); }
    const std::string& GetOption(int index) const { return m_options.at(size_t(index)); }
    void AllowEdit(BOOL allow = TRUE) { m_allowEdit = allow != FALSE; }
    BOOL IsAllowEdit() const { return m_allowEdit; }
    // The editor's spin buttons keep to [min, max]; values from code are not checked.
    void EnableSpinControl(BOOL enable = TRUE, int minimum = 0, int maximum = 0);
    bool HasSpin() const { return m_spin; }
    int SpinMin() const { return m_spinMin; }
    int SpinMax() const { return m_spinMax; }

    // Takes the value only when its variant type equals the current one's.
    virtual void SetValue(const COleVariant& value);
    const COleVariant& GetValue() const { return m_value; }
    const COleVariant& GetOriginalValue() const { return m_original; }
    // Back to the construction value; the modified mark goes.
    virtual void ResetOriginalValue();
    // Changed by the user to something other than the construction value.
    BOOL IsModified() const { return m_modified; }

    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name);
    const std::string& GetDescription() const { return m_description; }
    void SetDescription(const std::string& description) { m_description = description; }
    UINT_PTR GetData() const { return m_data; }
    // A disabled row is shown greyed and opens no editor.
    void Enable(BOOL enable = TRUE);
    BOOL IsEnabled() const { return m_enabled; }
    void Expand(BOOL expand = TRUE);
    BOOL IsExpanded() const { return m_expanded; }

    // The text the value cell shows.
    virtual std::string FormatProperty() const;

    // ---- the editing the grid does for the user
    enum class Editor { None, Line, Combo, Spin, Button };
    virtual Editor EditorKind() const;
    // The "..." button of the cell or the colour pop-up; true when the value changed.
    virtual bool OnClickButton(CWnd* owner) { return (void)owner, false; }
    // A text typed or chosen in the cell; false when the text is refused.
    virtual bool TakeUserText(const std::string& text);

protected:
    // The user set a new value: the modified mark follows and the row is redrawn.
    void UserChanged(bool differsFromOriginal);
    void Redraw();

    COleVariant m_value;
    COleVariant m_original;

private:
    friend class CMFCPropertyGridCtrl;
    void attach(CMFCPropertyGridCtrl* grid, QTreeWidgetItem* parentItem);

    std::string m_name;
    std::string m_description;
    UINT_PTR m_data = 0;
    bool m_group = false;
    bool m_allowEdit = true;
    bool m_spin = false;
    int m_spinMin = 0;
    int m_spinMax = 0;
    bool m_modified = false;
    bool m_expanded = true;
    bool m_enabled = true;
    std::vector<std::string> m_options;
    std::vector<std::unique_ptr<CMFCPropertyGridProperty>> m_items;
    CMFCPropertyGridProperty* m_parent = nullptr;
    CMFCPropertyGridCtrl* m_grid = nullptr;
    QTreeWidgetItem* m_item = nullptr;
};

// A colour row. Its pop-up offers a set of colours, "Other..." (the colour
// dialog) and, where enabled, an automatic colour shown as its label beside a
// swatch; choosing it makes GetColor answer that colour.
class CMFCPropertyGridColorProperty : public CMFCPropertyGridProperty {
public:
    CMFCPropertyGridColorProperty(const std::string& name, COLORREF color, void* palette = nullptr,
                                  const std::string& description = "", UINT_PTR data = 0);

    void EnableOtherButton(const std::string& label, BOOL altColorDialog = TRUE, BOOL editable = FALSE);
    void EnableAutomaticButton(const std::string& label, COLORREF color, BOOL enable = TRUE);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    bool IsAutomatic() const { return m_automatic; }
    const std::string& OtherLabel() const { return m_otherLabel; }
    const std::string& AutomaticLabel() const { return m_autoLabel; }
    bool HasAutomatic() const { return m_autoEnabled; }
    COLORREF AutomaticColor() const { return m_autoColor; }

    // The pop-up's choices, for the grid's pop-up (and tests): a colour, the automatic one, or the dialog.
    void ChooseColor(COLORREF color);
    void ChooseAutomatic();
    bool ChooseOther(CWnd* owner);

    std::string FormatProperty() const override;
    Editor EditorKind() const override { return Editor::Button; }
    bool OnClickButton(CWnd* owner) override;
    void ResetOriginalValue() override;

private:
    COLORREF m_color;
    COLORREF m_originalColor;
    bool m_automatic = false;
    bool m_autoEnabled = false;
    COLORREF m_autoColor = 0;
    std::string m_autoLabel;
    std::string m_otherLabel;
};

// A font row: its LOGFONT is read and changed in place; the cell shows the
// face and the size in points at the grid's dots per inch.
class CMFCPropertyGridFontProperty : public CMFCPropertyGridProperty {
public:
    CMFCPropertyGridFontProperty(const std::string& name, const LOGFONT& font, DWORD fontDialogFlags = 0,
                                 const std::string& description = "", UINT_PTR data = 0,
                                 COLORREF color = COLORREF(-1));

    LOGFONT* GetLogFont() { return &m_font; }
    const LOGFONT* GetLogFont() const { return &m_font; }

    std::string FormatProperty() const override;
    Editor EditorKind() const override { return Editor::Button; }
    bool OnClickButton(CWnd* owner) override;
    void ResetOriginalValue() override;

private:
    LOGFONT m_font;
    LOGFONT m_originalFont;
    DWORD m_flags;
};

// A file row (open or save dialog with a filter in the Windows form) or a
// folder row (the folder browser); the value is the path text.
class CMFCPropertyGridFileProperty : public CMFCPropertyGridProperty {
public:
    CMFCPropertyGridFileProperty(const std::string& name, BOOL openFileDialog, const std::string& fileName,
                                 const char* defaultExt = nullptr, DWORD flags = 0, const char* filter = nullptr,
                                 const std::string& description = "", UINT_PTR data = 0);
    CMFCPropertyGridFileProperty(const std::string& name, const std::string& folderName, UINT_PTR data = 0,
                                 const char* description = nullptr);

    bool IsFolder() const { return m_folder; }
    const std::string& Filter() const { return m_filter; }
    const std::string& DefaultExt() const { return m_defaultExt; }

    Editor EditorKind() const override { return Editor::Button; }
    bool OnClickButton(CWnd* owner) override;

private:
    bool m_folder = false;
    bool m_open = true;
    std::string m_defaultExt;
    std::string m_filter;
};

class CMFCPropertyGridCtrl : public CWnd {
public:
    CMFCPropertyGridCtrl();
    ~CMFCPropertyGridCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    void EnableHeaderCtrl(BOOL enable = TRUE, const char* left = "Property", const char* right = "Value");
    void EnableDescriptionArea(BOOL enable = TRUE);
    void SetVSDotNetLook(BOOL set = TRUE);
    void MarkModifiedProperties(BOOL mark = TRUE, BOOL redraw = TRUE);
    void SetShowDragContext(BOOL show = TRUE) { m_dragContext = show != FALSE; }
    BOOL IsMarkModifiedProperties() const { return m_markModified; }

    // Appends a top-level group (or row); the grid owns it from now on.
    int AddProperty(CMFCPropertyGridProperty* property, BOOL redraw = TRUE, BOOL adjustLayout = TRUE);
    int GetPropertyCount() const { return int(m_top.size()); }
    CMFCPropertyGridProperty* GetProperty(int index) const;
    void RemoveAll();
    void ExpandAll(BOOL expand = TRUE);
    // Every row of every group back to its construction value, modified marks cleared.
    void ResetOriginalValues(BOOL redraw = TRUE);

    void SetCurSel(CMFCPropertyGridProperty* property, BOOL redraw = TRUE);
    CMFCPropertyGridProperty* GetCurSel() const;
    // Opens the value cell's editor of a row; EndEditItem closes it, taking its text when asked.
    BOOL EditItem(CMFCPropertyGridProperty* property);
    BOOL EndEditItem(BOOL updateValue = TRUE);
    bool IsEditing() const { return m_editing != nullptr; }
    // Presses the cell's "..." button (or opens the colour pop-up) as a click would.
    void ClickButton(CMFCPropertyGridProperty* property);

    // What the grid shows, for the pages' tests and screenshots.
    bool IsShownBold(const CMFCPropertyGridProperty* property) const;
    std::string ShownValue(const CMFCPropertyGridProperty* property) const;
    std::string DescriptionText() const;
    int GetLeftColumnWidth() const;
    // The open colour pop-up, or null.
    QWidget* ColorPopup() const;
    int GetDpi() const;

    BOOL PreTranslateMessage(MSG* msg) override;
    // A grid keeps its rows in its object: a member taking over a template's grid makes its own widget.
    bool AcceptsWidget(const QWidget* widget) const override;

    // Internal: a row changed; redraws it.
    void RefreshProperty(CMFCPropertyGridProperty* property);
    // Internal: the user changed a row; tells the parent.
    void NotifyChanged(CMFCPropertyGridProperty* property);

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;

private:
    struct Ui;
    void openColorPopup(CMFCPropertyGridColorProperty* property);
    void closeColorPopup();
    void showDescription(CMFCPropertyGridProperty* property);

    std::unique_ptr<Ui> m_ui;
    std::vector<std::unique_ptr<CMFCPropertyGridProperty>> m_top;
    CMFCPropertyGridProperty* m_editing = nullptr;
    bool m_markModified = false;
    bool m_dragContext = false;
    bool m_description = false;
    bool m_dotNetLook = false;
    bool m_header = false;
    friend class CMFCPropertyGridProperty;
};

namespace win {

// Logical font heights and points at a number of dots per inch:
// 8 points are -11 at 96 dpi, and back.
int FontHeightFromPoints(int points, int dpi);
int FontPointsFromHeight(int height, int dpi);
// Puts a face name into a LOGFONT: at most 31 bytes, cut before a partial character.
void SetFaceName(LOGFONT& font, const std::string& face);

} // namespace win
