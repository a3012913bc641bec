#include "platform/win/DataExchange.h"

#include "platform/win/Button.h"
#include "platform/win/ComboBox.h"
#include "platform/win/ListBox.h"
#include "platform/win/MessageBox.h"
#include "platform/win/SliderCtrl.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

CWnd* CDataExchange::PrepareCtrl(int id)
{
    CWnd* c = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!c)
        throw std::logic_error("the dialog has no control " + std::to_string(id));
    m_lastCtrl = c;
    return c;
}

template <class T>
T* CDataExchange::PrepareCtrlOf(int id, const char* exchange, const char* className)
{
    CWnd* c = PrepareCtrl(id);
    if (auto* typed = dynamic_cast<T*>(c))
        return typed;
    throw std::logic_error(std::string(exchange) + ": control " + std::to_string(id) + " is not a " + className);
}

void CDataExchange::Fail()
{
    if (m_lastCtrl)
        m_lastCtrl->SetFocus();
    throw Failure();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    CWnd* c = dx->PrepareCtrl(id);
    control.SubclassWindow(c->m_hWnd);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    CWnd* c = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = c->GetWindowText();
    else
        c->SetWindowText(value);
}

namespace {

std::string trimmed(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool parseLong(const std::string& text, long long& out)
{
    const std::string t = trimmed(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(t.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool parseDouble(const std::string& text, double& out)
{
    const std::string t = trimmed(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtod(t.c_str(), &end);
    return errno == 0 && end && *end == '\0' && std::isfinite(out);
}

[[noreturn]] void failWith(CDataExchange* dx, const char* message)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    dx->Fail();
}

std::string numberText(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

} // namespace

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    CWnd* c = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        c->SetWindowText(std::to_string(value));
        return;
    }
    long long v = 0;
    if (!parseLong(c->GetWindowText(), v) || v < INT32_MIN || v > INT32_MAX)
        failWith(dx, "Please enter an integer.");
    value = int(v);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    CWnd* c = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        c->SetWindowText(std::to_string(value));
        return;
    }
    long long v = 0;
    if (!parseLong(c->GetWindowText(), v) || v < 0 || v > UINT32_MAX)
        failWith(dx, "Please enter a positive integer.");
    value = UINT(v);
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    CWnd* c = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        c->SetWindowText(numberText(value));
        return;
    }
    double v = 0;
    if (!parseDouble(c->GetWindowText(), v))
        failWith(dx, "Please enter a number.");
    value = v;
}

void DDX_Text(CDataExchange* dx, int id, float& value)
{
    double v = value;
    DDX_Text(dx, id, v);
    value = float(v);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    CButton* b = dx->PrepareCtrlOf<CButton>(id, "DDX_Check", "CButton");
    if (dx->m_bSaveAndValidate)
        value = b->GetCheck();
    else
        b->SetCheck(value);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    CButton* first = dx->PrepareCtrlOf<CButton>(id, "DDX_Radio", "CButton");
    if (!first->IsRadioButton())
        throw std::logic_error("DDX_Radio: control " + std::to_string(id) + " is not a radio button");
    // The group: this button and the following radio buttons up to the next WS_GROUP.
    std::vector<CButton*> group;
    bool in = false;
    for (CWnd* c : dx->m_pDlgWnd->GetChildren()) {
        if (c == first)
            in = true;
        else if (in && (c->GetStyle() & WS_GROUP))
            break;
        if (auto* b = dynamic_cast<CButton*>(c); in && b && b->IsRadioButton())
            group.push_back(b);
    }
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->GetCheck() == BST_CHECKED)
                value = int(i);
    } else {
        for (size_t i = 0; i < group.size(); ++i)
            group[i]->SetCheck(int(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value)
{
    CComboBox* combo = dx->PrepareCtrlOf<CComboBox>(id, "DDX_CBString", "CComboBox");
    if (dx->m_bSaveAndValidate) {
        value = combo->GetWindowText();
    } else if ((combo->GetStyle() & 0x3) != CBS_DROPDOWNLIST) {
        combo->SetWindowText(value);
    } else {
        // The first entry that begins with the text, as the list box search does.
        combo->SelectString(-1, value);
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value)
{
    CComboBox* combo = dx->PrepareCtrlOf<CComboBox>(id, "DDX_CBIndex", "CComboBox");
    if (dx->m_bSaveAndValidate)
        value = combo->GetCurSel();
    else
        combo->SetCurSel(value);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& value)
{
    CListBox* list = dx->PrepareCtrlOf<CListBox>(id, "DDX_LBIndex", "CListBox");
    if (dx->m_bSaveAndValidate)
        value = list->GetCurSel();
    else
        list->SetCurSel(value);
}

void DDX_Slider(CDataExchange* dx, int id, int& value)
{
    CSliderCtrl* slider = dx->PrepareCtrlOf<CSliderCtrl>(id, "DDX_Slider", "CSliderCtrl");
    if (dx->m_bSaveAndValidate)
        value = slider->GetPos();
    else
        slider->SetPos(value);
}
