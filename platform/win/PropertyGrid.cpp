#include "platform/win/PropertyGrid.h"

#include "platform/win/ChoiceDialogs.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WidgetGlue.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace win {

int FontHeightFromPoints(int points, int dpi) { return -MulDiv(points, dpi, 72); }

int FontPointsFromHeight(int height, int dpi)
{
    if (dpi <= 0)
        return 0;
    return MulDiv(height < 0 ? -height : height, 72, dpi);
}

void SetFaceName(LOGFONT& font, const std::string& face)
{
    size_t n = std::min(face.size(), sizeof font.lfFaceName - 1);
    // Never half a character: step back over UTF-8 continuation bytes.
    if (n < face.size())
        while (n > 0 && (static_cast<unsigned char>(face[n]) & 0xC0) == 0x80)
            --n;
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), n);
}

} // namespace win

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

bool parseInt(const std::string& text, int& out)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i >= text.size())
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] == ' ')
            break;
        if (text[i] < '0' || text[i] > '9')
            return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL)
            return false;
    }
    for (; i < text.size(); ++i)
        if (text[i] != ' ')
            return false;
    v = negative ? -v : v;
    if (v > 2147483647LL)
        return false;
    out = int(v);
    return true;
}

constexpr UINT kF2 = 0x71;


bool sameFont(const LOGFONT& a, const LOGFONT& b)
{
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           std::strncmp(a.lfFaceName, b.lfFaceName, sizeof a.lfFaceName) == 0;
}

CMFCPropertyGridProperty* propOf(QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CMFCPropertyGridProperty*>(item->data(0, Qt::UserRole).value<quintptr>())
                : nullptr;
}

// The colours the pop-up offers besides "Default" and "Other...".

// The grid's frame: the two columns start equal at the first size the grid
// gets, however it was made (by Create or by a dialog template).
class GridRoot : public win::detail::Widget<QFrame> {
public:
    using Widget::Widget;
    QPointer<QTreeWidget> tree;
    bool columnsSet = false;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        Widget::resizeEvent(e);
        if (!columnsSet && tree && width() > 0) {
            columnsSet = true;
            tree->setColumnWidth(0, std::max(40, width() / 2));
        }
    }
};

} // namespace

struct CMFCPropertyGridCtrl::Ui {
    QPointer<QWidget> root;
    QPointer<QTreeWidget> tree;
    QPointer<QLabel> description;
    QPointer<QFrame> popup;
    QPointer<QWidget> editor;
    QPointer<QLineEdit> line;
    QPointer<QComboBox> combo;
};

// ---- property -----------------------------------------------------------------------------------

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const std::string& groupName, UINT_PTR data, BOOL)
    : m_name(groupName), m_data(data), m_group(true)
{
}

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const std::string& name, const COleVariant& value,
                                                   const std::string& description, UINT_PTR data, const char*,
                                                   const char*, const char*)
    : m_value(value), m_original(value), m_name(name), m_description(description), m_data(data)
{
}

CMFCPropertyGridProperty::~CMFCPropertyGridProperty() = default;

