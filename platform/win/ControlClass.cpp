#include "platform/win/ControlClass.h"

#include "platform/win/Button.h"
#include "platform/win/ComboBox.h"
#include "platform/win/DateTimeCtrl.h"
#include "platform/win/Edit.h"
#include "platform/win/ListBox.h"
#include "platform/win/ListCtrl.h"
#include "platform/win/ProgressCtrl.h"
#include "platform/win/PropertyGrid.h"
#include "platform/win/RichEditCtrl.h"
#include "platform/win/SliderCtrl.h"
#include "platform/win/SpinButtonCtrl.h"
#include "platform/win/Static.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

namespace win {
namespace {

std::string folded(const std::string& s)
{
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

std::map<std::string, ControlClass>& table()
{
    static std::map<std::string, ControlClass> t;
    return t;
}

// The standard controls of the layer; a new kind adds its line here.
void registerStandardClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterControlClass<CStatic>("Static");
    RegisterControlClass<CEdit>("Edit");
    RegisterControlClass<CButton>("Button");
    RegisterControlClass<CComboBox>("ComboBox");
    RegisterControlClass<CListBox>("ListBox");
    RegisterControlClass<CListCtrl>("SysListView32");
    RegisterControlClass<CSliderCtrl>("msctls_trackbar32");
    RegisterControlClass<CProgressCtrl>("msctls_progress32");
    RegisterControlClass<CRichEditCtrl>("RichEdit20A");
    RegisterControlClass<CSpinButtonCtrl>("msctls_updown32");
    RegisterControlClass<CMFCPropertyGridCtrl>("MFCPropertyGrid");
    RegisterControlClass<CDateTimeCtrl>("SysDateTimePick32");
}

} // namespace

void RegisterControlClass(const ControlClass& cls)
{
    registerStandardClasses();
    if (!cls.makeObject)
        throw std::logic_error("window class \"" + cls.name + "\" has no object maker");
    if (!table().emplace(folded(cls.name), cls).second)
        throw std::logic_error("window class \"" + cls.name + "\" is registered twice");
}

const ControlClass* FindControlClass(const std::string& name)
{
    registerStandardClasses();
    auto it = table().find(folded(name));
    return it == table().end() ? nullptr : &it->second;
}

std::unique_ptr<CWnd> NewControlObject(const std::string& className)
{
    if (const ControlClass* cls = FindControlClass(className))
        return cls->makeObject();
    return std::make_unique<CWnd>();
}

} // namespace win
