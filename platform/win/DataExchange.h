#pragma once
// Data exchange between a dialog's controls and its members. DoDataExchange
// lists the bindings; UpdateData(FALSE) fills the controls from the members,
// UpdateData(TRUE) reads them back and validates (a bad number shows a
// message, puts the focus on the field and makes UpdateData return FALSE).
#include "platform/win/Wnd.h"

#include <string>

class CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

    // Thrown by Fail; UpdateData catches it.
    struct Failure {};
    // The control of an id; a missing control is a mistake in the template.
    CWnd* PrepareCtrl(int id);
    // The control of an id as the class an exchange needs; a control of
    // another class is a mistake and throws, naming the exchange, id and class.
    template <class T>
    T* PrepareCtrlOf(int id, const char* exchange, const char* className);
    [[noreturn]] void Fail();

private:
    CWnd* m_lastCtrl = nullptr;
};

// Binds a member window object to the dialog's control (it takes the control over).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The radio group that starts with the button of the id: the index of its checked button, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBString(CDataExchange* dx, int id, std::string& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& value);
void DDX_Slider(CDataExchange* dx, int id, int& value);