BOOL CMFCPropertyGridProperty::AddSubItem(CMFCPropertyGridProperty* item)
{
    if (!item || !m_group)
        return FALSE;
    item->m_parent = this;
    m_items.emplace_back(item);
    if (m_grid && m_item)
        item->attach(m_grid, m_item);
    return TRUE;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::GetSubItem(int index) const
{
    return index >= 0 && size_t(index) < m_items.size() ? m_items[size_t(index)].get() : nullptr;
}

BOOL CMFCPropertyGridProperty::AddOption(const std::string& option, BOOL insertUnique)
{
    if (insertUnique && std::find(m_options.begin(), m_options.end(), option) != m_options.end())
        return FALSE;
    m_options.push_back(option);
    return TRUE;
}

void CMFCPropertyGridProperty::EnableSpinControl(BOOL enable, int minimum, int maximum)
{
    m_spin = enable != FALSE;
    m_spinMin = std::min(minimum, maximum);
    m_spinMax = std::max(minimum, maximum);
}

void CMFCPropertyGridProperty::SetValue(const COleVariant& value)
{
    if (m_group || value.vt != m_value.vt)
        return;
    m_value = value;
    Redraw();
}

void CMFCPropertyGridProperty::ResetOriginalValue()
{
    m_value = m_original;
    m_modified = false;
    Redraw();
}

void CMFCPropertyGridProperty::Enable(BOOL enable)
{
    m_enabled = enable != FALSE;
    Redraw();
}

void CMFCPropertyGridProperty::SetName(const std::string& name)
{
    m_name = name;
    Redraw();
}

void CMFCPropertyGridProperty::Expand(BOOL expand)
{
    m_expanded = expand != FALSE;
    if (m_grid && m_grid->m_ui && m_grid->m_ui->tree && m_item)
        m_item->setExpanded(m_expanded);
}

std::string CMFCPropertyGridProperty::FormatProperty() const
{
    switch (m_value.vt) {
    case VT_BSTR: return m_value.Text();
    case VT_I4: return std::to_string(m_value.Int());
    case VT_BOOL: return m_value.Bool() ? "True" : "False";
    default: return std::string();
    }
}

CMFCPropertyGridProperty::Editor CMFCPropertyGridProperty::EditorKind() const
{
    if (m_group)
        return Editor::None;
    if (m_value.vt == VT_BOOL || !m_options.empty())
        return Editor::Combo;
    if (m_value.vt == VT_I4 && m_spin)
        return Editor::Spin;
    return Editor::Line;
}

bool CMFCPropertyGridProperty::TakeUserText(const std::string& text)
{
    COleVariant next = m_value;
    switch (m_value.vt) {
    case VT_BSTR:
        if (!m_allowEdit && !m_options.empty() &&
            std::find(m_options.begin(), m_options.end(), text) == m_options.end())
            return false;
        next = COleVariant(text);
        break;
    case VT_I4: {
        if (text == FormatProperty())
            return true; // unchanged, also when it lies outside the spin range
        int n = 0;
        if (!parseInt(text, n))
            return false;
        if (m_spin)
            n = std::clamp(n, m_spinMin, m_spinMax);
        next = COleVariant(n);
        break;
    }
    case VT_BOOL:
        if (text != "True" && text != "False")
            return false;
        next = COleVariant(text == "True");
        break;
    default: return false;
    }
    if (next != m_value) {
        m_value = next;
        UserChanged(m_value != m_original);
    }
    return true;
}

void CMFCPropertyGridProperty::UserChanged(bool differsFromOriginal)
{
    m_modified = differsFromOriginal;
    Redraw();
    if (m_grid)
        m_grid->NotifyChanged(this);
}

void CMFCPropertyGridProperty::Redraw()
{
    if (m_grid)
        m_grid->RefreshProperty(this);
}

void CMFCPropertyGridProperty::attach(CMFCPropertyGridCtrl* grid, QTreeWidgetItem* parentItem)
{
    m_grid = grid;
    if (!grid->m_ui)
        return;
    m_item = parentItem ? new QTreeWidgetItem(parentItem) : nullptr;
    if (!m_item)
        return;
    m_item->setData(0, Qt::UserRole, QVariant::fromValue(quintptr(this)));
    if (m_group)
        m_item->setFirstColumnSpanned(true);
    for (auto& child : m_items)
        child->attach(grid, m_item);
    grid->RefreshProperty(this);
    m_item->setExpanded(m_expanded);
}

// ---- colour -------------------------------------------------------------------------------------

CMFCPropertyGridColorProperty::CMFCPropertyGridColorProperty(const std::string& name, COLORREF color, void*,
                                                             const std::string& description, UINT_PTR data)
    : CMFCPropertyGridProperty(name, COleVariant(int(color)), description, data), m_color(color & 0xffffff),
      m_originalColor(color & 0xffffff)
{
}

void CMFCPropertyGridColorProperty::EnableOtherButton(const std::string& label, BOOL, BOOL)
{
    m_otherLabel = label;
}

void CMFCPropertyGridColorProperty::EnableAutomaticButton(const std::string& label, COLORREF color, BOOL enable)
{
    m_autoLabel = label;
    m_autoColor = color & 0xffffff;
    m_autoEnabled = enable != FALSE;
}

void CMFCPropertyGridColorProperty::SetColor(COLORREF color)
{
    m_color = color & 0xffffff;
    m_automatic = false;
    m_value = COleVariant(int(m_color));
    Redraw();
}

void CMFCPropertyGridColorProperty::ChooseColor(COLORREF color)
{
    m_color = color & 0xffffff;
    m_automatic = false;
    m_value = COleVariant(int(m_color));
    UserChanged(m_color != m_originalColor);
}

void CMFCPropertyGridColorProperty::ChooseAutomatic()
{
    if (!m_autoEnabled)
        return;
    m_color = m_autoColor;
    m_automatic = true;
    m_value = COleVariant(int(m_color));
    UserChanged(m_color != m_originalColor);
}

bool CMFCPropertyGridColorProperty::ChooseOther(CWnd* owner)
{
    CColorDialog dlg(m_color, CC_FULLOPEN | CC_RGBINIT, owner);
    if (dlg.DoModal() != IDOK)
        return false;
    ChooseColor(dlg.GetColor());
    return true;
}

std::string CMFCPropertyGridColorProperty::FormatProperty() const
{
    return m_automatic ? m_autoLabel : std::string();
}

bool CMFCPropertyGridColorProperty::OnClickButton(CWnd* owner) { return ChooseOther(owner); }

void CMFCPropertyGridColorProperty::ResetOriginalValue()
{
    m_color = m_originalColor;
    m_automatic = false;
    m_value = COleVariant(int(m_color));
    CMFCPropertyGridProperty::ResetOriginalValue();
}

// ---- font ---------------------------------------------------------------------------------------

CMFCPropertyGridFontProperty::CMFCPropertyGridFontProperty(const std::string& name, const LOGFONT& font, DWORD flags,
                                                           const std::string& description, UINT_PTR data, COLORREF)
    : CMFCPropertyGridProperty(name, COleVariant(std::string(font.lfFaceName)), description, data), m_font(font),
      m_originalFont(font), m_flags(flags)
{
}

std::string CMFCPropertyGridFontProperty::FormatProperty() const
{
    const int dpi = win::CurrentDisplay().dpiY;
    return std::string(m_font.lfFaceName, strnlen(m_font.lfFaceName, sizeof m_font.lfFaceName)) + "(" +
           std::to_string(win::FontPointsFromHeight(int(m_font.lfHeight), dpi)) + ")";
}

bool CMFCPropertyGridFontProperty::OnClickButton(CWnd* owner)
{
    CFontDialog dlg(&m_font, m_flags, owner);
    if (dlg.DoModal() != IDOK)
        return false;
    const LOGFONT& chosen = dlg.Font();
    m_font.lfHeight = chosen.lfHeight;
    m_font.lfWeight = chosen.lfWeight;
    m_font.lfItalic = chosen.lfItalic;
    std::memcpy(m_font.lfFaceName, chosen.lfFaceName, sizeof m_font.lfFaceName);
    m_font.lfFaceName[sizeof m_font.lfFaceName - 1] = 0;
    UserChanged(!sameFont(m_font, m_originalFont));
    return true;
}

void CMFCPropertyGridFontProperty::ResetOriginalValue()
{
    m_font = m_originalFont;
    CMFCPropertyGridProperty::ResetOriginalValue();
}

// ---- file and folder ----------------------------------------------------------------------------

CMFCPropertyGridFileProperty::CMFCPropertyGridFileProperty(const std::string& name, BOOL openFileDialog,
                                                           const std::string& fileName, const char* defaultExt,
                                                           DWORD, const char* filter, const std::string& description,
                                                           UINT_PTR data)
    : CMFCPropertyGridProperty(name, COleVariant(fileName), description, data), m_open(openFileDialog != FALSE),
      m_defaultExt(defaultExt ? defaultExt : ""), m_filter(filter ? filter : "")
{
}

CMFCPropertyGridFileProperty::CMFCPropertyGridFileProperty(const std::string& name, const std::string& folderName,
                                                           UINT_PTR data, const char* description)
    : CMFCPropertyGridProperty(name, COleVariant(folderName), description ? description : "", data), m_folder(true)
{
}

bool CMFCPropertyGridFileProperty::OnClickButton(CWnd* owner)
{
    std::string chosen;
    if (m_folder) {
        chosen = win::BrowseForFolder(owner ? owner->m_hWnd : nullptr, GetName(), m_value.Text());
    } else {
        win::FileDialogRequest r;
        r.owner = owner ? owner->m_hWnd : nullptr;
        r.open = m_open;
        r.fileName = m_value.Text();
        r.filter = m_filter;
        r.defaultExt = m_defaultExt;
        if (auto paths = win::RunFileDialog(r); paths && !paths->empty()) {
            chosen = paths->front();
            const size_t slash = chosen.find_last_of("/\\");
            const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
            if (!m_defaultExt.empty() && chosen.find('.', nameAt) == std::string::npos)
                chosen += "." + m_defaultExt;
        }
    }
    if (chosen.empty())
        return false;
    return TakeUserText(chosen);
}

// ---- the grid -----------------------------------------------------------------------------------


CMFCPropertyGridCtrl::CMFCPropertyGridCtrl() = default;

CMFCPropertyGridCtrl::~CMFCPropertyGridCtrl()
{
    // The rows forget their tree items before the rows go.
    m_ui.reset();
}

BOOL CMFCPropertyGridCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "MFCPropertyGrid", "", style | WS_CHILD, rect, parent, id);
}

