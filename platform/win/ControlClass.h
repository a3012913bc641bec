#pragma once
// Window classes of controls. Each control kind is one class (CStatic, CEdit,
// CButton, ...) registered once under its window-class name ("Static",
// "Edit", "Button", ...); a dialog template's control of that name gets an
// object of the class, which makes its own widget (CWnd::CreateWidget) and
// answers its text and state through its window procedure.
#include "platform/win/Wnd.h"

#include <memory>
#include <string>

namespace win {

struct ControlClass {
    std::string name;                      // the window-class name templates use
    std::unique_ptr<CWnd> (*makeObject)(); // the object of a template control
};

// Registers a class; registering a name twice (in any case) is a mistake and throws.
void RegisterControlClass(const ControlClass& cls);
// The class of a name, whatever its case; null for a name nobody registered
// (such a control gets a plain window its owner draws).
const ControlClass* FindControlClass(const std::string& name);

template <class T>
void RegisterControlClass(const char* name)
{
    RegisterControlClass(ControlClass{name, [] { return std::unique_ptr<CWnd>(std::make_unique<T>()); }});
}

// The object of a template control of the class name.
std::unique_ptr<CWnd> NewControlObject(const std::string& className);

} // namespace win