bool CMFCPropertyGridCtrl::AcceptsWidget(const QWidget* widget) const
{
    return m_ui && widget && widget == m_ui->root;
}

QWidget* CMFCPropertyGridCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    m_ui = std::make_unique<Ui>();
    auto* root = new GridRoot(parent);
    if (style & WS_BORDER)
        root->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);

    auto* tree = new QTreeWidget(root);
    tree->setObjectName("propertyTree");
    tree->setColumnCount(2);
    tree->setHeaderLabels({"Property", "Value"});
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    tree->header()->setStretchLastSection(true);
    tree->header()->setSectionsMovable(false);
    tree->setIndentation(12);
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setExpandsOnDoubleClick(true);
    layout->addWidget(tree, 1);

    auto* description = new QLabel(root);
    description->setObjectName("propertyDescription");
    description->setTextFormat(Qt::RichText);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    description->setMinimumHeight(3 * description->fontMetrics().lineSpacing() + 14);
    description->setMaximumHeight(3 * description->fontMetrics().lineSpacing() + 14);
    description->setMargin(3);
    description->hide();
    layout->addWidget(description);

    root->setFocusProxy(tree);
    root->tree = tree;
    m_ui->root = root;
    m_ui->tree = tree;
    m_ui->description = description;

    QObject::connect(tree, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
        EndEditItem(TRUE);
        closeColorPopup();
        showDescription(propOf(now));
    });
    QObject::connect(tree, &QTreeWidget::itemClicked, [this](QTreeWidgetItem* item, int column) {
        CMFCPropertyGridProperty* p = propOf(item);
        if (p && column == 1 && !p->IsGroup() && m_editing != p)
            EditItem(p);
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded, [](QTreeWidgetItem* item) {
        if (CMFCPropertyGridProperty* p = propOf(item))
            p->m_expanded = true;
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, [](QTreeWidgetItem* item) {
        if (CMFCPropertyGridProperty* p = propOf(item))
            p->m_expanded = false;
    });
    for (auto& p : m_top)
        p->attach(this, tree->invisibleRootItem());
    return root;
}

void CMFCPropertyGridCtrl::EnableHeaderCtrl(BOOL enable, const char* left, const char* right)
{
    m_header = enable != FALSE;
    if (!m_ui || !m_ui->tree)
        return;
    m_ui->tree->setHeaderLabels({QString::fromUtf8(left ? left : ""), QString::fromUtf8(right ? right : "")});
    m_ui->tree->setHeaderHidden(!m_header);
}

void CMFCPropertyGridCtrl::EnableDescriptionArea(BOOL enable)
{
    m_description = enable != FALSE;
    if (m_ui && m_ui->description)
        m_ui->description->setVisible(m_description);
}

void CMFCPropertyGridCtrl::SetVSDotNetLook(BOOL set)
{
    m_dotNetLook = set != FALSE;
    for (auto& p : m_top)
        RefreshProperty(p.get());
}

void CMFCPropertyGridCtrl::MarkModifiedProperties(BOOL mark, BOOL redraw)
{
    m_markModified = mark != FALSE;
    if (redraw)
        for (auto& p : m_top)
            RefreshProperty(p.get());
}

int CMFCPropertyGridCtrl::AddProperty(CMFCPropertyGridProperty* property, BOOL, BOOL)
{
    if (!property)
        return -1;
    m_top.emplace_back(property);
    property->attach(this, m_ui && m_ui->tree ? m_ui->tree->invisibleRootItem() : nullptr);
    return int(m_top.size()) - 1;
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetProperty(int index) const
{
    return index >= 0 && size_t(index) < m_top.size() ? m_top[size_t(index)].get() : nullptr;
}

void CMFCPropertyGridCtrl::RemoveAll()
{
    EndEditItem(FALSE);
    closeColorPopup();
    if (m_ui && m_ui->tree)
        m_ui->tree->clear();
    m_top.clear();
}

void CMFCPropertyGridCtrl::ExpandAll(BOOL expand)
{
    const std::function<void(CMFCPropertyGridProperty*)> walk = [&](CMFCPropertyGridProperty* p) {
        if (!p->IsGroup())
            return;
        p->Expand(expand);
        for (auto& c : p->m_items)
            walk(c.get());
    };
    for (auto& p : m_top)
        walk(p.get());
}

void CMFCPropertyGridCtrl::ResetOriginalValues(BOOL)
{
    EndEditItem(FALSE);
    closeColorPopup();
    const std::function<void(CMFCPropertyGridProperty*)> walk = [&](CMFCPropertyGridProperty* p) {
        if (!p->IsGroup())
            p->ResetOriginalValue();
        for (auto& c : p->m_items)
            walk(c.get());
    };
    for (auto& p : m_top)
        walk(p.get());
}

void CMFCPropertyGridCtrl::SetCurSel(CMFCPropertyGridProperty* property, BOOL)
{
    if (m_ui && m_ui->tree && property && property->m_item)
        m_ui->tree->setCurrentItem(property->m_item, 0);
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetCurSel() const
{
    return m_ui && m_ui->tree ? propOf(m_ui->tree->currentItem()) : nullptr;
}

BOOL CMFCPropertyGridCtrl::EditItem(CMFCPropertyGridProperty* p)
{
    if (!m_ui || !m_ui->tree || !p || !p->m_item || p->IsGroup() || !p->IsEnabled())
        return FALSE;
    if (m_ui->tree->currentItem() != p->m_item)
        m_ui->tree->setCurrentItem(p->m_item, 0);
    EndEditItem(TRUE);
    closeColorPopup();
    if (auto* color = dynamic_cast<CMFCPropertyGridColorProperty*>(p)) {
        openColorPopup(color);
        return TRUE;
    }
    QTreeWidget* tree = m_ui->tree;
    auto* editor = new QWidget;
    editor->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(editor);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const auto addButton = [&](const QString& text) {
        auto* b = new QToolButton(editor);
        b->setText(text);
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        return b;
    };
    m_ui->line = nullptr;
    m_ui->combo = nullptr;
    switch (p->EditorKind()) {
    case CMFCPropertyGridProperty::Editor::Combo: {
        auto* combo = new QComboBox(editor);
        combo->setObjectName("propertyCombo");
        if (p->GetValue().vt == VT_BOOL) {
            combo->addItems({"True", "False"});
        } else {
            for (int i = 0; i < p->GetOptionCount(); ++i)
                combo->addItem(q(p->GetOption(i)));
            combo->setEditable(p->IsAllowEdit());
        }
        const QString shown = q(p->FormatProperty());
        const int at = combo->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else if (combo->isEditable())
            combo->setEditText(shown);
        else
            combo->setCurrentIndex(-1); // a text that is no option stays as it is until one is chosen
        row->addWidget(combo);
        m_ui->combo = combo;
        QObject::connect(combo, &QComboBox::activated, editor, [this](int) {
            // Taken once the combo's own handling is over.
            QMetaObject::invokeMethod(m_ui->root, [this] { EndEditItem(TRUE); }, Qt::QueuedConnection);
        });
        break;
    }
    case CMFCPropertyGridProperty::Editor::Spin: {
        auto* line = new QLineEdit(q(p->FormatProperty()), editor);
        line->setObjectName("propertyEdit");
        row->addWidget(line);
        m_ui->line = line;
        const auto step = [this, p](int delta) {
            if (!m_ui || !m_ui->line)
                return;
            int n = p->GetValue().Int();
            parseInt(m_ui->line->text().toStdString(), n);
            m_ui->line->setText(QString::number(std::clamp(n + delta, p->SpinMin(), p->SpinMax())));
        };
        auto* up = addButton(QString::fromUtf8("\u25B4"));
        up->setObjectName("spinUp");
        auto* down = addButton(QString::fromUtf8("\u25BE"));
        down->setObjectName("spinDown");
        QObject::connect(up, &QToolButton::clicked, editor, [step] { step(1); });
        QObject::connect(down, &QToolButton::clicked, editor, [step] { step(-1); });
        break;
    }
    case CMFCPropertyGridProperty::Editor::Button: {
        auto* line = new QLineEdit(q(p->FormatProperty()), editor);
        line->setObjectName("propertyEdit");
        line->setReadOnly(dynamic_cast<CMFCPropertyGridFontProperty*>(p) != nullptr);
        row->addWidget(line);
        m_ui->line = line;
        auto* more = addButton("...");
        more->setObjectName("propertyButton");
        QObject::connect(more, &QToolButton::clicked, editor, [this, p] { ClickButton(p); });
        break;
    }
    default: {
        auto* line = new QLineEdit(q(p->FormatProperty()), editor);
        line->setObjectName("propertyEdit");
        row->addWidget(line);
        m_ui->line = line;
        break;
    }
    }
    m_editing = p;
    m_ui->editor = editor;
    tree->setItemWidget(p->m_item, 1, editor);
    if (m_ui->line) {
        m_ui->line->setFocus();
        m_ui->line->selectAll();
    } else if (m_ui->combo) {
        m_ui->combo->setFocus();
    }
    return TRUE;
}

BOOL CMFCPropertyGridCtrl::EndEditItem(BOOL updateValue)
{
    if (!m_editing || !m_ui)
        return TRUE;
    CMFCPropertyGridProperty* p = m_editing;
    m_editing = nullptr;
    if (updateValue) {
        if (m_ui->combo && m_ui->combo->currentIndex() >= 0)
            p->TakeUserText(m_ui->combo->currentText().toStdString());
        else if (m_ui->combo && m_ui->combo->isEditable())
            p->TakeUserText(m_ui->combo->currentText().toStdString());
        else if (m_ui->line && !m_ui->line->isReadOnly())
            p->TakeUserText(m_ui->line->text().toStdString());
    }
    const bool hadFocus = m_ui->editor && m_ui->editor->isAncestorOf(QApplication::focusWidget());
    QPointer<QWidget> closed = m_ui->editor;
    if (m_ui->tree && p->m_item)
        m_ui->tree->removeItemWidget(p->m_item, 1); // deleted later
    if (closed)
        closed->setParent(nullptr); // out of the grid at once
    m_ui->editor = nullptr;
    m_ui->line = nullptr;
    m_ui->combo = nullptr;
    RefreshProperty(p);
    if (hadFocus && m_ui->tree)
        m_ui->tree->setFocus();
    return TRUE;
}

void CMFCPropertyGridCtrl::ClickButton(CMFCPropertyGridProperty* p)
{
    if (!p || !p->IsEnabled())
        return;
    if (auto* color = dynamic_cast<CMFCPropertyGridColorProperty*>(p)) {
        EditItem(color);
        return;
    }
    if (m_editing == p) {
        // What was typed counts first; the dialog starts from it.
        EndEditItem(TRUE);
    }
    p->OnClickButton(this);
    RefreshProperty(p);
}

void CMFCPropertyGridCtrl::openColorPopup(CMFCPropertyGridColorProperty* p)
{
    if (!m_ui || !m_ui->root || !m_ui->tree || !p->m_item)
        return;
    auto* popup = new QFrame(m_ui->root);
    popup->setObjectName("colorPopup");
    popup->setFrameStyle(QFrame::Box | QFrame::Plain);
    popup->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    const auto choose = [this](auto&& action) {
        return [this, action] {
            action();
            QMetaObject::invokeMethod(m_ui->root, [this] { closeColorPopup(); }, Qt::QueuedConnection);
        };
    };
    if (p->HasAutomatic()) {
        auto* automatic = new QPushButton(QIcon(win::ColorSwatch(p->AutomaticColor())), q(p->AutomaticLabel()), popup);
        automatic->setObjectName("automatic");
        automatic->setFlat(true);
        layout->addWidget(automatic);
        QObject::connect(automatic, &QPushButton::clicked, popup, choose([p] { p->ChooseAutomatic(); }));
    }
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    int i = 0;
    for (COLORREF c : win::PopupColors()) {
        auto* b = new QToolButton(popup);
        char name[16];
        std::snprintf(name, sizeof name, "color-%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        b->setObjectName(name);
        b->setIcon(QIcon(win::ColorSwatch(c, 14)));
        b->setAutoRaise(true);
        b->setChecked(!p->IsAutomatic() && c == p->GetColor());
        grid->addWidget(b, i / 8, i % 8);
        QObject::connect(b, &QToolButton::clicked, popup, choose([p, c] { p->ChooseColor(c); }));
        ++i;
    }
    layout->addLayout(grid);
    if (!p->OtherLabel().empty()) {
        auto* other = new QPushButton(q(p->OtherLabel()), popup);
        other->setObjectName("other");
        layout->addWidget(other);
        QObject::connect(other, &QPushButton::clicked, popup, choose([this, p] { p->ChooseOther(this); }));
    }
    popup->adjustSize();
    // Under the value cell, kept inside the grid.
    const QRect cell = m_ui->tree->visualItemRect(p->m_item);
    QPoint at = m_ui->tree->viewport()->mapTo(m_ui->root, QPoint(m_ui->tree->columnViewportPosition(1), cell.bottom() + 1));
    const QSize area = m_ui->root->size();
    at.setX(std::max(0, std::min(at.x(), area.width() - popup->width())));
    if (at.y() + popup->height() > area.height())
        at.setY(std::max(0, m_ui->tree->viewport()->mapTo(m_ui->root, cell.topLeft()).y() - popup->height()));
    popup->move(at);
    popup->show();
    popup->raise();
    m_ui->popup = popup;
}

void CMFCPropertyGridCtrl::closeColorPopup()
{
    if (m_ui && m_ui->popup) {
        m_ui->popup->hide();
        m_ui->popup->deleteLater();
        m_ui->popup = nullptr;
    }
}

QWidget* CMFCPropertyGridCtrl::ColorPopup() const { return m_ui ? m_ui->popup.data() : nullptr; }

void CMFCPropertyGridCtrl::showDescription(CMFCPropertyGridProperty* p)
{
    if (!m_ui || !m_ui->description)
        return;
    if (!p) {
        m_ui->description->clear();
        return;
    }
    m_ui->description->setText("<b>" + q(p->GetName()).toHtmlEscaped() + "</b><br>" +
                               q(p->GetDescription()).toHtmlEscaped());
}

void CMFCPropertyGridCtrl::RefreshProperty(CMFCPropertyGridProperty* p)
{
    if (!p || !m_ui || !m_ui->tree || !p->m_item)
        return;
    QTreeWidgetItem* item = p->m_item;
    item->setText(0, q(p->GetName()));
    if (p->IsGroup()) {
        QFont f = m_ui->tree->font();
        f.setBold(true);
        item->setFont(0, f);
        if (m_dotNetLook)
            for (int c = 0; c < 2; ++c)
                item->setBackground(c, QColor(0xE4, 0xE4, 0xE4));
        for (auto& child : p->m_items)
            RefreshProperty(child.get());
        return;
    }
    item->setText(1, q(p->FormatProperty()));
    QFont f = m_ui->tree->font();
    f.setBold(m_markModified && p->IsModified());
    item->setFont(0, f);
    item->setFont(1, f);
    if (auto* color = dynamic_cast<CMFCPropertyGridColorProperty*>(p))
        item->setIcon(1, QIcon(win::ColorSwatch(color->GetColor())));
    const QBrush text = p->IsEnabled() ? m_ui->tree->palette().text() : m_ui->tree->palette().brush(QPalette::Disabled, QPalette::Text);
    item->setForeground(0, text);
    item->setForeground(1, text);
    if (GetCurSel() == p)
        showDescription(p);
}

void CMFCPropertyGridCtrl::NotifyChanged(CMFCPropertyGridProperty* p)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(AFX_WM_PROPERTY_CHANGED, WPARAM(GetDlgCtrlID()), LPARAM(p));
}

bool CMFCPropertyGridCtrl::IsShownBold(const CMFCPropertyGridProperty* p) const
{
    return p && p->m_item && m_ui && m_ui->tree && p->m_item->font(1).bold();
}

std::string CMFCPropertyGridCtrl::ShownValue(const CMFCPropertyGridProperty* p) const
{
    return p && p->m_item && m_ui && m_ui->tree ? p->m_item->text(1).toStdString() : std::string();
}

std::string CMFCPropertyGridCtrl::DescriptionText() const
{
    return m_ui && m_ui->description ? m_ui->description->text().toStdString() : std::string();
}

int CMFCPropertyGridCtrl::GetLeftColumnWidth() const
{
    return m_ui && m_ui->tree ? m_ui->tree->columnWidth(0) : 0;
}

int CMFCPropertyGridCtrl::GetDpi() const { return win::CurrentDisplay().dpiY; }

BOOL CMFCPropertyGridCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !m_ui || !m_ui->tree)
        return CWnd::PreTranslateMessage(msg);
    if (m_ui->popup) {
        if (msg->wParam == VK_ESCAPE) {
            closeColorPopup();
            m_ui->tree->setFocus();
            return TRUE;
        }
        return CWnd::PreTranslateMessage(msg);
    }
    if (m_editing) {
        // Esc and Enter belong to the open cell editor, not to the dialog.
        if (msg->wParam == VK_ESCAPE) {
            EndEditItem(FALSE);
            return TRUE;
        }
        if (msg->wParam == VK_RETURN) {
            EndEditItem(TRUE);
            return TRUE;
        }
        if ((msg->wParam == VK_UP || msg->wParam == VK_DOWN) && m_editing->EditorKind() ==
                                                                    CMFCPropertyGridProperty::Editor::Spin) {
            if (QToolButton* b = m_ui->editor->findChild<QToolButton*>(msg->wParam == VK_UP ? "spinUp" : "spinDown"))
                b->click();
            return TRUE;
        }
        return CWnd::PreTranslateMessage(msg);
    }
    if (msg->wParam == VK_RETURN || msg->wParam == kF2) {
        if (CMFCPropertyGridProperty* p = GetCurSel()) {
            if (p->IsGroup())
                p->Expand(!p->IsExpanded());
            else
                EditItem(p);
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(msg);
}
